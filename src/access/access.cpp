#include "access/access.h"

#include <string>

#include "access/password_dlg.h"
#include "settings/start_up.h"
#include "transmitter/station.h"

namespace doxa {

AccessLevel decideAccess(Station& station, const std::function<int(DialogLogic&)>& runDialog) {
    AccessLevel level;
    const StoredPasswords stored = storedPasswords(station.settings);
    if (!stored.protection) return level;
    for (const std::string& password : stored.passwords)
        if (password.empty()) return level;

    CPasswordDlg dialog(station);
    runDialog(dialog);
    level.asked = true;

    // Later matches win: a password shared by two kinds gives the later kind's toolbar.
    const std::string& typed = station.enteredPassword;
    const auto& [service, calibration, programming] = stored.passwords;
    if (typed == service) {
        level.toolbar = FullToolbar;
        level.placement = LargeWindow;
    }
    if (typed == calibration) level.toolbar = StandardToolbar;
    if (typed == programming) level.toolbar = ProgrammingToolbar;
    if (station.hasMasterAccess()) {
        level.toolbar = FullToolbar;
        level.placement = LargeWindow;
    }
    if (typed.empty()) level.toolbar = DisplayToolbar;
    return level;
}

}  // namespace doxa
