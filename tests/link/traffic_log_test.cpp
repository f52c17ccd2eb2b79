#include "link/traffic_log.h"

#include <gtest/gtest.h>

#include <vector>

namespace doxa {
namespace {

std::vector<std::uint8_t> slice(const TrafficLog& log, int from, int to) {
    return {log.bytes().begin() + from, log.bytes().begin() + to};
}

TEST(TrafficLog, HartRecordsAreMarkerAndBytes) {
    TrafficLog log;
    int changes = 0;
    log.onChange = [&] { ++changes; };
    const std::uint8_t request[] = {0xFF, 0xFF, 0x02, 0x80, 0x00};
    log.append(TrafficLog::WrittenMarker, false, request, 5);
    log.append(TrafficLog::ReadMarker, false, request + 2, 2);
    EXPECT_EQ(slice(log, 0, 9), (std::vector<std::uint8_t>{'T', 0xFF, 0xFF, 0x02, 0x80, 0x00, 'R', 0x02, 0x80}));
    EXPECT_EQ(log.trafficLogPos, 9);
    EXPECT_EQ(changes, 2);
}

TEST(TrafficLog, Rs485RecordsCarrySixFillBytes) {
    TrafficLog log;
    const std::uint8_t answer[] = {0x01, 0x03};
    log.append(TrafficLog::ReadMarker, true, answer, 2);
    EXPECT_EQ(slice(log, 0, 9), (std::vector<std::uint8_t>{'R', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x03}));
    log.append(TrafficLog::WrittenMarker, true, answer, 0);  // an empty write is still recorded
    EXPECT_EQ(log.trafficLogPos, 16);
}

TEST(TrafficLog, ARecordThatDoesNotFitStartsAgainAtZero) {
    TrafficLog log;
    const std::vector<std::uint8_t> bytes(20, 0x55);
    log.trafficLogPos = TrafficLog::Size - 21;  // exactly room for marker and 20 bytes
    log.append(TrafficLog::WrittenMarker, false, bytes.data(), 20);
    EXPECT_EQ(log.trafficLogPos, TrafficLog::Size);
    log.append(TrafficLog::ReadMarker, false, bytes.data(), 3);
    EXPECT_EQ(log.trafficLogPos, 4);
    EXPECT_EQ(log.bytes()[0], 'R');
    // What was there is overwritten in place, nothing else is cleared.
    EXPECT_EQ(log.bytes()[TrafficLog::Size - 1], 0x55);

    log.trafficLogPos = -3;  // a position nobody could have left is not trusted
    log.append(TrafficLog::ReadMarker, false, bytes.data(), 1);
    EXPECT_EQ(log.trafficLogPos, 2);
}

}  // namespace
}  // namespace doxa
