#include "calibration/delta_dlg.h"

#include <string>

#include "link/screen_text.h"
#include "dialog/typed_number.h"

namespace doxa {

void CDeltaDlg::onInit() { window().setText(Value, std::to_string(deltaEdit)); }

void CDeltaDlg::onCommand(int id) {
    if (id != Ok) {
        DialogLogic::onCommand(id);
        return;
    }
    const auto typed = parseWholeNumber(window().text(Value));
    if (!typed || *typed < Lowest || *typed > Highest) {
        window().messageBox(UI_TEXT("Wpisz liczbę całkowitą od 0 do 200."), BoxIcon::Error);
        return;
    }
    deltaEdit = static_cast<int>(*typed);
    window().end(ResultOk);
}

}  // namespace doxa
