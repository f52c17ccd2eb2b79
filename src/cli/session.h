#pragma once

#include <memory>
#include <string>

#include "sim/line_factory.h"
#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/console_loop.h"
#include "cli/history_keeper.h"
#include "history/history_store.h"
#include "history/instrument_register.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa::cli {

// One transmitter on one port, set up as doxa-win would be after choosing the port, the mode and
// the address: the station the dialogs share, its line and the loop their timers run in.
// doxa-win's settings, only read; a missing file is not created by a script's look-up.
std::unique_ptr<SettingsStore> doxaWinSettings(Console& console);
// Speaks the language doxa-win speaks: its "Język" choice, else the locale's. The settings file
// is only read for it, so that a file Session::open sets aside is still reported there.
void startDoxaWinLanguage();

class Session {
public:
    // nullptr with `error` set when the port names nothing usable.
    static std::unique_ptr<Session> open(const LineChoice& line, Console& console,
                                         TimeSource& time, std::string& error);

    Station& station() { return station_; }
    const Station& station() const { return station_; }
    ConsoleLoop& loop() { return loop_; }
    Console& console() { return console_; }
    const LineChoice& line() const { return line_; }
    // "sim:DOXA-22 (HART, address 0)" and the like, for messages.
    std::string describe() const;
    // What the dialogs do is recorded in the service history: the database `named` on the
    // command line, else the one doxa-win's settings name, else the user's own file. False when a
    // stop signal came while it was opened.
    bool keepHistory(const std::string& named);
    // The history's register of reference instruments serves the station: opened only for a
    // command that calibrates, as it is read on this thread, not on the history's own.
    void useInstrumentRegister();
    // The status doxa-cli ends with after the command's own: 130 when a stop signal came while
    // the history was at work, 6 when a record this run made is then in no database. A record
    // that could not be kept anywhere is told on standard error as JSON, and a command that would
    // end with success ends with status 6.
    int exitStatus(int commandStatus) const;
    // After the port failed to open: why, when the system can tell.
    std::string portFailure() const;
    // The port is released as doxa-win releases it at exit.
    ~Session();

private:
    Session(const LineChoice& line, std::unique_ptr<SettingsStore> settings, int portNumber,
            std::string devicePath, Console& console, TimeSource& time);

    LineChoice line_;
    std::unique_ptr<SettingsStore> settings_;
    std::string devicePath_;
    std::unique_ptr<HistoryKeeper> history_;
    std::string historyDatabase_;
    std::unique_ptr<HistoryInstrumentRegister> instruments_;
    Station station_;
    Console& console_;
    ConsoleLoop loop_;
};

}  // namespace doxa::cli
