#include "app/lock_indicators.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace doxa {
namespace {

void addLed(const QTemporaryDir& root, const QString& name, const char* brightness) {
    ASSERT_TRUE(QDir(root.path()).mkpath(name));
    QFile file(root.filePath(name + "/brightness"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(brightness);
}

TEST(LockIndicators, AnyKeyboardWithItsLedLitTurnsTheIndicatorOn) {
    QTemporaryDir leds;
    addLed(leds, "input3::capslock", "0\n");
    addLed(leds, "input7::capslock", "1\n");
    addLed(leds, "input3::numlock", "0\n");
    addLed(leds, "input3::scrolllockx", "1\n");
    EXPECT_TRUE(isLockOn(LockKey::Caps, leds.path()));
    EXPECT_FALSE(isLockOn(LockKey::Num, leds.path()));
    EXPECT_FALSE(isLockOn(LockKey::Scroll, leds.path()));
    EXPECT_FALSE(isLockOn(LockKey::Caps, leds.filePath("brak")));
}

}  // namespace
}  // namespace doxa
