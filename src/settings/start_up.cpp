#include "settings/start_up.h"

#include <algorithm>

#include "settings/settings_keys.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int NoPort = -1;
constexpr int DefaultDelta = 5;
constexpr int BaudCount = 5;

// A hand-edited settings file may hold any number; a speed the program does not know is read
// as the slowest one, like the -1 an unset entry once held.
int validBaudIndex(int stored) { return stored >= 0 && stored < BaudCount ? stored : 0; }

}  // namespace

int storedPortNumber(const SettingsStore& settings) {
    return settings.readInt(PortSection, PortKey, NoPort);
}

StoredLine storedLine(const SettingsStore& settings) {
    if (settings.readInt(ModeSection, ModeKey, ModeHart) != ModeRs485) return {ModeHart, 0};
    return {ModeRs485, validBaudIndex(settings.readInt(BaudSection, BaudKey, 0))};
}

StoredPasswords storedPasswords(const SettingsStore& settings) {
    StoredPasswords stored;
    stored.protection = settings.readText(PasswordSection, ProtectionKey, "") == "1";
    for (std::size_t i = 0; i < PasswordKeys.size(); ++i)
        stored.passwords[i] = settings.readText(PasswordSection, PasswordKeys[i], "");
    return stored;
}

std::vector<std::string> storedRecentFiles(const SettingsStore& settings) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < RecentFileCount; ++i) {
        std::string path = settings.readText(RecentFileSection, recentFileKey(i), "");
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end())
            files.push_back(std::move(path));
    }
    return files;
}

std::string storedHistoryDatabase(const SettingsStore& settings, const std::string& named) {
    if (!named.empty()) return named;
    std::string stored = settings.readText(DatabaseSection, DatabaseKey, "");
    // A hand-edited entry may carry blanks around the URL.
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!stored.empty() && blank(stored.back())) stored.pop_back();
    stored.erase(stored.begin(), std::find_if_not(stored.begin(), stored.end(), blank));
    return stored;
}

int storedCalibrationIntervalMonths(const SettingsStore& settings) {
    const int months = settings.readInt(CalibrationSection, CalibrationIntervalKey, DefaultCalibrationIntervalMonths);
    return months >= 1 && months <= LongestCalibrationIntervalMonths ? months : DefaultCalibrationIntervalMonths;
}

void startStation(Station& station) {
    const SettingsStore& settings = station.settings;
    LinkSettings& link = station.link;
    link.portNumber = storedPortNumber(settings);
    const StoredLine line = storedLine(settings);
    link.transmissionMode = line.transmissionMode;
    link.baudIndex = line.baudIndex;
    // The current generation is taken for granted on RS485 until a transmitter says otherwise.
    if (line.transmissionMode == ModeRs485) station.device.hasAmbient = 1;
    station.device.pollingAddress = settings.readInt(AddressSection, AddressKey, 0);
    station.device.deltaValue = settings.readInt(DeltaSection, DeltaKey, DefaultDelta);
    station.characteristic = Characteristic{};
}

}  // namespace doxa
