// The calibration dialogs against transmitters that answer later, in pieces or at the very end
// of the wait: the technician is told what an immediate answer tells, and the transmitter holds
// what was set.

#include <gtest/gtest.h>

#include "calibration/calib_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/dialog_session.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/output_current_dlg.h"
#include "support/timing_scenario.h"

namespace doxa::test {
namespace {

using O = COutputCurrentDlg;

// The output read at opening, then forced to 12.5 mA.
TimingOutcome outputCurrentSession(const sim::AnswerTiming& timing, bool rs485) {
    DialogSession<O> o(sim::Model::Doxa22, rs485);
    o.sim.transmitter->timing = timing;
    o.sim.device().fixedOutput = 7.25F;
    EXPECT_TRUE(o.open());
    std::vector<std::string> shown{o.text(O::Value), o.text(O::Status)};
    o.window.type(O::Value, "12.5");
    o.window.click(O::Set);
    EXPECT_TRUE(o.sim.clock.advanceUntil([&] { return o.text(O::Status) == "Wyjście ustawione"; },
                                         20'000, 1));
    EXPECT_TRUE(o.settle());
    shown.push_back(o.text(O::Status));
    EXPECT_EQ(shown.front(), "7.25");
    return outcomeOf(o.sim, shown);
}

void holdsTwelveAndAHalf(const sim::State& s) { EXPECT_EQ(s.fixedOutput, 12.5F); }

// The lower input point, the lower output point measured at 5.62 mA and the compensation taken
// from 24.5 to 25.5 °C, then "Zamknij".
TimingOutcome calibrationSession(const sim::AnswerTiming& timing, bool rs485) {
    using C = CCalibrationDlg;
    DialogSession<C> c(sim::Model::Doxa22, rs485, [] {});
    c.sim.transmitter->timing = timing;
    c.sim.device().input = 20;
    c.sim.device().ambient = 24.5F;
    EXPECT_TRUE(c.open());
    std::vector<std::string> shown;
    const auto press = [&](int id) {
        EXPECT_TRUE(c.press(id));
        shown.push_back(c.text(C::Status));
    };
    press(C::InputLow);
    press(C::DriveLow);
    c.window.type(C::Point1, "5.62");
    press(C::CalibratePoint1);
    press(C::ReadAmbient);
    shown.push_back(c.text(C::Ambient));
    c.window.type(C::Ambient, "25.5");
    press(C::CalibrateAmbient);
    EXPECT_EQ(shown, (std::vector<std::string>{"Dana zapisana", "Wpisz wartość prądu",
                                               "Prąd dla 5,6mA zapisany", "Wpisz temperature",
                                               "24.5", "Kalibracja temperatury kompensacji zakończona"}));
    EXPECT_TRUE(c.press(C::Close));
    EXPECT_TRUE(c.window.ended());
    return outcomeOf(c.sim, shown);
}

void holdsCalibratedPoints(const sim::State& s) {
    // A Pt 100 at 20 °C has 107.7 Ohm: the transmitter keeps that as its 100 Ohm point.
    EXPECT_NEAR(s.calibration.inputLowR, 107.7, 1e-3);
    EXPECT_EQ(s.calibration.outputLowI, 5.62F);
    EXPECT_EQ(s.calibration.compensation, 1.0F);
    EXPECT_FALSE(s.fixedOutput);
}

// The wizard with the compensation alone: 24.5 °C read, 25.5 °C typed, and the wizard closes.
TimingOutcome wizardCompensationSession(const sim::AnswerTiming& timing, bool rs485) {
    using W = CCalibrationWizardDlg;
    DialogSession<W> w(sim::Model::Doxa22, rs485);
    w.sim.station.calibrationOptions = 4;
    w.sim.transmitter->timing = timing;
    w.sim.device().ambient = 24.5F;
    EXPECT_TRUE(w.open());
    std::vector<std::string> shown{w.text(W::Value), w.text(W::Progress)};
    w.window.type(W::Value, "25.5");
    w.window.click(W::Send);
    EXPECT_TRUE(w.sim.clock.advanceUntil([&] { return w.window.ended(); }, 20'000, 1));
    shown.push_back(w.text(W::Progress));
    EXPECT_EQ(shown, (std::vector<std::string>{"24.5", "Wpisz temperature",
                                               "Kalibracja pomiaru temperatury zakończona"}));
    return outcomeOf(w.sim, shown);
}

void holdsOneDegreeCorrection(const sim::State& s) { EXPECT_EQ(s.calibration.compensation, 1.0F); }

// "Ustawienia fabryczne" confirmed; the dialog closes by itself.
TimingOutcome factoryDataSession(const sim::AnswerTiming& timing) {
    DialogSession<CFactoryDataDlg> f(sim::Model::Doxa22, false);
    f.sim.transmitter->timing = timing;
    f.sim.device().calibration.outputLowI = 5.7F;
    f.sim.device().calibration.compensation = 2;
    EXPECT_TRUE(f.window.open());
    EXPECT_TRUE(f.sim.clock.advanceUntil([&] { return f.window.ended(); }, 20'000, 1));
    std::vector<std::string> shown{f.text(CFactoryDataDlg::StepText), f.text(CFactoryDataDlg::Errors)};
    EXPECT_EQ(f.window.result(), ResultOk);
    return outcomeOf(f.sim, shown);
}

void holdsFactoryCalibration(const sim::State& s) {
    EXPECT_EQ(s.calibration, s.factoryCalibration);
    EXPECT_FALSE(s.fixedOutput);
}

const std::vector<TimingScenario> CalibrationScenarios = {
    {"OutputCurrentHart", [](const sim::AnswerTiming& t) { return outputCurrentSession(t, false); },
     holdsTwelveAndAHalf},
    {"OutputCurrentRs485", [](const sim::AnswerTiming& t) { return outputCurrentSession(t, true); },
     holdsTwelveAndAHalf},
    // Each step reads twice the driver's turn after its request, less than the line's usual wait.
    {"CalibrationHart", [](const sim::AnswerTiming& t) { return calibrationSession(t, false); },
     holdsCalibratedPoints, true},
    {"CalibrationRs485", [](const sim::AnswerTiming& t) { return calibrationSession(t, true); },
     holdsCalibratedPoints, true},
    {"WizardCompensationHart",
     [](const sim::AnswerTiming& t) { return wizardCompensationSession(t, false); },
     holdsOneDegreeCorrection},
    {"WizardCompensationRs485",
     [](const sim::AnswerTiming& t) { return wizardCompensationSession(t, true); },
     holdsOneDegreeCorrection},
    // The output is driven and released with 200 ms before the line turns round.
    {"FactoryData", factoryDataSession, holdsFactoryCalibration, true},
};

class CalibrationTiming
    : public ::testing::TestWithParam<std::tuple<TimingScenario, TimingVariant>> {};

TEST_P(CalibrationTiming, TellsAndLeavesWhatAnImmediateAnswerDoes) {
    expectAsWithImmediateAnswers(std::get<0>(GetParam()), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Variants, CalibrationTiming,
                         ::testing::Combine(::testing::ValuesIn(CalibrationScenarios),
                                            ::testing::ValuesIn(TimingVariants)),
                         [](const auto& info) { return scenarioAndVariant(info); });

}  // namespace
}  // namespace doxa::test
