#pragma once

#include "dialog/dialog.h"

namespace doxa {

// "O DOXA_WIN": the program's name, version and where updates come from. Everything it shows
// is in its layout; "Zamknij" ends it.
class CAboutDlg : public DialogLogic {
public:
    static constexpr int Resource = 100;
    enum : int { Close = 1 };

    int layout() const override { return Resource; }
};

}  // namespace doxa
