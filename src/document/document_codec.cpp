#include "document/document_codec.h"

#include <bit>
#include <optional>
#include <string>

#include "document/document_values.h"
#include "link/cp1250.h"

namespace doxa {

namespace {

constexpr std::size_t StoredWords = 63;
constexpr std::size_t LastPointWord = 63;
constexpr int MaxPoints = 32;

// Text length prefixes: one byte below 255, else 0xFF and a 16-bit length, else 0xFF, 0xFFFF
// and a 32-bit length. 0xFFFE after 0xFF announces 16-bit characters.
constexpr std::uint8_t LongLength = 0xFF;
constexpr std::uint16_t WideText = 0xFFFE;
constexpr std::uint16_t HugeLength = 0xFFFF;

class Writer {
public:
    void u8(std::uint8_t value) { bytes.push_back(value); }
    void u16(std::uint16_t value) {
        u8(std::uint8_t(value));
        u8(std::uint8_t(value >> 8));
    }
    void u32(std::uint32_t value) {
        u16(std::uint16_t(value));
        u16(std::uint16_t(value >> 16));
    }
    void i32(int value) { u32(static_cast<std::uint32_t>(value)); }
    void f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }
    void text(const std::string& utf8) {
        const std::string page = utf8ToCp1250(utf8);
        const std::size_t length = page.size();
        if (length < LongLength) {
            u8(std::uint8_t(length));
        } else if (length < WideText) {
            u8(LongLength);
            u16(std::uint16_t(length));
        } else {
            u8(LongLength);
            u16(HugeLength);
            u32(std::uint32_t(length));
        }
        bytes.insert(bytes.end(), page.begin(), page.end());
    }

    std::vector<std::uint8_t> bytes;
};

// Reads little-endian values; every read past the end fails and leaves the reader failed.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool failed() const { return failed_; }
    std::size_t left() const { return bytes_.size() - at_; }

    std::uint8_t u8() { return take(1) ? bytes_[at_ - 1] : 0; }
    std::uint16_t u16() {
        const std::uint16_t low = u8();
        return std::uint16_t(low | u8() << 8);
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | std::uint32_t(u16()) << 16;
    }
    int i32() { return static_cast<int>(u32()); }
    float f32() { return std::bit_cast<float>(u32()); }

    std::string text() {
        bool wide = false;
        std::uint32_t length = u8();
        if (length == LongLength) {
            length = u16();
            if (length == WideText) {
                wide = true;
                length = plainLength();
            } else if (length == HugeLength) {
                length = u32();
            }
        }
        return wide ? wideText(length) : narrowText(length);
    }

private:
    bool take(std::size_t count) {
        if (failed_ || count > left()) {
            failed_ = true;
            return false;
        }
        at_ += count;
        return true;
    }

    // The length after the 16-bit character mark, itself in the byte/16/32-bit forms.
    std::uint32_t plainLength() {
        std::uint32_t length = u8();
        if (length != LongLength) return length;
        length = u16();
        return length == HugeLength ? u32() : length;
    }

    std::string narrowText(std::uint32_t length) {
        const std::size_t start = at_;
        if (!take(length)) return {};
        const auto* first = reinterpret_cast<const char*>(bytes_.data() + start);
        return cp1250ToUtf8(std::string_view(first, length));
    }

    // 16-bit characters become the program's 8-bit text: what the code page cannot hold reads
    // as '?'.
    std::string wideText(std::uint32_t length) {
        if (length > left() / 2) {
            take(left() + 1);
            return {};
        }
        std::string text;
        for (std::uint32_t i = 0; i < length; ++i) text += toCp1250(u16());
        return cp1250ToUtf8(text);
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

}  // namespace

std::vector<std::uint8_t> writeDocument(const DeviceRecord& device,
                                        const Characteristic& characteristic) {
    Writer out;
    out.text(device.modelName);
    out.i32(device.sensorType);
    out.f32(device.rangeMin);
    out.f32(device.rangeMax);
    out.f32(device.threshold);
    out.f32(device.hysteresis);
    out.i32(device.thresholdDirection);
    out.i32(device.filterTime);
    out.i32(device.filterOrder);
    out.i32(device.breakSignal);
    out.i32(device.thresholdActive);
    out.i32(device.serialNumber);
    out.i32(characteristic.characteristicCount);
    for (std::size_t word = 0; word < StoredWords; ++word)
        out.f32(characteristic.characteristicTable[word]);
    if (characteristic.characteristicCount == MaxPoints)
        out.f32(characteristic.characteristicTable[LastPointWord]);
    return std::move(out.bytes);
}

DocumentStatus readDocument(std::span<const std::uint8_t> bytes, DeviceRecord& device,
                            Characteristic& characteristic, std::string* refusal) {
    DeviceRecord readDevice = device;
    Characteristic readTable = characteristic;
    Reader in(bytes);
    readDevice.modelName = in.text();
    readDevice.sensorType = in.i32();
    readDevice.rangeMin = in.f32();
    readDevice.rangeMax = in.f32();
    readDevice.threshold = in.f32();
    readDevice.hysteresis = in.f32();
    readDevice.thresholdDirection = in.i32();
    readDevice.filterTime = in.i32();
    readDevice.filterOrder = in.i32();
    readDevice.breakSignal = in.i32();
    readDevice.thresholdActive = in.i32();
    readDevice.serialNumber = in.i32();
    readTable.characteristicCount = in.i32();
    for (std::size_t word = 0; word < StoredWords; ++word)
        readTable.characteristicTable[word] = in.f32();
    if (in.failed()) return DocumentStatus::PastEnd;

    // Word 63 follows only in files of 32 points; anything else after the table is not a file
    // of this program.
    if (in.left() == sizeof(float)) readTable.characteristicTable[LastPointWord] = in.f32();
    if (in.left() != 0) return DocumentStatus::UnexpectedFormat;
    if (std::string refused = refusedDocumentValue(readDevice, readTable); !refused.empty()) {
        if (refusal) *refusal = std::move(refused);
        return DocumentStatus::RefusedValue;
    }

    device = std::move(readDevice);
    characteristic = readTable;
    return DocumentStatus::Read;
}

}  // namespace doxa
