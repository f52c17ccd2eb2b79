// The "*.prg" reader. Whatever the file holds, a load that fails leaves the device record and
// the characteristic exactly as they were; one that succeeds holds only values a transmitter can
// take, and writes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "document/document_codec.h"
#include "document/document_file.h"
#include "document/document_values.h"

namespace {

// A record that differs from the defaults in every saved field and in some that are not saved.
void fill(doxa::DeviceRecord& device, doxa::Characteristic& characteristic) {
    device.modelName = "DOXA-22 ąę";
    device.isModel22 = 1;
    device.hasAmbient = 1;
    device.sensorType = 7;
    device.rangeMin = -50.5f;
    device.rangeMax = 150.25f;
    device.threshold = 80;
    device.hysteresis = 2;
    device.thresholdDirection = 1;
    device.filterTime = 9;
    device.filterOrder = 2;
    device.breakSignal = 1;
    device.thresholdActive = 1;
    device.serialNumber = 123456;
    device.pollingAddress = 5;
    device.deltaValue = 4;
    characteristic.characteristicCount = 3;
    for (std::size_t word = 0; word < characteristic.characteristicTable.size(); ++word)
        characteristic.characteristicTable[word] = static_cast<float>(word) * 1.5f;
}

// The first `words` words of the table, bit by bit: a NaN must not hide a change.
bool sameBits(const doxa::Characteristic& a, const doxa::Characteristic& b,
              std::size_t words = doxa::Characteristic{}.characteristicTable.size()) {
    return a.characteristicCount == b.characteristicCount &&
           std::memcmp(a.characteristicTable.data(), b.characteristicTable.data(),
                       words * sizeof(float)) == 0;
}

// The same bytes as a file opened from the menu: an error text exactly when the codec failed,
// and then nothing changed.
void loadAsFile(const std::uint8_t* data, std::size_t size, doxa::DocumentStatus status) {
    using namespace doxa;
    static const struct TempFile {
        std::string path = "/dev/shm/document_fuzz-" + std::to_string(getpid()) + ".prg";
        ~TempFile() { unlink(path.c_str()); }
    } file;
    const std::string& path = file.path;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    DeviceRecord device;
    Characteristic characteristic;
    fill(device, characteristic);
    const DeviceRecord deviceBefore = device;
    const Characteristic characteristicBefore = characteristic;
    const std::string error = loadDocumentFile(path, device, characteristic);
    if (error.empty() != (status == DocumentStatus::Read)) std::abort();
    if (!error.empty() && (!(device == deviceBefore) || !sameBits(characteristic, characteristicBefore)))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace doxa;
    DeviceRecord device;
    Characteristic characteristic;
    fill(device, characteristic);
    const DeviceRecord deviceBefore = device;
    const Characteristic characteristicBefore = characteristic;

    const DocumentStatus status = readDocument({data, size}, device, characteristic);
    loadAsFile(data, size, status);
    if (status != DocumentStatus::Read) {
        if (!(device == deviceBefore) || !sameBits(characteristic, characteristicBefore)) std::abort();
        return 0;
    }
    // Nothing a transmitter cannot hold gets as far as the programming dialog.
    if (!refusedDocumentValue(device, characteristic).empty()) std::abort();
    // What was read saves and reads again to the same record.
    const std::vector<std::uint8_t> written = writeDocument(device, characteristic);
    DeviceRecord again = deviceBefore;
    Characteristic againTable = characteristicBefore;
    if (readDocument(written, again, againTable) != DocumentStatus::Read) std::abort();
    // The last word is saved only with a full table.
    const std::size_t saved = characteristic.characteristicCount == Characteristic::MaxPoints ? 64 : 63;
    if (again.modelName != device.modelName || !sameBits(againTable, characteristic, saved)) std::abort();
    return 0;
}
