#pragma once

#include "service/register_dlg.h"

namespace doxa {

// "Rejestry - zapis": writes one register or four consecutive ones, plainly (functions 6 and
// 16) or into the transmitter's EEPROM (its function 116).
class CRegisterWriteDlg : public CRegisterDlg {
public:
    static constexpr int Resource = 130;
    enum : int { OneRegister = 110, FourRegisters = 111, Eeprom = 119, EndLabel = 131 };
    static constexpr int FourCount = 4;

    using CRegisterDlg::CRegisterDlg;

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;

private:
    void chooseCount(bool four);
    // The end address is always start + 3.
    void followStart();
    void sendWrite();
    void showAnswer(int length) override;
    bool showsLineErrors() const override { return false; }

    bool four_ = false;
};

}  // namespace doxa
