// The wait of every timer step of identification and of the live display, on success and on
// each kind of failure, as documented: a wrong wait in one step shows even where a cycle's
// total would still look plausible.

#include <gtest/gtest.h>

#include <optional>

#include "support/fake_window.h"
#include "support/schedule.h"
#include "support/sim_station.h"
#include "transmitter/display_dlg.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

// One request of an exchange: the state that sends it, where a good answer leads (none when
// the dialog is done) after how long, and how long before a failed one is asked again.
struct Exchange {
    int send;
    std::optional<int> next;
    int wait;
    int retryWait;
};

// SEND waits the line's answer time, TURN half a second, READ leads on; the exchange at
// `failing` is answered badly once and asked again.
std::vector<Step> documented(const std::vector<Exchange>& exchanges, int replyWait,
                             int failing = -1) {
    std::vector<Step> steps;
    for (int i = 0; i < static_cast<int>(exchanges.size()); ++i) {
        const Exchange& e = exchanges[std::size_t(i)];
        for (int attempt = i == failing ? 0 : 1; attempt < 2; ++attempt) {
            steps.push_back({e.send + 1, replyWait});
            steps.push_back({e.send + 2, 500});
            if (attempt == 0)
                steps.push_back({e.send, e.retryWait});
            else if (e.next)
                steps.push_back({*e.next, e.wait});
        }
    }
    return steps;
}

template <typename Dialog>
std::vector<Step> run(SimStation& sim, std::size_t count) {
    Dialog dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    EXPECT_TRUE(window.open());
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 500);
    return recordSteps(sim.clock, window, [&] { return sim.station.link.exchangeState; }, count,
                       ExchangeTimer, 10000);
}

const std::vector<Exchange> HartIdentification{
    {0, 3, 100, 100}, {3, 6, 100, 500}, {6, 9, 100, 100}, {9, 12, 300, 500}, {12, {}, 0, 100}};
const std::vector<Exchange> Rs485Identification{
    {0, 3, 100, 100}, {3, 9, 100, 500}, {9, 12, 300, 500}, {12, {}, 0, 100}};

TEST(ExchangeSchedule, IdentificationWaitsAsDocumentedAfterEveryAnswerAndEveryFailure) {
    for (const bool rs485 : {false, true}) {
        const auto& exchanges = rs485 ? Rs485Identification : HartIdentification;
        for (int failing = -1; failing < static_cast<int>(exchanges.size()); ++failing) {
            SCOPED_TRACE(testing::Message() << (rs485 ? "RS485" : "HART") << " " << failing);
            SimStation sim;
            if (rs485) {
                sim.useRs485();
                sim.device().address = 0;
            }
            if (failing >= 0) sim.transmitter->faults.drop.onRequest = std::uint64_t(failing) + 1;
            const std::vector<Step> expected = documented(exchanges, rs485 ? 250 : 300, failing);
            // One step more is asked for: after the filter the timer must stay stopped.
            EXPECT_EQ(run<CInitDlg>(sim, expected.size() + 1), expected);
        }
    }
}

using D = CDisplayDlg;

TEST(ExchangeSchedule, LiveDisplayWaitsAsDocumentedInEveryStep) {
    struct Case {
        const char* name;
        sim::Model model;
        bool rs485;
        int sensorType;  // as an earlier identification left it
        std::vector<Exchange> exchanges;
    };
    const Case cases[] = {
        {"DOXA-22 HART", sim::Model::Doxa22, false, 1,
         {{D::SendIdentify, D::SendSensor, 100, 100},
          {D::SendSensor, D::SendPrimary, 100, 100},
          {D::SendPrimary, D::SendOutput, 100, 100},
          {D::SendOutput, D::SendAmbient, 200, 200},
          {D::SendAmbient, D::SendPrimary, 1000, 1000},
          {D::SendPrimary, D::SendOutput, 100, 100}}},
        {"DOXA-21-R with a Pt 100", sim::Model::Doxa21R, false, 1,
         {{D::SendIdentify, D::SendSensor, 100, 100},
          {D::SendSensor, D::SendPrimary, 100, 100},
          {D::SendPrimary, D::SendOutput, 100, 100},
          {D::SendOutput, D::SendPrimary, 1000, 1000},
          {D::SendPrimary, D::SendOutput, 100, 100}}},
        {"DOXA-21-R with a thermocouple", sim::Model::Doxa21R, false, 4,
         {{D::SendIdentify, D::SendSensor, 100, 100},
          {D::SendSensor, D::SendPrimary, 100, 100},
          {D::SendPrimary, D::SendOutput, 100, 100},
          {D::SendOutput, D::SendAmbient, 200, 200},
          {D::SendAmbient, D::SendPrimary, 1000, 1000}}},
        {"DOXA-22 RS485", sim::Model::Doxa22, true, 1,
         {{D::SendIdentify, D::SendSensor, 100, 100},
          {D::SendSensor, D::SendPrimary, 100, 100},
          {D::SendPrimary, D::SendAmbient, 100, 100},
          {D::SendAmbient, D::SendPrimary, 1000, 1000},
          {D::SendPrimary, D::SendAmbient, 100, 100}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimStation sim(c.model);
        if (c.rs485) sim.useRs485();
        sim.station.device.sensorType = c.sensorType;
        const std::vector<Step> expected = documented(c.exchanges, c.rs485 ? 250 : 300);
        EXPECT_EQ(run<CDisplayDlg>(sim, expected.size()), expected);
    }
}

// A failed start-up read is asked again 100 ms later; a missed value goes on with the cycle.
TEST(ExchangeSchedule, LiveDisplayRetriesAfterAHundredMillisecondsAndCarriesOnAfterAMiss) {
    for (int failing = 0; failing < 5; ++failing) {
        SCOPED_TRACE(failing);
        SimStation sim;
        sim.transmitter->faults.drop.onRequest = std::uint64_t(failing) + 1;
        std::vector<Exchange> exchanges{{D::SendIdentify, D::SendSensor, 100, 100},
                                        {D::SendSensor, D::SendPrimary, 100, 100},
                                        {D::SendPrimary, D::SendOutput, 100, 100},
                                        {D::SendOutput, D::SendAmbient, 200, 200},
                                        {D::SendAmbient, D::SendPrimary, 1000, 1000}};
        // Values are not asked again: the failed read leads where a good one would.
        const bool startUp = failing < 2;
        std::vector<Step> expected = documented(exchanges, 300, startUp ? failing : -1);
        EXPECT_EQ(run<CDisplayDlg>(sim, expected.size()), expected);
    }
}

}  // namespace
}  // namespace doxa::test
