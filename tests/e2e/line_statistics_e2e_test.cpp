// doxa-sim's injected faults, seen through the real serial line, are counted by the line
// statistics under what went wrong.

#include <gtest/gtest.h>

#include "support/gui/program_on_pty.h"
#include "support/gui/start_up_driver.h"

namespace doxa {
namespace {

TEST(LineStatisticsE2e, TheSimulatorsDroppedAndCutAnswersAreCountedUnderTheirReasons) {
    test::ProgramOnPty pty({"--model", "DOXA-22", "--drop-nth", "1", "--truncate-nth", "3"});
    ASSERT_TRUE(pty.linked());
    test::startUpUntilIdentified(pty.application, {133});
    pty.frame.close();

    // Five questions answered, the first asked again after no answer, the configuration asked
    // again after a cut answer.
    const LineStatistics& s = pty.station.lineStatistics;
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
