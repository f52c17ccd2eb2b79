#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dialog/dialog.h"

namespace doxa {

class Station;

// What both MODBUS register dialogs share: the address field, the request/answer exchange of
// their timer and the checks of the answer. Each dialog builds its own request and formats
// the answer its own way.
class CRegisterDlg : public DialogLogic {
public:
    enum : int {
        Close = 2,
        StartAddress = 101,
        EndAddress = 102,
        ResultText = 103,
        SlaveAddress = 104,
        Run = 132,
    };
    enum : int { WriteState = 0, TurnState, ReadState, DrainState };

    static constexpr int HighestRegister = 511;
    static constexpr int MaxRegisters = 33;

    explicit CRegisterDlg(Station& station) : station_(station) {}

    void onInit() override;
    void onChange(int id) override;
    void onFocus(int id, bool gained) override;
    void onTimer(int timer) override;
    void onDestroy() override;

protected:
    // Sends the request now in the frame buffer through the timer.
    void startExchange(int requestLength);
    // A register number typed into `id`, or nullopt after the range message.
    std::optional<int> registerField(int id);
    // False, after "Błędny adres", for a range the request cannot carry.
    bool validRange(int start, int end);
    // The answer of `length` bytes lies in the frame buffer; nothing arrived when 0.
    virtual void showAnswer(int length) = 0;
    // Line errors after the write are shown one message box each by the read dialog only.
    virtual bool showsLineErrors() const = 0;
    // The answer's `listing` followed by what is wrong with the answer, in plain words.
    std::string withAnswerMarks(const std::string& listing, int length) const;
    void appendResult(std::string_view text);

    Station& station_;
    std::string result_;

private:
    void write();
    void drain();
    void finishWrite(bool drained);
    void read();

    int requestLength_ = 0;
    std::uint8_t requestFunction_ = 0;
    std::uint32_t lineErrors_ = 0;
    int drainTicksLeft_ = 0;
};

// How long the transmit queue may take to empty: the bytes at the line's speed with a margin.
int transmitBudgetMs(int bytes, int baudIndex, int parityOff);

}  // namespace doxa
