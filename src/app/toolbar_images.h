#pragma once

#include <QIcon>
#include <QPixmap>

namespace doxa {

inline constexpr int ToolbarSlotCount = 9;
inline constexpr int ToolbarImageSize = 50;

// The image of toolbar slot 0..8, drawn in code: live display, programming, calibration,
// passwords, initialisation, sensor, output current, RAM, EEPROM. An image belongs to its
// slot whatever command the slot carries.
QPixmap toolbarImage(int slot);

// The program's window icon.
QIcon applicationIcon();

}  // namespace doxa
