#include "access/access.h"

#include <string>
#include <string_view>

#include "access/password_dlg.h"
#include "transmitter/station.h"

namespace doxa {

AccessLevel decideAccess(Station& station, const std::function<int(DialogLogic&)>& runDialog) {
    AccessLevel level;
    const SettingsStore& settings = station.settings;
    if (settings.readText(PasswordSection, ProtectionKey, "") != "1") return level;
    for (std::string_view key : PasswordKeys)
        if (settings.readText(PasswordSection, key, "").empty()) return level;

    CPasswordDlg dialog(station);
    runDialog(dialog);
    level.asked = true;

    // Later matches win: a password shared by two kinds gives the later kind's toolbar.
    const std::string& typed = station.enteredPassword;
    const auto matches = [&](std::string_view key) {
        return typed == settings.readText(PasswordSection, key, "");
    };
    if (matches(PasswordKeys[0])) {
        level.toolbar = FullToolbar;
        level.placement = LargeWindow;
    }
    if (matches(PasswordKeys[1])) level.toolbar = StandardToolbar;
    if (matches(PasswordKeys[2])) level.toolbar = ProgrammingToolbar;
    if (station.hasMasterAccess()) {
        level.toolbar = FullToolbar;
        level.placement = LargeWindow;
    }
    if (typed.empty()) level.toolbar = DisplayToolbar;
    return level;
}

}  // namespace doxa
