#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transmitter/device_record.h"

namespace doxa {

class Station;
class DialogWindow;

// Where the technician's choice to confirm every write is kept; off unless set.
inline constexpr std::string_view ConfirmSection = "Programowanie";
inline constexpr std::string_view ConfirmKey = "Potwierdzenie";
bool confirmsWrites(const Station& station);

// Programming keeps the copy of the configuration it overwrites among the copies in `folder`,
// the folder the backups dialog lists. doxa-win and doxa-cli both start with it.
void keepBackupsIn(Station& station, std::filesystem::path folder);

// The transmitter a programming dialog's own identification found.
struct FoundIdentity {
    std::string modelName;
    int serialNumber = 0;
};

// What one programming run writes, besides the range, the sensor and the filter every run
// writes.
struct WrittenFields {
    bool rtdOnly = false;      // the 21-series dialog: range, sensor and filter only
    bool sensorCount = false;  // "aktywne"
    bool address = false;
    int newAddress = 0;
};

// True when `found` is the transmitter the last identification read.
bool isReadTransmitter(const Station& station, const std::optional<FoundIdentity>& found);

// "Zakres max: 300 → 400" for every value the run will change, against the configuration read.
std::vector<std::string> configurationChanges(const Station& station, const DeviceRecord& read,
                                              const WrittenFields& fields);

// "Wyślij" may go on to write: the file holding the copy kept of the configuration read before,
// empty when no copy was kept.
struct ClearedWrite {
    std::string backupFile;
};

// What "Wyślij" does before the programming sequence starts. With the confirmation switched on
// it shows what will change and lets the technician cancel. Then the configuration last read
// from this same transmitter is backed up (only when `found` says it is the one read). Nothing:
// nothing is to be written.
std::optional<ClearedWrite> prepareWrite(Station& station, DialogWindow& window,
                                         const std::optional<FoundIdentity>& found,
                                         const WrittenFields& fields);

// After a run on the transmitter read: when every write was confirmed, the configuration read
// takes the values written, so that the next confirmation and copy start from what the
// transmitter holds; otherwise what it holds is no longer known and the configuration read is
// forgotten until the next identification.
void noteWritten(Station& station, const WrittenFields& fields, bool confirmed);

}  // namespace doxa
