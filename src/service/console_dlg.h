#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Wyślij instrukcje": the technician types a whole HART frame as byte values, the dialog adds
// the check byte, sends it once and lists the raw answer. Beside it, a converter between a
// decimal number and the four bytes of a HART float.
class CHartConsoleDlg : public DialogLogic {
public:
    static constexpr int Resource = 106;
    enum : int {
        Close = 2,
        Send = 132,
        ToFloat = 133,
        ToHart = 134,
        InstructionText = 149,
        ConversionText = 150,
    };
    enum : int { WriteState = 0, TurnState, ReadState, IdleState };

    // The frame buffer leaves room for the check byte after this many typed bytes.
    static constexpr int MaxTypedBytes = 99;

    explicit CHartConsoleDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;
    void onFocus(int id, bool gained) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void send();
    void toFloat();
    void toHart();
    void filterInstruction();
    void lowerConversion();
    void readAnswer();
    void appendConversionHeader();

    Station& station_;
    std::string instructionText_;
    std::string conversionText_;
    int frameLength_ = 0;
    bool instructionSent_ = false;
    bool conversionShown_ = false;
};

// What the instruction box holds before the technician types: a header line and six preambles.
std::string consoleTemplate();

}  // namespace doxa
