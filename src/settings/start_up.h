#pragma once

#include <array>
#include <string>
#include <vector>

namespace doxa {

class SettingsStore;
class Station;

// The one place where the program's state is taken from the settings store when a program
// starts. doxa-win and doxa-cli both start from startStation(); what a command line or a menu
// choice changes afterwards is theirs.

// The port chosen last, 0..11; -1 when none was ever chosen.
int storedPortNumber(const SettingsStore& settings);

// The transmission mode and, in RS485, the speed the menu stored.
struct StoredLine {
    int transmissionMode = 0;
    int baudIndex = 0;  // 0 in HART, whatever was stored
};
StoredLine storedLine(const SettingsStore& settings);

// The passwords that decide the access level once, before the main window exists.
struct StoredPasswords {
    bool protection = false;  // asked for only when protection is on and all three are set
    std::array<std::string, 3> passwords;  // service, calibration, programming
};
StoredPasswords storedPasswords(const SettingsStore& settings);

// The recent-file list, newest first, without empty or repeated entries.
std::vector<std::string> storedRecentFiles(const SettingsStore& settings);

// Where the service history is kept: `named` (a command line's choice) when given, else the
// database of the settings ([Baza] URL), else "" for the user's own file.
std::string storedHistoryDatabase(const SettingsStore& settings, const std::string& named = {});

// The calibration interval in months that a calibration offers for a transmitter: [Kalibracja]
// InterwalMiesiecy, 12 when not set or not 1..120 (ten years: a longer one is taken for a mistake).
inline constexpr int DefaultCalibrationIntervalMonths = 12;
inline constexpr int LongestCalibrationIntervalMonths = 120;
int storedCalibrationIntervalMonths(const SettingsStore& settings);

// Builds the shared state from the station's settings store: the port and line, the polling
// address, DELTA, an empty user characteristic. The transmitter's wait after a request
// (replyWait) is not stored; it keeps the value of the mode's menu command.
void startStation(Station& station);

}  // namespace doxa
