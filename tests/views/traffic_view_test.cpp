#include "views/traffic_view.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "link/traffic_log.h"

namespace doxa::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes Request{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80, 0x00, 0x00, 0x82};
const Bytes Answer{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x06, 0x80, 0x01, 0x00};

void append(TrafficLog& log, std::uint8_t marker, const Bytes& bytes, bool rs485 = false) {
    log.append(marker, rs485, bytes.data(), static_cast<int>(bytes.size()));
}

TEST(TrafficView, ARequestAndItsAnswerMakeTaggedLines) {
    TrafficLog log;
    EXPECT_TRUE(trafficCells(log).empty()) << "an empty log draws nothing";
    append(log, 'T', Request);
    append(log, 'R', Answer);
    const std::vector<LogCell> cells = trafficCells(log);

    ASSERT_EQ(cells.size(), 1u + 15u + 1u + 9u);
    EXPECT_EQ(cells[0], (LogCell{0, 1, "TX:  ", WriteTagColour}));
    EXPECT_EQ(cells[1], (LogCell{2, 1, "ff", PreambleColour})) << "one empty cell after the tag";
    EXPECT_EQ(cells[10], (LogCell{11, 1, "ff", PreambleColour}));
    EXPECT_EQ(cells[11], (LogCell{12, 1, "02", Black}));
    EXPECT_EQ(cells[15], (LogCell{16, 1, "82", Black}));
    EXPECT_EQ(cells[16], (LogCell{0, 2, "RX:  ", ReadTagColour})) << "the marker 'R' is blanked out";
    EXPECT_EQ(cells[22], (LogCell{7, 2, "06", Black}));
    EXPECT_EQ(cells.back(), (LogCell{10, 2, "00", Black}));

    EXPECT_EQ(trafficText(cells), (std::vector<std::string>{"TX:     ff ff ff ff ff ff ff ff ff ff 02 80 00 00 82",
                                                             "RX:     ff ff ff ff ff 06 80 01 00"}));
}

TEST(TrafficView, Rs485RecordsAndAResetPosition) {
    TrafficLog log;
    append(log, 'T', {0x01, 0x03, 0x00, 0x38, 0x00, 0x04, 0xC5, 0xC4}, true);
    std::vector<std::string> text = trafficText(trafficCells(log));
    EXPECT_EQ(text, std::vector<std::string>{"TX:     ff ff ff ff ff ff 01 03 00 38 00 04 c5 c4"});
    log.trafficLogPos = 0;  // a menu command starts the log afresh
    EXPECT_TRUE(trafficCells(log).empty());
    append(log, 'R', Answer);
    EXPECT_EQ(trafficText(trafficCells(log)).size(), 1u);
}

TEST(TrafficJournal, OneTimedLinePerRecordSinceTheLogWasReset) {
    setenv("TZ", "UTC", 1);
    tzset();
    auto now = std::chrono::system_clock::from_time_t(1'796'000'000) + std::chrono::milliseconds(125);
    TrafficJournal journal([&] { return now; });
    TrafficLog log;
    log.onRecord = [&](std::uint8_t m, const std::uint8_t* b, int n, bool restarted) { journal.record(m, b, n, restarted); };
    append(log, 'T', {0xFF, 0x01});
    now += std::chrono::milliseconds(300);
    append(log, 'R', {0x06, 0x41}, true);
    EXPECT_EQ(journal.text(), "00:53:20.125 TX: ff 01\n00:53:20.425 RX: 06 41\n");
    log.trafficLogPos = 0;
    append(log, 'T', {0x55});
    EXPECT_EQ(journal.size(), 1u);
    for (int i = 0; i < 400; ++i) append(log, 'T', Bytes(20, 0x11));  // the ring wraps, the journal keeps all
    EXPECT_EQ(journal.size(), 401u);
}

}  // namespace
}  // namespace doxa::test
