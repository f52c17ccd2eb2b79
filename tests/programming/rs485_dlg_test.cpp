#include "programming/rs485_dlg.h"

#include <gtest/gtest.h>

#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

class Rs485DlgTest : public ::testing::Test {
protected:
    Rs485DlgTest() {
        sim.useRs485();
        sim.station.device.pollingAddress = 3;
        sim.transmitter->state().address = 3;
    }

    void open(int baudIndex, int parityOff) {
        dialog.baudIndex = baudIndex;
        dialog.parityOff = parityOff;
        ASSERT_TRUE(window.open());
    }
    // Presses "Programuj DOXA" and waits for the verdict.
    std::string program() {
        window.click(CRs485Dlg::Program);
        sim.clock.advanceUntil([&] { return !window.timerRunning(1); }, 5'000);
        return window.text(CRs485Dlg::ProgramResult);
    }
    Bytes lastRequest() const { return sim.writes().empty() ? Bytes{} : sim.writes().back(); }

    SimStation sim;
    CRs485Dlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST_F(Rs485DlgTest, OpensWithTheCallersChoiceAndAnEmptyResult) {
    open(3, 1);
    EXPECT_EQ(window.text(CRs485Dlg::ProgramResult), " ");
    EXPECT_TRUE(window.isChecked(CRs485Dlg::Baud19200));
    EXPECT_FALSE(window.isChecked(CRs485Dlg::Baud1200));
    EXPECT_TRUE(window.isChecked(CRs485Dlg::ParityNone));
    EXPECT_FALSE(window.isChecked(CRs485Dlg::ParityOdd));
    EXPECT_EQ(sim.station.link.portOpen, 1);
}

TEST_F(Rs485DlgTest, ProgramsSpeedAndOddParityIntoTheTransmitter) {
    open(2, 0);
    EXPECT_EQ(program(), " OK");
    const Bytes request = lastRequest();
    ASSERT_EQ(request.size(), 11U);
    EXPECT_EQ(Bytes(request.begin(), request.begin() + 9),
              (Bytes{0x03, 0x74, 0x00, 0x7E, 0x00, 0x01, 0x02, 0x00, 0x82}));
    EXPECT_EQ(sim.device().lineSettings, 0x82);
}

TEST_F(Rs485DlgTest, ProgramsWhatTheRadiosShowNow) {
    open(2, 0);
    window.setChecked(CRs485Dlg::Baud9600, false);
    window.setChecked(CRs485Dlg::Baud38400, true);
    window.setChecked(CRs485Dlg::ParityOdd, false);
    window.setChecked(CRs485Dlg::ParityNone, true);
    EXPECT_EQ(program(), " OK");
    EXPECT_EQ(lastRequest()[8], 0x04);
    EXPECT_EQ(sim.device().lineSettings, 0x04);
    EXPECT_EQ(dialog.baudIndex, 4);
    EXPECT_EQ(dialog.parityOff, 1);
}

TEST_F(Rs485DlgTest, ParityOffProgramsThePlainSpeed) {
    open(2, 1);
    EXPECT_EQ(program(), " OK");
    EXPECT_EQ(lastRequest()[8], 0x02);
}

TEST_F(Rs485DlgTest, AnswerIsReadOnlyAfterTheDoubleWait) {
    open(0, 0);
    window.click(CRs485Dlg::Program);
    EXPECT_EQ(window.timerInterval(1), 350);
    sim.clock.advance(600);
    EXPECT_EQ(window.text(CRs485Dlg::ProgramResult), " ");
    sim.clock.advance(100);
    EXPECT_EQ(window.text(CRs485Dlg::ProgramResult), " OK");
}

TEST_F(Rs485DlgTest, UnansweredProgrammingFailsWithoutRetry) {
    open(1, 0);
    sim.transmitter->faults.drop.probability = 1;
    EXPECT_EQ(program(), "FAIL ");
    const std::size_t writes = sim.writes().size();
    sim.clock.advance(5'000);
    EXPECT_EQ(sim.writes().size(), writes);
}

TEST_F(Rs485DlgTest, ExceptionAnswerIsAFailure) {
    open(1, 0);
    sim.transmitter->faults.notImplemented.probability = 1;
    EXPECT_EQ(program(), "FAIL ");
}

TEST_F(Rs485DlgTest, KeysTheDriverTheRs485WayEvenInHartMode) {
    sim.station.link.transmissionMode = ModeHart;
    open(2, 0);
    window.click(CRs485Dlg::Program);
    ASSERT_NE(sim.line(), nullptr);
    EXPECT_FALSE(sim.line()->rts()) << "RS485 transmits with RTS dropped";
}

TEST_F(Rs485DlgTest, PortThatCannotBeOpenedIsShownOnTheButton) {
    sim.portFails = true;
    open(0, 0);
    EXPECT_EQ(window.text(CRs485Dlg::Program), "Bład w otwarciu portu");
    EXPECT_FALSE(window.ended());
    EXPECT_EQ(program(), "FAIL ");
}

TEST_F(Rs485DlgTest, SetTakesTheRadiosAndClosingReleasesTheLine) {
    open(0, 0);
    window.setChecked(CRs485Dlg::Baud1200, false);
    window.setChecked(CRs485Dlg::Baud4800, true);
    window.click(CRs485Dlg::Program);
    window.click(CRs485Dlg::Set);

    EXPECT_EQ(window.result(), ResultOk);
    EXPECT_EQ(dialog.baudIndex, 1);
    EXPECT_FALSE(window.timerRunning(1));
    sim.clock.advance(500);  // the request on the line, then the release byte, leave it
    EXPECT_EQ(lastRequest(), Bytes{0xFF});
    EXPECT_TRUE(sim.line()->rts()) << "left at receive";
}

TEST_F(Rs485DlgTest, CloseKeepsTheCallersValues) {
    open(2, 0);
    window.setChecked(CRs485Dlg::Baud9600, false);
    window.setChecked(CRs485Dlg::Baud1200, true);
    window.click(CRs485Dlg::Close);
    EXPECT_EQ(window.result(), ResultCancel);
    EXPECT_EQ(dialog.baudIndex, 2);
}

}  // namespace
}  // namespace doxa::test
