#include "link/link_settings.h"

#include <gtest/gtest.h>

namespace doxa {
namespace {

TEST(LinkSettings, ReplyWaitFollowsTheModeAndTheSpeed) {
    EXPECT_EQ(replyWaitFor(ModeHart, 0), 300);
    EXPECT_EQ(replyWaitFor(ModeHart, 3), 300);
    const int rs485[] = {250, 50, 20, 5, 5};  // 1200 .. 38400 baud
    for (int index = 0; index < 5; ++index) EXPECT_EQ(replyWaitFor(ModeRs485, index), rs485[index]);
    EXPECT_EQ(replyWaitFor(ModeRs485, 7), 5);
}

}  // namespace
}  // namespace doxa
