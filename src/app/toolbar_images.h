#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace doxa {

inline constexpr int ToolbarSlotCount = 9;
inline constexpr int ToolbarImageSize = 50;

// The image of toolbar slot 0..8: live display, programming, calibration, passwords,
// initialisation, sensor, output current, RAM, EEPROM. An image belongs to its slot whatever
// command the slot carries.
QPixmap toolbarImage(int slot);
// The images of all slots side by side, drawn in code. Drawing them, the bold text above all, took
// a good part of the time the main window needs to appear, so the build draws them once into a
// resource that toolbarImage() takes them from.
QImage paintedToolbarStrip();

// The program's window icon, at the sizes the icon theme of the desktop carries it in.
QIcon applicationIcon();
inline constexpr int ApplicationIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The icon drawn at size x size pixels.
QImage applicationIconImage(int size);

}  // namespace doxa
