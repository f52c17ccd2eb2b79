#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "fuzz_input.h"

namespace doxa {
class Station;
namespace test {
class VirtualClock;
}
}  // namespace doxa

namespace doxa::fuzz {

// One exchanging dialog and the controls a technician can work in it.
struct DialogCase {
    std::string name;
    std::function<std::unique_ptr<DialogLogic>(Station&)> make;
    std::vector<int> controls;
};

const std::vector<DialogCase>& dialogCases();

// The first three bytes of a dialog input: which dialog, how the station is set up, and the
// calibration phases the settings dialog chose (bits 0..4) with the reverse order (bit 5).
enum StationFlags : std::uint8_t {
    UseRs485 = 0x01,
    MasterAccess = 0x02,
    RivoFamily = 0x04,
    WithAmbient = 0x08,
    CancelBoxes = 0x10,  // every message box is answered with Cancel instead of OK
};
void prepareStation(Station& station, std::uint8_t flags, std::uint8_t calibration);

// What the technician does, one action byte each, followed by its operands.
enum Action : std::uint8_t {
    Wait, Click, Type, Choose, Toggle, FocusLeave, ScrollBar, MouseDown, ActionCount
};
inline constexpr std::size_t MaxTypedLength = 120;

// Opens the dialog on a fake window, works it by the actions of `input` while the line answers,
// then waits for its end and closes it the way the close box does. A child dialog it opens is
// ended at once with OK or Cancel, as the next action byte says.
void driveDialog(DialogLogic& dialog, const std::vector<int>& controls, test::VirtualClock& clock,
                 FuzzInput& input, bool cancelBoxes);

// Seed building: the action bytes driveDialog reads for one action.
class ActionScript {
public:
    ActionScript(SeedWriter& seed, const std::vector<int>& controls) : seed_(seed), controls_(controls) {}
    ActionScript& wait(int seconds);
    ActionScript& click(int id);
    ActionScript& type(int id, const std::string& text);
    ActionScript& toggle(int id);

private:
    std::uint8_t indexOf(int id) const;
    SeedWriter& seed_;
    const std::vector<int>& controls_;
};

}  // namespace doxa::fuzz
