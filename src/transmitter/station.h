#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/link_state.h"
#include "link/status_panel.h"
#include "transmitter/device_record.h"
#include "transmitter/reference_instrument.h"
#include "transmitter/service_record.h"
#include "transmitter/settings_store.h"

namespace doxa {

// The fixed password that unlocks the master-only functions.
inline constexpr std::string_view MasterPassword = "qvzr";
// The memory read dialog's buffer: one 256-byte page with room for a longer answer.
inline constexpr int DumpBufferSize = 300;

// A transmitter's configuration as it was read from it.
struct ReadConfiguration {
    DeviceRecord device;
    Characteristic characteristic;
};

// What the last memory dump asked for; the main view decodes the page by it.
enum class DumpSelection { None, EepromLow, EepromHigh, Ram0, Ram1 };

// The process-wide state every dialog and view shares, created once by main() and passed by
// reference. Field names follow the documentation of the transmitter protocol. The link
// state (port, frame, traffic log) is its base, so the port operations take a Station as it is.
class Station : public LinkState {
public:
    explicit Station(SettingsStore& store) : settings(store) {}

    DeviceRecord device;
    Characteristic characteristic;
    StatusPanel statusPanel;
    std::string enteredPassword;
    // The serial number the programming dialogs' own identification read; some behaviour of
    // those dialogs depends on it.
    int identifiedSerial = 0;
    SettingsStore& settings;
    // The last page read, highest address first; all 0 until a dump arrives.
    std::array<std::uint8_t, DumpBufferSize> dumpBuffer{};
    DumpSelection dumpSelection = DumpSelection::None;

    // Calibration values that outlive the calibration dialogs. calibrationOptions: the phases the
    // settings dialog chose (1 input, 2 output, 4 compensation, 8 trim set, 16 trim cancel);
    // reverseOrder: the input's upper reference point first; outputPointSent: RS485, the lower
    // output point was sent and the upper one not yet; correctionBase: the compensation
    // correction an RS485 transmitter reported last.
    int calibrationOptions = 0;
    int reverseOrder = 0;
    int outputPointSent = 0;
    float correctionBase = 0;
    // The program has put the transmitter's output to a fixed value and has not seen it released.
    // A forced output outlives its dialog, so the main window keeps reminding of it.
    bool outputForced = false;

    // Master access: the password given at start-up was the master password. Tested each time a
    // master-only function runs.
    bool hasMasterAccess() const { return enteredPassword == MasterPassword; }

    // The configuration the last identification read, taken as it ended: the sensor dialogs
    // and the document overwrite the device record afterwards, this stays what the transmitter
    // held. Programming compares it with what it writes and backs it up first.
    std::optional<ReadConfiguration> lastRead;
    // Keeps a copy of a configuration read from a transmitter before programming overwrites it
    // and gives the file that holds it; nothing when the copy could not be kept. Unset, no copies
    // are kept.
    std::function<std::optional<std::string>(const ReadConfiguration&)> keepBackup;
    // The service history, when the program keeps one (the start-up sets it; tests may).
    ServiceRecorder* recorder = nullptr;
    // The reference instruments calibrations are made with (the start-up sets it with the
    // history).
    InstrumentRegister* instruments = nullptr;
    // The calibration event under way: every record made meanwhile carries it.
    std::string calibrationEvent;
};

}  // namespace doxa
