#include <gtest/gtest.h>

#include "sim/sim_line.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

class SimLineTest : public ::testing::Test {
protected:
    SimLineTest() : device(std::make_shared<Transmitter>(Model::Doxa22)), line(device, [this] { return now; }) {}
    int send(const Bytes& request) { return line.write(request.data(), static_cast<int>(request.size())); }
    Bytes readAll() {
        Bytes bytes(300);
        bytes.resize(static_cast<std::size_t>(line.read(bytes.data(), static_cast<int>(bytes.size()))));
        return bytes;
    }

    std::int64_t now = 0;
    std::shared_ptr<Transmitter> device;
    SimLine line;
};

TEST_F(SimLineTest, EachWriteIsARequestAndItsAnswerIsReadableAtOnce) {
    ASSERT_TRUE(line.open());
    EXPECT_TRUE(line.configure(1200, Parity::Odd));
    const Bytes request = hartRequest(0, 0);
    EXPECT_EQ(send(request), 15);
    const int queued = line.queuedInput();
    EXPECT_GE(queued, 5 + 20);
    const Bytes answer = readAll();
    EXPECT_EQ(static_cast<int>(answer.size()), queued);
    EXPECT_EQ(parseHart(answer).normalisedLength(), 25);

    send(Bytes{0xFF});  // the close sequence
    EXPECT_EQ(line.queuedInput(), 0);

    ASSERT_EQ(line.requests().size(), 2u);
    EXPECT_EQ(line.requests()[0], request);
    EXPECT_EQ(line.requests()[1], Bytes{0xFF});
    EXPECT_EQ(line.answers()[0], answer);
    EXPECT_TRUE(line.answers()[1].empty());
    EXPECT_EQ(line.received(), answer);
    EXPECT_EQ(line.baud(), 1200);
}

TEST_F(SimLineTest, LateAnswerArrivesOnTheClockAndSurvivesAPurge) {
    line.open();
    device->faults.late.onRequest = 1;
    send(hartRequest(0, 1));
    now += 800;
    EXPECT_EQ(line.queuedInput(), 0);
    line.purge();
    send(hartRequest(0, 1));  // answered at once, but after the late one
    EXPECT_EQ(line.queuedInput(), 0);
    now += 700;
    const Bytes both = readAll();
    EXPECT_EQ(both.size(), line.answers()[0].size() + line.answers()[1].size());
}

TEST_F(SimLineTest, ClosedLineCarriesNothing) {
    EXPECT_EQ(send(hartRequest(0, 0)), 0);
    EXPECT_TRUE(line.requests().empty());
    EXPECT_FALSE(line.configure(9600, Parity::None));

    line.open();
    send(hartRequest(0, 0));
    line.close();
    EXPECT_EQ(line.queuedInput(), 0);
    line.open();
    EXPECT_EQ(line.queuedInput(), 0);  // what was waiting went with the close
}

TEST_F(SimLineTest, SwitchesMakeTheLineFail) {
    line.failOpen = true;
    EXPECT_FALSE(line.open());
    line.failOpen = false;
    ASSERT_TRUE(line.open());
    line.failConfigure = true;
    EXPECT_FALSE(line.configure(1200, Parity::Odd));
    line.failDtr = true;
    EXPECT_FALSE(line.setDtr(true));

    line.injectErrors(CeFrame);
    line.injectErrors(CeRxParity);
    EXPECT_EQ(line.takeErrors(), CeFrame | CeRxParity);
    EXPECT_EQ(line.takeErrors(), 0u);
}

TEST_F(SimLineTest, TheLineDrivesTheTransmittersClock) {
    line.open();
    const float first = device->live().ambient;
    now += 150'000;
    EXPECT_NE(device->live().ambient, first);
}

}  // namespace
}  // namespace doxa::sim::test
