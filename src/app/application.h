#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/backup_store.h"
#include "document/document.h"
#include "history/certificate.h"
#include "settings/language.h"
#include "history/history_query.h"
#include "history/instrument_editing.h"

#include "transmitter/station.h"

namespace doxa {

class DialogLogic;
class Shell;
struct FoundTransmitter;

// The application's commands, free of any widget: start-up, the menu and toolbar commands with
// their preconditions, and the release of the port at exit. The main frame forwards every
// command here and asks here for enabled states and check marks when a menu opens.
class Application {
public:
    Application(Station& station, Shell& shell);

    // Everything start-up does after the main window exists, ending with "Inicjalizacja"; a
    // configuration file named on the command line is opened after it.
    void startUp(const std::string& documentPath = {});
    void onCommand(int commandId);
    bool isEnabled(int commandId) const;
    bool isChecked(int commandId) const;
    // The main window is closing: the port is released.
    void shutDown();
    // "Poprzednie": the files of the recent-file list, newest first.
    const std::vector<std::string>& recentFiles() const { return document_.recentFiles(); }
    // Asked before the main window closes; false keeps the program running. While the
    // transmitter's output is known to be forced, the technician decides whether it is released
    // first.
    bool mayClose();
    // What the main window shows as long as the output is forced; empty otherwise.
    std::string_view forcedOutputNotice() const;
    // Configurations are backed up into this folder before programming overwrites them, and
    // "Kopie zapasowe..." lists them from there. Without it no copies are kept.
    void keepBackupsIn(std::filesystem::path folder);
    // "Historia przetwornika..." lists the records of this history, asked through `runner` off
    // the window's thread; without it the command is disabled.
    void showHistoryFrom(HistoryQuery& history, HistoryRunner& runner) {
        history_ = &history;
        historyRunner_ = &runner;
    }
    // How a calibration certificate is shown (print preview, print, PDF); without it none is
    // offered.
    void showCertificatesWith(std::function<void(const Certificate&)> show) { showCertificate_ = std::move(show); }
    // "Przyrządy wzorcowe..." edits this register; without it the command is disabled.
    void editInstrumentsIn(EditableInstrumentRegister& instruments) { instruments_ = &instruments; }

private:
    void initialize();
    void choosePort();
    bool runPortDialog();
    void selectHart();
    void selectRs485();
    void showDisplay();
    void showSensorData();
    void editText();
    void program();
    void registerCommand(int commandId);
    void readMemory(DumpSelection selection, char letter);
    // Clears the log and runs a service dialog.
    void runService(DialogLogic& dialog);
    void findTransmitter();
    // The found transmitter's port, line and address become the program's, stored as the menu
    // commands store them.
    void takeOver(const FoundTransmitter& found);
    void calibrate();
    void runCalibrationProcedure();
    void showOutputCurrent();
    // Before a dialog that forces the output: the loop warning, once a session with the
    // transmitter; false when the technician chose "Anuluj".
    bool loopMayBeForced();
    void restoreFactoryData();
    void setDelta();
    void clearLog();
    // "Kopie zapasowe...": the chosen copy is opened as the document.
    void openBackup();
    void showHistory();
    void editReferenceInstrument();
    void editReferenceInstruments();
    // "Ustawienia" → "Język": stored for the next start, which is when the texts change.
    void chooseLanguage(Language language);
    // The certificate of these calibration records, with the reference instrument of the settings.
    void certify(const std::vector<StoredRecord>& session);
    // After a calibration dialog: when it left calibration records in the history, the
    // technician is asked whether to make their certificate. The records are those this program
    // made, so no database is waited for.
    void offerCertificate(std::chrono::sys_seconds since);
    // Takes a port number; an open port of another number is released first.
    void usePort(int portNumber);
    // Takes new line settings; an open port is released when they differ from the ones it was
    // opened with, so that the next dialog reopens it with the new ones.
    void changeLine(int mode, int baudIndex, int parityOff);

    // Writes a setting; the first failure of the run tells the user the settings are not kept.
    void store(std::string_view section, std::string_view key, int value);
    void store(std::string_view section, std::string_view key, std::string_view text);
    void warnSettingsNotSaved();

    Station& station_;
    Shell& shell_;
    CDoxaDoc document_;
    // The language the texts are shown in since the start.
    const Language startLanguage_;
    bool settingsWarned_ = false;
    std::optional<BackupStore> backups_;
    HistoryQuery* history_ = nullptr;
    HistoryRunner* historyRunner_ = nullptr;
    std::function<void(const Certificate&)> showCertificate_;
    EditableInstrumentRegister* instruments_ = nullptr;
    // The loop the warning was last confirmed for: a session with a transmitter lasts as long as
    // the program talks through the same port, mode and address to the transmitter identified
    // last. Another transmitter or line may sit in another loop, so it is warned of again.
    struct Loop {
        int portNumber = -1;
        int transmissionMode = 0;
        int pollingAddress = 0;
        std::string modelName;
        int serialNumber = 0;
        bool operator==(const Loop&) const = default;
    };
    Loop currentLoop() const;
    std::optional<Loop> loopWarnedOf_;
};

}  // namespace doxa
