// doxa-sim's injected faults, seen through the real serial line, are counted by the line
// statistics under what went wrong.

#include <gtest/gtest.h>

#include "app/application.h"
#include "sim/line_factory.h"
#include "app/main_frame.h"
#include "support/gui/start_up_driver.h"
#include "support/sim_process.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

TEST(LineStatisticsE2e, TheSimulatorsDroppedAndCutAnswersAreCountedUnderTheirReasons) {
    test::TempFolder folder;
    const auto link = folder.path() / "tty";
    test::SimProcess sim(
        {"--model", "DOXA-22", "--link", link.string(), "--drop-nth", "1", "--truncate-nth", "3"});
    ASSERT_TRUE(test::waitForLink(link));

    MemorySettingsStore store;
    store.writeInt("COM", "COM", 2);
    store.writeText("Porty", "COM3", link.string());
    Station station(store);
    station.makeLine = makeLineFactory(store);
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    frame.show();
    test::startUpUntilIdentified(application, {133});
    frame.close();

    // Five questions answered, the first asked again after no answer, the configuration asked
    // again after a cut answer.
    const LineStatistics& s = station.lineStatistics;
    EXPECT_EQ(s.validAnswers(), 5u);
    EXPECT_EQ(s.noAnswers(), 1u);
    EXPECT_EQ(s.rejected(AnswerFault::Length), 1u);
    EXPECT_EQ(s.rejectedTotal(), 1u);
    EXPECT_EQ(s.requests(), 7u);
    EXPECT_EQ(s.retries(), 2u);
    ASSERT_TRUE(s.meanAnswerMs().has_value());
    EXPECT_GE(*s.meanAnswerMs(), 800.0) << "300 ms to turn round, 500 ms to the read";
}

}  // namespace
}  // namespace doxa
