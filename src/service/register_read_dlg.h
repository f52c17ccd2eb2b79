#pragma once

#include <array>
#include <cstdint>

#include "service/register_dlg.h"

namespace doxa {

// "Rejestry - odczyt": reads up to 33 holding registers and lists their low bytes; the first
// four can be shown as one float.
class CRegisterReadDlg : public CRegisterDlg {
public:
    static constexpr int Resource = 129;
    enum : int { FloatToInt = 133 };

    using CRegisterDlg::CRegisterDlg;

    int layout() const override { return Resource; }
    void onCommand(int id) override;

private:
    void sendRead();
    void showFloat();
    void showAnswer(int length) override;
    bool showsLineErrors() const override { return true; }

    // The last answer, kept for "Float_to_int" (zero until one arrives).
    std::array<std::uint8_t, 100> answer_{};
};

}  // namespace doxa
