#pragma once

#include <QString>

namespace doxa {

enum class LockKey { Caps, Num, Scroll };

// Whether a lock key is on, read from the keyboard LEDs the kernel lists under `ledRoot`
// (any keyboard counts). False when no keyboard tells, as on a remote or virtual display.
bool isLockOn(LockKey key, const QString& ledRoot = QStringLiteral("/sys/class/leds"));

}  // namespace doxa
