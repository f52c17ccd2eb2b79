#pragma once

#include <array>
#include <functional>

#include "dialog/command_ids.h"

namespace doxa {

class DialogLogic;
class Station;

// The command of each toolbar slot, left to right; CmdBlank leaves a slot without a command.
using ToolbarCommands = std::array<int, 9>;
inline constexpr ToolbarCommands FullToolbar = {
    CmdDisplay, CmdProgram, CmdCalibrate, CmdPasswords, CmdInitialize,
    CmdSensor,  CmdOutputCurrent, CmdRam0, CmdEeprom0,
};
inline constexpr ToolbarCommands StandardToolbar = {
    CmdDisplay, CmdProgram, CmdCalibrate, CmdPasswords, CmdInitialize,
    CmdSensor,  CmdOutputCurrent, CmdBlank, CmdBlank,
};
inline constexpr ToolbarCommands ProgrammingToolbar = {
    CmdDisplay, CmdProgram, CmdBlank, CmdBlank, CmdInitialize,
    CmdSensor,  CmdOutputCurrent, CmdBlank, CmdBlank,
};
inline constexpr ToolbarCommands DisplayToolbar = {
    CmdDisplay, CmdBlank, CmdBlank, CmdBlank, CmdInitialize,
    CmdSensor,  CmdBlank, CmdBlank, CmdBlank,
};

// Where the main window first appears, in screen pixels.
struct WindowPlacement {
    int x;
    int y;
    int width;
    int height;
};
inline constexpr WindowPlacement SmallWindow{50, 100, 550, 130};
inline constexpr WindowPlacement LargeWindow{10, 10, 750, 550};

// What the password given at start-up allows: the toolbar and the window's first placement.
// Master access itself is asked of the station each time a master-only function runs.
struct AccessLevel {
    ToolbarCommands toolbar = StandardToolbar;
    WindowPlacement placement = SmallWindow;
    // The password dialog was shown, so the technician waits for the window.
    bool asked = false;
};

// Decides the access level from the stored passwords, once, before the main window exists.
// With protection on and all three passwords set it runs the password entry dialog through
// `runDialog`, which leaves what was typed in the station's enteredPassword.
AccessLevel decideAccess(Station& station, const std::function<int(DialogLogic&)>& runDialog);

}  // namespace doxa
