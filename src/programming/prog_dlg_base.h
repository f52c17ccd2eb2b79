#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "dialog/dialog.h"
#include "programming/prog_safeguard.h"
#include "programming/prog_sequence.h"

namespace doxa {

class Station;

// What both programming dialogs share: their own HART identification on timer 2, the write
// sequence on timer 1, the "tabela" button and the clean-up when they close.
class CProgDlgBase : public DialogLogic {
public:
    void onTimer(int timer) override;
    void onDestroy() override;

protected:
    // `notFoundText` is the box shown when the identification gives up; `inputsChanged` is
    // called when the sequence changes an input the dialog shows.
    CProgDlgBase(Station& station, SequenceScope scope, std::string_view notFoundText,
                 std::function<void()> inputsChanged);

    bool rs485() const;
    // The end of opening: the port is opened (or the failure shown) and, in HART, the dialog's own
    // identification sends its first request after `firstRequestWait` ms.
    void openPortAndIdentify(int firstRequestWait);
    // The identification answer lies in the frame buffer.
    virtual void identified() = 0;
    // "tabela". The characteristic dialog talks to the transmitter on the same frame buffer, so
    // this dialog's own exchanges must not run meanwhile: a write under way finishes first (the
    // button does nothing until then), an identification under way is stopped and starts again
    // from its first attempt when the table closes.
    void openCharacteristicTable();

    Station& station_;
    int attempts_ = 0;
    SequenceInputs inputs_;
    ProgrammingSequence sequence_;
    // What this dialog's own identification found; none over RS485.
    std::optional<FoundIdentity> found_;

private:
    std::string_view notFoundText_;
};

}  // namespace doxa
