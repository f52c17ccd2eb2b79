#include "app/application.h"

#include <algorithm>
#include <string_view>

#include "app/about_dlg.h"
#include "document/backups_dlg.h"
#include "history/event_canonical_form.h"
#include "history/event_certificate.h"
#include "history/history_dlg.h"
#include "history/reference_instrument_dlg.h"
#include "history/reference_instruments_dlg.h"
#include "dialog/command_ids.h"
#include "access/password_change_dlg.h"
#include "app/port_dlg.h"
#include "link/screen_text.h"
#include "dialog/shell.h"
#include "calibration/calib_dlg.h"
#include "calibration/calib_settings_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/delta_dlg.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/calib_procedure_dlg.h"
#include "calibration/loop_warning.h"
#include "calibration/output_current_dlg.h"
#include "link/port.h"
#include "link/port_names.h"
#include "programming/prog_dlg.h"
#include "programming/prog_safeguard.h"
#include "programming/prog_zu_dlg.h"
#include "programming/rs485_dlg.h"
#include "programming/sensor_dlg.h"
#include "programming/text_dlg.h"
#include "service/console_dlg.h"
#include "service/line_monitor_dlg.h"
#include "service/memory_dump_dlg.h"
#include "service/register_read_dlg.h"
#include "service/register_write_dlg.h"
#include "service/finder_dlg.h"
#include "service/line_stats_dlg.h"
#include "settings/settings_keys.h"
#include "settings/start_up.h"
#include "transmitter/display_dlg.h"
#include "transmitter/ident_dlg.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int Rs485FastestReplyWait = 5;

constexpr std::string_view DisplayModelPrefill = "DOXA-";
constexpr std::string_view Rs485Only = UI_TEXT("Opcja dostępna dla RS485");
constexpr std::string_view AccessDenied = UI_TEXT("Dostęp zabroniony");
// Short enough for the status bar of the small main window.
constexpr std::string_view ForcedOutputNotice = UI_TEXT("UWAGA: wyjście wymuszone");
constexpr std::string_view ReleaseQuestion = UI_TEXT(
    "Wyjście przetwornika jest nadal ustawione na stałą wartość.\n"
    "Czy zwolnić wyjście przed zakończeniem programu?");
constexpr std::string_view CertificateQuestion = UI_TEXT(
    "Kalibracja została zapisana w historii przetwornika.\n"
    "Czy wystawić świadectwo kalibracji?");
// The certificate's notes when the history cannot number it, or when its records changed since.
constexpr std::string_view DraftNote = UI_TEXT("Projekt bez numeru: %1");
constexpr std::string_view ChangedSinceIssueNote =
    UI_TEXT("Uwaga: zapisy zdarzenia zmieniły się od wydania świadectwa %1");
constexpr std::string_view SettingsNotSaved =
    UI_TEXT("Nie można zapisać ustawień programu (plik ustawień jest niedostępny)");

}  // namespace

Application::Application(Station& station, Shell& shell)
    : station_(station),
      shell_(shell),
      document_(station, shell),
      startLanguage_(chosenLanguage(station.settings, processEnvironment())) {}

void Application::startUp(const std::string& documentPath) {
    startStation(station_);
    // The new document sets the stored address back to 0: every run starts talking to
    // address 0.
    document_.reset();
    initialize();
    // Identification has shown which transmitter is connected; the file then supplies the
    // configuration that programming will write.
    if (!documentPath.empty()) document_.openFile(documentPath);
}

void Application::onCommand(int commandId) {
    switch (commandId) {
        case CmdInitialize:
            initialize();
            break;
        case CmdDisplay:
            showDisplay();
            break;
        case CmdProgram:
            program();
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
            registerCommand(commandId);
            break;
        case CmdRam0:
            readMemory(DumpSelection::Ram0, 'R');
            break;
        case CmdRam1:
            readMemory(DumpSelection::Ram1, 'S');
            break;
        case CmdEeprom0:
            readMemory(DumpSelection::EepromLow, 'F');
            break;
        case CmdEeprom1:
            readMemory(DumpSelection::EepromHigh, 'E');
            break;
        case CmdLineMonitor: {
            CLineMonitorDlg monitor(station_);
            runService(monitor);
            break;
        }
        case CmdHartConsole: {
            CHartConsoleDlg console(station_);
            runService(console);
            break;
        }
        case CmdPrint:
            shell_.printReport();
            break;
        case CmdExportPdf:
            shell_.exportReportPdf();
            break;
        case CmdSensor:
            showSensorData();
            break;
        case CmdText:
            editText();
            break;
        case CmdCalibrate:
            calibrate();
            break;
        case CmdCalibrationProcedure:
            runCalibrationProcedure();
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
        case CmdNew:
            document_.newDocument();
            break;
        case CmdOpen:
            document_.open();
            break;
        case CmdSave:
            document_.save();
            break;
        case CmdSaveAs:
            document_.saveAs();
            break;
        case CmdRecentFile:
        case CmdRecentFile + 1:
        case CmdRecentFile + 2:
        case CmdRecentFile + 3:
            document_.openRecent(std::size_t(commandId - CmdRecentFile));
            break;
        case CmdPasswords: {
            CPasswordChangeDlg passwords(station_);
            shell_.runDialog(passwords);
            break;
        }
        case CmdFindTransmitter:
            findTransmitter();
            break;
        case CmdLineStatistics: {
            CLineStatsDlg statistics(station_);
            shell_.runDialog(statistics);
            break;
        }
        case CmdBackups:
            openBackup();
            break;
        case CmdHistory:
            showHistory();
            break;
        case CmdReferenceInstrument:
            editReferenceInstrument();
            break;
        case CmdReferenceInstruments:
            editReferenceInstruments();
            break;
        case CmdConfirmWrites:
            store(ConfirmSection, ConfirmKey, confirmsWrites(station_) ? 0 : 1);
            break;
        case CmdLanguagePolish:
            chooseLanguage(Language::Polish);
            break;
        case CmdLanguageEnglish:
            chooseLanguage(Language::English);
            break;
        case CmdLoopWarning:
            store(WarningSection, LoopWarningKey, warnsOfLoop(station_.settings) ? 0 : 1);
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
        case CmdProgram:
        case CmdPort:
        case CmdModeHart:
        case CmdModeRs485:
        case CmdFamilyDoxa:
        case CmdFamilyRivo:
        case CmdSetDelta:
        case CmdCalibrate:
        case CmdCalibrationProcedure:
        case CmdOutputCurrent:
        case CmdFactorySettings:
        case CmdExit:
        case CmdAbout:
        case CmdHelpIndex:
        case CmdHelpUsing:
        case CmdHelp:
        case CmdContextHelp:
        case CmdSensor:
        case CmdText:
        case CmdNew:
        case CmdOpen:
        case CmdSave:
        case CmdSaveAs:
        case CmdPasswords:
        case CmdFindTransmitter:
        case CmdLineStatistics:
        case CmdConfirmWrites:
        case CmdLoopWarning:
        case CmdReferenceInstrument:
        case CmdLanguagePolish:
        case CmdLanguageEnglish:
            return true;
        case CmdBackups:
            return backups_.has_value();
        case CmdHistory:
            return history_ != nullptr;
        case CmdReferenceInstruments:
            return instruments_ != nullptr;
        case CmdRecentFile:
        case CmdRecentFile + 1:
        case CmdRecentFile + 2:
        case CmdRecentFile + 3:
            return std::size_t(commandId - CmdRecentFile) < document_.recentFiles().size();
        // The register commands test the transmission mode when they run.
        case CmdRegistersRead:
        case CmdRegistersWrite:
        case CmdRam0:
        case CmdRam1:
        case CmdEeprom0:
        case CmdEeprom1:
        case CmdLineMonitor:
        case CmdHartConsole:
        case CmdPrint:
        case CmdExportPdf:
            return true;
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
        case CmdConfirmWrites:
            return confirmsWrites(station_);
        case CmdLanguagePolish:
            return chosenLanguage(station_.settings, processEnvironment()) == Language::Polish;
        case CmdLanguageEnglish:
            return chosenLanguage(station_.settings, processEnvironment()) == Language::English;
        case CmdLoopWarning:
            return warnsOfLoop(station_.settings);
        default:
            return false;
    }
}

void Application::chooseLanguage(Language language) {
    const Language before = chosenLanguage(station_.settings, processEnvironment());
    storeLanguage(station_.settings, language);
    if (language != before && language != startLanguage_)
        shell_.showMessage(UI_TEXT("Program będzie używał wybranego języka od następnego uruchomienia."));
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
    usePort(storedPortNumber(station_.settings));
    if (station_.link.portNumber < 0 && runPortDialog())
        store(PortSection, PortKey, station_.link.portNumber);
    store(AddressSection, AddressKey, station_.device.pollingAddress);
    shell_.repaintView();
    if (const StoredLine line = storedLine(station_.settings); line.transmissionMode == ModeRs485) {
        station_.device.hasAmbient = 1;
        changeLine(ModeRs485, line.baudIndex, station_.link.parityOff);
    } else {
        changeLine(ModeHart, station_.link.baudIndex, station_.link.parityOff);
    }
    CInitDlg identification(station_);
    shell_.runDialog(identification);
    if (identification.portChoiceWanted()) choosePort();
}

void Application::choosePort() {
    usePort(storedPortNumber(station_.settings));
    if (runPortDialog()) store(PortSection, PortKey, station_.link.portNumber);
}

bool Application::runPortDialog() {
    CPortDlg dialog(station_, deviceRoot(), [this](const std::vector<std::string>& folders, std::function<void()> changed) {
        return shell_.watchFolders(folders, std::move(changed));
    });
    if (shell_.runDialog(dialog) != ResultOk) return false;
    // The device chosen for the port is kept under its name, so that the port leads there from
    // now on, in doxa-cli too.
    if (!dialog.chosenDevice().empty())
        store(PortMapSection, portName(station_.link.portNumber), dialog.chosenDevice());
    return true;
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
    link.replyWait = rs485ReplyWait(link.baudIndex);
}

void Application::showDisplay() {
    clearLog();
    CDisplayDlg display(station_);
    display.prefillModel(DisplayModelPrefill);
    display.allowTrend([this] { return shell_.showTrend(); });
    shell_.runDialog(display);
}

void Application::calibrate() {
    const bool master = station_.hasMasterAccess();
    if (master && !loopMayBeForced()) return;
    clearLog();
    const auto opened = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    if (master) {
        CCalibrationDlg dialog(station_, [this] { onCommand(CmdRam0); });
        shell_.runDialog(dialog);
        offerCertificate(opened);
        return;
    }
    CCalibrationSettingsDlg settings(station_);
    // The settings dialog starts with its own warning and forces nothing; the loop warning
    // follows it, when the wizard is about to run.
    if (shell_.runDialog(settings) != ResultOk || station_.calibrationOptions == 0 || !loopMayBeForced())
        return;
    CCalibrationWizardDlg wizard(station_);
    shell_.runDialog(wizard);
    offerCertificate(opened);
}

void Application::runCalibrationProcedure() {
    if (!loopMayBeForced()) return;
    clearLog();
    const auto opened = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    CCalibProcedureDlg dialog(station_, [this] { onCommand(CmdRam0); });
    dialog.programVersion = DOXA_VERSION;
    shell_.runDialog(dialog);
    if (dialog.outcome().recorded) offerCertificate(opened);
}

void Application::showOutputCurrent() {
    if (!loopMayBeForced()) return;
    clearLog();
    COutputCurrentDlg dialog(station_);
    shell_.runDialog(dialog);
}

bool Application::loopMayBeForced() {
    if (!warnsOfLoop(station_.settings)) return true;
    const Loop loop = currentLoop();
    if (loopWarnedOf_ == loop) return true;
    if (!shell_.confirmWarning(LoopWarning)) return false;
    loopWarnedOf_ = loop;
    return true;
}

Application::Loop Application::currentLoop() const {
    const std::optional<ReadConfiguration>& identified = station_.lastRead;
    return {station_.link.portNumber, station_.link.transmissionMode, station_.device.pollingAddress,
            identified ? identified->device.modelName : std::string(),
            identified ? identified->device.serialNumber : 0};
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

void Application::showSensorData() {
    clearLog();
    CSensorDlg sensor(station_);
    shell_.runDialog(sensor);
}

void Application::editText() {
    clearLog();
    CTextDlg text(station_);
    shell_.runDialog(text);
}

void Application::program() {
    clearLog();
    // The resistance-thermometer-only transmitters have a sensor list of their own.
    if (station_.device.isRtdOnly) {
        CProgZUDlg dialog(station_);
        shell_.runDialog(dialog);
    } else {
        CProgDlg dialog(station_);
        shell_.runDialog(dialog);
    }
}

void Application::registerCommand(int commandId) {
    clearLog();
    if (station_.link.transmissionMode != ModeRs485) {
        shell_.showMessage(Rs485Only);
        return;
    }
    if (commandId == CmdRegistersRead) {
        CRegisterReadDlg dialog(station_);
        shell_.runDialog(dialog);
    } else {
        CRegisterWriteDlg dialog(station_);
        shell_.runDialog(dialog);
    }
}

void Application::readMemory(DumpSelection selection, char letter) {
    if (station_.link.portNumber < 0) return;
    station_.dumpSelection = selection;
    CMemoryDumpDlg dialog(station_, letter);
    shell_.runDialog(dialog);
    shell_.repaintView();
}

void Application::runService(DialogLogic& dialog) {
    clearLog();
    shell_.runDialog(dialog);
}

void Application::findTransmitter() {
    clearLog();
    CFinderDlg finder(station_);
    if (shell_.runDialog(finder) == ResultOk && finder.chosen()) takeOver(*finder.chosen());
}

void Application::takeOver(const FoundTransmitter& found) {
    usePort(found.portNumber);
    store(PortSection, PortKey, found.portNumber);
    // HART goes through the modem at 1200 baud with odd parity, as the finder asked.
    changeLine(found.mode, found.baudIndex, found.parityOff);
    if (found.mode == ModeRs485) {
        station_.link.replyWait = rs485ReplyWait(found.baudIndex);
        station_.device.hasAmbient = 1;
        store(BaudSection, BaudKey, found.baudIndex);
    } else {
        station_.link.replyWait = HartReplyWait;
    }
    store(ModeSection, ModeKey, found.mode);
    station_.device.pollingAddress = found.address;
    store(AddressSection, AddressKey, found.address);
}

void Application::keepBackupsIn(std::filesystem::path folder) {
    backups_.emplace(folder);
    doxa::keepBackupsIn(station_, std::move(folder));
}

void Application::openBackup() {
    if (!backups_) return;
    CBackupsDlg dialog(*backups_);
    if (shell_.runDialog(dialog) == ResultOk) document_.openFile(dialog.chosen());
}

void Application::showHistory() {
    if (!history_) return;
    CHistoryDlg dialog(
        *history_, *historyRunner_, [this](std::string_view suggested) { return shell_.askCsvSavePath(suggested); },
        showCertificate_ ? [this](const std::vector<StoredRecord>& session) { certify(session); }
                         : CHistoryDlg::ShowCertificate(),
        DueCounting{storedCalibrationIntervalMonths(station_.settings)});
    shell_.runDialog(dialog);
}

void Application::editReferenceInstrument() {
    CReferenceInstrumentDlg dialog(station_.settings);
    shell_.runDialog(dialog);
}

void Application::editReferenceInstruments() {
    if (!instruments_) return;
    CReferenceInstrumentsDlg dialog(*instruments_);
    shell_.runDialog(dialog);
}

void Application::certify(const std::vector<StoredRecord>& session) {
    if (!history_ || !showCertificate_ || session.empty()) return;
    const auto ofEvent = std::ranges::find_if(session, [](const StoredRecord& s) { return !eventOf(s).empty(); });
    if (ofEvent == session.end()) {
        showCertificate_(makeCertificate(session, readCertificateSettings(station_.settings), *history_));
        return;
    }
    const std::string& event = eventOf(*ofEvent);
    // What was offered may be one phase of the event, or the part of it a page listed: the
    // certificate holds the whole event. Its number and date of issue come from the history's
    // numbering; while it cannot give them (a record still on its way to the server) the
    // certificate prints as a draft, with the reason.
    const ServiceRecord& transmitter = ofEvent->record;
    const auto records = eventRecords(history_->records({.serial = transmitter.serial, .model = transmitter.model}), event);
    const CertificateNumbering numbering = history_->numberCertificate(event, verificationCode(event, records));
    CertificateIssue issue;
    if (numbering.certificate)
        issue = {numbering.certificate->number, history_->localTime(numbering.certificate->issued).substr(0, 10)};
    Certificate certificate = makeEventCertificate(records, issue, *history_);
    if (!numbering.certificate) certificate.notes.push_back(formatText(DraftNote, {numbering.whyNone}));
    if (numbering.codeDiffers)
        certificate.notes.push_back(formatText(ChangedSinceIssueNote, {numbering.certificate->number}));
    showCertificate_(certificate);
}

void Application::offerCertificate(std::chrono::sys_seconds since) {
    if (!history_ || !showCertificate_) return;
    std::vector<StoredRecord> made = history_->madeHere(
        {.serial = station_.device.serialNumber, .model = station_.device.modelName, .since = since});
    std::erase_if(made, [](const StoredRecord& s) { return !isCalibration(s.record.kind); });
    // A run in which the transmitter confirmed nothing has nothing to certify.
    const bool confirmed = std::any_of(made.begin(), made.end(), [](const StoredRecord& s) {
        return s.record.outcome == RecordOutcome::Confirmed;
    });
    if (!confirmed || shell_.askYesNoCancel(CertificateQuestion) != Choice::Yes) return;
    certify(made);
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
    if (!station_.settings.writeInt(section, key, value)) warnSettingsNotSaved();
}

void Application::store(std::string_view section, std::string_view key, std::string_view text) {
    if (!station_.settings.writeText(section, key, text)) warnSettingsNotSaved();
}

void Application::warnSettingsNotSaved() {
    if (settingsWarned_) return;
    settingsWarned_ = true;
    shell_.showMessage(SettingsNotSaved);
}

}  // namespace doxa
