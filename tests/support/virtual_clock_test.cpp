#include "support/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_window.h"

namespace doxa::test {
namespace {

// Records the virtual time of every tick and lets a test reschedule from inside a tick.
class TickLogic : public DialogLogic {
public:
    explicit TickLogic(VirtualClock& clock) : clock_(clock) {}
    int layout() const override { return 1; }
    void onTimer(int timer) override {
        ticks.push_back(std::to_string(timer) + "@" + std::to_string(clock_.now()));
        if (timer == 1 && ticks.size() == 1) window().startTimer(1, 300);
        if (timer == 2) window().stopTimer(2);
    }
    std::vector<std::string> ticks;

private:
    VirtualClock& clock_;
};

TEST(VirtualClock, FiresTimersInTimeOrderAndHonoursRestartsFromInsideATick) {
    VirtualClock clock;
    TickLogic logic(clock);
    FakeWindow window(logic, clock);
    ASSERT_TRUE(window.open());
    window.startTimer(1, 100);
    window.startTimer(2, 250);
    clock.advance(1000);
    // Timer 1 first fires at 100 and restarts itself at 300 ms; timer 2 fires once and stops.
    EXPECT_EQ(logic.ticks, (std::vector<std::string>{"1@100", "2@250", "1@400", "1@700", "1@1000"}));
    EXPECT_EQ(clock.now(), 1000);
    EXPECT_EQ(window.timerInterval(1), 300);
    EXPECT_FALSE(window.timerRunning(2));
}

TEST(FakeWindow, EndingTheDialogStopsItsTimersAndDefaultButtonsEndIt) {
    VirtualClock clock;
    TickLogic logic(clock);
    FakeWindow window(logic, clock);
    ASSERT_TRUE(window.open());
    window.startTimer(1, 100);
    window.click(ResultOk);
    EXPECT_TRUE(window.ended());
    EXPECT_EQ(window.result(), ResultOk);
    clock.advance(500);
    EXPECT_TRUE(logic.ticks.empty());
}

TEST(FakeWindow, AnswersMessageBoxesAsScripted) {
    VirtualClock clock;
    TickLogic logic(clock);
    FakeWindow window(logic, clock);
    window.boxAnswers = {Answer::Cancel};
    EXPECT_EQ(window.messageBox("UWAGA!", BoxIcon::None, BoxButtons::OkCancel), Answer::Cancel);
    EXPECT_EQ(window.messageBox("b", BoxIcon::Information, BoxButtons::Ok), Answer::Ok);
    ASSERT_EQ(window.boxes().size(), 2u);
    EXPECT_EQ(window.boxes()[0].text, "UWAGA!");
}

}  // namespace
}  // namespace doxa::test
