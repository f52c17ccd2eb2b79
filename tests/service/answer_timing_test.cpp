// The service tools against transmitters that answer later, in pieces or at the very end of the
// wait: they show what an immediate answer shows and send each request as often.

#include <gtest/gtest.h>

#include <cstdio>

#include "service/console_dlg.h"
#include "service/memory_dump_dlg.h"
#include "service/register_read_dlg.h"
#include "service/register_write_dlg.h"
#include "support/fake_window.h"
#include "support/timing_scenario.h"
#include "transmitter/exchange.h"

namespace doxa::test {
namespace {

bool idle(SimStation& sim, FakeWindow& window) {
    return sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 20'000);
}

// Command 40 typed by hand fixes the output at 12.0 mA; the answer is listed byte by byte.
TimingOutcome consoleSession(const sim::AnswerTiming& timing) {
    using C = CHartConsoleDlg;
    SimStation sim(sim::Model::Doxa22, sim::Options{.timing = timing});
    C dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    EXPECT_TRUE(window.open());
    window.focus(C::InstructionText);
    window.type(C::InstructionText, window.text(C::InstructionText) +
                                        "0x02, 0x80, 0x28, 0x04, 0x41, 0x40, 0x00, 0x00");
    window.click(C::Send);
    EXPECT_TRUE(idle(sim, window));
    std::vector<std::string> shown{window.text(C::InstructionText)};
    EXPECT_NE(shown[0].find("Ilosc RX: 17."), std::string::npos) << shown[0];
    window.close();
    return outcomeOf(sim, shown);
}

// The upper EEPROM page dumped; the dialog closes by itself.
TimingOutcome dumpSession(const sim::AnswerTiming& timing, bool rs485) {
    SimStation sim(sim::Model::Doxa22, sim::Options{.timing = timing});
    if (rs485) sim.useRs485();
    sim.device().sensorCode = 4;
    sim.station.dumpSelection = DumpSelection::EepromHigh;
    CMemoryDumpDlg dialog(sim.station, 'E');
    FakeWindow window(dialog, sim.clock);
    EXPECT_TRUE(window.open());
    EXPECT_TRUE(sim.clock.advanceUntil([&] { return window.ended(); }, 20'000));
    std::vector<std::string> shown{window.text(CMemoryDumpDlg::Progress)};
    for (const std::uint8_t byte : sim.station.dumpBuffer) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", byte);
        shown.back() += hex;
    }
    EXPECT_EQ(sim.station.dumpSelection, DumpSelection::EepromHigh);
    EXPECT_EQ(sim.station.dumpBuffer[255 - 8], 4);
    return outcomeOf(sim, shown);
}

// 12.0 written into the four registers of the lower range end, then the same registers read.
TimingOutcome registerSession(const sim::AnswerTiming& timing) {
    SimStation sim(sim::Model::Doxa22, sim::Options{.timing = timing});
    sim.useRs485();
    sim.device().address = 1;
    sim.station.device.pollingAddress = 1;
    std::vector<std::string> shown;
    {
        CRegisterWriteDlg write(sim.station);
        FakeWindow window(write, sim.clock);
        EXPECT_TRUE(window.open());
        window.click(CRegisterWriteDlg::FourRegisters);
        window.type(CRegisterDlg::StartAddress, "63");
        window.type(CRegisterDlg::ResultText, "0x82,0x40,0,0");
        window.click(CRegisterDlg::Run);
        EXPECT_TRUE(idle(sim, window));
        shown.push_back(window.text(CRegisterDlg::ResultText));
        window.close();
    }
    CRegisterReadDlg read(sim.station);
    FakeWindow window(read, sim.clock);
    EXPECT_TRUE(window.open());
    window.type(CRegisterDlg::StartAddress, "63");
    window.type(CRegisterDlg::EndAddress, "66");
    window.click(CRegisterDlg::Run);
    EXPECT_TRUE(idle(sim, window));
    shown.push_back(window.text(CRegisterDlg::ResultText));
    EXPECT_EQ(shown, (std::vector<std::string>{"Ilosc zapisanych rejestrów:  4,", "0x82,0x40,00,00,"}));
    window.close();
    return outcomeOf(sim, shown);
}

void holdsSensorCode(const sim::State& s) { EXPECT_EQ(s.sensorCode, 4); }

const std::vector<TimingScenario> ServiceScenarios = {
    {"Console", consoleSession, [](const sim::State& s) { EXPECT_EQ(s.fixedOutput, 12.0F); }},
    {"DumpHart", [](const sim::AnswerTiming& t) { return dumpSession(t, false); }, holdsSensorCode},
    {"DumpRs485", [](const sim::AnswerTiming& t) { return dumpSession(t, true); }, holdsSensorCode},
    {"Registers", registerSession,
     [](const sim::State& s) { EXPECT_EQ(s.rangeLower, 12.0F); }},
};

class ServiceTiming : public ::testing::TestWithParam<std::tuple<TimingScenario, TimingVariant>> {};

TEST_P(ServiceTiming, ShowsAndLeavesWhatAnImmediateAnswerDoes) {
    expectAsWithImmediateAnswers(std::get<0>(GetParam()), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Variants, ServiceTiming,
                         ::testing::Combine(::testing::ValuesIn(ServiceScenarios),
                                            ::testing::ValuesIn(TimingVariants)),
                         [](const auto& info) { return scenarioAndVariant(info); });

}  // namespace
}  // namespace doxa::test
