#include <gtest/gtest.h>

#include "link/modbus.h"
#include "service/register_read_dlg.h"
#include "service/register_write_dlg.h"
#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

// A register dialog on a simulated DOXA-22 at address 1, RS485 at 1200 baud.
template <typename Dlg>
struct Registers {
    Registers() {
        sim.useRs485();
        sim.device().address = 1;
        sim.station.device.pollingAddress = 1;
        EXPECT_TRUE(window.open());
    }
    void range(int start, int end) {
        window.type(CRegisterDlg::StartAddress, std::to_string(start));
        window.type(CRegisterDlg::EndAddress, std::to_string(end));
    }
    // Clicks the send button and waits for the answer to be shown.
    void run() {
        const std::size_t before = sim.writes().size();
        window.click(CRegisterDlg::Run);
        sim.clock.advance(1200);
        sent = sim.writes().size() > before ? sim.writes().back() : Bytes{};
    }
    std::string result() const { return window.text(CRegisterDlg::ResultText); }

    SimStation sim;
    Dlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
    Bytes sent;
};

Bytes withCrc(Bytes frame) {
    const std::uint16_t crc = modbusCrc(frame, static_cast<int>(frame.size()));
    frame.push_back(crc & 0xFF);
    frame.push_back(crc >> 8);
    return frame;
}

TEST(RegisterWrite, FourRegistersThenReadBackAsAFloat) {
    Registers<CRegisterWriteDlg> write;
    EXPECT_FALSE(write.window.isVisible(CRegisterDlg::EndAddress));
    EXPECT_EQ(write.window.text(CRegisterWriteDlg::EndLabel), "");
    write.window.click(CRegisterWriteDlg::FourRegisters);
    write.window.type(CRegisterDlg::StartAddress, "56");
    EXPECT_TRUE(write.window.isVisible(CRegisterDlg::EndAddress));
    EXPECT_EQ(write.window.text(CRegisterWriteDlg::EndLabel), "Adres koniec");
    EXPECT_EQ(write.window.text(CRegisterDlg::EndAddress), "59");
    write.window.type(CRegisterDlg::ResultText, "0x82,0x40,0,0");
    write.run();
    EXPECT_EQ(write.sent, withCrc({1, 16, 0x00, 0x38, 0x00, 0x04, 8, 0, 0x82, 0, 0x40, 0, 0, 0, 0}));
    EXPECT_EQ(write.result(), "Ilosc zapisanych rejestrów:  4,");

    write.window.close();

    CRegisterReadDlg readDialog(write.sim.station);
    FakeWindow read(readDialog, write.sim.clock);
    ASSERT_TRUE(read.open());
    read.type(CRegisterDlg::StartAddress, "56");
    read.type(CRegisterDlg::EndAddress, "59");
    read.click(CRegisterDlg::Run);
    write.sim.clock.advance(1200);
    EXPECT_EQ(write.sim.writes().back(), (Bytes{1, 3, 0x00, 0x38, 0x00, 0x04, 0xC5, 0xC4}));
    EXPECT_EQ(read.text(CRegisterDlg::ResultText), "0x82,0x40,00,00,");
    read.click(CRegisterReadDlg::FloatToInt);
    EXPECT_EQ(read.text(CRegisterDlg::ResultText), "0x82,0x40,00,00,   = 12.");
}

TEST(RegisterWrite, OneRegisterPlainOrIntoEeprom) {
    Registers<CRegisterWriteDlg> write;
    write.window.type(CRegisterDlg::StartAddress, "5");
    write.window.type(CRegisterDlg::ResultText, "0x7e,0x12");
    write.run();
    EXPECT_EQ(write.sent, withCrc({1, 6, 0x00, 0x05, 0x00, 0x7E})) << "the second value is not sent";
    EXPECT_EQ(write.result(), "0x7e,");

    write.window.type(CRegisterDlg::StartAddress, "13");
    write.window.setChecked(CRegisterWriteDlg::Eeprom, true);
    write.window.type(CRegisterDlg::ResultText, "0x5");
    write.run();
    EXPECT_EQ(write.sent, withCrc({1, 116, 0x00, 0x0D, 0x00, 0x01, 2, 0x00, 0x05}));
    EXPECT_EQ(write.sim.device().filterTimeCode, 5) << "EEPROM 0x10D holds the filter time code";
    EXPECT_EQ(write.result(), "0x01,");
}

TEST(RegisterWrite, WithoutValuesNothingIsSentAndTheTechnicianIsTold) {
    Registers<CRegisterWriteDlg> write;
    write.window.type(CRegisterDlg::StartAddress, "5");
    write.window.type(CRegisterDlg::ResultText, "7e, 12");  // no '0': no value at all
    write.run();
    ASSERT_EQ(write.window.boxes().size(), 1u);
    EXPECT_NE(write.window.boxes()[0].text.find("Nic nie wysłano"), std::string::npos);
    EXPECT_TRUE(write.sent.empty());

    write.window.click(CRegisterWriteDlg::FourRegisters);
    write.window.type(CRegisterDlg::StartAddress, "56");
    write.window.type(CRegisterDlg::ResultText, "0x01,0x02,0x03");
    write.run();
    EXPECT_EQ(write.window.boxes().size(), 2u) << "four registers need four values";
    EXPECT_TRUE(write.sent.empty());

    write.window.type(CRegisterDlg::EndAddress, "60");  // five registers, but four values travel
    write.window.type(CRegisterDlg::ResultText, "0x01,0x02,0x03,0x04");
    write.run();
    EXPECT_EQ(write.window.boxes().back().text, "Błędny adres");
    EXPECT_TRUE(write.sent.empty());
}

TEST(RegisterRead, AddressRulesAndTheRangeMessage) {
    Registers<CRegisterReadDlg> read;
    read.range(100, 133);
    read.run();
    EXPECT_TRUE(read.sent.empty());
    read.range(100, 99);
    read.run();
    read.range(100, 512);
    read.run();
    read.range(100, -1);
    read.run();
    std::vector<std::string> shown;
    for (const auto& box : read.window.boxes()) shown.push_back(box.text);
    EXPECT_EQ(shown, (std::vector<std::string>{"Błędny adres", "Błędny adres",
                                               "Please enter an integer between 0 and 511.",
                                               "Please enter an integer between 0 and 511."}));
    EXPECT_TRUE(read.sent.empty());

    read.range(100, 132);
    read.run();
    EXPECT_EQ(read.sent.size(), 8u);
    EXPECT_EQ(read.sent[5], 33);
    const std::string listed = read.result();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), ','), 33);
}

TEST(RegisterRead, NoAnswerIsReportedAfterItsWait) {
    Registers<CRegisterReadDlg> read;
    read.window.type(CRegisterDlg::SlaveAddress, "7");  // nobody answers there
    EXPECT_EQ(read.sim.station.device.pollingAddress, 7);
    read.range(0, 3);
    read.window.click(CRegisterDlg::Run);
    read.sim.clock.advance(1070);
    EXPECT_TRUE(read.window.boxes().empty());
    read.sim.clock.advance(20);
    ASSERT_EQ(read.window.boxes().size(), 1u);
    EXPECT_EQ(read.window.boxes()[0].text, "Brak odpowiedzi");
    EXPECT_EQ(read.result(), "");
    read.window.type(CRegisterDlg::SlaveAddress, "128");
    EXPECT_EQ(read.sim.station.device.pollingAddress, 0);
}

struct MarkCase {
    Bytes answer;
    const char* shown;
};

TEST(RegisterRead, ListsWhatArrivedButMarksABadCrcOrAnException) {
    const Bytes good = withCrc({1, 3, 4, 0, 0x82, 0, 0x40});
    Bytes corrupted = good;
    corrupted[4] = 0x83;
    const MarkCase cases[] = {
        {good, "0x82,0x40,"},
        {corrupted, "0x83,0x40, [błędne CRC odpowiedzi]"},
        {withCrc({1, 0x83, 0x02}), " [odpowiedź wyjątku: kod 0x02]"},
        {withCrc({1, 16, 0, 0, 0, 1}), "00, [odpowiedź funkcji 16 zamiast 3]"},
        {{1, 3}, " [odpowiedź niepełna]"},
    };
    for (const MarkCase& c : cases) {
        SimStation sim;
        sim.useRs485();
        sim.transmitter.reset();  // the answer is fed by hand
        CRegisterReadDlg dialog(sim.station);
        FakeWindow window(dialog, sim.clock);
        ASSERT_TRUE(window.open());
        window.type(CRegisterDlg::StartAddress, "0");
        window.type(CRegisterDlg::EndAddress, "1");
        window.click(CRegisterDlg::Run);
        sim.clock.advance(100);
        ASSERT_NE(sim.line(), nullptr);
        sim.line()->feed(c.answer);
        sim.clock.advance(1100);
        EXPECT_EQ(window.text(CRegisterDlg::ResultText), c.shown);
    }
}

TEST(RegisterRead, AStuckTransmitQueueIsWaitedForOnlyAsLongAsTheBytesNeed) {
    Registers<CRegisterReadDlg> read;
    read.range(0, 3);
    ASSERT_NE(read.sim.line(), nullptr);
    read.sim.line()->stuckOutput = true;
    read.sim.line()->injectErrors(CeTxFull);
    read.window.click(CRegisterDlg::Run);
    read.sim.clock.advance(50);
    // 8 bytes of 11 bits at 1200 baud need 74 ms; with the margin the wait ends after 180 ms.
    EXPECT_EQ(transmitBudgetMs(8, 0, 0), 174);
    read.sim.clock.advance(170);
    EXPECT_TRUE(read.sim.messages.empty()) << "still within the 18 polls of 10 ms";
    read.sim.clock.advance(10);
    EXPECT_EQ(read.sim.messages, std::vector<std::string>{"Error CE_TXFULL"}) << "shown once the wait is over";
    read.sim.clock.advance(1100);
    EXPECT_TRUE(read.result().starts_with("Nadawanie nie zakończone: w kolejce zostało 8 B Error CE_TXFULL"))
        << read.result();
    EXPECT_FALSE(read.window.timerRunning(1));
}

}  // namespace
}  // namespace doxa::test
