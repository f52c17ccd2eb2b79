#include "service/line_stats_dlg.h"

#include <cmath>
#include <string>
#include <string_view>

#include "link/screen_text.h"
#include "link/port.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr std::string_view SinceStartText = UI_TEXT("Liczone od uruchomienia programu");
constexpr std::string_view SinceClearText = UI_TEXT("Liczone od zerowania");
constexpr std::string_view NoLineErrorsText = UI_TEXT("brak");
constexpr std::string_view NoTimeText = UI_TEXT("brak odpowiedzi");
constexpr std::string_view ErrorPrefix = "Error ";

// "CE_FRAME: 2" for every kind that occurred, one a line.
std::string lineErrorLines(const LineStatistics& stats) {
    std::string text;
    for (std::uint32_t kind : LineStatistics::ErrorKinds) {
        const std::uint64_t count = stats.lineErrorCount(kind);
        if (count == 0) continue;
        std::string_view name = errorParts(kind).front();
        if (name.starts_with(ErrorPrefix)) name.remove_prefix(ErrorPrefix.size());
        if (!text.empty()) text += '\n';
        text += std::string(name) + ": " + std::to_string(count);
    }
    return text.empty() ? std::string(NoLineErrorsText) : text;
}

std::string meanTimeText(const LineStatistics& stats) {
    const std::optional<double> mean = stats.meanAnswerMs();
    if (!mean) return std::string(NoTimeText);
    return std::to_string(std::llround(*mean)) + " ms";
}

}  // namespace

void CLineStatsDlg::onInit() {
    show();
    window().startTimer(RefreshTimer, RefreshMs);
}

void CLineStatsDlg::onCommand(int id) {
    if (id != Clear) {
        DialogLogic::onCommand(id);
        return;
    }
    station_.lineStatistics.reset();
    show();
}

void CLineStatsDlg::onTimer(int timer) {
    if (timer == RefreshTimer) show();
}

void CLineStatsDlg::onDestroy() { window().stopTimer(RefreshTimer); }

void CLineStatsDlg::show() {
    DialogWindow& w = window();
    const LineStatistics& stats = station_.lineStatistics;
    const auto count = [&w](int id, std::uint64_t value) { w.setText(id, std::to_string(value)); };
    count(Requests, stats.requests());
    count(ValidAnswers, stats.validAnswers());
    count(Rejected, stats.rejectedTotal());
    count(RejectedChecksum, stats.rejected(AnswerFault::Checksum));
    count(RejectedAddress, stats.rejected(AnswerFault::Address));
    count(RejectedCommand, stats.rejected(AnswerFault::Command));
    count(RejectedLength, stats.rejected(AnswerFault::Length));
    count(RejectedDelimiter, stats.rejected(AnswerFault::Delimiter));
    count(RejectedException, stats.rejected(AnswerFault::Exception));
    count(NoAnswers, stats.noAnswers());
    count(Retries, stats.retries());
    w.setText(MeanAnswerTime, meanTimeText(stats));
    w.setText(LineErrors, lineErrorLines(stats));
    w.setText(Since, stats.cleared() ? SinceClearText : SinceStartText);
}

}  // namespace doxa
