#include "app/port_dlg.h"

#include <algorithm>

#include "link/screen_text.h"
#include "link/port.h"
#include "settings/port_mapping.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

// "/dev/serial/by-id/usb-FTDI_… (ttyUSB0) – FTDI FT232R USB UART, nr seryjny A1B2"; the
// description and the hint are found again in it and translated.
std::string deviceLine(const SerialDevice& device) {
    const std::string path = device.byId.empty() ? device.path : device.path + " (" + device.tty + ")";
    if (device.accessible) return formatText(UI_TEXT("%1 – %2"), {path, device.description});
    return formatText(UI_TEXT("%1 – %2 – %3"), {path, device.description, device.hint});
}

}  // namespace

void CPortDlg::onInit() {
    window().setSelection(PortList, station_.link.portNumber);
    refreshDevices();
    const std::string dev = root_ + (root_.ends_with('/') ? "" : "/") + "dev";
    watch_ = watchFolders_({dev, dev + "/serial", dev + "/serial/by-id"}, [this] { refreshDevices(); });
    window().startTimer(RefreshTimer, RefreshMs);
}

void CPortDlg::onCommand(int id) {
    if (id != Ok) {
        DialogLogic::onCommand(id);
        return;
    }
    station_.link.portNumber = window().selection(PortList);
    if (portName(station_.link.portNumber).empty()) chosen_.clear();
    releasePort(station_);
    window().end(ResultOk);
}

void CPortDlg::onChange(int id) {
    if (id == DeviceList) {
        const int index = window().selection(DeviceList);
        if (index >= 0 && index < static_cast<int>(devices_.size())) chosen_ = devices_[index].path;
    }
    showMapping();
}

void CPortDlg::onTimer(int timer) {
    if (timer == RefreshTimer) refreshDevices();
}

void CPortDlg::onDestroy() { watch_.reset(); }

void CPortDlg::refreshDevices() {
    devices_ = listSerialDevices(root_, mayOpen_);
    // A device pulled out can no longer be chosen.
    if (std::none_of(devices_.begin(), devices_.end(), [&](const SerialDevice& d) { return d.path == chosen_; }))
        chosen_.clear();
    std::vector<std::string> lines;
    for (const SerialDevice& device : devices_) lines.push_back(deviceLine(device));
    if (lines != lines_) {
        lines_ = std::move(lines);
        window().setItems(DeviceList, lines_);
    }
    showMapping();
}

std::string CPortDlg::mappedPath(int portNumber) const {
    const PortTarget target = resolvePort(station_.settings, portNumber);
    return target.simModel.empty() ? target.devicePath : "sim:" + target.simModel;
}

// The device the port in the drop-down list leads to, or will lead to after OK; in the list,
// that device is the one selected.
void CPortDlg::showMapping() {
    const int portNumber = window().selection(PortList);
    const std::string name = portName(portNumber);
    const std::string path = chosen_.empty() ? mappedPath(portNumber) : chosen_;
    const auto shown = std::find_if(devices_.begin(), devices_.end(), [&](const SerialDevice& d) { return d.path == path; });
    window().setSelection(DeviceList, shown == devices_.end() ? -1 : static_cast<int>(shown - devices_.begin()));
    if (name.empty())
        window().setText(MappingText, "");
    else
        window().setText(MappingText, formatText(chosen_.empty() ? "%1 → %2" : UI_TEXT("%1 → %2 (zapisane po OK)"),
                                                 {name, path}));
}

}  // namespace doxa
