#include "calibration/calib_dlg.h"

#include <gtest/gtest.h>

#include "calibration/dialog_session.h"
#include "link/value_codec.h"

namespace doxa::test {
namespace {

using D = CCalibrationDlg;

struct Calibration : DialogSession<CCalibrationDlg> {
    explicit Calibration(bool rs485 = false, sim::Model model = sim::Model::Doxa22)
        : DialogSession(model, rs485, [this] { ++viewUpdates; }) {}
    int viewUpdates = 0;
};

TEST(CalibrationDialog, FixesTheOutputAt12WhileOpenAndZamknijReleasesIt) {
    Calibration c;
    ASSERT_TRUE(c.open());
    EXPECT_EQ(c.sim.writes().front(), hartRequest({0x02, 0x80, 40, 4, 0x41, 0x40, 0x00, 0x00, 0xAF}));
    EXPECT_EQ(c.text(D::Status), " ");
    EXPECT_EQ(c.sim.device().fixedOutput, 12.0f);
    EXPECT_TRUE(c.sim.station.outputForced);

    ASSERT_TRUE(c.press(D::Close));
    EXPECT_TRUE(c.window.ended());
    EXPECT_EQ(c.window.result(), ResultCancel);
    EXPECT_EQ(c.sent(40).back(), hartRequest({0x02, 0x80, 40, 4, 0, 0, 0, 0, 0xAE}));
    EXPECT_FALSE(c.sim.device().fixedOutput);
    EXPECT_FALSE(c.sim.station.outputForced);
}

TEST(CalibrationDialog, EscClosesAtOnceAndTheOutputStaysFixed) {
    Calibration c;
    ASSERT_TRUE(c.open());
    const std::size_t before = c.sim.writes().size();
    c.window.close();
    EXPECT_TRUE(c.window.ended());
    EXPECT_EQ(c.sim.requests(before), std::vector<int>{-1});
    EXPECT_TRUE(c.sim.station.outputForced);
}

// The transmitter refuses the first lower-point request (HART response code 0x40, a MODBUS
// exception); the request is repeated until it is taken.
TEST(CalibrationDialog, InputPointIsRepeatedUntilTheTransmitterTakesIt) {
    for (const bool rs485 : {false, true}) {
        Calibration c(rs485);
        c.sim.device().input = 20;
        ASSERT_TRUE(c.open());
        c.sim.transmitter->faults.notImplemented.onRequest = c.sim.transmitter->requestCount() + 1;
        c.window.click(D::InputLow);
        c.sim.clock.advance(10);
        EXPECT_EQ(c.text(D::Status), "Kalibracja dla 100 Ohm, 0mV");
        ASSERT_TRUE(c.settle());
        EXPECT_EQ(c.text(D::Status), "Dana zapisana") << rs485;
        EXPECT_EQ(c.sent(137).size(), 2u) << rs485;
        // A Pt 100 at 20 °C has 107.7 Ohm; the transmitter keeps that as its 100 Ohm point.
        EXPECT_NEAR(c.sim.device().calibration.inputLowR, 107.7, 1e-3) << rs485;
    }
}

TEST(CalibrationDialog, TwoKalibrujOnOneRowStoreOnePointThenCalibrateTheOutput) {
    Calibration c;
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(c.press(D::DriveLow));
    EXPECT_EQ(c.sent(40).back(), hartRequest({0x02, 0x80, 40, 4, 0x40, 0xB3, 0x33, 0x00, 0x6E}));
    EXPECT_EQ(c.text(D::Status), "Wpisz wartość prądu");
    EXPECT_EQ(c.text(D::Point1), "5.6");

    c.window.type(D::Point1, "5,62");
    ASSERT_TRUE(c.press(D::CalibratePoint1));
    EXPECT_EQ(c.sent(145).back(), hartRequest({0x02, 0x80, 145, 4, 0x40, 0xB3, 0xD7, 0x0A, 0x39}));
    EXPECT_EQ(c.text(D::Status), "Prąd dla 5,6mA zapisany");
    EXPECT_EQ(c.dialog.onePointStored(), 1);
    EXPECT_EQ(c.sim.device().calibration.outputLowI, 5.62f);

    ASSERT_TRUE(c.press(D::CalibratePoint1));
    EXPECT_EQ(c.text(D::Status), "Wyjście skalibrowane");
    EXPECT_EQ(c.dialog.onePointStored(), 0);
}

TEST(CalibrationDialog, RivoVoltageOutputOffersItsOwnTestPoints) {
    Calibration c(false, sim::Model::Rivo22);
    c.sim.station.device.isRivo = 1;
    c.sim.station.device.outputType = 3;
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(c.press(D::DriveHigh));
    EXPECT_EQ(head(c.sent(40).back(), 18), hartRequest({0x02, 0x80, 40, 4, 0x41, 0x10, 0x00, 0x00}));
    EXPECT_EQ(c.text(D::Point2), "9");
    EXPECT_EQ(c.text(D::Status), "Wpisz wartość napięcia");
}

TEST(CalibrationDialog, ModbusModeRegisterCarries0x0048AfterOneStoredPoint) {
    Calibration c(true);
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(c.press(D::DriveLow));
    EXPECT_EQ(head(c.sent(16).back(), 15),
              (Bytes{0, 16, 0x00, 0xE0, 0, 4, 8, 0, 0x81, 0, 0x33, 0, 0x33, 0, 0x33}));
    EXPECT_EQ(head(c.sent(6).back(), 6), (Bytes{0, 6, 0x00, 0x3E, 0x00, 0x08}));

    ASSERT_TRUE(c.press(D::CalibratePoint1));
    EXPECT_EQ(c.text(D::Status), "Prąd dla 5,6mA zapisany");
    ASSERT_TRUE(c.press(D::DriveHigh));
    EXPECT_EQ(head(c.sent(16).back(), 15),
              (Bytes{0, 16, 0x00, 0xE0, 0, 4, 8, 0, 0x83, 0, 0x13, 0, 0x33, 0, 0x33}));
    EXPECT_EQ(head(c.sent(6).back(), 6), (Bytes{0, 6, 0x00, 0x3E, 0x00, 0x48}));
}

// Without a valid answer (right function, right CRC) an RS485 point is reported as not
// confirmed after its one send: the transmitter may have trimmed already.
TEST(CalibrationDialog, ModbusPointWithoutAValidAnswerIsReportedNotConfirmed) {
    struct Case {
        const char* fault;
        sim::FaultRule sim::Faults::*rule;
    };
    for (const Case& fault : {Case{"lost", &sim::Faults::loseCalibration}, Case{"garbled", &sim::Faults::garble}}) {
        Calibration c(true);
        ASSERT_TRUE(c.open());
        ASSERT_TRUE(c.press(D::DriveLow));
        (c.sim.transmitter->faults.*fault.rule).probability = 1;
        c.window.type(D::Point1, "5.7");
        ASSERT_TRUE(c.press(D::CalibratePoint1));
        EXPECT_EQ(c.sent(145).size(), 1u) << fault.fault;
        EXPECT_EQ(c.text(D::Status),
                  "Przetwornik nie potwierdził zapisu punktu – ustaw wyjście i zmierz je ponownie przed powtórzeniem")
            << fault.fault;
        EXPECT_EQ(c.dialog.onePointStored(), 0) << fault.fault;
    }
}

constexpr std::string_view CorrectionNotConfirmed =
    "Przetwornik nie potwierdził zapisu korekty – sprawdź odczyt temperatury przed powtórzeniem";

// Command 203 adds the difference it carries to the transmitter's correction; RS485 writes the
// whole correction. However the answer fails, the transmitter ends with the +1.0 that 25.5 typed
// over a reading of 24.5 asks for, never +2.0, and the write that was carried out is not sent
// again.
TEST(CalibrationDialog, ALostCorrectionAnswerIsCheckedByReadingNotSentAgain) {
    for (const bool rs485 : {false, true}) {
        for (const WriteAnswerFault& fault : writeAnswerFaults()) {
            SCOPED_TRACE(std::string(rs485 ? "RS485, " : "HART, ") + fault.name);
            Calibration c(rs485);
            c.sim.device().ambient = 24.5f;
            ASSERT_TRUE(c.open());
            ASSERT_TRUE(c.press(D::ReadAmbient));
            ASSERT_EQ(c.text(D::Ambient), "24.5");
            fault.arm(*c.sim.transmitter, 0);
            c.window.type(D::Ambient, "25.5");
            ASSERT_TRUE(c.press(D::CalibrateAmbient));
            EXPECT_EQ(c.text(D::Status), "Kalibracja temperatury kompensacji zakończona");
            EXPECT_EQ(c.sim.device().calibration.compensation, 1.0f);
            EXPECT_EQ(c.sent(rs485 ? 0x74 : 203).size(), 1u);
        }
    }
}

// A correction lost on its way is sent again once a reading shows it missing; one the
// transmitter never takes is sent three times, then the technician is told it was not
// confirmed.
TEST(CalibrationDialog, AMissingCorrectionIsSentAgainAtMostThreeTimes) {
    for (const bool rs485 : {false, true}) {
        for (const bool never : {false, true}) {
            SCOPED_TRACE(std::string(rs485 ? "RS485" : "HART") + (never ? ", never taken" : ", lost once"));
            Calibration c(rs485);
            c.sim.device().ambient = 24.5f;
            ASSERT_TRUE(c.open());
            ASSERT_TRUE(c.press(D::ReadAmbient));
            sim::FaultRule& lose = c.sim.transmitter->faults.loseCalibration;
            if (never) lose.probability = 1;
            else lose.onRequest = c.sim.transmitter->requestCount() + 1;
            c.window.type(D::Ambient, "25.5");
            ASSERT_TRUE(c.press(D::CalibrateAmbient));
            EXPECT_EQ(c.sent(rs485 ? 0x74 : 203).size(), never ? 3u : 2u);
            EXPECT_EQ(c.text(D::Status), never ? CorrectionNotConfirmed
                                               : "Kalibracja temperatury kompensacji zakończona");
            EXPECT_EQ(c.sim.device().calibration.compensation, never ? 0.0f : 1.0f);
        }
    }
}

// Every correction starts from a reading taken in this window: "Kalibruj" before "Odczytaj"
// reads first, and a second "Kalibruj" sends only what the first one left.
TEST(CalibrationDialog, EveryCorrectionStartsFromThePresentReading) {
    for (const bool rs485 : {false, true}) {
        SCOPED_TRACE(rs485 ? "RS485" : "HART");
        Calibration c(rs485);
        c.sim.device().ambient = 24.5f;
        c.sim.station.device.ambientTemp = 20;  // left by the live display, minutes ago
        ASSERT_TRUE(c.open());
        c.window.type(D::Ambient, "25.5");
        ASSERT_TRUE(c.press(D::CalibrateAmbient));
        EXPECT_EQ(c.text(D::Status), "Kalibracja temperatury kompensacji zakończona");
        EXPECT_EQ(c.sim.device().calibration.compensation, 1.0f);

        c.window.type(D::Ambient, "26");
        ASSERT_TRUE(c.press(D::CalibrateAmbient));
        EXPECT_EQ(c.text(D::Status), "Kalibracja temperatury kompensacji zakończona");
        EXPECT_EQ(c.sim.device().calibration.compensation, 1.5f);
        EXPECT_EQ(c.sim.transmitter->live().ambient, 26.0f);
    }
}

// RS485 writes the whole correction: when the one in force could not be read, it is read again
// before the write, never taken from an earlier transmitter.
TEST(CalibrationDialog, ModbusCorrectionIsNeverBuiltOnAnUnreadOne) {
    Calibration c(true);
    c.sim.device().ambient = 20;
    c.sim.device().calibration.compensation = 0.5f;
    c.sim.station.correctionBase = 2;
    ASSERT_TRUE(c.open());
    c.sim.transmitter->faults.drop.onRequest = c.sim.transmitter->requestCount() + 2;
    ASSERT_TRUE(c.press(D::ReadAmbient));
    EXPECT_EQ(c.text(D::Ambient), "20.5");
    c.window.type(D::Ambient, "21");
    ASSERT_TRUE(c.press(D::CalibrateAmbient));
    EXPECT_EQ(c.text(D::Status), "Kalibracja temperatury kompensacji zakończona");
    EXPECT_EQ(c.sim.device().calibration.compensation, 1.0f);
}

TEST(CalibrationDialog, OdczytajShowsTheInputCutToTheDigitsOfItsUnit) {
    struct Case {
        std::uint8_t sensor;
        float input;
        const char* shown;
    };
    for (const Case& t : {Case{0, 100.0f, "100.00 Ohm"}, Case{3, 12.5f, "12.5 mV"}, Case{1, 23.456f, "23.4 °C"}}) {
        Calibration c;
        c.sim.device().sensorCode = t.sensor;
        c.sim.device().input = t.input;
        ASSERT_TRUE(c.open());
        c.window.click(D::ReadInput);
        EXPECT_EQ(c.text(D::Status), "Odczyt PV");
        EXPECT_EQ(c.text(D::InputValue), " ");
        ASSERT_TRUE(c.sim.clock.advanceUntil([&] { return !c.window.timerRunning(2); }, 5000, 1));
        EXPECT_EQ(c.text(D::InputValue), t.shown);
        EXPECT_EQ(c.text(D::Status), " ");
    }
}

TEST(CalibrationDialog, AmbientIsOfferedRoundedUpWhileTheRecordKeepsTheReading) {
    Calibration c;
    c.sim.device().ambient = 23.4561f;
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(c.press(D::ReadAmbient));
    EXPECT_EQ(c.text(D::Ambient), "23.457");
    EXPECT_EQ(c.sim.station.device.ambientTemp, 23.4561f);
    EXPECT_EQ(c.text(D::Status), "Wpisz temperature");

    c.window.type(D::Ambient, "25");
    ASSERT_TRUE(c.press(D::CalibrateAmbient));
    EXPECT_EQ(c.text(D::Status), "Kalibracja temperatury kompensacji zakończona");
    const Bytes request = c.sent(203).back();
    ASSERT_EQ(request.size(), 19u);
    EXPECT_NEAR(decodeFloat(&request[14], FloatLayout::Hart).value, 25 - 23.4561, 1e-4);
    EXPECT_NEAR(c.sim.transmitter->live().ambient, 25.0f, 1e-4);
}

// The input's "Odczytaj" reads the primary value with an answer as long as the ambient one. A
// primary value answer, whether asked for while the ambient answer is awaited or arriving late
// from before, is never offered as the ambient temperature nor recorded as found.
TEST(CalibrationDialog, TheAmbientReadTakesOnlyItsOwnAnswer) {
    for (const bool rs485 : {false, true}) {
        for (const AmbientRace& race : AmbientRaces) {
            SCOPED_TRACE(std::string(rs485 ? "RS485, " : "HART, ") + race.name);
            Calibration c(rs485);
            c.sim.device().sensorCode = 1;
            c.sim.device().input = 121.3f;
            c.sim.device().ambient = 24.5f;
            ASSERT_TRUE(c.open());
            raceAmbientRead(c, race, D::ReadInput, [&] { c.window.click(D::ReadAmbient); });
            ASSERT_TRUE(c.settle());
            EXPECT_EQ(c.text(D::Ambient), "24.5");
            EXPECT_EQ(c.sim.station.device.ambientTemp, 24.5f);
            c.window.type(D::Ambient, "25.5");
            ASSERT_TRUE(c.press(D::CalibrateAmbient));
            EXPECT_EQ(c.sim.device().calibration.compensation, 1.0f);
        }
    }
}

TEST(CalibrationDialog, ModbusCorrectionAddsThePresentOne) {
    Calibration c(true);
    c.sim.device().ambient = 20;
    c.sim.device().calibration.compensation = 0.5f;
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(c.press(D::ReadAmbient));
    EXPECT_EQ(c.text(D::Ambient), "20.5");
    EXPECT_EQ(c.sim.station.correctionBase, 0.5f);

    c.window.type(D::Ambient, "21");
    ASSERT_TRUE(c.press(D::CalibrateAmbient));
    EXPECT_EQ(head(c.sent(0x74).back(), 15),
              (Bytes{0, 0x74, 0x00, 0x38, 0, 4, 8, 0, 0x7F, 0, 0, 0, 0, 0, 0}));  // 1.0
    EXPECT_EQ(c.text(D::Status), "Kalibracja temperatury kompensacji zakończona");
    EXPECT_EQ(c.sim.device().calibration.compensation, 1.0f);
}

TEST(CalibrationDialog, ModbusZamknijSendsTheExitThreeTimes) {
    Calibration c(true);
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(c.press(D::Close));
    EXPECT_TRUE(c.window.ended());
    int exits = 0;
    for (const Bytes& request : c.sent(6)) exits += head(request, 6) == Bytes{0, 6, 0x00, 0x3E, 0, 0};
    EXPECT_EQ(exits, 3);
    EXPECT_FALSE(c.sim.station.outputForced);
}

TEST(CalibrationDialog, TextThatIsNoNumberIsNotSent) {
    Calibration c;
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(c.press(D::DriveLow));
    c.window.type(D::Point1, "5.6x");
    ASSERT_TRUE(c.press(D::CalibratePoint1));
    EXPECT_TRUE(c.sent(145).empty());
    ASSERT_EQ(c.window.boxes().size(), 1u);
    EXPECT_EQ(c.window.boxes()[0].text, "Wpisz poprawną liczbę");
}

TEST(CalibrationDialog, UpdateViewNeedsAPort) {
    Calibration c;
    ASSERT_TRUE(c.open());
    c.window.click(D::UpdateView);
    EXPECT_EQ(c.viewUpdates, 1);
    c.sim.station.link.portNumber = -1;
    c.window.click(D::UpdateView);
    EXPECT_EQ(c.viewUpdates, 1);
}

}  // namespace
}  // namespace doxa::test
