#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "dialog/shell.h"
#include "link/serial_devices.h"

namespace doxa {

class Station;

// "Port szeregowy": picks COM1..COM12. OK takes the choice into portNumber and releases the open
// port, so that the next dialog opens the chosen one; the caller stores the number.
// Beside it, the serial devices present, kept up to date while the dialog is open: a device
// chosen there is the one the chosen COM name is to lead to (chosenDevice(), stored by the
// caller after OK).
class CPortDlg : public DialogLogic {
public:
    static constexpr int Resource = 107;
    enum : int { Ok = 1, Cancel = 2, PortList = 148, DeviceList = 149, MappingText = 150 };
    enum : int { RefreshTimer = 1 };
    // udev may add the by-id link a moment after the device itself; whatever the folder
    // notifications miss is caught this often.
    static constexpr int RefreshMs = 2000;

    using FolderWatcher = std::function<std::unique_ptr<FolderWatch>(const std::vector<std::string>&,
                                                                    std::function<void()>)>;

    CPortDlg(Station& station, std::string deviceRoot, FolderWatcher watchFolders, AccessCheck mayOpen = mayReadAndWrite)
        : station_(station), root_(std::move(deviceRoot)), watchFolders_(std::move(watchFolders)),
          mayOpen_(std::move(mayOpen)) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

    // The path of the device chosen for the port after OK, the stable by-id link when there is
    // one; empty when none was chosen.
    const std::string& chosenDevice() const { return chosen_; }

private:
    void refreshDevices();
    void showMapping();
    std::string mappedPath(int portNumber) const;

    Station& station_;
    std::string root_;
    FolderWatcher watchFolders_;
    AccessCheck mayOpen_;
    std::unique_ptr<FolderWatch> watch_;
    std::vector<SerialDevice> devices_;
    std::vector<std::string> lines_;
    std::string chosen_;
};

}  // namespace doxa
