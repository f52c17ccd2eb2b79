#include "calibration/calib_wizard_dlg.h"

#include <gtest/gtest.h>

#include "calibration/calib_settings_dlg.h"
#include "calibration/dialog_session.h"

namespace doxa::test {
namespace {

using W = CCalibrationWizardDlg;
using S = CCalibrationSettingsDlg;

struct Wizard : DialogSession<CCalibrationWizardDlg> {
    Wizard(int options, bool rs485 = false, sim::Model model = sim::Model::Doxa22)
        : DialogSession(model, rs485) {
        sim.station.calibrationOptions = options;
    }
    bool send() { return press(W::Send); }
    // Each request's HART command or RS485 function, in order.
    std::vector<int> codes() const {
        std::vector<int> out;
        const bool rs485 = sim.station.link.transmissionMode == ModeRs485;
        for (const Bytes& request : sim.writes())
            out.push_back(request.size() == 1 ? request[0] : rs485 ? request[1] : request[12]);
        return out;
    }
};

TEST(CalibrationSettings, CompensationNeedsAMillivoltInputOrA22) {
    struct Case {
        const char* model;
        int sensorType;
        int optionsAfterAll;
    };
    for (const Case& t : {Case{"DOXA-21-R", 1, 3}, Case{"DOXA-21-R", 4, 7}, Case{"DOXA-22", 1, 7}}) {
        SimStation sim;
        sim.station.device.modelName = t.model;
        sim.station.device.sensorType = t.sensorType;
        CCalibrationSettingsDlg dialog(sim.station);
        FakeWindow window(dialog, sim.clock);
        ASSERT_TRUE(window.open());
        ASSERT_EQ(window.boxes().size(), 1u);
        EXPECT_EQ(window.boxes()[0].buttons, BoxButtons::OkCancel);
        window.click(S::All);
        window.click(S::Ok);
        EXPECT_EQ(window.result(), ResultOk);
        EXPECT_EQ(sim.station.calibrationOptions, t.optionsAfterAll) << t.model << t.sensorType;
    }
}

TEST(CalibrationSettings, ASecondClickTakesThePhaseAwayAndTheChoiceIsKeptWithTheOrder) {
    SimStation sim;
    CCalibrationSettingsDlg dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    ASSERT_TRUE(window.open());
    window.click(S::Input);
    window.click(S::Output);
    window.click(S::Input);
    window.setChecked(S::Reverse, true);
    window.click(S::Ok);
    EXPECT_EQ(sim.station.calibrationOptions, 2);
    EXPECT_EQ(sim.station.reverseOrder, 1);
}

TEST(CalibrationSettings, CancelAtTheWarningChoosesNothing) {
    SimStation sim;
    sim.station.calibrationOptions = 3;
    CCalibrationSettingsDlg dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    window.boxAnswers = {Answer::Cancel};
    window.open();
    EXPECT_TRUE(window.ended());
    EXPECT_EQ(window.result(), ResultCancel);
    EXPECT_EQ(sim.station.calibrationOptions, 0);
}

// calibrationOptions 3: start-up, both input points on "Wyślij", the output by itself one second
// after the input, two typed values, the exit, and the wizard closes itself.
TEST(CalibrationWizard, InputAndOutputRunOneAfterTheOther) {
    Wizard w(3);
    w.sim.device().input = 20;
    ASSERT_TRUE(w.open());
    EXPECT_EQ(w.text(W::Instruction), "Ustaw 100 Ohm");
    ASSERT_TRUE(w.send());
    EXPECT_EQ(w.text(W::Instruction), "Ustaw 300 Ohm");
    w.window.click(W::Send);
    ASSERT_TRUE(w.sim.clock.advanceUntil([&] { return w.text(W::Progress) == "Kalibracja wejścia zakończona"; },
                                         5000, 1));
    EXPECT_FALSE(w.window.isEnabled(W::Send));
    w.sim.clock.advance(900);
    EXPECT_EQ(w.codes().back(), 136);  // the output waits its second
    ASSERT_TRUE(w.settle());
    EXPECT_EQ(w.window.title(), "Kalibracja wyjścia ");
    EXPECT_EQ(w.text(W::Instruction), "Wpisz wartość prądu");
    EXPECT_EQ(w.text(W::Value), "5.6");
    EXPECT_TRUE(w.window.isVisible(W::Value));

    w.window.type(W::Value, "5.58");
    ASSERT_TRUE(w.send());
    EXPECT_EQ(w.text(W::Value), "18.4");
    w.window.type(W::Value, "18.43");
    ASSERT_TRUE(w.send());
    EXPECT_TRUE(w.window.ended());
    EXPECT_EQ(w.codes(), (std::vector<int>{40, 137, 136, 40, 145, 40, 146, 40, 0xFF}));
    const sim::Calibration& c = w.sim.device().calibration;
    EXPECT_EQ(c.outputLowI, 5.58f);
    EXPECT_EQ(c.outputHighI, 18.43f);
    EXPECT_NEAR(c.inputLowR, 107.7, 1e-3);
    EXPECT_FALSE(w.sim.device().fixedOutput);
    EXPECT_FALSE(w.sim.station.outputForced);
}

TEST(CalibrationWizard, CompensationAloneSkipsTheFixedOutput) {
    Wizard w(4);
    w.sim.device().ambient = 22;
    ASSERT_TRUE(w.open());
    EXPECT_EQ(w.codes(), std::vector<int>{202});
    EXPECT_EQ(w.text(W::Instruction), "Temp. wewn. w °C");
    EXPECT_EQ(w.text(W::Progress), "Wpisz temperature");
    w.window.type(W::Value, "23");
    w.window.click(W::Send);
    ASSERT_TRUE(w.sim.clock.advanceUntil([&] { return w.window.ended(); }, 5000, 1));
    EXPECT_EQ(w.codes(), (std::vector<int>{202, 203, 40, 0xFF}));
    EXPECT_NEAR(w.sim.device().calibration.compensation, 1.0f, 1e-4);
}

// The wizard reads the ambient temperature as the compensation step opens; an answer to the
// input's "Odczytaj" is never offered in its place.
TEST(CalibrationWizard, TheAmbientReadTakesOnlyItsOwnAnswer) {
    for (const bool rs485 : {false, true}) {
        for (const AmbientRace& race : AmbientRaces) {
            SCOPED_TRACE(std::string(rs485 ? "RS485, " : "HART, ") + race.name);
            Wizard w(4, rs485);
            w.sim.device().sensorCode = 1;
            w.sim.device().input = 121.3f;
            w.sim.device().ambient = 24.5f;
            // Opened, the wizard reads the ambient temperature after a pause.
            ASSERT_TRUE(w.window.open());
            raceAmbientRead(w, race, W::ReadInput, [] {});
            ASSERT_TRUE(w.settle());
            EXPECT_EQ(w.text(W::Value), "24.5");
            EXPECT_EQ(w.text(W::Progress), "Wpisz temperature");
            EXPECT_EQ(w.sim.station.device.ambientTemp, 24.5f);
        }
    }
}

// The wizard's compensation shares the dialog's handling: a write carried out whose answer did
// not come is checked by reading, never sent again, and the wizard ends once it is confirmed.
TEST(CalibrationWizard, ALostCorrectionAnswerIsCheckedByReadingNotSentAgain) {
    for (const bool rs485 : {false, true}) {
        for (const WriteAnswerFault& fault : writeAnswerFaults()) {
            SCOPED_TRACE(std::string(rs485 ? "RS485, " : "HART, ") + fault.name);
            Wizard w(4, rs485);
            w.sim.device().ambient = 24.5f;
            ASSERT_TRUE(w.open());
            ASSERT_EQ(w.text(W::Progress), "Wpisz temperature");
            fault.arm(*w.sim.transmitter, 0);
            w.window.type(W::Value, "25.5");
            w.window.click(W::Send);
            ASSERT_TRUE(w.sim.clock.advanceUntil([&] { return w.window.ended(); }, 20000, 1));
            EXPECT_EQ(w.text(W::Progress), "Kalibracja pomiaru temperatury zakończona");
            EXPECT_EQ(w.sim.device().calibration.compensation, 1.0f);
            EXPECT_EQ(w.sent(rs485 ? 0x74 : 203).size(), 1u);
        }
    }
}

// A correction the transmitter never takes: three sends, then "Wyślij" is offered again, and
// the next press reads before it sends anything.
TEST(CalibrationWizard, ACorrectionNeverTakenIsNotConfirmedAndCheckedBeforeTheNextSend) {
    Wizard w(4);
    w.sim.device().ambient = 24.5f;
    ASSERT_TRUE(w.open());
    w.sim.transmitter->faults.loseCalibration.probability = 1;
    w.window.type(W::Value, "25.5");
    ASSERT_TRUE(w.send());
    EXPECT_EQ(w.sent(203).size(), 3u);
    EXPECT_EQ(w.text(W::Progress),
              "Przetwornik nie potwierdził zapisu korekty – sprawdź odczyt temperatury przed powtórzeniem");
    EXPECT_TRUE(w.window.isEnabled(W::Send));
    EXPECT_EQ(w.sim.device().calibration.compensation, 0.0f);

    w.sim.transmitter->faults.loseCalibration.probability = 0;
    w.sim.device().calibration.compensation = 1;  // taken meanwhile, say by hand
    const std::size_t before = w.sim.writes().size();
    w.window.click(W::Send);
    ASSERT_TRUE(w.sim.clock.advanceUntil([&] { return w.window.ended(); }, 20000, 1));
    EXPECT_EQ(w.sim.requests(before).front(), 202);
    EXPECT_EQ(w.sent(203).size(), 3u);
    EXPECT_EQ(w.text(W::Progress), "Kalibracja pomiaru temperatury zakończona");
}

TEST(CalibrationWizard, ReverseOrderStartsAtTheUpperReference) {
    struct Case {
        bool rs485;
        std::uint8_t sensor;
        const char* first;
        const char* second;
    };
    for (const Case& t : {Case{false, 1, "Ustaw 300 Ohm", "Ustaw 100 Ohm"}, Case{true, 4, "Ustaw 80 mV", "Ustaw 0 mV"}}) {
        Wizard w(1, t.rs485);
        w.sim.station.reverseOrder = 1;
        w.sim.station.device.sensorType = t.sensor;
        ASSERT_TRUE(w.open());
        EXPECT_EQ(w.text(W::Instruction), t.first);
        ASSERT_TRUE(w.send());
        EXPECT_EQ(w.codes().back(), 136);
        EXPECT_EQ(w.text(W::Instruction), t.second);
        w.window.click(W::Send);
        ASSERT_TRUE(w.sim.clock.advanceUntil([&] { return w.window.ended(); }, 5000, 1));
        EXPECT_EQ(w.sent(137).size(), 1u);
    }
}

TEST(CalibrationWizard, TrimCancelWritesBackTheByteItRead) {
    Wizard w(16);
    w.sim.device().trim = 3;
    const std::uint8_t configuration = w.sim.device().configurationByte();
    ASSERT_TRUE(w.open());
    EXPECT_EQ(w.window.title(), "Anuluj Trim");
    EXPECT_EQ(w.text(W::Send), "Anuluj Trim");
    EXPECT_TRUE(w.sim.writes().empty());
    w.window.click(W::Send);
    ASSERT_TRUE(w.sim.clock.advanceUntil([&] { return w.window.ended(); }, 5000, 1));
    const std::vector<Bytes> trims = w.sent(147);
    ASSERT_EQ(trims.size(), 2u);
    EXPECT_EQ(trims[0], hartRequest({0x02, 0x80, 147, 0, 0x11}));
    EXPECT_EQ(head(trims[1], 15), hartRequest({0x02, 0x80, 147, 1, configuration}));
    EXPECT_EQ(w.sim.device().trim, 0.0f);
}

TEST(CalibrationWizard, TrimSetGoesAsHartEvenOnRs485) {
    Wizard w(8 | 16, true);
    ASSERT_TRUE(w.open());
    EXPECT_EQ(w.window.title(), "Ustaw Trim");
    w.window.click(W::Send);
    ASSERT_TRUE(w.sim.clock.advanceUntil([&] { return w.text(W::Progress) == "Trim ustawiony"; }, 5000, 1));
    const std::vector<Bytes> writes = w.sim.writes();
    EXPECT_EQ(writes.front(), hartRequest({0x02, 0x80, 43, 0, 0xA9}));
    ASSERT_TRUE(w.settle());
    EXPECT_TRUE(w.window.ended());  // RS485 leaves at once
}

TEST(CalibrationWizard, ModbusOutputPhaseWritesTheModeRegisterAroundEachPoint) {
    Wizard w(2, true);
    ASSERT_TRUE(w.open());
    EXPECT_EQ(w.text(W::Instruction), "Wpisz wartość prądu");
    ASSERT_TRUE(w.send());
    ASSERT_TRUE(w.send());
    EXPECT_EQ(w.text(W::Progress), "Kalibracja wyjścia zakończona");
    EXPECT_TRUE(w.window.ended());
    std::vector<int> modeValues;
    for (const Bytes& request : w.sent(6)) modeValues.push_back(request[5]);
    EXPECT_EQ(modeValues, (std::vector<int>{0x08, 0x08, 0x08, 0x48, 0x48, 0x00}));
    EXPECT_EQ(w.codes(), (std::vector<int>{6, 6, 16, 6, 145, 6, 16, 6, 146, 6, 0xFF}));
    EXPECT_FALSE(w.sim.device().fixedOutput);
    EXPECT_FALSE(w.sim.station.outputForced);
}

TEST(CalibrationWizard, ModbusPointWithoutAnswerIsNotConfirmedAndMeasuredAgain) {
    Wizard w(2, true);
    ASSERT_TRUE(w.open());
    w.sim.transmitter->faults.loseCalibration.probability = 1;
    ASSERT_TRUE(w.send());
    EXPECT_EQ(w.sent(145).size(), 1u);
    EXPECT_EQ(w.text(W::Progress),
              "Przetwornik nie potwierdził zapisu punktu – ustaw wyjście i zmierz je ponownie przed powtórzeniem");
    EXPECT_TRUE(w.window.isEnabled(W::Send));
    EXPECT_EQ(w.sim.station.outputPointSent, 1);

    // The next press drives the output again and asks for a new measurement first.
    w.sim.transmitter->faults.loseCalibration.probability = 0;
    ASSERT_TRUE(w.send());
    EXPECT_EQ(w.sent(145).size(), 1u);
    EXPECT_EQ(w.text(W::Value), "5.6");
    ASSERT_TRUE(w.send());
    EXPECT_EQ(w.sent(145).size(), 2u);
    EXPECT_EQ(w.text(W::Value), "18.4");
}

TEST(CalibrationWizard, ModbusZamknijEndsAtOnceLeavingTheOutputFixed) {
    Wizard w(1, true);
    ASSERT_TRUE(w.open());
    ASSERT_TRUE(w.press(W::Close));
    EXPECT_TRUE(w.window.ended());
    EXPECT_EQ(w.codes(), (std::vector<int>{6, 0xFF}));
    EXPECT_EQ(w.sim.device().outputMode, 0x08);
    EXPECT_TRUE(w.sim.station.outputForced);
}

}  // namespace
}  // namespace doxa::test
