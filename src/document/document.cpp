#include "document/document.h"

#include <filesystem>
#include <system_error>

#include "document/document_file.h"
#include "dialog/shell.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr auto UntitledTitle = "DOXA";
constexpr auto DefaultExtension = ".prg";

}  // namespace

void resetToNewDocument(DeviceRecord& device) {
    device.modelName.clear();
    device.sensorType = 0;
    device.rangeMin = 100.0F;
    device.rangeMax = 300.0F;
    device.threshold = 120.0F;
    device.hysteresis = 10.0F;
    device.ambientTemp = 0.0F;
    device.thresholdDirection = 0;
    device.filterTime = 1;
    device.filterOrder = 1;
    device.breakSignal = 0;
    device.pollingAddress = 0;
    device.outputType = 0;
    device.serialNumber = 0;
    device.thresholdActive = 0;
}

namespace {

// The recent-file list and the title name a file the same way wherever it was chosen from.
std::string fullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// A name typed without an extension gets the configuration files' one.
std::string withDefaultExtension(const std::string& path) {
    return std::filesystem::path(path).has_extension() ? path : path + DefaultExtension;
}

}  // namespace

CDoxaDoc::CDoxaDoc(Station& station, Shell& shell)
    : station_(station), shell_(shell), recent_(station.settings) {}

void CDoxaDoc::reset() {
    resetToNewDocument(station_.device);
    path_.clear();
    setTitle(UntitledTitle);
}

void CDoxaDoc::newDocument() {
    reset();
    shell_.repaintView();
}

void CDoxaDoc::open() {
    const std::string path = shell_.askOpenPath();
    if (!path.empty()) openFile(path);
}

void CDoxaDoc::openRecent(std::size_t index) {
    if (index >= recent_.files().size()) return;
    const std::string path = recent_.files()[index];
    // A file that can no longer be read leaves the list, so it is not offered again.
    if (!openFile(path)) recent_.remove(path);
}

bool CDoxaDoc::openFile(const std::string& chosen) {
    const std::string path = fullPath(chosen);
    const std::string error = loadDocumentFile(path, station_.device, station_.characteristic);
    if (!error.empty()) {
        shell_.showMessage(error);
        return false;
    }
    nameAfter(path);
    shell_.repaintView();
    return true;
}

void CDoxaDoc::save() {
    if (path_.empty())
        saveAs();
    else
        saveTo(path_);
}

void CDoxaDoc::saveAs() {
    const std::string suggested = path_.empty() ? title_ + DefaultExtension : path_;
    const std::string chosen = shell_.askSavePath(suggested);
    if (!chosen.empty()) saveTo(fullPath(withDefaultExtension(chosen)));
}

bool CDoxaDoc::saveTo(const std::string& path) {
    if (!saveDocumentFile(path, station_.device, station_.characteristic)) {
        shell_.showMessage(SaveFailedText);
        return false;
    }
    nameAfter(path);
    return true;
}

void CDoxaDoc::nameAfter(const std::string& path) {
    path_ = path;
    recent_.add(path);
    setTitle(std::filesystem::path(path).filename().string());
}

void CDoxaDoc::setTitle(std::string title) {
    title_ = std::move(title);
    shell_.setDocumentTitle(title_);
}

}  // namespace doxa
