#include "programming/prog_identify.h"

#include "dialog/dialog.h"
#include "transmitter/code_tables.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

enum : int { SendIdentify = 0, TurnIdentify = 1, ReadIdentify = 2 };

constexpr int RetryWait = 200;
constexpr int ModelCodeAt = 18;
constexpr int VariantAt = 19;
constexpr int SerialAt = 21;

void showErrors(DialogWindow& window, int replyText, const std::string& errors) {
    if (!errors.empty()) window.setText(replyText, errors);
}

}  // namespace

IdentifyOutcome identifyStep(Station& station, DialogWindow& window, int& attempts, int replyText) {
    switch (station.link.exchangeState) {
        case SendIdentify:
            ++attempts;
            showErrors(window, replyText, sendRequest(station, IdentifyRequest));
            goToState(station, window, TurnIdentify, station.link.replyWait, IdentifyTimer);
            return IdentifyOutcome::Waiting;
        case TurnIdentify:
            turnToReceive(station);
            goToState(station, window, ReadIdentify, AnswerWait, IdentifyTimer);
            return IdentifyOutcome::Waiting;
        default:
            break;
    }
    const Reply reply = readReply(station);
    showErrors(window, replyText, reply.lineErrors);
    if (reply.length == HartIdentityLength) {
        window.stopTimer(IdentifyTimer);
        return IdentifyOutcome::Answered;
    }
    window.setText(replyText, NoAnswerText);
    goToState(station, window, SendIdentify, RetryWait, IdentifyTimer);
    if (attempts < IdentifyAttempts) return IdentifyOutcome::Waiting;
    window.stopTimer(IdentifyTimer);
    return IdentifyOutcome::GaveUp;
}

IdentityBytes identityBytes(const Station& station) {
    const auto& f = station.frame;
    return {f[ModelCodeAt], f[VariantAt],
            f[SerialAt] << 16 | f[SerialAt + 1] << 8 | f[SerialAt + 2]};
}

void finishIdentification(Station& station, DialogWindow& window, int stepText, int replyText) {
    releaseLine(station);
    window.setText(stepText, RecognizedText);
    window.setText(replyText, " ");
}

}  // namespace doxa
