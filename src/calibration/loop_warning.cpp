#include "calibration/loop_warning.h"

#include "settings/settings_keys.h"
#include "transmitter/settings_store.h"

namespace doxa {

bool warnsOfLoop(const SettingsStore& settings) {
    return settings.readInt(WarningSection, LoopWarningKey, 1) != 0;
}

}  // namespace doxa
