#include <gtest/gtest.h>

#include <algorithm>

#include "sim/request_splitter.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

TEST(RequestSplitter, HartFramesAreDelimitedByTheirStructure) {
    RequestSplitter splitter;
    const Bytes first = hartRequest(5, 200, concat(concat({1}, hartFloat(50)), hartFloat(48)));
    const Bytes second = hartRequest(5, 0);
    const Bytes stream = concat(first, second);

    // In pieces, with the byte count itself arriving late.
    EXPECT_TRUE(splitter.feed({stream.data(), 13}, 0).empty());
    auto done = splitter.feed({stream.data() + 13, first.size() - 13 + 3}, 1);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], first);
    done = splitter.feed({stream.data() + first.size() + 3, second.size() - 3}, 2);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], second);
    EXPECT_FALSE(splitter.deadline());
}

TEST(RequestSplitter, DumpLetterAfterPreamblesEndsARequestAtOnce) {
    RequestSplitter splitter;
    Bytes dump(10, 0xFF);
    dump.push_back('R');
    const auto done = splitter.feed(concat(dump, hartRequest(0, 1)), 0);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0], dump);
}

TEST(RequestSplitter, ModbusFramesAreDelimitedByTheirFunction) {
    RequestSplitter splitter;
    const Bytes read = modbusRead(1, 0x138, 6);
    const Bytes write = modbusWrite(1, 116, 0x0000, concat(modbusFloat(100), modbusFloat(0)));
    const Bytes calibrate = withCrc({0x01, 0x88});
    const Bytes point = withCrc(concat({0x01, 0x91}, modbusFloat(5.6)));
    const auto done = splitter.feed(concat(concat(read, write), concat(calibrate, point)), 0);
    ASSERT_EQ(done.size(), 4u);
    EXPECT_EQ(done[0], read);
    EXPECT_EQ(done[1], write);
    EXPECT_EQ(done[2], calibrate);
    EXPECT_EQ(done[3], point);
}

TEST(RequestSplitter, APauseCompletesWhatCannotBeDelimited) {
    RequestSplitter splitter(50);
    // A lone dump letter could be the slave address of a MODBUS frame until the line is quiet.
    EXPECT_TRUE(splitter.feed(Bytes{'E'}, 100).empty());
    EXPECT_EQ(splitter.deadline(), 150);
    EXPECT_TRUE(splitter.idle(149).empty());
    auto done = splitter.idle(150);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], Bytes{'E'});

    // A function without a known length, and debris after it, go as one piece.
    splitter.feed(Bytes{0x01, 0x2B, 0x0E}, 200);
    done = splitter.idle(300);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].size(), 3u);

    // The close sequence's lone 0xFF is nobody's request.
    splitter.feed(Bytes{0xFF}, 400);
    EXPECT_TRUE(splitter.idle(500).empty());
    EXPECT_FALSE(splitter.deadline());

    // Followed at once by a MODBUS frame it is dropped; before a HART frame it is a preamble.
    done = splitter.feed(concat({0xFF}, modbusRead(1, 0x47, 1)), 550);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], modbusRead(1, 0x47, 1));
    splitter.feed(Bytes{0xFF}, 600);
    done = splitter.feed(hartRequest(0, 1), 601);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].size(), 16u);
}

// A master that floods the line without a pause: what waits stays bounded, and a request after
// a flood of preambles is still a request.
TEST(RequestSplitter, AFloodWithoutAPauseKeepsNoMoreThanARequestsLength) {
    RequestSplitter splitter(50);
    const Bytes preambles(1000, 0xFF);
    for (int i = 0; i < 1000; ++i) EXPECT_TRUE(splitter.feed(preambles, i).empty());
    const Bytes request = hartRequest(0, 1);
    auto done = splitter.feed(request, 1000);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_LE(done[0].size(), RequestSplitter::MaxPending + request.size());
    EXPECT_TRUE(std::equal(request.rbegin(), request.rend(), done[0].rbegin()));

    Bytes junk;
    for (int i = 0; i < 500; ++i) junk.insert(junk.end(), {0x01, 0x2B});
    for (int i = 0; i < 1000; ++i) EXPECT_TRUE(splitter.feed(junk, 2000 + i).empty());
    done = splitter.idle(4000);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].size(), RequestSplitter::MaxPending);
}

}  // namespace
}  // namespace doxa::sim::test
