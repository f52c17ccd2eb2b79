#include "access/password_dlg.h"

#include "transmitter/station.h"

namespace doxa {

void CPasswordDlg::onInit() { station_.enteredPassword.clear(); }

void CPasswordDlg::onCommand(int id) {
    if (id == Ok) station_.enteredPassword = window().text(Password);
    DialogLogic::onCommand(id);
}

}  // namespace doxa
