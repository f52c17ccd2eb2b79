#include <gtest/gtest.h>

#include "calibration/calib_procedure_dlg.h"
#include "calibration/dialog_session.h"
#include "settings/settings_keys.h"
#include "support/fake_recorder.h"

namespace doxa::test {
namespace {

using P = CCalibProcedureDlg;

class FakeRegister : public InstrumentRegister {
public:
    std::vector<ReferenceInstrument> instruments() override { return list; }
    bool fromLocalCopy() const override { return localCopy; }
    std::string problem() const override { return {}; }

    std::vector<ReferenceInstrument> list{
        {"r1", "Kalibrator", "KX-2", "1001", "W-17/2026", "2027-06-30", {{0.02, "Ohm", 2}}},
        {"r2", "Stary kalibrator", "KX-1", "0007", "W-3/2025", "2026-01-31", {}},
        {"r3", "Miernik", "M-5", "55", "W-18/2026", "2027-02-28", {{0.002, "mA", 2}}},
    };
    bool localCopy = false;
};

// Pt 100 on 0..100 °C with a 4..20 mA output, as an identification leaves the station.
struct Procedure : DialogSession<CCalibProcedureDlg> {
    explicit Procedure(bool rs485 = false) : DialogSession(sim::Model::Doxa22, rs485) {
        sim.device().sensorCode = 1;
        sim.device().rangeLower = 0;
        sim.device().rangeUpper = 100;
        DeviceRecord& device = sim.station.device;
        device.modelName = "DOXA-22";
        device.sensorType = 1;
        device.rangeMin = 0;
        device.rangeMax = 100;
        device.serialNumber = 4711;
        sim.settings.writeText(CalibrationSection, TechnicianKey, "Jan Kowalski");
        sim.settings.writeText(ReferenceSection, TemperatureToleranceKey, "0.2");
        sim.settings.writeText(ReferenceSection, OutputToleranceKey, "0.016");
        sim.station.recorder = &recorder;
        sim.station.instruments = &instruments;
        dialog.today = "2026-12-08";
        dialog.programVersion = "7.1.32";
    }

    bool idle() const {
        return window.ended() || (!window.timerRunning(ExchangeTimer) &&
                                  !window.timerRunning(calibration::InputReading::Timer));
    }
    bool wait() {
        return sim.clock.advanceUntil([&] { return idle(); }, 60000, 1);
    }
    bool click(int id) {
        window.click(id);
        return wait();
    }
    bool start(int instrument = 1) {
        window.type(P::Ambient, "22,5");
        window.type(P::Humidity, "45");
        window.choose(P::InputInstrument, instrument);
        window.choose(P::OutputInstrument, 3);
        return click(P::Start);
    }
    // An input point: the transmitter reads `reading` °C while `applied` Ohm is set.
    bool inputPoint(float reading, const char* applied) {
        sim.device().input = reading;
        window.type(P::Typed, applied);
        return click(P::Next);
    }
    bool outputPoint(const char* meter) {
        window.type(P::Typed, meter);
        return click(P::Next);
    }
    CalibrationEvent event() const {
        CalibrationEvent e;
        for (const ServiceRecord& r : recorder.records) addToEvent(e, r);
        return e;
    }

    FakeRecorder recorder;
    FakeRegister instruments;
};

// The reference resistances of a Pt 100 (α 0.00385) at 0, 25, 50, 75 and 100 °C, as the
// published table gives them.
constexpr const char* Pt100Table[] = {"100.00", "109.73", "119.40", "128.99", "138.51"};

// HART command 40 (fixed output) to the short address 0 with a value and its checksum.
Bytes forcedOutput(std::uint8_t b0, std::uint8_t b1, std::uint8_t checksum) {
    Bytes bytes(10, 0xFF);
    for (const std::uint8_t byte :
         {std::uint8_t{0x02}, std::uint8_t{0x80}, std::uint8_t{40}, std::uint8_t{4}, b0, b1,
          std::uint8_t{0}, std::uint8_t{0}, checksum})
        bytes.push_back(byte);
    return bytes;
}
const Bytes Drive4mA = forcedOutput(0x40, 0x80, 0x6E);
const Bytes Drive8mA = forcedOutput(0x41, 0x00, 0xEF);
const Bytes Drive12mA = forcedOutput(0x41, 0x40, 0xAF);
const Bytes Drive16mA = forcedOutput(0x41, 0x80, 0x6F);
const Bytes Drive20mA = forcedOutput(0x41, 0xA0, 0x4F);
const Bytes Release = forcedOutput(0x00, 0x00, 0xAE);

TEST(CalibrationProcedure, OpensWithTheSettingsAndTheTransmittersInput) {
    Procedure p;
    p.instruments.localCopy = true;
    p.sim.device().text.clear();
    ASSERT_TRUE(p.open());
    EXPECT_EQ(p.text(P::Technician), "Jan Kowalski");
    EXPECT_EQ(p.text(P::Interval), "12");
    EXPECT_EQ(p.text(P::Points), "0; 25; 50; 75; 100");
    EXPECT_EQ(p.text(P::InputTolerance), "0.2");
    EXPECT_EQ(p.window.items(P::InputToleranceUnit), (std::vector<std::string>{"°C", "Ohm"}));
    EXPECT_EQ(p.window.selection(P::InputToleranceUnit), 0);
    EXPECT_EQ(p.text(P::SensorInfo), "Zakres 0 … 100 °C; charakterystyka pt100-385, wzorzec w Ohm");
    EXPECT_EQ(p.text(P::RegisterState), "Rejestr przyrządów: kopia lokalna (serwer niedostępny)");
    ASSERT_EQ(p.window.items(P::InputInstrument).size(), 4u);
    EXPECT_EQ(p.window.items(P::InputInstrument)[1],
              "Kalibrator KX-2 nr 1001, ważny do 2027-06-30");
    EXPECT_FALSE(p.window.isEnabled(P::Next));
    EXPECT_EQ(p.text(P::Tag), "") << "a transmitter without a text";
}

TEST(CalibrationProcedure, TakesTheTagFromTheTransmittersText) {
    Procedure p;
    p.sim.device().text =
        "TT-101 \xB3\xF3"
        "d\xBF";  // "łódż" in code page 1250
    ASSERT_TRUE(p.open());
    EXPECT_EQ(p.sent(217).size(), 1u);
    EXPECT_EQ(p.text(P::Tag), "TT-101 łódż");
    EXPECT_TRUE(p.window.isEnabled(P::Start));
}

TEST(CalibrationProcedure, AWholePt100RunJudgesAndRecordsEveryPoint) {
    Procedure p;
    ASSERT_TRUE(p.open());
    p.window.type(P::Technician, "Anna Nowak");
    ASSERT_TRUE(p.start());
    EXPECT_EQ(p.sim.settings.readText(CalibrationSection, TechnicianKey, ""), "Anna Nowak");
    EXPECT_FALSE(p.sim.station.calibrationEvent.empty());
    ASSERT_EQ(p.recorder.ofKind(RecordKind::CalibrationConditions).size(), 1u);

    const float readings[] = {0.05f, 25.05f, 50.05f, 75.05f, 100.05f};
    for (int i = 0; i < 5; ++i) {
        if (i == 1) {
            EXPECT_NE(
                p.text(P::Prompt).find("punkt 2/5 (25 %): ustaw na wzorcu 109.735 Ohm (25 °C)"),
                std::string::npos)
                << p.text(P::Prompt);
        }
        ASSERT_TRUE(p.inputPoint(readings[i], Pt100Table[i]));
        // Each point is in the history the moment it is judged.
        EXPECT_EQ(p.recorder.ofKind(RecordKind::CalibrationPoint).size(),
                  static_cast<std::size_t>(i + 1));
    }
    EXPECT_EQ(p.sent(1).size(), 25u) << "five readings of the primary value per point";
    EXPECT_EQ(p.text(P::Readings), "Średnia 100.050 °C, rozrzut 0.000 °C (5 odczytów)");

    const char* meter[] = {"4.003", "8.002", "12.000", "15.990", "20.010"};
    for (const char* m : meter) ASSERT_TRUE(p.outputPoint(m));
    EXPECT_EQ(p.sent(40),
              (std::vector<Bytes>{Drive4mA, Drive8mA, Drive12mA, Drive16mA, Drive20mA, Release}));
    EXPECT_FALSE(p.sim.device().fixedOutput);
    EXPECT_FALSE(p.sim.station.outputForced);
    EXPECT_EQ(p.text(P::Prompt), "Punkty w tolerancji – „Zakończ” kończy kalibrację");
    ASSERT_TRUE(p.window.isEnabled(P::Finish));
    ASSERT_TRUE(p.click(P::Finish));
    EXPECT_TRUE(p.window.ended());
    EXPECT_TRUE(p.sim.station.calibrationEvent.empty());

    const CalibrationEvent e = p.event();
    for (const ServiceRecord& r : p.recorder.records)
        EXPECT_EQ(r.event, p.dialog.outcome().eventId);
    ASSERT_TRUE(e.conditions);
    EXPECT_EQ(e.conditions->technician, "Anna Nowak");
    EXPECT_EQ(e.conditions->ambientCelsius, 22.5);
    EXPECT_EQ(e.conditions->sensor, "pt100-385");
    EXPECT_EQ(e.conditions->appliedUnit, "Ohm");
    EXPECT_EQ(e.conditions->readingUnit, "°C");
    ASSERT_EQ(e.conditions->instruments.size(), 2u);
    EXPECT_EQ(e.conditions->instruments[1].certificate, "W-18/2026");
    ASSERT_EQ(e.points.size(), 10u);
    const CalibrationPoint& at25 = e.points[1];
    EXPECT_EQ(at25.applied, 109.73);
    EXPECT_EQ(at25.readings.size(), 5u);
    ASSERT_TRUE(at25.result.error);
    // 109.73 Ohm is 24.988 °C on the curve (109.735 Ohm at 25 °C, 0.388 Ohm per °C): the
    // transmitter's 25.05 °C is 0.062 °C high.
    EXPECT_NEAR(*at25.result.error, 0.062, 0.001);
    EXPECT_EQ(at25.result.errorUnit, "°C");
    EXPECT_EQ(at25.result.otherUnit, "Ohm");
    const CalibrationPoint& at75out = e.points[8];
    EXPECT_EQ(at75out.channel, CalibrationChannel::Output);
    EXPECT_EQ(at75out.applied, 16.0);
    ASSERT_TRUE(at75out.result.error);
    EXPECT_NEAR(*at75out.result.error, -0.010, 1e-6);
    for (const CalibrationPoint& point : e.points)
        EXPECT_EQ(point.result.within, true) << point.percent;
    ASSERT_TRUE(e.end);
    EXPECT_TRUE(e.end->finished);
    EXPECT_FALSE(e.end->adjusted);
    EXPECT_FALSE(e.interrupted());
}

// A tolerance in Ohm judges the input where the reference is applied: 0.2 °C high on a Pt 100
// at 0 °C is 0.078 Ohm (0.391 Ohm per °C there), beyond 0.05 Ohm.
TEST(CalibrationProcedure, AToleranceInOhmJudgesTheInputInOhm) {
    Procedure p;
    ASSERT_TRUE(p.open());
    p.window.type(P::Points, "0; 100");
    p.window.type(P::InputTolerance, "0.05");
    p.window.choose(P::InputToleranceUnit, 1);
    ASSERT_TRUE(p.start());
    ASSERT_TRUE(p.inputPoint(0.2f, Pt100Table[0]));
    const CalibrationEvent e = p.event();
    ASSERT_TRUE(e.conditions);
    EXPECT_EQ(e.conditions->inputToleranceUnit, "Ohm");
    ASSERT_EQ(e.points.size(), 1u);
    const PointResult& r = e.points[0].result;
    EXPECT_EQ(r.errorUnit, "Ohm");
    ASSERT_TRUE(r.error && r.otherError);
    EXPECT_NEAR(*r.error, 0.078, 0.001);
    EXPECT_EQ(r.otherUnit, "°C");
    EXPECT_NEAR(*r.otherError, 0.2, 0.001);
    EXPECT_EQ(r.within, false);
}

// Over RS485 the output goes into fixed mode before each value and the mode is written once
// more after it; the release writes the normal mode.
TEST(CalibrationProcedure, OverRs485EachOutputPointWritesModeValueAndModeAgain) {
    Procedure p(true);
    ASSERT_TRUE(p.open());
    p.window.type(P::Points, "0; 100");
    ASSERT_TRUE(p.start());
    const std::size_t before = p.sim.writes().size();
    ASSERT_TRUE(p.inputPoint(0.0f, Pt100Table[0]));
    ASSERT_TRUE(p.inputPoint(100.0f, Pt100Table[4]));
    ASSERT_TRUE(p.outputPoint("4.0"));
    ASSERT_TRUE(p.outputPoint("20.0"));
    std::vector<int> expected(10, 0x00DC);
    for (int i = 0; i < 2; ++i) expected.insert(expected.end(), {0x003E, 0x00E0, 0x003E});
    expected.push_back(0x003E);
    EXPECT_EQ(p.sim.requests(before), expected);
    EXPECT_EQ(p.sim.device().outputMode, 0);
    EXPECT_FALSE(p.sim.device().fixedOutput);
    const CalibrationEvent e = p.event();
    ASSERT_EQ(e.points.size(), 4u);
    EXPECT_EQ(e.points[3].applied, 20.0);
    EXPECT_EQ(e.points[0].result.within, true);
}

TEST(CalibrationProcedure, AFailedPointAsksForAdjustmentAndTheSamePointsAsLeft) {
    Procedure p;
    ASSERT_TRUE(p.open());
    ASSERT_TRUE(p.start());
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(p.inputPoint(i * 25.0f + 0.3f, Pt100Table[i]));
    for (const char* m : {"4.0", "8.0", "12.0", "16.0", "20.0"}) ASSERT_TRUE(p.outputPoint(m));
    EXPECT_EQ(p.text(P::Prompt), "Punkty poza tolerancją – wykonaj regulację („Regulacja...”)");
    EXPECT_FALSE(p.window.isEnabled(P::AsLeft));

    // Without the master access the menu opens the calibration settings, then the wizard.
    std::vector<int> children;
    p.window.onChild = [&](DialogLogic& child) {
        children.push_back(child.layout());
        p.sim.station.calibrationOptions = 1;
        return ResultOk;
    };
    ASSERT_TRUE(p.click(P::Adjust));
    EXPECT_EQ(children, (std::vector<int>{112, 111}));
    EXPECT_FALSE(p.window.isEnabled(P::Finish))
        << "an adjusted transmitter is measured again first";
    ASSERT_TRUE(p.click(P::AsLeft));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(p.inputPoint(i * 25.0f, Pt100Table[i]));
    for (const char* m : {"4.0", "8.0", "12.0", "16.0", "20.0"}) ASSERT_TRUE(p.outputPoint(m));
    ASSERT_TRUE(p.click(P::Finish));

    const CalibrationEvent e = p.event();
    ASSERT_EQ(e.points.size(), 20u);
    EXPECT_EQ(e.points[0].result.within, false);
    EXPECT_EQ(e.points[10].phase, CalibrationPhase::AsLeft);
    EXPECT_EQ(e.points[10].result.within, true);
    ASSERT_TRUE(e.end);
    EXPECT_TRUE(e.end->finished);
    EXPECT_TRUE(e.end->adjusted);
}

TEST(CalibrationProcedure, CancelAmongTheOutputPointsReleasesTheOutputAndEndsInterrupted) {
    Procedure p;
    ASSERT_TRUE(p.open());
    ASSERT_TRUE(p.start());
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(p.inputPoint(i * 25.0f, Pt100Table[i]));
    ASSERT_TRUE(p.outputPoint("4.0"));
    ASSERT_EQ(p.sim.device().fixedOutput, 8.0f);
    ASSERT_TRUE(p.click(P::Cancel));
    EXPECT_EQ(p.sent(40), (std::vector<Bytes>{Drive4mA, Drive8mA, Release}));
    EXPECT_FALSE(p.sim.device().fixedOutput);
    EXPECT_TRUE(p.window.ended());
    EXPECT_EQ(p.window.result(), ResultCancel);

    const CalibrationEvent e = p.event();
    EXPECT_EQ(e.points.size(), 6u) << "nothing measured before the cancel is lost";
    ASSERT_TRUE(e.end);
    EXPECT_TRUE(e.interrupted());
    EXPECT_EQ(e.end->reason, "przerwana przez technika");
    EXPECT_EQ(p.recorder.ofKind(RecordKind::CalibrationEnd).back().outcome,
              RecordOutcome::NotConfirmed);
}

// The program going away with the window open cannot wait for an answer: the release goes out
// once and the run ends interrupted.
TEST(CalibrationProcedure, AWindowDestroyedMidRunSendsTheReleaseAndEndsInterrupted) {
    Procedure p;
    ASSERT_TRUE(p.open());
    ASSERT_TRUE(p.start());
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(p.inputPoint(i * 25.0f, Pt100Table[i]));
    ASSERT_EQ(p.sim.device().fixedOutput, 4.0f);
    p.dialog.onDestroy();
    EXPECT_EQ(p.sent(40), (std::vector<Bytes>{Drive4mA, Release}));
    const CalibrationEvent e = p.event();
    ASSERT_TRUE(e.end);
    EXPECT_EQ(e.end->reason, "okno procedury zamknięte");
    EXPECT_EQ(e.points.size(), 5u);
    EXPECT_TRUE(p.sim.station.calibrationEvent.empty());
}

TEST(CalibrationProcedure, AnExpiredInstrumentIsRefusedWithItsDueDate) {
    Procedure p;
    ASSERT_TRUE(p.open());
    ASSERT_TRUE(p.start(2));
    ASSERT_EQ(p.window.boxes().size(), 1u);
    EXPECT_EQ(
        p.window.boxes()[0].text,
        "Wzorcowanie przyrządu „Stary kalibrator” wygasło 2026-01-31 – wybierz inny przyrząd");
    EXPECT_TRUE(p.recorder.records.empty());
    EXPECT_TRUE(p.window.isEnabled(P::Start));
    EXPECT_TRUE(p.sim.station.calibrationEvent.empty());
}

TEST(CalibrationProcedure, ConditionsOutsideTheirLimitsAreNotRecorded) {
    struct Case {
        int field;
        const char* typed;
        const char* message;
    };
    for (const Case& t :
         {Case{P::Ambient, "61", "Wpisz temperaturę otoczenia od -20 do 60 °C"},
          Case{P::Humidity, "101", "Wpisz wilgotność względną od 0 do 100 %"},
          Case{P::Points, "0; 50; 101",
               "Wpisz od 2 do 11 punktów od 0 do 100 % rozdzielonych średnikami"},
          Case{P::Points, "0 10 20 30 40 50 60 70 80 90 95 100",
               "Wpisz od 2 do 11 punktów od 0 do 100 % rozdzielonych średnikami"},
          Case{P::InputTolerance, "-0.1",
               "Wpisz tolerancję jako liczbę dodatnią albo zostaw pole puste"},
          Case{P::Interval, "0", "Wpisz interwał kalibracji od 1 do 120 miesięcy"}}) {
        Procedure p;
        ASSERT_TRUE(p.open());
        p.window.type(P::Ambient, "22");
        p.window.type(P::Humidity, "40");
        p.window.choose(P::InputInstrument, 1);
        p.window.type(t.field, t.typed);
        ASSERT_TRUE(p.click(P::Start));
        ASSERT_EQ(p.window.boxes().size(), 1u) << t.typed;
        EXPECT_EQ(p.window.boxes()[0].text, t.message);
        EXPECT_TRUE(p.recorder.records.empty()) << t.typed;
    }
}

TEST(CalibrationProcedure, ARefusedForcedOutputIsNotCountedAsAPoint) {
    Procedure p;
    ASSERT_TRUE(p.open());
    ASSERT_TRUE(p.start());
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(p.inputPoint(i * 25.0f, Pt100Table[i]));
    p.sim.transmitter->faults.hartRefusals[40] = {7, 1};
    ASSERT_TRUE(p.inputPoint(100.0f, Pt100Table[4]));
    EXPECT_NE(p.text(P::Prompt).find("wyjście nie zostało ustawione, punkt nie jest liczony"),
              std::string::npos)
        << p.text(P::Prompt);
    EXPECT_FALSE(p.window.isEnabled(P::Typed));
    EXPECT_EQ(p.recorder.ofKind(RecordKind::CalibrationPoint).size(), 5u);
    // "Dalej" drives the same point again; this time the transmitter takes it.
    ASSERT_TRUE(p.click(P::Next));
    EXPECT_EQ(p.sent(40), (std::vector<Bytes>{Drive4mA, Drive4mA}));
    ASSERT_TRUE(p.outputPoint("4.001"));
    const CalibrationEvent e = p.event();
    ASSERT_EQ(e.points.size(), 6u);
    EXPECT_EQ(e.points[5].applied, 4.0);
    EXPECT_EQ(e.points[5].readings, std::vector<double>{4.001});
}

TEST(CalibrationProcedure, ALostLineEndsTheRunInterruptedAndReportsTheUnconfirmedRelease) {
    Procedure p;
    ASSERT_TRUE(p.open());
    ASSERT_TRUE(p.start());
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(p.inputPoint(i * 25.0f, Pt100Table[i]));
    ASSERT_TRUE(p.outputPoint("4.0"));
    p.sim.transmitter->faults.drop.probability = 1.0;
    ASSERT_TRUE(p.outputPoint("8.0"));
    EXPECT_EQ(p.text(P::Prompt), "Kalibracja przerwana: utracono połączenie z przetwornikiem");
    ASSERT_FALSE(p.window.items(P::Results).empty());
    EXPECT_EQ(p.window.items(P::Results).back(),
              "Przetwornik nie potwierdził zwolnienia wyjścia – sprawdź wyjście");
    EXPECT_TRUE(p.sim.station.outputForced) << "the main window goes on reminding of the output";
    EXPECT_EQ(p.sent(40).size(), 2u + 3u + 3u) << "three drives, three releases";

    const CalibrationEvent e = p.event();
    EXPECT_EQ(e.points.size(), 7u);
    ASSERT_TRUE(e.end);
    EXPECT_EQ(e.end->reason, "utracono połączenie z przetwornikiem");
    EXPECT_TRUE(e.interrupted());
    EXPECT_TRUE(p.sim.station.calibrationEvent.empty());
}

}  // namespace
}  // namespace doxa::test
