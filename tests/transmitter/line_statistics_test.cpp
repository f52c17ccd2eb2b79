// The line statistics, counted by the exchange steps while an ordinary dialog runs against the
// simulated transmitter with faults injected.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "answer_damage.h"
#include "link/serial_line.h"
#include "service/line_stats_dlg.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

// Identification asks five questions (HART) or four (RS485, the range comes with the
// configuration); each answer taken is one valid answer.
constexpr std::uint64_t HartQuestions = 5;
constexpr std::uint64_t Rs485Questions = 4;

struct Identification {
    explicit Identification(bool rs485 = false, const sim::Options& options = {})
        : sim(sim::Model::Doxa22, options) {
        if (rs485) sim.useRs485();
    }
    // Runs the identification to "Koniec"; `damage` changes the first answer that arrives.
    bool run(const std::function<void(AnswerBytes&)>& damage = {}) {
        if (!window.open()) return false;
        if (damage)
            sim.line()->alterAnswer = [this, damage](AnswerBytes& answer) {
                if (!damaged && !answer.empty()) damage(answer);
                damaged = true;
            };
        return sim.clock.advanceUntil(
            [&] { return window.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000);
    }
    bool damaged = false;
    SimStation sim;
    CInitDlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
    const LineStatistics& stats() const { return sim.station.lineStatistics; }
};

struct Rejection {
    Damage damage;
    AnswerFault reason;
};

void expectOneRejection(const Identification& id, AnswerFault reason, std::uint64_t questions) {
    const LineStatistics& s = id.stats();
    EXPECT_EQ(s.rejected(reason), 1u);
    EXPECT_EQ(s.rejectedTotal(), 1u);
    EXPECT_EQ(s.validAnswers(), questions);
    EXPECT_EQ(s.noAnswers(), 0u);
    // The rejected question was asked once more, with the same bytes.
    EXPECT_EQ(s.requests(), questions + 1);
    EXPECT_EQ(s.retries(), 1u);
}

TEST(LineStatistics, EachDamagedHartAnswerIsCountedOnceUnderItsReason) {
    const std::vector<Damage> damages = hartDamages();
    const AnswerFault reasons[] = {AnswerFault::Checksum, AnswerFault::Address,
                                   AnswerFault::Command, AnswerFault::Length,
                                   AnswerFault::Delimiter};
    for (std::size_t i = 0; i < damages.size(); ++i) {
        SCOPED_TRACE(damages[i].name);
        Identification id;
        ASSERT_TRUE(id.run(damages[i].apply));
        expectOneRejection(id, reasons[i], HartQuestions);
    }
}

TEST(LineStatistics, EachDamagedModbusAnswerIsCountedOnceUnderItsReason) {
    const std::vector<Damage> damages = modbusDamages();
    const AnswerFault reasons[] = {AnswerFault::Checksum, AnswerFault::Address,
                                   AnswerFault::Command, AnswerFault::Length,
                                   AnswerFault::Exception, AnswerFault::Length};
    for (std::size_t i = 0; i < damages.size(); ++i) {
        SCOPED_TRACE(damages[i].name);
        Identification id(true);
        ASSERT_TRUE(id.run(damages[i].apply));
        expectOneRejection(id, reasons[i], Rs485Questions);
    }
}

// A modem that lets only a few preambles through, or sends a byte of its own before them, still
// delivers every answer; one preamble is too few to tell an answer from noise.
TEST(LineStatistics, HartAnswersWithFewPreamblesOrANoiseByteBeforeThemAreTaken) {
    struct Case {
        int preambles;
        std::optional<std::uint8_t> noise;
    };
    for (const Case& c : {Case{2, {}}, Case{4, {}}, Case{5, 0x00}, Case{2, 0x80}, Case{20, 0x06}}) {
        SCOPED_TRACE(std::to_string(c.preambles) + " preambles, noise " + (c.noise ? std::to_string(*c.noise) : "none"));
        sim::Options options;
        options.minPreambles = options.maxPreambles = c.preambles;
        options.noiseByte = c.noise;
        options.serialNumber = 4242;
        Identification id(false, options);
        ASSERT_TRUE(id.run());
        EXPECT_EQ(id.stats().validAnswers(), HartQuestions);
        EXPECT_EQ(id.stats().rejectedTotal(), 0u);
        EXPECT_EQ(id.stats().requests(), HartQuestions);
        EXPECT_EQ(id.sim.station.device.serialNumber, 4242);
    }
}

TEST(LineStatistics, TheSimulatorsDroppedAndCutAnswersAndLineErrorsAreCounted) {
    Identification id;
    id.sim.transmitter->faults.drop.onRequest = 1;
    id.sim.transmitter->faults.truncate.onRequest = 3;
    ASSERT_TRUE(id.window.open());
    id.sim.line()->injectErrors(CeFrame | CeOverrun);
    ASSERT_TRUE(id.sim.clock.advanceUntil(
        [&] { return id.window.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000));
    const LineStatistics& s = id.stats();
    EXPECT_EQ(s.noAnswers(), 1u);
    EXPECT_EQ(s.rejected(AnswerFault::Length), 1u);
    EXPECT_EQ(s.rejectedTotal(), 1u);
    EXPECT_EQ(s.validAnswers(), HartQuestions);
    EXPECT_EQ(s.requests(), HartQuestions + 2);
    EXPECT_EQ(s.retries(), 2u);
    EXPECT_EQ(s.lineErrorCount(CeFrame), 1u);
    EXPECT_EQ(s.lineErrorCount(CeOverrun), 1u);
    EXPECT_EQ(s.lineErrorCount(CeRxParity), 0u);
}

TEST(LineStatistics, AnAnswerTakesFromTheWriteToTheReadThatTookIt) {
    // HART: the driver turns round replyWait (300 ms) after the write, the answer is read 500 ms
    // after that.
    Identification hart;
    ASSERT_TRUE(hart.run());
    EXPECT_EQ(hart.stats().meanAnswerMs(), 800.0);
    // RS485 at 1200 baud: 250 ms, then 500 ms.
    Identification rs485(true);
    ASSERT_TRUE(rs485.run());
    EXPECT_EQ(rs485.stats().meanAnswerMs(), 750.0);
}

TEST(LineStatistics, PollingTheSameValueAgainIsNoRetry) {
    LineStatistics s;
    const std::vector<std::uint8_t> request = {0xFF, 0x02, 0x80, 0x01, 0x00, 0x83};
    for (int i = 0; i < 3; ++i) {
        s.requestSent(request, 0);
        s.answerRead(18, AnswerFault::None, 10);
    }
    EXPECT_EQ(s.retries(), 0u);
    s.requestSent(request, 0);
    s.answerRead(0, AnswerFault::None, 10);
    s.answerRead(18, AnswerFault::None, 20);  // a second read of the same request counts nothing
    EXPECT_EQ(s.noAnswers(), 1u);
    EXPECT_EQ(s.validAnswers(), 3u);
    s.requestSent(request, 0);
    EXPECT_EQ(s.retries(), 1u);
}

TEST(LineStatsDialog, ShowsTheCountsWhileOpenAndZerujClearsThem) {
    Identification id;
    id.sim.transmitter->faults.drop.onRequest = 2;
    ASSERT_TRUE(id.run(hartDamages()[0].apply));
    id.window.close();

    CLineStatsDlg dialog(id.sim.station);
    FakeWindow window(dialog, id.sim.clock);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.text(CLineStatsDlg::Requests), "7");
    EXPECT_EQ(window.text(CLineStatsDlg::ValidAnswers), "5");
    EXPECT_EQ(window.text(CLineStatsDlg::Rejected), "1");
    EXPECT_EQ(window.text(CLineStatsDlg::RejectedChecksum), "1");
    EXPECT_EQ(window.text(CLineStatsDlg::RejectedAddress), "0");
    EXPECT_EQ(window.text(CLineStatsDlg::NoAnswers), "1");
    EXPECT_EQ(window.text(CLineStatsDlg::Retries), "2");
    EXPECT_EQ(window.text(CLineStatsDlg::MeanAnswerTime), "800 ms");
    EXPECT_EQ(window.text(CLineStatsDlg::LineErrors), "brak");
    EXPECT_EQ(window.text(CLineStatsDlg::Since), "Liczone od uruchomienia programu");

    // Counted meanwhile (the trend window's polling, say) shows at the next refresh.
    id.sim.station.lineStatistics.lineErrors(CeFrame | CeRxParity);
    id.sim.clock.advance(CLineStatsDlg::RefreshMs);
    EXPECT_EQ(window.text(CLineStatsDlg::LineErrors), "CE_FRAME: 1\nCE_RXPARITY: 1");

    window.click(CLineStatsDlg::Clear);
    EXPECT_EQ(window.text(CLineStatsDlg::Requests), "0");
    EXPECT_EQ(window.text(CLineStatsDlg::Rejected), "0");
    EXPECT_EQ(window.text(CLineStatsDlg::MeanAnswerTime), "brak odpowiedzi");
    EXPECT_EQ(window.text(CLineStatsDlg::LineErrors), "brak");
    EXPECT_EQ(window.text(CLineStatsDlg::Since), "Liczone od zerowania");
    window.close();
    EXPECT_FALSE(window.timerRunning(CLineStatsDlg::RefreshTimer));
}

}  // namespace
}  // namespace doxa::test
