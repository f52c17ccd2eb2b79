#include "app/application.h"

#include <array>
#include <string_view>

#include "app/about_dlg.h"
#include "app/command_ids.h"
#include "app/port_dlg.h"
#include "app/shell.h"
#include "calibration/calib_dlg.h"
#include "calibration/calib_settings_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/delta_dlg.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/output_current_dlg.h"
#include "link/port.h"
#include "programming/rs485_dlg.h"
#include "transmitter/display_dlg.h"
#include "transmitter/ident_dlg.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr std::string_view PortSection = "COM";
constexpr std::string_view PortKey = "COM";
constexpr std::string_view AddressSection = "Polling_adres";
constexpr std::string_view AddressKey = "ADRES";
constexpr std::string_view ModeSection = "Transmisja";
constexpr std::string_view ModeKey = "RS485";
constexpr std::string_view BaudSection = "BAUD";
constexpr std::string_view BaudKey = "BAUD";
constexpr std::string_view DeltaSection = "DELTA";
constexpr std::string_view DeltaKey = "DELTA";

constexpr int NoPort = -1;
constexpr int StoredDelta = 5;
constexpr int HartReplyWait = 300;
constexpr int Rs485FastestReplyWait = 5;
// The wait after a request at 1200, 4800, 9600 and 19200 baud; 38400 keeps the fastest one.
constexpr std::array<int, 4> Rs485ReplyWaits = {250, 50, 20, 5};
constexpr int BaudCount = 5;

constexpr std::string_view DisplayModelPrefill = "DOXA-";
constexpr std::string_view Rs485Only = "Opcja dostępna dla RS485";
constexpr std::string_view AccessDenied = "Dostęp zabroniony";
// Short enough for the status bar of the small main window.
constexpr std::string_view ForcedOutputNotice = "UWAGA: wyjście wymuszone";
constexpr std::string_view ReleaseQuestion =
    "Wyjście przetwornika jest nadal ustawione na stałą wartość.\n"
    "Czy zwolnić wyjście przed zakończeniem programu?";
constexpr std::string_view SettingsNotSaved =
    "Nie można zapisać ustawień programu (plik ustawień jest niedostępny)";

// The saved fields of a new, empty configuration; connection, unitCode and the characteristic
// table are not part of it.
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

// A hand-edited settings file may hold any number; a speed the program does not know is read
// as the slowest one, like the -1 an unset entry once held.
int validBaudIndex(int stored) { return stored >= 0 && stored < BaudCount ? stored : 0; }

}  // namespace

Application::Application(Station& station, Shell& shell) : station_(station), shell_(shell) {}

void Application::startUp() {
    SettingsStore& settings = station_.settings;
    // The stored address is read as the main window is built, but the new document that follows
    // sets it back to 0: every run starts talking to address 0.
    station_.device.pollingAddress = settings.readInt(AddressSection, AddressKey, 0);
    station_.characteristic = Characteristic{};
    station_.device.deltaValue = settings.readInt(DeltaSection, DeltaKey, StoredDelta);
    resetToNewDocument(station_.device);
    initialize();
}

void Application::onCommand(int commandId) {
    switch (commandId) {
        case CmdInitialize:
            initialize();
            break;
        case CmdDisplay:
            showDisplay();
            break;
        case CmdPort:
            choosePort();
            break;
        case CmdModeHart:
            selectHart();
            break;
        case CmdModeRs485:
            selectRs485();
            break;
        case CmdFamilyDoxa:
            station_.device.isRivo = 0;
            break;
        case CmdFamilyRivo:
            station_.device.isRivo = 1;
            break;
        case CmdRegistersRead:
        case CmdRegistersWrite:
            registerCommand();
            break;
        case CmdCalibrate:
            calibrate();
            break;
        case CmdOutputCurrent:
            showOutputCurrent();
            break;
        case CmdFactorySettings:
            restoreFactoryData();
            break;
        case CmdSetDelta:
            setDelta();
            break;
        case CmdExit:
            shell_.closeMainWindow();
            break;
        case CmdAbout: {
            CAboutDlg about;
            shell_.runDialog(about);
            break;
        }
        case CmdHelpIndex:
        case CmdHelpUsing:
        case CmdHelp:
        case CmdContextHelp:
            shell_.showHelp(commandId);
            break;
        default:
            break;
    }
}

bool Application::isEnabled(int commandId) const {
    switch (commandId) {
        case CmdInitialize:
        case CmdDisplay:
        case CmdPort:
        case CmdModeHart:
        case CmdModeRs485:
        case CmdFamilyDoxa:
        case CmdFamilyRivo:
        case CmdSetDelta:
        case CmdCalibrate:
        case CmdOutputCurrent:
        case CmdFactorySettings:
        case CmdExit:
        case CmdAbout:
        case CmdHelpIndex:
        case CmdHelpUsing:
        case CmdHelp:
        case CmdContextHelp:
            return true;
        case CmdRegistersRead:
        case CmdRegistersWrite:
            // Outside RS485 they only explain themselves; the register dialogs are not there yet.
            return station_.link.transmissionMode != ModeRs485;
        default:
            return false;
    }
}

bool Application::isChecked(int commandId) const {
    switch (commandId) {
        case CmdModeHart:
            return station_.link.transmissionMode == ModeHart;
        case CmdModeRs485:
            return station_.link.transmissionMode == ModeRs485;
        case CmdFamilyDoxa:
            return station_.device.isRivo == 0;
        case CmdFamilyRivo:
            return station_.device.isRivo == 1;
        default:
            return false;
    }
}

void Application::shutDown() { releasePort(station_); }

bool Application::mayClose() {
    while (station_.outputForced) {
        switch (shell_.askYesNoCancel(ReleaseQuestion)) {
            case Choice::Yes: {
                // Asked again if the transmitter did not confirm the release.
                COutputCurrentDlg release(station_);
                release.releaseOnOpen();
                shell_.runDialog(release);
                break;
            }
            case Choice::No:
                return true;
            case Choice::Cancel:
                return false;
        }
    }
    return true;
}

std::string_view Application::forcedOutputNotice() const {
    return station_.outputForced ? ForcedOutputNotice : std::string_view{};
}

void Application::initialize() {
    clearLog();
    usePort(station_.settings.readInt(PortSection, PortKey, NoPort));
    if (station_.link.portNumber < 0 && runPortDialog())
        store(PortSection, PortKey, station_.link.portNumber);
    store(AddressSection, AddressKey, station_.device.pollingAddress);
    shell_.repaintView();
    if (station_.settings.readInt(ModeSection, ModeKey, ModeHart) == ModeRs485) {
        station_.device.hasAmbient = 1;
        changeLine(ModeRs485, validBaudIndex(station_.settings.readInt(BaudSection, BaudKey, 0)),
                   station_.link.parityOff);
    } else {
        changeLine(ModeHart, station_.link.baudIndex, station_.link.parityOff);
    }
    CInitDlg identification(station_);
    shell_.runDialog(identification);
}

void Application::choosePort() {
    usePort(station_.settings.readInt(PortSection, PortKey, NoPort));
    if (runPortDialog()) store(PortSection, PortKey, station_.link.portNumber);
}

bool Application::runPortDialog() {
    CPortDlg dialog(station_);
    return shell_.runDialog(dialog) == ResultOk;
}

void Application::selectHart() {
    changeLine(ModeHart, 0, station_.link.parityOff);
    station_.link.replyWait = HartReplyWait;
    store(ModeSection, ModeKey, ModeHart);
}

void Application::selectRs485() {
    LinkSettings& link = station_.link;
    changeLine(ModeRs485, link.baudIndex, link.parityOff);
    link.replyWait = Rs485FastestReplyWait;
    station_.device.hasAmbient = 1;
    store(ModeSection, ModeKey, ModeRs485);

    CRs485Dlg dialog(station_);
    dialog.baudIndex = link.baudIndex;
    dialog.parityOff = link.parityOff;
    if (shell_.runDialog(dialog) == ResultOk)
        changeLine(ModeRs485, dialog.baudIndex, dialog.parityOff);

    store(BaudSection, BaudKey, link.baudIndex);
    if (link.baudIndex >= 0 && link.baudIndex < static_cast<int>(Rs485ReplyWaits.size()))
        link.replyWait = Rs485ReplyWaits[link.baudIndex];
}

void Application::showDisplay() {
    clearLog();
    CDisplayDlg display(station_);
    display.prefillModel(DisplayModelPrefill);
    shell_.runDialog(display);
}

// The master access calibrates in one window; everyone else is guided phase by phase.
void Application::calibrate() {
    clearLog();
    if (station_.hasMasterAccess()) {
        CCalibrationDlg dialog(station_, [this] { onCommand(CmdRam0); });
        shell_.runDialog(dialog);
        return;
    }
    CCalibrationSettingsDlg settings(station_);
    if (shell_.runDialog(settings) != ResultOk || station_.calibrationOptions == 0) return;
    CCalibrationWizardDlg wizard(station_);
    shell_.runDialog(wizard);
}

void Application::showOutputCurrent() {
    clearLog();
    COutputCurrentDlg dialog(station_);
    shell_.runDialog(dialog);
}

void Application::restoreFactoryData() {
    clearLog();
    CFactoryDataDlg dialog(station_);
    shell_.runDialog(dialog);
}

void Application::setDelta() {
    if (!station_.hasMasterAccess()) {
        shell_.showMessage(AccessDenied);
        return;
    }
    CDeltaDlg dialog(station_.device.deltaValue);
    if (shell_.runDialog(dialog) != ResultOk) return;
    station_.device.deltaValue = dialog.deltaEdit;
    store(DeltaSection, DeltaKey, dialog.deltaEdit);
}

void Application::registerCommand() {
    clearLog();
    if (station_.link.transmissionMode != ModeRs485) shell_.showMessage(Rs485Only);
}

void Application::clearLog() { station_.trafficLog.trafficLogPos = 0; }

void Application::usePort(int portNumber) {
    if (portNumber != station_.link.portNumber) releasePort(station_);
    station_.link.portNumber = portNumber;
}

void Application::changeLine(int mode, int baudIndex, int parityOff) {
    LinkSettings& link = station_.link;
    if (mode != link.transmissionMode || baudIndex != link.baudIndex || parityOff != link.parityOff)
        releasePort(station_);
    link.transmissionMode = mode;
    link.baudIndex = baudIndex;
    link.parityOff = parityOff;
}

void Application::store(std::string_view section, std::string_view key, int value) {
    if (station_.settings.writeInt(section, key, value) || settingsWarned_) return;
    settingsWarned_ = true;
    shell_.showMessage(SettingsNotSaved);
}

}  // namespace doxa
