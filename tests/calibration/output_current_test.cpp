#include "calibration/output_current_dlg.h"

#include <gtest/gtest.h>

#include "calibration/delta_dlg.h"
#include "calibration/dialog_session.h"
#include "calibration/factory_data_dlg.h"
#include "support/schedule.h"

namespace doxa::test {
namespace {

using O = COutputCurrentDlg;

struct OutputCurrent : DialogSession<COutputCurrentDlg> {
    explicit OutputCurrent(bool rs485 = false, sim::Model model = sim::Model::Doxa22)
        : DialogSession(model, rs485) {}
};

TEST(OutputCurrent, ReadsTheOutputAtOpening) {
    OutputCurrent o;
    o.sim.device().fixedOutput = 7.25f;
    ASSERT_TRUE(o.open());
    EXPECT_EQ(o.text(O::Value), "7.25");
    EXPECT_EQ(o.text(O::Status), "Wartość prądu wyjściowego");
    EXPECT_EQ(o.text(O::Label), "Prąd wyjściowy");
}

TEST(OutputCurrent, UstawChecksTheLimitsOfTheFamily) {
    struct Case {
        sim::Model model;
        int rivo;
        const char* typed;
        bool sent;
    };
    for (const Case& t : {Case{sim::Model::Doxa22, 0, "3.4", false}, Case{sim::Model::Doxa22, 0, "20.6", false},
                          Case{sim::Model::Doxa22, 0, "3,5", true}, Case{sim::Model::Rivo22, 1, "0.0", true},
                          Case{sim::Model::Doxa22, 0, "dwanaście", false}}) {
        OutputCurrent o(false, t.model);
        o.sim.station.device.isRivo = t.rivo;
        ASSERT_TRUE(o.open());
        o.window.type(O::Value, t.typed);
        ASSERT_TRUE(o.press(O::Set));
        EXPECT_EQ(o.sent(40).size(), t.sent ? 1u : 0u) << t.typed;
        if (!t.sent) {
            EXPECT_EQ(o.text(O::Value), "0") << t.typed;
        }
    }
}

TEST(OutputCurrent, UstawForcesTheOutputAndZerujReleasesIt) {
    OutputCurrent o;
    ASSERT_TRUE(o.open());
    o.window.type(O::Value, "20.5");
    ASSERT_TRUE(o.press(O::Set));
    EXPECT_EQ(o.sent(40).back(), hartRequest({0x02, 0x80, 40, 4, 0x41, 0xA4, 0x00, 0x00, 0x4B}));
    EXPECT_EQ(o.text(O::Status), "Wyjście ustawione");
    EXPECT_EQ(o.sim.transmitter->live().output, 20.5f);
    EXPECT_TRUE(o.sim.station.outputForced);

    ASSERT_TRUE(o.press(O::Release));
    EXPECT_EQ(o.sent(40).back(), hartRequest({0x02, 0x80, 40, 4, 0, 0, 0, 0, 0xAE}));
    EXPECT_EQ(o.text(O::Status), "Wyjście wyzerowane");
    EXPECT_EQ(o.text(O::Value), "0");
    EXPECT_FALSE(o.sim.device().fixedOutput);
    EXPECT_FALSE(o.sim.station.outputForced);
}

TEST(OutputCurrent, ClosingLeavesTheOutputForced) {
    OutputCurrent o;
    ASSERT_TRUE(o.open());
    o.window.type(O::Value, "12");
    ASSERT_TRUE(o.press(O::Set));
    o.window.click(O::Close);
    EXPECT_TRUE(o.window.ended());
    EXPECT_EQ(o.sim.device().fixedOutput, 12.0f);
    EXPECT_TRUE(o.sim.station.outputForced);
}

TEST(OutputCurrent, ModbusUstawWritesModeValueAndModeAgain) {
    OutputCurrent o(true);
    ASSERT_TRUE(o.open());
    o.window.type(O::Value, "12");
    o.window.click(O::Set);
    ASSERT_TRUE(o.sim.clock.advanceUntil([&] { return o.text(O::Status) == "Wyjście ustawione"; }, 5000, 1));
    ASSERT_TRUE(o.settle());
    std::vector<Bytes> writes = o.sim.writes();
    ASSERT_GE(writes.size(), 4u);
    writes.erase(writes.begin());  // the read at opening
    EXPECT_EQ(head(writes[0], 6), (Bytes{0, 6, 0x00, 0x3E, 0x00, 0x08}));
    EXPECT_EQ(head(writes[1], 15), (Bytes{0, 16, 0x00, 0xE0, 0, 4, 8, 0, 0x82, 0, 0x40, 0, 0, 0, 0}));
    EXPECT_EQ(head(writes[2], 6), (Bytes{0, 6, 0x00, 0x3E, 0x00, 0x08}));
    EXPECT_EQ(o.sim.station.link.exchangeState, O::Done);
    EXPECT_EQ(o.sim.device().fixedOutput, 12.0f);
}

// "Ustaw" over RS485 needs the echo of each write: each is sent up to three times, and a
// transmitter that never confirmed one is not said to hold the value (it may well).
TEST(OutputCurrent, ModbusUstawNeedsAValidAnswerToTheValue) {
    for (const WriteAnswerFault& fault : writeAnswerFaults()) {
        SCOPED_TRACE(fault.name);
        OutputCurrent o(true);
        ASSERT_TRUE(o.open());
        fault.arm(*o.sim.transmitter, 1);  // the mode register goes first
        const int losses = std::max(o.sim.transmitter->faults.lostWriteAnswers, 1);
        o.window.type(O::Value, "12");
        ASSERT_TRUE(o.press(O::Set));
        // The mode register loses its answers as well: never confirmed, the value is not sent.
        EXPECT_EQ(o.sent(16).size(), losses < 3 ? std::size_t(losses + 1) : 0u);
        EXPECT_EQ(o.text(O::Status), losses < 3 ? "Wyjście ustawione"
                                                : "Przetwornik nie potwierdził ustawienia wyjścia – sprawdź wyjście "
                                                  "przed powtórzeniem");
        if (losses < 3) {
            EXPECT_EQ(o.sim.device().fixedOutput, 12.0f);
        }
    }
}

TEST(OutputCurrent, ArrowsStepByATenthWithinTheRange) {
    struct Case {
        const char* typed;
        Scroll code;
        const char* shown;
    };
    for (const Case& t : {Case{"20.45", Scroll::LineUp, "20.45"}, Case{"20.4", Scroll::LineUp, "20.5"},
                          Case{"0.05", Scroll::LineDown, "0.05"}, Case{"4", Scroll::LineDown, "3.9"}}) {
        OutputCurrent o;
        ASSERT_TRUE(o.open());
        const std::size_t before = o.sim.writes().size();
        o.window.type(O::Value, t.typed);
        o.dialog.onScroll(O::Spin, t.code);
        EXPECT_EQ(o.text(O::Value), t.shown) << t.typed;
        EXPECT_EQ(o.sim.writes().size(), before);
    }
}

TEST(OutputCurrent, ThreeMissedReadsSayBrakOdpowiedziAndTheDialogStaysUsable) {
    OutputCurrent o;
    o.sim.transmitter->faults.drop.probability = 1;
    ASSERT_TRUE(o.open());
    EXPECT_EQ(o.sent(2).size(), 3u);
    EXPECT_EQ(o.text(O::Status), "Brak odpowiedzi");

    o.sim.transmitter->faults.drop.probability = 0;
    o.window.type(O::Value, "12");
    ASSERT_TRUE(o.press(O::Set));
    EXPECT_EQ(o.text(O::Status), "Wyjście ustawione");
}

// A line whose transmit queue never empties is waited for as long as the request needs on the
// line plus a margin; then the line error is shown and the exchange goes on.
TEST(OutputCurrent, AStuckTransmitQueueIsWaitedForABoundedTime) {
    struct StuckLine : sim::SimLine {
        using SimLine::SimLine;
        int queuedOutput() override { return 19; }
    };
    OutputCurrent o;
    o.sim.station.makeLine = [&](int) {
        return std::make_unique<StuckLine>(o.sim.transmitter, [&] { return o.sim.clock.now(); });
    };
    ASSERT_TRUE(o.open());
    o.window.type(O::Value, "12");
    o.window.click(O::Set);
    o.sim.clock.advance(1);
    ASSERT_EQ(o.sent(40).size(), 1u);
    // 19 bytes of 11 bits at 1200 baud take 175 ms; with the margin the wait ends by 275 ms.
    o.sim.clock.advance(250);
    EXPECT_EQ(o.text(O::Status), " ");
    o.sim.clock.advance(30);
    EXPECT_EQ(o.text(O::Status), "Błąd nadawania: dane nie opuściły portu");
    ASSERT_TRUE(o.settle());
    EXPECT_EQ(o.text(O::Status), "Wyjście ustawione");
}

TEST(OutputCurrent, ReleaseOnOpenClosesOnceConfirmed) {
    OutputCurrent o;
    o.sim.device().fixedOutput = 12;
    o.sim.station.outputForced = true;
    o.dialog.releaseOnOpen();
    ASSERT_TRUE(o.open());
    EXPECT_TRUE(o.window.ended());
    EXPECT_EQ(o.window.result(), ResultOk);
    EXPECT_FALSE(o.sim.device().fixedOutput);
    EXPECT_FALSE(o.sim.station.outputForced);
}

using F = CFactoryDataDlg;

TEST(FactoryData, RestoresTheFactoryPointsWithoutJudgingTheFirstCopy) {
    DialogSession<CFactoryDataDlg> f(sim::Model::Doxa22, false);
    f.sim.device().calibration.outputLowI = 5.7f;
    f.sim.device().calibration.compensation = 2;
    f.sim.transmitter->faults.drop.onRequest = 1;
    f.window.onBox = [&](const FakeWindow::Box& box) {
        EXPECT_EQ(box.text, "UWAGA! W przetworniku zostaną ustawione fabryczne dane kalibracyjne. Czy kontynuować?");
    };
    ASSERT_TRUE(f.window.open());
    f.sim.clock.advance(600);
    EXPECT_EQ(f.text(F::StepText), "Przepisywanie danych");
    // 1000 ms after the copy the line is turned round, 500 ms later the output is driven.
    f.sim.clock.advance(1400);
    EXPECT_EQ(f.text(F::StepText), "Ustawianie wyjścia");
    ASSERT_TRUE(f.settle());
    EXPECT_TRUE(f.window.ended());
    EXPECT_EQ(f.window.result(), ResultOk);
    EXPECT_EQ(f.sent(139).size(), 2u);
    EXPECT_EQ(f.sent(139).front(), hartRequest({0x02, 0x80, 139, 1, 1, 0x09}));
    EXPECT_EQ(f.sent(40).front(), hartRequest({0x02, 0x80, 40, 4, 0x41, 0x70, 0, 0, 0x9F}));
    EXPECT_EQ(f.sim.device().calibration, f.sim.device().factoryCalibration);
    EXPECT_FALSE(f.sim.device().fixedOutput);
    EXPECT_FALSE(f.sim.station.outputForced);
}

// The copy is given a second before the line turns round; the drives 200 ms, the reads 500 ms,
// and the confirmed copy a second before the output is released.
TEST(FactoryData, EveryStepWaitsAsDocumented) {
    DialogSession<CFactoryDataDlg> f(sim::Model::Doxa22, false);
    ASSERT_TRUE(f.window.open());
    EXPECT_EQ(f.window.timerInterval(ExchangeTimer), 500);
    const std::vector<Step> steps = recordSteps(
        f.sim.clock, f.window, [&] { return f.sim.station.link.exchangeState; }, 10);
    const std::vector<Step> documented{
        {F::Listen, 1000}, {F::DriveOutput, 500}, {F::Listen, 200}, {F::ReadDrive, 500},
        {F::CopyData, 500}, {F::Listen, 500},     {F::ReadCopy, 500}, {F::ReleaseOutput, 1000},
        {F::Listen, 200},   {F::ReadRelease, 500}};
    EXPECT_EQ(steps, documented);
}

TEST(FactoryData, CancelAtTheWarningSendsNothing) {
    DialogSession<CFactoryDataDlg> f(sim::Model::Doxa22, false);
    f.window.boxAnswers = {Answer::Cancel};
    f.window.open();
    EXPECT_TRUE(f.window.ended());
    EXPECT_EQ(f.window.result(), ResultCancel);
    EXPECT_TRUE(f.sim.writes().empty());
}

TEST(Delta, ValuesOutside0To200AreRefusedAndTheDialogStaysOpen) {
    VirtualClock clock;
    CDeltaDlg dialog(5);
    FakeWindow window(dialog, clock);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.text(CDeltaDlg::Value), "5");
    for (const char* refused : {"201", "-1", "abc"}) {
        window.type(CDeltaDlg::Value, refused);
        window.click(CDeltaDlg::Ok);
        EXPECT_FALSE(window.ended()) << refused;
    }
    EXPECT_EQ(window.boxes().size(), 3u);
    window.type(CDeltaDlg::Value, "200");
    window.click(CDeltaDlg::Ok);
    EXPECT_EQ(window.result(), ResultOk);
    EXPECT_EQ(dialog.deltaEdit, 200);
}

}  // namespace
}  // namespace doxa::test
