// "Wyślij" and the other programming dialogs against transmitters that answer later, in pieces or
// at the very end of the wait: every write goes out once, is confirmed, and the transmitter keeps
// it.

#include <gtest/gtest.h>

#include "programming/characteristic_dlg.h"
#include "programming/prog_dlg.h"
#include "programming/prog_zu_dlg.h"
#include "programming/sensor_dlg.h"
#include "programming/sensor_serial_dlg.h"
#include "programming/text_dlg.h"
#include "programming_session.h"
#include "support/answer_timings.h"
#include "support/timing_scenario.h"

namespace doxa::test {
namespace {

using D = CProgDlg;

class ProgrammingTiming : public ::testing::TestWithParam<std::tuple<TimingVariant, bool>> {};

TEST_P(ProgrammingTiming, EveryWriteIsConfirmedTheFirstTimeAndKept) {
    const auto& [variant, rs485] = GetParam();
    Session<CProgDlg> p(sim::Model::Doxa22, rs485);
    p.sim.transmitter->timing = variant.timing;
    p.sim.station.device.deltaValue = 7;
    ASSERT_TRUE(p.openReady());
    p.choose(D::SensorK);
    p.enter(D::RangeMin, "-50");
    p.enter(D::RangeMax, "300");
    p.pick({D::BreakMax, D::BreakMin}, D::BreakMin);
    p.pick({D::Order0, D::Order1, D::Order2}, D::Order2);

    const std::size_t from = p.sim.writes().size();
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.text(StepText), "Koniec programowania");
    // Range, sensor, filter and, over HART, the threshold: each once.
    const std::vector<int> once =
        rs485 ? std::vector<int>{0, 8, 12, 0x00ED} : std::vector<int>{35, 147, 201, 200};
    EXPECT_EQ(p.sim.requests(from), once);
    const sim::State& s = p.sim.device();
    EXPECT_EQ(s.sensorCode, 4);
    EXPECT_TRUE(s.breakToMin);
    EXPECT_EQ(s.rangeLower, -50.0f);
    EXPECT_EQ(s.rangeUpper, 300.0f);
    EXPECT_EQ(s.filterOrder, 2);
    EXPECT_EQ(s.delta, 7);
}

INSTANTIATE_TEST_SUITE_P(Variants, ProgrammingTiming,
                         ::testing::Combine(::testing::ValuesIn(TimingVariants), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "Rs485" : "Hart");
                         });

bool idle(SimStation& sim, FakeWindow& window) {
    return sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 60'000);
}

// The text read when the dialog opens, then a new text written.
TimingOutcome textSession(const sim::AnswerTiming& timing) {
    SimStation sim(sim::Model::Doxa22, sim::Options{.timing = timing});
    sim.device().text = "Piec 1";
    CTextDlg dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    EXPECT_TRUE(window.open());
    EXPECT_TRUE(idle(sim, window));
    std::vector<std::string> shown{window.text(CTextDlg::Text), window.text(CTextDlg::Progress)};
    window.type(CTextDlg::Text, "Kocioł 7");
    window.click(CTextDlg::Send);
    EXPECT_TRUE(idle(sim, window));
    shown.insert(shown.end(), {window.text(CTextDlg::Text), window.text(CTextDlg::Progress)});
    EXPECT_EQ(shown, (std::vector<std::string>{"Piec 1", "", "Kocioł 7", "Tekst został zapisany"}));
    return outcomeOf(sim, shown);
}

// Three points written, then the table read back into an emptied one.
TimingOutcome characteristicSession(const sim::AnswerTiming& timing) {
    using C = CCharacteristicDlg;
    SimStation sim(sim::Model::Doxa22, sim::Options{.timing = timing});
    Characteristic& table = sim.station.characteristic;
    for (int i = 0; i < 3; ++i) {
        table.x(i) = 10.0F * static_cast<float>(i) + 0.5F;
        table.y(i) = -static_cast<float>(i) - 0.25F;
    }
    table.characteristicCount = 3;
    C dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    EXPECT_TRUE(window.open());
    const auto runTo = [&](std::string_view end) {
        return sim.clock.advanceUntil([&] { return window.text(C::StepText) == end; }, 60'000);
    };
    window.click(C::Send);
    EXPECT_TRUE(runTo("Koniec zapisu"));
    std::vector<std::string> shown{window.text(C::ReplyText)};
    table = Characteristic{};
    window.click(C::Read);
    EXPECT_TRUE(runTo("Koniec odczytu"));
    for (int row = 0; row < 4; ++row)
        shown.insert(shown.end(), {window.text(C::XColumn[row]), window.text(C::YColumn[row])});
    shown.push_back(window.text(C::ReplyText));
    EXPECT_EQ(shown, (std::vector<std::string>{"", "0.50", "-0.25", "10.50", "-1.25", "20.50",
                                               "-2.25", "0.0", "0.0", ""}));
    return outcomeOf(sim, shown);
}

// The sensor data read, its serial number changed, and the data read again.
TimingOutcome sensorSession(const sim::AnswerTiming& timing) {
    SimStation sim(sim::Model::Doxa22, sim::Options{.timing = timing});
    sim.device().sensorSerial = 1001;
    CSensorDlg dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    std::string childShown;
    window.onChild = [&](DialogLogic& child) {
        FakeWindow childWindow(child, sim.clock);
        EXPECT_TRUE(childWindow.open());
        childWindow.type(CSensorSerialDlg::Number, "70000");
        childWindow.click(CSensorSerialDlg::Save);
        EXPECT_TRUE(sim.clock.advanceUntil([&] { return childWindow.ended(); }, 20'000));
        return childWindow.result();
    };
    EXPECT_TRUE(window.open());
    EXPECT_TRUE(idle(sim, window));
    std::vector<std::string> shown{window.text(CSensorDlg::SerialText),
                                   window.text(CSensorDlg::TypeText)};
    window.click(CSensorDlg::ChangeSerial);
    EXPECT_TRUE(idle(sim, window));
    shown.push_back(window.text(CSensorDlg::SerialText));
    EXPECT_EQ(shown.front(), "Numer seryjny czujnika:        1001");
    EXPECT_EQ(shown.back(), "Numer seryjny czujnika:        70000");
    return outcomeOf(sim, shown);
}

// The 21-series dialog programs a Ni 100 with its break to the minimum.
TimingOutcome rtdSession(const sim::AnswerTiming& timing, bool rs485) {
    using Z = CProgZUDlg;
    Session<Z> p(sim::Model::Sawe01Rtd, rs485);
    p.sim.transmitter->timing = timing;
    p.sim.device().thresholdMode = 2;
    EXPECT_TRUE(p.openReady());
    p.choose(Z::SensorNi100At617);
    p.pick({Z::BreakMax, Z::BreakMin}, Z::BreakMin);
    std::vector<std::string> shown{p.program(), p.text(StepText), p.text(Z::ModelText)};
    EXPECT_EQ(shown[0], Saved);
    return outcomeOf(p.sim, shown);
}

const std::vector<TimingScenario> ProgrammingScenarios = {
    {"Text", textSession, [](const sim::State& s) { EXPECT_EQ(s.text, "Kocio\xB3 7"); }},
    {"Characteristic", characteristicSession,
     [](const sim::State& s) {
         EXPECT_EQ(s.characteristicCount, 3);
         EXPECT_EQ(s.characteristicX[2], 20.5F);
         EXPECT_EQ(s.characteristicY[2], -2.25F);
     },
     true},
    {"SensorSerial", sensorSession, [](const sim::State& s) { EXPECT_EQ(s.sensorSerial, 70000U); }},
    {"RtdHart", [](const sim::AnswerTiming& t) { return rtdSession(t, false); },
     [](const sim::State& s) {
         EXPECT_EQ(s.sensorCode, 4);
         EXPECT_TRUE(s.breakToMin);
         EXPECT_EQ(s.rangeUpper, 180.0F);
     }},
    {"RtdRs485", [](const sim::AnswerTiming& t) { return rtdSession(t, true); },
     [](const sim::State& s) {
         EXPECT_EQ(s.sensorCode, 4);
         EXPECT_TRUE(s.breakToMin);
         EXPECT_EQ(s.thresholdMode, 2);
     }},
};

class DialogTiming : public ::testing::TestWithParam<std::tuple<TimingScenario, TimingVariant>> {};

TEST_P(DialogTiming, TellsAndLeavesWhatAnImmediateAnswerDoes) {
    expectAsWithImmediateAnswers(std::get<0>(GetParam()), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Variants, DialogTiming,
                         ::testing::Combine(::testing::ValuesIn(ProgrammingScenarios),
                                            ::testing::ValuesIn(TimingVariants)),
                         [](const auto& info) { return scenarioAndVariant(info); });

}  // namespace
}  // namespace doxa::test
