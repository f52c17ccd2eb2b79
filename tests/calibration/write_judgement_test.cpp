// Every write of the calibration dialogs against a transmitter that refuses it, is busy, loses
// the answer of a write it carried out, or trims its output from where it stands: the technician
// is told only what the answer proves, the history says the same, and nothing that may have
// been carried out is sent again blind.

#include <gtest/gtest.h>

#include "calibration/calib_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/dialog_session.h"
#include "calibration/factory_data_dlg.h"
#include "programming/text_dlg.h"
#include "support/fake_recorder.h"
#include "transmitter/write_table.h"

namespace doxa::test {
namespace {

using D = CCalibrationDlg;
using W = CCalibrationWizardDlg;

constexpr std::string_view Stored = "Prąd dla 5,6mA zapisany";
constexpr std::string_view NotConfirmed =
    "Przetwornik nie potwierdził zapisu punktu – ustaw wyjście i zmierz je ponownie przed powtórzeniem";
constexpr std::string_view NotDriven = "Wyjście nie zostało ustawione – ustaw je i zmierz przed kalibracją punktu";

template <typename Dialog, typename... Args>
struct Recorded : DialogSession<Dialog> {
    explicit Recorded(bool rs485, Args... args) : DialogSession<Dialog>(sim::Model::Doxa22, rs485, args...) {
        this->sim.station.recorder = &recorder;
        this->sim.transmitter->faults.relativeOutputTrim = true;
    }
    FakeRecorder recorder;
};

struct Calibration : Recorded<CCalibrationDlg, std::function<void()>> {
    explicit Calibration(bool rs485) : Recorded(rs485, [] {}) {}
};

struct Wizard : Recorded<CCalibrationWizardDlg> {
    Wizard(bool rs485, int options) : Recorded(rs485) { sim.station.calibrationOptions = options; }
};

// The lower output point: the meter reads 5.65 where 5.6 mA was asked for. A transmitter that
// trims from where its output stands takes 0.05 off each time the point reaches it.
struct PointCase {
    const char* name;
    bool rs485;
    std::function<void(sim::Faults&)> arm;
    std::size_t sends;
    std::string_view text;  // the dialog's status; the wizard shows the same in its progress line
    RecordOutcome outcome;
    std::optional<int> code;
    float heldLowPoint;  // what the transmitter holds for its lower point at the end
};

const std::vector<PointCase>& pointCases() {
    static const std::vector<PointCase> cases{
        {"HART confirmed", false, [](sim::Faults&) {}, 1, Stored, RecordOutcome::Confirmed, {}, 5.65f},
        {"HART answer lost", false, [](sim::Faults& f) { f.lostWriteAnswers = 1; }, 1, NotConfirmed,
         RecordOutcome::NoAnswer, {}, 5.65f},
        {"HART refused", false, [](sim::Faults& f) { f.hartRefusals[145] = {9, 0}; }, 1,
         "Przetwornik odrzucił zapis: kod 9 (błąd właściwy dla polecenia)", RecordOutcome::Refused, 9, 5.6f},
        {"HART busy once", false, [](sim::Faults& f) { f.hartRefusals[145] = {32, 1}; }, 2, Stored,
         RecordOutcome::Confirmed, {}, 5.65f},
        {"HART busy always", false, [](sim::Faults& f) { f.hartRefusals[145] = {32, 0}; }, 3,
         "Przetwornik odrzucił zapis: kod 32 (przetwornik zajęty)", RecordOutcome::Refused, 32, 5.6f},
        {"RS485 confirmed", true, [](sim::Faults&) {}, 1, Stored, RecordOutcome::Confirmed, {}, 5.65f},
        {"RS485 answer lost", true, [](sim::Faults& f) { f.lostWriteAnswers = 1; }, 1, NotConfirmed,
         RecordOutcome::NoAnswer, {}, 5.65f},
        {"RS485 answer damaged", true, [](sim::Faults& f) { f.garble.probability = 1; }, 1, NotConfirmed,
         RecordOutcome::NotConfirmed, {}, 5.65f},
        {"RS485 refused", true, [](sim::Faults& f) { f.modbusRefusals[145 << 16] = {3, 0}; }, 1,
         "Przetwornik odrzucił zapis: wyjątek 03 (niedozwolona wartość danych)", RecordOutcome::Refused, 3, 5.6f},
        {"RS485 busy once", true, [](sim::Faults& f) { f.modbusRefusals[145 << 16] = {6, 1}; }, 2, Stored,
         RecordOutcome::Confirmed, {}, 5.65f},
    };
    return cases;
}

void expectRecord(const FakeRecorder& recorder, const PointCase& t) {
    const auto records = recorder.ofKind(RecordKind::CalibrationOutput);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].outcome, t.outcome);
    EXPECT_EQ(records[0].refusalCode, t.code);
}

TEST(OutputPointWrite, TheDialogSendsOnePointPerKalibrujAndSaysWhatTheAnswerProves) {
    for (const PointCase& t : pointCases()) {
        SCOPED_TRACE(t.name);
        Calibration c(t.rs485);
        ASSERT_TRUE(c.open());
        ASSERT_TRUE(c.press(D::DriveLow));
        ASSERT_EQ(c.text(D::Status), "Wpisz wartość prądu");
        t.arm(c.sim.transmitter->faults);
        c.window.type(D::Point1, "5.65");
        ASSERT_TRUE(c.press(D::CalibratePoint1));
        EXPECT_EQ(c.sent(145).size(), t.sends);
        EXPECT_EQ(c.text(D::Status), t.text);
        EXPECT_FLOAT_EQ(c.sim.device().calibration.outputLowI, t.heldLowPoint);
        expectRecord(c.recorder, t);
        if (t.text != NotConfirmed) continue;
        // The measurement is spent: nothing goes out until the output is driven again.
        c.sim.transmitter->faults = {};
        ASSERT_TRUE(c.press(D::CalibratePoint1));
        EXPECT_EQ(c.text(D::Status), NotDriven);
        EXPECT_EQ(c.sent(145).size(), t.sends);
    }
}

TEST(OutputPointWrite, TheWizardSendsOnePointPerPressAndSendsTheTechnicianBackToTheDrive) {
    for (const PointCase& t : pointCases()) {
        SCOPED_TRACE(t.name);
        Wizard w(t.rs485, 2);
        ASSERT_TRUE(w.open());
        ASSERT_EQ(w.text(W::Instruction), "Wpisz wartość prądu");
        t.arm(w.sim.transmitter->faults);
        w.window.type(W::Value, "5.65");
        ASSERT_TRUE(w.press(W::Send));
        EXPECT_EQ(w.sent(145).size(), t.sends);
        EXPECT_FLOAT_EQ(w.sim.device().calibration.outputLowI, t.heldLowPoint);
        expectRecord(w.recorder, t);
        if (t.outcome == RecordOutcome::Confirmed) {
            EXPECT_EQ(w.text(W::Value), "18.4");  // on to the upper point
            continue;
        }
        EXPECT_EQ(w.text(W::Progress), t.text);
        // Not confirmed: the next press drives the output again and asks for a new measurement
        // before any point goes out; refused: nothing was done, the point may go again.
        const bool spent = t.text == NotConfirmed;
        const std::size_t drives = w.sent(t.rs485 ? 16 : 40).size();
        w.sim.transmitter->faults = {};
        w.window.type(W::Value, "5.65");
        ASSERT_TRUE(w.press(W::Send));
        EXPECT_EQ(w.sent(145).size(), t.sends + (spent ? 0 : 1));
        EXPECT_EQ(w.sent(t.rs485 ? 16 : 40).size(), drives + 1);
        EXPECT_EQ(w.text(W::Value), spent ? "5.6" : "18.4");
    }
}

// A drive the transmitter did not carry out asks nothing of the technician, so the undriven
// output's reading can never go out as a test point.
TEST(OutputDriveWrite, ARefusedDriveOrModeWriteLeavesNoPromptAndNoPoint) {
    struct Case {
        const char* name;
        int key;
        int code;
        std::size_t drives;
        std::string_view text;
    };
    for (const Case& t : {Case{"drive busy", 16 << 16 | 0xE0, 6, 3, "Przetwornik odrzucił zapis: wyjątek 06 (przetwornik zajęty)"},
                          Case{"drive refused", 16 << 16 | 0xE0, 2, 1,
                               "Przetwornik odrzucił zapis: wyjątek 02 (niedozwolony adres rejestru)"},
                          Case{"mode refused", 6 << 16 | 0x3E, 3, 1,
                               "Przetwornik odrzucił zapis: wyjątek 03 (niedozwolona wartość danych)"}}) {
        SCOPED_TRACE(t.name);
        Calibration c(true);
        ASSERT_TRUE(c.open());
        c.sim.transmitter->faults.modbusRefusals[t.key] = {t.code, 0};
        ASSERT_TRUE(c.press(D::DriveLow));
        EXPECT_EQ(c.sent(16).size(), t.drives);
        EXPECT_EQ(c.text(D::Status), t.text);
        ASSERT_TRUE(c.press(D::CalibratePoint1));
        EXPECT_EQ(c.text(D::Status), NotDriven);
        EXPECT_TRUE(c.sent(145).empty());
    }
}

TEST(TrimWrite, ARefusedTrimIsReportedWithItsCodeAndRecordedRefused) {
    struct Case {
        const char* name;
        sim::Faults::Refusal refusal;
        std::size_t sends;
        std::string_view text;
        RecordOutcome outcome;
    };
    for (const Case& t : {Case{"refused", {9, 0}, 1, "Przetwornik odrzucił zapis: kod 9 (błąd właściwy dla polecenia)",
                               RecordOutcome::Refused},
                          Case{"write protected", {7, 0}, 1, "Przetwornik odrzucił zapis: kod 7 (tryb ochrony przed zapisem)",
                               RecordOutcome::Refused},
                          Case{"busy once", {32, 1}, 2, "Trim ustawiony", RecordOutcome::Confirmed}}) {
        SCOPED_TRACE(t.name);
        Wizard w(false, 8 | 16);
        w.sim.device().input = 30;
        ASSERT_TRUE(w.open());
        w.sim.transmitter->faults.hartRefusals[43] = t.refusal;
        w.window.click(W::Send);
        w.sim.clock.advance(3000);
        EXPECT_EQ(w.sent(43).size(), t.sends);
        EXPECT_EQ(w.text(W::Progress), t.text);
        const auto records = w.recorder.ofKind(RecordKind::Trim);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].outcome, t.outcome);
        EXPECT_EQ(w.sim.device().trim != 0, t.outcome == RecordOutcome::Confirmed);
    }
}

// The factory data copy and the text: refused, each stops with the code and is not sent again;
// busy once, each goes again and is confirmed.
TEST(OtherWrites, ARefusalStopsWithItsCodeAndABusyTransmitterGetsTheWriteAgain) {
    for (const bool busy : {false, true}) {
        SCOPED_TRACE(busy ? "busy once" : "refused");
        const sim::Faults::Refusal refusal = busy ? sim::Faults::Refusal{32, 1} : sim::Faults::Refusal{16, 0};
        const std::string refused = "Przetwornik odrzucił zapis: kod 16 (dostęp ograniczony)";

        Recorded<CFactoryDataDlg> f(false);
        f.sim.transmitter->faults.hartRefusals[139] = refusal;
        ASSERT_TRUE(f.window.open());
        ASSERT_TRUE(f.settle());
        const auto records = f.recorder.ofKind(RecordKind::FactoryData);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].outcome, busy ? RecordOutcome::Confirmed : RecordOutcome::Refused);
        EXPECT_EQ(records[0].refusalCode, busy ? std::nullopt : std::optional<int>(16));
        EXPECT_EQ(f.window.ended(), busy);
        if (!busy) {
            EXPECT_EQ(f.text(CFactoryDataDlg::Errors), refused);
        }

        DialogSession<CTextDlg> t(sim::Model::Doxa22, false);
        t.sim.device().text = "stary";
        ASSERT_TRUE(t.open());
        t.sim.transmitter->faults.hartRefusals[212] = refusal;
        t.window.type(CTextDlg::Text, "nowy");
        ASSERT_TRUE(t.press(CTextDlg::Send));
        EXPECT_EQ(t.sent(212).size(), busy ? 2u : 1u);
        EXPECT_EQ(t.text(CTextDlg::Progress), busy ? std::string("Tekst został zapisany") : refused);
        EXPECT_EQ(t.sim.device().text, busy ? "nowy" : "stary");
    }
}

// Every write the program knows is sent through the one step; a request the table does not
// know never reaches the line.
TEST(WriteTable, EveryRowIsSentAndJudgedAndAnUnknownWriteIsNotSent) {
    SimStation sim;
    sim.transmitter.reset();
    ASSERT_TRUE(ensurePortOpen(sim.station));
    const std::array<std::uint8_t, 5> data{1, 2, 3, 4, 5};
    for (const WriteRow& row : writeTable()) {
        SCOPED_TRACE(row.name);
        const bool rs485 = row.protocol == PendingRequest::Protocol::Modbus;
        sim.station.link.transmissionMode = rs485 ? ModeRs485 : ModeHart;
        const Request request{.hartCommand = row.command,
                              .hartData = std::span(data).first(std::size_t(std::max(row.minData, 0))),
                              .modbusStart = std::max(row.firstRegister, 0),
                              .modbusFunction = row.command,
                              .modbusData = std::span(data).first(4)};
        const std::size_t before = sim.writes().size();
        EXPECT_EQ(sendWrite(sim.station, request), "");
        sim.clock.advance(1000);  // the write goes out once the line is free
        EXPECT_EQ(sim.writes().size(), before + 1);
        EXPECT_EQ(writeRowOf(sim.station.link.pendingRequest), &row);
        EXPECT_EQ(row.effect == WriteEffect::Relative, row.command == 145 || row.command == 146 || row.command == 203);
    }
    sim.station.link.transmissionMode = ModeRs485;
    const std::size_t before = sim.writes().size();
    EXPECT_NE(sendWrite(sim.station, Request{.modbusStart = 0x0100, .modbusFunction = modbus::WriteAndStore,
                                            .modbusData = std::span(data).first(1)}),
              "");
    sim.clock.advance(1000);
    sim.station.link.transmissionMode = ModeHart;
    EXPECT_NE(sendWrite(sim.station, Request{.hartCommand = 44, .hartData = std::span(data).first(1)}), "");
    sim.clock.advance(1000);
    EXPECT_EQ(sim.writes().size(), before);
}

}  // namespace
}  // namespace doxa::test
