// The tag of a line in the traffic pane when the read marker does not stand right before the
// 0xFF run: one stray byte read ahead of the preambles still makes an "RX:" line.

#include <gtest/gtest.h>

#include "views/traffic_view.h"
#include "link/traffic_log.h"

namespace doxa::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void append(TrafficLog& log, std::uint8_t marker, const Bytes& bytes) {
    log.append(marker, false, bytes.data(), static_cast<int>(bytes.size()));
}

TEST(TrafficTags, AReadMarkerTwoBytesBeforeTheRunTagsTheLineRx) {
    TrafficLog log;
    append(log, 'T', {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80, 0x00, 0x00, 0x82});
    append(log, 'R', {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x06, 0x80});
    const std::vector<LogCell> cells = trafficCells(log);
    const std::vector<std::string> text = trafficText(cells);
    ASSERT_EQ(text.size(), 2u);
    // The marker stays on the request's line; the stray byte is blanked out by the new line.
    EXPECT_EQ(text[0], "TX:     ff ff ff ff ff 02 80 00 00 82 52");
    EXPECT_EQ(text[1], "RX:     ff ff ff ff ff 06 80");
    const auto tag = std::find_if(cells.begin(), cells.end(), [](const LogCell& c) { return c.line == 2; });
    ASSERT_NE(tag, cells.end());
    EXPECT_EQ(*tag, (LogCell{0, 2, "RX:  ", ReadTagColour}));
}

// A write marker counts only right before the run: a stray byte between them leaves the line
// without a tag.
TEST(TrafficTags, AWriteMarkerTwoBytesBeforeTheRunTagsNothing) {
    TrafficLog log;
    append(log, 'T', {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02});
    // The marker and the stray byte stand before any line; the second is blanked out.
    EXPECT_EQ(trafficText(trafficCells(log)), (std::vector<std::string>{"54", "ff ff ff ff ff 02"}));
}

}  // namespace
}  // namespace doxa::test
