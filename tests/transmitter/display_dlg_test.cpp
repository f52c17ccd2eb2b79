#include "transmitter/display_dlg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <set>

#include "answer_damage.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/code_tables.h"

namespace doxa::test {
namespace {

using D = CDisplayDlg;

// The live display opened on a simulated transmitter.
struct Display {
    explicit Display(sim::Model model = sim::Model::Doxa22) : sim(model) {}

    bool open() { return window.open(); }
    std::string text(int id) const { return window.text(id); }
    int state() const { return sim.station.link.exchangeState; }
    // Runs until the first primary value has been read: identification and sensor are done.
    bool polling() {
        return sim.clock.advanceUntil(
            [&] { return state() == D::SendOutput || state() == D::SendAmbient; }, 20000);
    }
    // Runs until `count` more requests have gone out.
    bool requestsSent(std::size_t count) {
        const std::size_t target = sim.writes().size() + count;
        return sim.clock.advanceUntil([&] { return sim.writes().size() >= target; }, 60000);
    }

    SimStation sim;
    CDisplayDlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST(LiveDisplay, Doxa22ShowsAllThreeValuesOnEveryCycle) {
    Display d;
    d.sim.device().serialNumber = 4242;
    d.sim.device().sensorCode = 0;
    d.sim.device().input = 12;
    d.sim.device().fixedOutput = 4;
    d.dialog.prefillModel("DOXA-");
    ASSERT_TRUE(d.open());
    EXPECT_EQ(d.text(D::ModelText), "DOXA-");
    EXPECT_EQ(d.text(D::ProgressText), "Inicjalizacja połączenia");
    EXPECT_EQ(d.text(D::StopStart), "Stop");

    ASSERT_TRUE(d.requestsSent(8));
    EXPECT_EQ(d.sim.requests(), (std::vector<int>{0, 147, 1, 2, 202, 1, 2, 202}));
    d.sim.clock.advanceUntil([&] { return d.state() == D::SendPrimary; }, 2000);
    EXPECT_EQ(d.text(D::ModelText), "DOXA-22");
    EXPECT_EQ(d.text(D::SerialText), "4242");
    EXPECT_EQ(d.text(D::SensorText), " Rezystancja");
    EXPECT_EQ(d.text(D::PrimaryValue), "12.00 Ohm");
    EXPECT_EQ(d.text(D::OutputValue), "4.000 mA");
    EXPECT_TRUE(std::regex_match(d.text(D::AmbientValue), std::regex(R"(\d+\.\d? °C)")))
        << d.text(D::AmbientValue);
    EXPECT_NEAR(d.sim.station.device.ambientTemp, d.sim.transmitter->live().ambient, 0.5);
    EXPECT_TRUE(d.window.isVisible(D::AmbientValue));
    // A full cycle rests a second before the next primary value.
    EXPECT_EQ(d.window.timerInterval(ExchangeTimer), 1000);
}

TEST(LiveDisplay, ValuesAreCutToTheDigitsOfTheirUnit) {
    struct Case {
        std::uint8_t sensor;
        float input;
        const char* shown;
    };
    for (const Case& c :
         {Case{0, 12, "12.00 Ohm"}, Case{1, 23.456f, "23.4 °C"}, Case{3, 1.5f, "1.5 mV"}}) {
        SCOPED_TRACE(c.shown);
        Display d;
        d.sim.device().sensorCode = c.sensor;
        d.sim.device().input = c.input;
        ASSERT_TRUE(d.open());
        ASSERT_TRUE(d.polling());
        EXPECT_EQ(d.text(D::PrimaryValue), c.shown);
    }
}

TEST(LiveDisplay, AVoltageOutputIsShownInVolts) {
    Display d(sim::Model::Rivo22);
    d.sim.device().outputBits = 0x40;
    d.sim.device().fixedOutput = 5;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return d.state() == D::SendAmbient; }, 20000));
    EXPECT_EQ(d.sim.station.device.outputType, 3);
    EXPECT_EQ(d.text(D::OutputValue), "5.000V");
}

// The codes where the rule changes: resistance codes up to 2 and code 15 are not asked for the
// ambient temperature, 3 and 16 are.
TEST(LiveDisplay, Doxa21RHidesTheAmbientTemperatureAndReadsItOnlyForAThermocouple) {
    for (int sensorType : {1, 2, 3, 4, 14, 15, 16}) {
        SCOPED_TRACE(sensorType);
        Display d(sim::Model::Doxa21R);
        d.sim.station.device.sensorType = sensorType;  // as an earlier identification left it
        ASSERT_TRUE(d.open());
        ASSERT_TRUE(d.requestsSent(6));
        EXPECT_EQ(d.text(D::ModelText), "DOXA-21-R");
        EXPECT_FALSE(d.window.isVisible(D::AmbientValue));
        EXPECT_EQ(d.text(D::AmbientLabel), "");
        const bool ambient = sensorType == 3 || sensorType == 4 || sensorType == 14 ||
                             sensorType == 16;
        const std::vector<int> expected = !ambient ? std::vector<int>{0, 147, 1, 2, 1, 2}
                                                   : std::vector<int>{0, 147, 1, 2, 202, 1};
        EXPECT_EQ(d.sim.requests(), expected);
    }
}

TEST(LiveDisplay, Rs485ReadsPrimaryAndOutputTogetherThenTheAmbientTemperature) {
    Display d;
    d.sim.useRs485();
    d.sim.device().address = 1;
    d.sim.device().sensorCode = 1;
    d.sim.device().input = 23.456f;
    d.sim.device().fixedOutput = 4;
    d.sim.station.device.pollingAddress = 1;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(d.requestsSent(5));
    EXPECT_EQ(d.sim.requests(), (std::vector<int>{0x0138, 0x0047, 0x00DC, 0x0110, 0x00DC}));
    EXPECT_EQ(d.sim.writes()[2], (Bytes{0x01, 0x03, 0x00, 0xDC, 0x00, 0x08, 0x85, 0xF6}));
    EXPECT_EQ(d.text(D::SensorText), " Pt 100");
    EXPECT_EQ(d.text(D::PrimaryValue), "23.4 °C");
    EXPECT_EQ(d.text(D::OutputValue), "4.000 mA");
    EXPECT_NE(d.text(D::AmbientValue), ".....");
}

TEST(LiveDisplay, MissedAnswersBlankTheValuesAndThenAskToCheckTheConnection) {
    Display d;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return d.state() == D::SendPrimary; }, 20000));
    d.sim.transmitter->faults.drop.probability = 1;

    // Reads 1..3 go unnoticed; the fourth (a primary value) blanks its field.
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return d.text(D::PrimaryValue) == " "; }, 20000));
    EXPECT_EQ(d.state(), D::SendOutput);
    EXPECT_NE(d.text(D::OutputValue), " mA");
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return d.text(D::AmbientValue) == " °C"; }, 20000));
    EXPECT_EQ(d.text(D::OutputValue), " mA");
    EXPECT_TRUE(d.window.boxes().empty());  // six misses are not yet enough

    bool timerStoppedDuringBox = false;
    d.window.onBox = [&](const FakeWindow::Box&) {
        timerStoppedDuringBox = !d.window.timerRunning(ExchangeTimer);
    };
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return !d.window.boxes().empty(); }, 20000));
    EXPECT_EQ(d.window.boxes()[0].text, "Sprawdź połączenie z przetwornikiem");
    EXPECT_EQ(d.window.boxes()[0].icon, BoxIcon::None);
    EXPECT_TRUE(timerStoppedDuringBox);
    EXPECT_EQ(d.state(), D::SendPrimary);
    EXPECT_EQ(d.window.timerInterval(ExchangeTimer), 1000);

    // Once per cycle until the transmitter answers again.
    ASSERT_TRUE(d.requestsSent(3));
    d.sim.clock.advance(1000);
    EXPECT_EQ(d.window.boxes().size(), 2u);
    d.sim.transmitter->faults.drop.probability = 0;
    ASSERT_TRUE(d.requestsSent(6));
    EXPECT_EQ(d.window.boxes().size(), 2u);
    EXPECT_NE(d.text(D::PrimaryValue), " ");
}

// Runs the display for `ms` and collects every text the primary value field showed.
std::set<std::string> primaryTextsSeen(Display& d, std::int64_t ms) {
    std::set<std::string> seen;
    d.sim.clock.advanceUntil([&] { return seen.insert(d.text(D::PrimaryValue)), false; }, ms);
    return seen;
}

TEST(LiveDisplay, ADamagedAnswerNeverShowsItsValue) {
    Display d;
    d.sim.device().sensorCode = 0;
    d.sim.device().input = 12;
    int primaryAnswers = 0;
    ASSERT_TRUE(d.open());
    // Every second answer to command 1 says 99 Ohm, but its checksum does not agree.
    d.sim.line()->alterAnswer = [&](AnswerBytes& a) {
        const std::size_t p = preamblesOf(a);
        if (a[p + 2] != 1 || ++primaryAnswers % 2) return;
        const std::uint8_t ninetyNine[] = {0x42, 0xC6, 0x00, 0x00};
        std::copy(std::begin(ninetyNine), std::end(ninetyNine), a.begin() + p + 7);
    };
    EXPECT_EQ(primaryTextsSeen(d, 30000), (std::set<std::string>{"", "12.00 Ohm"}));
    EXPECT_GT(primaryAnswers, 6);
}

TEST(LiveDisplay, ALateAnswerIsNeverTakenForTheNextOne) {
    // The ambient temperature answer (the fifth request) comes late: before the next primary
    // value request is written, or after it, in place of that request's lost answer.
    for (const int lateMs : {1500, 2000}) {
        SCOPED_TRACE(lateMs);
        Display d;
        d.sim.device().sensorCode = 0;
        d.sim.device().input = 12;
        d.sim.device().calibration.compensation = 40;
        d.sim.transmitter->faults.late.onRequest = 5;
        d.sim.transmitter->faults.lateMs = lateMs;
        d.sim.transmitter->faults.drop.onRequest = 6;
        ASSERT_TRUE(d.open());
        EXPECT_EQ(primaryTextsSeen(d, 12000), (std::set<std::string>{"", "12.00 Ohm"}));
        EXPECT_EQ(d.sim.requests(0).size() > 8 ? d.sim.requests(0)[5] : -2, 1);
    }
}

TEST(LiveDisplay, CarriesOnByItselfWhenAVanishedAdapterIsBack) {
    Display d;
    d.sim.device().sensorCode = 0;
    d.sim.device().input = 12;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(d.polling());
    d.sim.unplug();
    ASSERT_TRUE(d.sim.clock.advanceUntil(
        [&] { return d.text(D::LineErrorText) == "Error CE_IOE"; }, 3000));
    EXPECT_EQ(d.sim.station.link.portOpen, 0);
    EXPECT_EQ(d.sim.line(), nullptr);
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return d.text(D::PrimaryValue) == " "; }, 20000));
    EXPECT_TRUE(d.sim.messages.empty());  // the cycle retries quietly

    d.sim.device().input = 13;
    d.sim.plugIn();
    ASSERT_TRUE(d.sim.clock.advanceUntil(
        [&] { return d.text(D::PrimaryValue) == "13.00 Ohm"; }, 5000));
    EXPECT_EQ(d.sim.station.link.portOpen, 1);
    EXPECT_TRUE(d.sim.messages.empty());
}

TEST(LiveDisplay, StartAndANewDialogOpenTheVanishedPortAgain) {
    Display d;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(d.polling());
    d.sim.unplug();
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return d.sim.station.link.portOpen == 0; }, 3000));
    d.window.click(D::StopStart);
    d.window.click(D::StopStart);
    EXPECT_EQ(d.text(D::ProgressText), "Bład w otwarciu portu");
    EXPECT_EQ(d.sim.messages, std::vector<std::string>{"Error OpenComm "});
    d.window.close();

    d.sim.plugIn();
    CDisplayDlg again{d.sim.station};
    FakeWindow window{again, d.sim.clock};
    ASSERT_TRUE(window.open());
    EXPECT_EQ(d.sim.station.link.portOpen, 1);
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return window.text(D::ModelText) == "DOXA-22"; }, 5000));
}

TEST(LiveDisplay, WithoutAmbientReadsNoAnswerEverRaisesTheBox) {
    Display d(sim::Model::Doxa21R);
    d.sim.station.device.sensorType = 1;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(d.polling());
    d.sim.transmitter->faults.drop.probability = 1;
    ASSERT_TRUE(d.requestsSent(20));
    EXPECT_EQ(d.text(D::PrimaryValue), " ");
    EXPECT_EQ(d.text(D::OutputValue), " mA");
    EXPECT_TRUE(d.window.boxes().empty());
}

TEST(LiveDisplay, StartUpRetriesIdentifyAndForgetsTheTransmitterWhenTheSensorGoesUnanswered) {
    Display d;
    d.sim.transmitter->faults.drop.onRequest = 1;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(
        d.sim.clock.advanceUntil([&] { return d.text(D::LineErrorText) == NoAnswerText; }, 5000));
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return d.text(D::ModelText) == "DOXA-22"; }, 5000));

    d.sim.transmitter->faults.drop.onRequest = 3;  // the sensor request
    ASSERT_TRUE(
        d.sim.clock.advanceUntil([&] { return d.text(D::LineErrorText) == NoAnswerText; }, 5000));
    EXPECT_EQ(d.text(D::ModelText), "");
    EXPECT_EQ(d.text(D::SerialText), "0");
    ASSERT_TRUE(d.polling());
    EXPECT_EQ(d.sim.requests(), (std::vector<int>{0, 0, 147, 147, 1}));
}

TEST(LiveDisplay, StopReleasesTheLineAndStartBeginsAgainWithIdentification) {
    Display d;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(d.polling());
    d.window.click(D::StopStart);
    EXPECT_EQ(d.text(D::StopStart), "Start");
    EXPECT_EQ(d.sim.requests().back(), -1);
    EXPECT_FALSE(d.sim.line()->rts());
    const std::size_t stoppedAt = d.sim.writes().size();
    d.sim.clock.advance(10000);
    EXPECT_EQ(d.sim.writes().size(), stoppedAt);
    EXPECT_FALSE(d.window.timerRunning(ExchangeTimer));

    d.sim.station.device.pollingAddress = 0;
    d.window.click(D::StopStart);
    EXPECT_EQ(d.text(D::StopStart), "Stop");
    EXPECT_EQ(d.text(D::Address), "0");
    ASSERT_TRUE(d.requestsSent(2));
    EXPECT_EQ(d.sim.requests(stoppedAt), (std::vector<int>{0, 147}));
}

TEST(LiveDisplay, AddressIsTakenOnEveryChange) {
    Display d;
    d.sim.device().address = 7;
    ASSERT_TRUE(d.open());
    d.window.type(D::Address, "130");
    EXPECT_EQ(d.sim.station.device.pollingAddress, 0);
    EXPECT_EQ(d.text(D::Address), "0");
    d.window.type(D::Address, "");
    EXPECT_EQ(d.text(D::Address), "");  // room for the next digit
    d.window.type(D::Address, "7");
    EXPECT_EQ(d.sim.station.device.pollingAddress, 7);
    ASSERT_TRUE(d.polling());
    EXPECT_EQ(d.sim.writes().front()[11], 0x87);
    EXPECT_EQ(d.text(D::ModelText), "DOXA-22");
}

TEST(LiveDisplay, JunkInTheAddressFieldPollsAddress0) {
    struct Case {
        std::vector<std::string> keys;  // "\b" deletes the last character
        std::string shown;
        int address;
    };
    const std::vector<Case> cases{
        {{"-", "1"}, "0", 0},
        {{"9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9"}, "0", 0},
        {{"1", "3", "0"}, "0", 0},
        {{"x", "\b", "7"}, "7", 7},
        {{"1", "2", "7"}, "127", 127},
        {{"-", "0", "\b", "1", "5"}, "15", 15},
    };
    for (const Case& c : cases) {
        Display d;
        d.sim.device().address = c.address;
        ASSERT_TRUE(d.open());
        d.window.type(D::Address, "");  // the technician selects the whole field
        for (const std::string& key : c.keys) {
            std::string text = d.text(D::Address);  // the caret stays at the end
            if (key == "\b")
                text.pop_back();
            else
                text += key;
            d.window.type(D::Address, text);
        }
        EXPECT_EQ(d.text(D::Address), c.shown) << c.shown;
        EXPECT_EQ(d.sim.station.device.pollingAddress, c.address) << c.shown;
        ASSERT_TRUE(d.polling());
        EXPECT_EQ(d.sim.writes().front()[11], 0x80 + c.address);
    }
}

TEST(LiveDisplay, APortThatCannotBeOpenedLeavesTheDialogTryingUntilStartedAgain) {
    Display d;
    d.sim.portFails = true;
    ASSERT_TRUE(d.open());
    EXPECT_EQ(d.text(D::ProgressText), "Bład w otwarciu portu");
    EXPECT_FALSE(d.window.ended());
    ASSERT_TRUE(
        d.sim.clock.advanceUntil([&] { return d.text(D::LineErrorText) == NoAnswerText; }, 5000));

    d.sim.portFails = false;
    d.window.click(D::StopStart);
    d.window.click(D::StopStart);
    ASSERT_TRUE(d.polling());
    EXPECT_EQ(d.text(D::ModelText), "DOXA-22");
}

TEST(LiveDisplay, ClosingStopsPollingAndReleasesTheLine) {
    Display d;
    ASSERT_TRUE(d.open());
    ASSERT_TRUE(d.polling());
    d.window.close();
    EXPECT_EQ(d.sim.requests().back(), -1);
    const std::size_t closedAt = d.sim.writes().size();
    d.sim.clock.advance(5000);
    EXPECT_EQ(d.sim.writes().size(), closedAt);
    EXPECT_EQ(d.sim.station.link.portOpen, 1);
}

struct TrendRecorder : LiveValuesObserver {
    std::vector<LiveCycle> cycles;
    void onLiveCycle(const LiveCycle& cycle) override { cycles.push_back(cycle); }
};

// The plot hears each cycle's own values: a value whose answer was missing or incomplete is left
// out, even while the display's field still shows the last good one.
TEST(LiveDisplay, TrendHearsEachCycleAndNeverAStaleValue) {
    Display d;
    d.sim.device().sensorCode = 0;
    d.sim.device().input = 12;
    d.sim.device().fixedOutput = 4;
    TrendRecorder trend;
    int shown = 0;
    d.dialog.allowTrend([&] {
        ++shown;
        return &trend;
    });
    ASSERT_TRUE(d.open());
    EXPECT_TRUE(d.window.isVisible(D::Trend));
    ASSERT_TRUE(d.polling());
    d.window.click(D::Trend);
    EXPECT_EQ(shown, 1);
    const auto cycles = [&](std::size_t n) {
        return d.sim.clock.advanceUntil([&] { return trend.cycles.size() >= n; }, 20000);
    };
    ASSERT_TRUE(cycles(2));
    for (const LiveCycle& cycle : trend.cycles) {
        EXPECT_EQ(cycle.primary, 12.0);
        EXPECT_EQ(cycle.primaryUnit, "Ohm");
        EXPECT_EQ(cycle.output, 4.0);
        EXPECT_EQ(cycle.outputUnit, "mA");
        ASSERT_TRUE(cycle.ambient);
        EXPECT_NEAR(*cycle.ambient, d.sim.transmitter->live().ambient, 0.5);
    }

    d.sim.transmitter->faults.truncate.probability = 1;
    ASSERT_TRUE(cycles(3));
    EXPECT_EQ(trend.cycles[2].primary, std::nullopt);
    EXPECT_EQ(trend.cycles[2].output, std::nullopt);
    EXPECT_EQ(trend.cycles[2].ambient, std::nullopt);
    EXPECT_EQ(d.text(D::PrimaryValue), "12.00 Ohm");

    // Only the output request of the next cycle goes unanswered.
    d.sim.transmitter->faults.truncate.probability = 0;
    d.sim.transmitter->faults.drop.onRequest = d.sim.transmitter->requestCount() + 2;
    ASSERT_TRUE(cycles(4));
    EXPECT_EQ(trend.cycles[3].primary, 12.0);
    EXPECT_EQ(trend.cycles[3].output, std::nullopt);
    EXPECT_TRUE(trend.cycles[3].ambient);

    // "Wykres" again brings the same plot back; stopping ends the reports.
    d.window.click(D::Trend);
    EXPECT_EQ(shown, 2);
    d.window.click(D::StopStart);
    const std::size_t stopped = trend.cycles.size();
    d.sim.clock.advance(20000);
    EXPECT_EQ(trend.cycles.size(), stopped);
}

// A value sent as no number blanks its field at once, as four missed answers would, but it is
// an answer: the status it carried is shown, nothing counts as missed, the plot gets no value.
TEST(LiveDisplay, AValueSentAsNoNumberIsBlankedAtOnceYetCountsAsAnAnswer) {
    for (const bool rs485 : {false, true}) {
        SCOPED_TRACE(rs485 ? "RS485" : "HART");
        Display d;
        if (rs485) d.sim.useRs485();
        d.sim.device().sensorCode = 1;
        d.sim.device().fixedOutput = 4;
        d.sim.device().ambient = std::numeric_limits<float>::quiet_NaN();
        d.sim.transmitter->faults.notANumberPrimary = true;
        d.sim.transmitter->faults.deviceStatusBits = 0x04;
        TrendRecorder trend;
        d.dialog.allowTrend([&] { return &trend; });
        ASSERT_TRUE(d.open());
        ASSERT_TRUE(d.polling());
        EXPECT_EQ(d.text(D::PrimaryValue), " ");
        EXPECT_EQ(d.sim.station.statusPanel.text(157), rs485 ? "" : "Przerwa");
        d.window.click(D::Trend);
        ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return trend.cycles.size() >= 8; }, 60000));
        EXPECT_EQ(d.text(D::PrimaryValue), " ");
        EXPECT_EQ(d.text(D::OutputValue), "4.000 mA");
        EXPECT_EQ(d.text(D::AmbientValue), " °C");
        EXPECT_NE(d.text(D::LineErrorText), NoAnswerText);
        EXPECT_TRUE(d.window.boxes().empty());
        EXPECT_TRUE(std::isnan(d.sim.station.device.ambientTemp));
        for (const LiveCycle& cycle : trend.cycles) {
            EXPECT_EQ(cycle.primary, std::nullopt);
            EXPECT_EQ(cycle.output, 4.0);
            EXPECT_EQ(cycle.ambient, std::nullopt);
        }
    }
}

TEST(LiveDisplay, TrendOfATransmitterWithoutAmbientTemperatureHasNone) {
    Display d(sim::Model::Doxa21R);
    d.sim.station.device.sensorType = 1;
    TrendRecorder trend;
    d.dialog.allowTrend([&] { return &trend; });
    ASSERT_TRUE(d.open());
    d.window.click(D::Trend);
    ASSERT_TRUE(d.sim.clock.advanceUntil([&] { return trend.cycles.size() >= 2; }, 20000));
    EXPECT_TRUE(trend.cycles[1].primary);
    EXPECT_TRUE(trend.cycles[1].output);
    EXPECT_EQ(trend.cycles[1].ambient, std::nullopt);
}

TEST(LiveDisplay, WithoutAPlotToOpenThereIsNoTrendButton) {
    Display d;
    ASSERT_TRUE(d.open());
    EXPECT_FALSE(d.window.isVisible(D::Trend));
}

}  // namespace
}  // namespace doxa::test
