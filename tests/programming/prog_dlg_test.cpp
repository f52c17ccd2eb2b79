#include "programming/prog_dlg.h"

#include <gtest/gtest.h>

#include "programming/characteristic_dlg.h"
#include "programming/output_type_dlg.h"
#include "programming_session.h"

namespace doxa::test {
namespace {

using D = CProgDlg;
using Programming = Session<CProgDlg>;

TEST(ProgrammingDialog, IdentifiesOverHartBeforeItSends) {
    Programming p;
    p.sim.device().serialNumber = 3999;
    p.sim.station.device.modelName = "DOXA-21-R";
    ASSERT_TRUE(p.window.open());
    EXPECT_EQ(p.boxTexts(), std::vector<std::string>{"Nastąpi rozpoznanie przetwornika"});
    EXPECT_EQ(p.text(StepText), "Rozpoznawanie przetwornika");
    EXPECT_EQ(p.text(D::ModelText), "Typ przetwornika: DOXA-21-R");
    p.window.click(D::Send);  // not ready yet: nothing happens
    EXPECT_TRUE(p.sim.writes().empty());

    ASSERT_TRUE(p.sim.clock.advanceUntil(
        [&] { return p.text(StepText) == "Przetwornik rozpoznany"; }, 5000));
    EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, -1}));
    EXPECT_EQ(p.sim.writes().front(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                             0xFF, 0x02, 0x80, 0x00, 0x00, 0x82}));
    EXPECT_EQ(p.text(D::ModelText), "Typ przetwornika: DOXA-22");
    EXPECT_EQ(p.text(ReplyText), " ");
    EXPECT_EQ(p.sim.station.identifiedSerial, 3999);
    EXPECT_EQ(p.sim.station.device.serialNumber, 0) << "the record's serial number is not touched";
    EXPECT_TRUE(p.window.isReadOnly(D::Address));
    EXPECT_FALSE(p.window.timerRunning(2));
}

TEST(ProgrammingDialog, GivesUpAfterFiveUnansweredRequests) {
    Programming p;
    p.sim.transmitter->faults.drop.probability = 1;
    ASSERT_TRUE(p.window.open());
    ASSERT_TRUE(p.sim.clock.advanceUntil([&] { return p.window.ended(); }, 20000));
    EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, 0, 0, 0, 0, -1}));
    EXPECT_EQ(p.text(ReplyText), "Brak odpowiedzi");
    EXPECT_EQ(p.boxTexts().back(),
              "Przetwornik nie został odnaleziony Sprawdź podłączenie przetwornika lub ustaw prąd "
              "powyzej 6 mA i spróbuj ponownie");
    EXPECT_EQ(p.window.result(), ResultCancel);
}

TEST(ProgrammingDialog, AnRtdOnlyTransmitterIsSentToItsOwnDialog) {
    Programming p(sim::Model::Sawe01Rtd);
    EXPECT_FALSE(p.openReady());
    EXPECT_EQ(p.boxTexts().back(), "Przetwornik niezgodny. Uruchom ponownie 'Programowanie'");
    EXPECT_EQ(p.window.result(), ResultCancel);
    EXPECT_EQ(p.sim.station.device.isRtdOnly, 1);
}

struct ModelControls {
    sim::Model model;
    std::vector<int> disabled;
};

TEST(ProgrammingDialog, ControlsFollowTheRecognisedModel) {
    const std::vector<int> voltageInputs = {D::SensorK, D::SensorJ,        D::SensorS,
                                            D::SensorB, D::SensorVoltage,  D::SensorN,
                                            D::SensorT, D::CharacteristicU};
    const std::vector<int> resistanceInputs = {D::SensorPt100, D::SensorNi100, D::SensorResistance,
                                               D::CharacteristicR};
    auto with = [](std::vector<int> ids, std::initializer_list<int> more) {
        ids.insert(ids.end(), more);
        return ids;
    };
    const ModelControls cases[] = {
        {sim::Model::Doxa22, {}},
        {sim::Model::Rivo22, {}},
        {sim::Model::Doxa21R, voltageInputs},
        {sim::Model::Sawe01, with(voltageInputs, {D::ThresholdOnOff})},
        {sim::Model::Rivo21R, with(voltageInputs, {D::ThresholdOnOff, D::SensorsActive})},
        {sim::Model::Doxa21U, resistanceInputs},
        {sim::Model::Rivo21U, with(resistanceInputs, {D::ThresholdOnOff, D::SensorsActive})},
    };
    const std::vector<int> all =
        with(with(voltageInputs, {D::ThresholdOnOff, D::SensorsActive}),
             {D::SensorPt100, D::SensorNi100, D::SensorResistance, D::CharacteristicR});
    for (const ModelControls& c : cases) {
        SCOPED_TRACE(std::string(sim::modelName(c.model)));
        Programming p(c.model);
        ASSERT_TRUE(p.openReady());
        for (int id : all) {
            const bool off =
                std::find(c.disabled.begin(), c.disabled.end(), id) != c.disabled.end();
            EXPECT_EQ(p.window.isEnabled(id), !off) << id;
        }
    }
}

TEST(ProgrammingDialog, StartsFromTheDeviceRecord) {
    Programming p(sim::Model::Doxa22, true);
    DeviceRecord& d = p.sim.station.device;
    d.sensorType = 14;
    d.modelName = "DOXA-22";
    d.rangeMin = -12.5f;
    d.rangeMax = 300;
    d.threshold = 250;
    d.hysteresis = 7;
    d.thresholdActive = 1;
    d.thresholdDirection = 1;
    d.filterOrder = 2;
    d.filterTime = 5;
    d.breakSignal = 1;
    d.connection = 2;
    d.pollingAddress = 17;
    ASSERT_TRUE(p.openReady());
    EXPECT_TRUE(p.window.isChecked(D::CharacteristicR));
    EXPECT_EQ(p.text(D::UnitMin), "");
    EXPECT_EQ(p.text(D::RangeMin), "-12.5");
    EXPECT_EQ(p.text(D::RangeMax), "300");
    EXPECT_EQ(p.text(D::Threshold), "250");
    EXPECT_EQ(p.text(D::Hysteresis), "7");
    EXPECT_EQ(p.text(D::FilterTime), "5");
    EXPECT_EQ(p.text(D::Address), "17");
    for (int id : {D::Order2, D::BreakMin, D::Count3, D::ThresholdOnOff, D::DirectionMin})
        EXPECT_TRUE(p.window.isChecked(id)) << id;
    EXPECT_FALSE(p.window.isChecked(D::SensorsActive));
    EXPECT_TRUE(p.window.isVisible(D::DirectionMin));
}

TEST(ProgrammingDialog, OverRs485AnInactiveThresholdCannotBeSwitchedOn) {
    Programming p(sim::Model::Doxa22, true);
    ASSERT_TRUE(p.openReady());
    EXPECT_TRUE(p.sim.writes().empty());
    EXPECT_FALSE(p.window.isEnabled(D::ThresholdOnOff));
    EXPECT_FALSE(p.window.isChecked(D::ThresholdOnOff));
    EXPECT_FALSE(p.window.isVisible(D::DirectionMin));
    EXPECT_FALSE(p.window.isVisible(D::DirectionMax));
}

TEST(ProgrammingDialog, SensorButtonsLoadTheirDefaultsAndUnits) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    p.choose(D::SensorK);
    EXPECT_EQ(p.text(D::RangeMin), "-250");
    EXPECT_EQ(p.text(D::RangeMax), "1350");
    EXPECT_EQ(p.text(D::Threshold), "1300");
    EXPECT_EQ(p.text(D::Hysteresis), "50");
    EXPECT_EQ(p.text(D::UnitHysteresis), "°C");
    EXPECT_FALSE(p.window.isChecked(D::SensorPt100)) << "one sensor only";

    p.choose(D::SensorVoltage);
    EXPECT_EQ(p.text(D::RangeMin), "-10");
    EXPECT_EQ(p.text(D::Hysteresis), "5");
    EXPECT_EQ(p.text(D::UnitMax), "mV");
    EXPECT_FALSE(p.window.isChecked(D::SensorK));

    p.choose(D::SensorResistance);
    EXPECT_EQ(p.text(D::RangeMax), "375");
    EXPECT_EQ(p.text(D::UnitThreshold), "Ohm");

    p.choose(D::SensorT);
    EXPECT_EQ(p.text(D::RangeMin), "-260");
    EXPECT_EQ(p.boxTexts().back(),
              "Termopara typu T dostępna w przetwornikach od numery fabrycznego 2772/00");

    p.window.setChecked(D::SensorJ, false);  // a click that leaves the button unchecked
    p.window.click(D::SensorJ);
    EXPECT_EQ(p.text(D::RangeMin), "-260");
}

struct RuleCase {
    int sensorRadio;
    int edit;
    const char* min;
    const char* max;
    const char* typed;
    const char* shown;
};

TEST(ProgrammingDialog, LeavingAnEditKeepsTheValueInsideTheSensorsLimits) {
    const RuleCase cases[] = {
        {D::SensorPt100, D::RangeMin, "-200", "850", "845", "840"},
        {D::SensorPt100, D::RangeMin, "-200", "850", "-300", "-200"},
        {D::SensorPt100, D::RangeMax, "0", "850", "900", "850"},
        {D::SensorPt100, D::RangeMax, "100", "850", "105", "110"},
        {D::SensorS, D::RangeMax, "100", "1750", "250", "300"},
        {D::SensorK, D::RangeMax, "0", "1000", "1400", "1350"},
        {D::SensorK, D::RangeMin, "-100", "1000", "-300", "-250"},
        {D::SensorVoltage, D::RangeMin, "-10", "90", "-25", "-20"},
        {D::SensorVoltage, D::RangeMin, "-10", "90", "90", "90"},
        {D::CharacteristicR, D::RangeMin, "0", "100", "-5000", "-5000"},
        {D::CharacteristicU, D::RangeMax, "0", "100", "1e+06", "1e+06"},
        {D::SensorPt100, D::Threshold, "0", "100", "900", "850"},
        {D::SensorK, D::Hysteresis, "0", "100", "150", "100"},
        {D::SensorK, D::Hysteresis, "0", "100", "0", "1"},
        {D::SensorPt100, D::RangeMin, "-200", "850", "12,5", "12.5"},
        {D::SensorPt100, D::RangeMin, "-200", "850", "abc", "-200"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " into " + std::to_string(c.edit));
        Programming p;
        ASSERT_TRUE(p.openReady());
        p.choose(c.sensorRadio);
        p.enter(D::RangeMin, c.min);
        p.enter(D::RangeMax, c.max);
        p.enter(c.edit, c.typed);
        EXPECT_EQ(p.text(c.edit), c.shown);
    }
}

// A range loaded from a file reaches "Wyślij" without passing the edits' rule; one the rule would
// change, or one of no width, is refused there and nothing is written.
TEST(ProgrammingDialog, WyslijRefusesARangeTheRangeRuleWouldChange) {
    const struct {
        int sensorType;
        float min, max;
        const char* refusal;  // empty: programmed as it stands
    } cases[] = {
        {1, 50, 50, "Błędny zakres: min = 50 °C, dozwolone -200 … 850 °C i co najmniej 10 °C poniżej max = 50 °C"},
        {1, 150, 0, "Błędny zakres: min = 150 °C, dozwolone -200 … 850 °C i co najmniej 10 °C poniżej max = 0 °C"},
        {1, 50, 50.5F, "Błędny zakres: min = 50 °C, dozwolone -200 … 850 °C i co najmniej 10 °C poniżej max = 50.5 °C"},
        {1, -200, 860, "Błędny zakres: max = 860 °C, dozwolone -200 … 850 °C i co najmniej 10 °C powyżej min = -200 °C"},
        {6, 0, 150, "Błędny zakres: min = 0 °C, dozwolone -50 … 1750 °C i co najmniej 200 °C poniżej max = 150 °C"},
        {0, 5, 300, "Błędny zakres: min = 5 Ohm, dozwolone 10 … 400 Ohm i co najmniej 10 Ohm poniżej max = 300 Ohm"},
        {3, -25, 50, "Błędny zakres: min = -25 mV, dozwolone -20 … 90 mV"},
        {3, 50, 50, "Błędny zakres: max = 50 mV, musi być różny od min = 50 mV"},
        {15, 7, 7, "Błędny zakres: max = 7, musi być różny od min = 7"},
        {1, -200, 850, ""},
        {1, 40, 50, ""},
        {3, 80, 10, ""},
        {15, 100, -100, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.sensorType) + ": " + std::to_string(c.min) + " … " + std::to_string(c.max));
        Programming p;
        DeviceRecord& loaded = p.sim.station.device;
        loaded.sensorType = c.sensorType;
        loaded.rangeMin = c.min;
        loaded.rangeMax = c.max;
        ASSERT_TRUE(p.openReady());
        const std::size_t written = p.sim.writes().size();
        if (*c.refusal == '\0') {
            EXPECT_EQ(p.program(), Saved);
            EXPECT_EQ(std::make_pair(p.sim.device().rangeLower, p.sim.device().rangeUpper),
                      std::make_pair(c.min, c.max));
            continue;
        }
        p.window.click(SendButton);
        p.sim.clock.advance(5000);
        EXPECT_EQ(p.boxTexts().back(), c.refusal);
        EXPECT_EQ(p.sim.writes().size(), written);
    }
}

TEST(ProgrammingDialog, SpinArrowsStepWholeNumbersWithinTheirRules) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    p.choose(D::SensorPt100);
    p.window.type(D::RangeMin, "12.7");
    p.dialog.onScroll(D::RangeMinSpin, Scroll::LineUp);
    EXPECT_EQ(p.text(D::RangeMin), "13");
    p.window.type(D::RangeMax, "23");
    p.dialog.onScroll(D::RangeMaxSpin, Scroll::LineDown);
    EXPECT_EQ(p.text(D::RangeMax), "23") << "22 is closer to the minimum than the span allows";

    p.window.type(D::Hysteresis, "2");
    for (int i = 0; i < 3; ++i) p.dialog.onScroll(D::HysteresisSpin, Scroll::LineDown);
    EXPECT_EQ(p.text(D::Hysteresis), "1");
    p.window.type(D::Hysteresis, "98");
    for (int i = 0; i < 3; ++i) p.dialog.onScroll(D::HysteresisSpin, Scroll::LineUp);
    EXPECT_EQ(p.text(D::Hysteresis), "99");

    p.window.type(D::Threshold, "849.5");
    p.dialog.onScroll(D::ThresholdSpin, Scroll::LineUp);
    p.dialog.onScroll(D::ThresholdSpin, Scroll::LineUp);
    EXPECT_EQ(p.text(D::Threshold), "850");
}

TEST(ProgrammingDialog, FilterTimeSpinFollowsTheLadderOnlyWithAFilterOn) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    p.pick({D::Order0, D::Order1, D::Order2}, D::Order0);
    p.dialog.onScroll(D::FilterTimeSpin, Scroll::LineUp);
    EXPECT_EQ(p.text(D::FilterTime), "0");
    p.pick({D::Order0, D::Order1, D::Order2}, D::Order1);
    std::vector<std::string> shown;
    for (int i = 0; i < 5; ++i) {
        p.dialog.onScroll(D::FilterTimeSpin, Scroll::LineUp);
        shown.push_back(p.text(D::FilterTime));
    }
    for (int i = 0; i < 5; ++i) {
        p.dialog.onScroll(D::FilterTimeSpin, Scroll::LineDown);
        shown.push_back(p.text(D::FilterTime));
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{"1", "2", "5", "10", "10", "5", "2", "1", "0", "0"}));
}

TEST(ProgrammingDialog, OnOffShowsTheDirectionAndKeepsOneOfItsTwoChosen) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    EXPECT_FALSE(p.window.isVisible(D::DirectionMax));
    p.choose(D::ThresholdOnOff);
    EXPECT_TRUE(p.window.isVisible(D::DirectionMin));
    EXPECT_TRUE(p.window.isVisible(D::DirectionMax));
    EXPECT_TRUE(p.window.isChecked(D::DirectionMax));
    p.choose(D::ThresholdOnOff, false);
    EXPECT_FALSE(p.window.isVisible(D::DirectionMin));
}

TEST(ProgrammingDialog, AnAddressOutsideItsRangeStopsWyslij) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    const std::size_t written = p.sim.writes().size();
    p.choose(D::ProgramAddress);
    EXPECT_FALSE(p.window.isReadOnly(D::Address));
    for (const char* typed : {"128", "-1", "x"}) {
        p.window.type(D::Address, typed);
        p.window.click(SendButton);
        EXPECT_EQ(p.boxTexts().back(), "Błędny adres. Wprowadź liczbę od 0 do 127");
    }
    p.sim.clock.advance(5000);
    EXPECT_EQ(p.sim.writes().size(), written);
}

struct CharacteristicCase {
    sim::Model model;
    std::uint32_t serial;
    int code;
};

TEST(ProgrammingDialog, ResistanceCharacteristicCodeDependsOnModelAndSerial) {
    const CharacteristicCase cases[] = {{sim::Model::Doxa21R, 3999, 15},
                                        {sim::Model::Doxa21R, 4000, 14},
                                        {sim::Model::Doxa22, 10, 14}};
    for (const CharacteristicCase& c : cases) {
        SCOPED_TRACE(c.serial);
        Programming p(c.model);
        p.sim.device().serialNumber = c.serial;
        ASSERT_TRUE(p.openReady());
        p.choose(D::CharacteristicR);
        EXPECT_EQ(p.program(), Saved);
        EXPECT_EQ(p.sim.station.device.sensorType, c.code);
        EXPECT_EQ(p.sim.device().sensorCode, c.code);
    }
}

TEST(ProgrammingDialog, RivoOutputButtonChoosesTheOutputType) {
    Programming p(sim::Model::Rivo22);
    ASSERT_TRUE(p.openReady());
    p.sim.station.device.outputType = 1;
    int shownWith = -2;
    p.window.onChild = [&](DialogLogic& child) {
        FakeWindow output(child, p.sim.clock);
        EXPECT_TRUE(output.open());
        for (int id : {110, 111, 112, 113}) shownWith = output.isChecked(id) ? id : shownWith;
        output.setChecked(COutputTypeDlg::Current4To20, false);
        output.setChecked(COutputTypeDlg::Voltage0To10, true);
        output.click(COutputTypeDlg::Ok);
        return output.result();
    };
    p.window.click(D::OutputType);
    EXPECT_EQ(shownWith, COutputTypeDlg::Current4To20);
    EXPECT_EQ(p.sim.station.device.outputType, 3);

    p.window.onChild = [&](DialogLogic& child) {
        FakeWindow output(child, p.sim.clock);
        output.open();
        output.setChecked(COutputTypeDlg::Current0To20, true);
        output.click(COutputTypeDlg::Close);
        return output.result();
    };
    p.window.click(D::OutputType);
    EXPECT_EQ(p.sim.station.device.outputType, 3) << "Zamknij keeps the type";
}

TEST(ProgrammingDialog, RivoOutputButtonDoesNothingOutsideTheRivoFamily) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    p.sim.station.device.outputType = 2;
    bool shown = false;
    p.window.onChild = [&](DialogLogic& child) {
        FakeWindow output(child, p.sim.clock);
        shown = output.open();
        return output.result();
    };
    p.window.click(D::OutputType);
    EXPECT_FALSE(shown);
    EXPECT_EQ(p.sim.station.device.outputType, 2);
}

TEST(ProgrammingDialog, ClosingReleasesTheLine) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    const std::size_t written = p.sim.writes().size();
    p.window.click(D::Close);
    EXPECT_TRUE(p.window.ended());
    // The identification's own release byte may still be on the line; this one follows it.
    p.sim.clock.advance(20);
    EXPECT_EQ(p.sim.writes().size(), written + 1);
    EXPECT_EQ(p.sim.writes().back(), Bytes{0xFF});
    EXPECT_FALSE(p.sim.line()->rts());
}

TEST(ProgrammingDialog, TheTablePausesTheDialogsOwnExchanges) {
    Programming p;
    int tables = 0;
    bool identifying = true;
    p.window.onChild = [&](DialogLogic& child) {
        EXPECT_NE(dynamic_cast<CCharacteristicDlg*>(&child), nullptr);
        identifying = p.window.timerRunning(2);
        ++tables;
        return int{ResultCancel};
    };
    ASSERT_TRUE(p.window.open());
    p.window.click(D::Table);  // during the identification: it stops, then starts again
    EXPECT_EQ(tables, 1);
    EXPECT_FALSE(identifying);
    ASSERT_TRUE(p.sim.clock.advanceUntil(
        [&] { return p.text(StepText) == "Przetwornik rozpoznany"; }, 5000));

    p.window.click(SendButton);
    p.window.click(D::Table);  // a write under way finishes first
    EXPECT_EQ(tables, 1);
    ASSERT_TRUE(p.sim.clock.advanceUntil(
        [&] { return p.text(StepText) == "Koniec programowania"; }, 60000));
    p.window.click(D::Table);
    EXPECT_EQ(tables, 2);
    EXPECT_FALSE(p.window.timerRunning(2)) << "a finished identification is not repeated";
}

}  // namespace
}  // namespace doxa::test
