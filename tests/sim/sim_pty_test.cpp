// doxa-sim on its pseudo-terminal, driven through the real serial line.

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "link/posix_serial_line.h"
#include "support/sim_process.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Writes a request and collects what comes back until the line has been quiet for a while.
Bytes talk(SerialLine& line, const Bytes& request) {
    line.write(request.data(), static_cast<int>(request.size()));
    Bytes got;
    auto lastByte = std::chrono::steady_clock::now();
    const auto giveUp = lastByte + 3s;
    while (std::chrono::steady_clock::now() < giveUp) {
        std::uint8_t buffer[300];
        const int n = line.read(buffer, sizeof buffer);
        if (n > 0) {
            got.insert(got.end(), buffer, buffer + n);
            lastByte = std::chrono::steady_clock::now();
        } else if (!got.empty() && std::chrono::steady_clock::now() - lastByte > 200ms) {
            break;
        }
        std::this_thread::sleep_for(5ms);
    }
    return got;
}

class SimOnPty : public ::testing::Test {
protected:
    doxa::test::TempFolder folder;
    fs::path link = folder.path() / "tty";
};

TEST_F(SimOnPty, AnswersHartAndModbusAcrossReopensAndLeavesCleanly) {
    fs::create_symlink("/nonexistent", link);  // a stale link is replaced
    doxa::test::SimProcess sim({"--model", "RIVO-21-U", "--address", "1", "--link", link.string(), "--verbose"});
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(doxa::test::waitForLink(link));
    ASSERT_NE(fs::read_symlink(link), "/nonexistent");

    PosixSerialLine line(link.string());
    ASSERT_TRUE(line.open());
    ASSERT_TRUE(line.configure(1200, Parity::Odd));
    const HartAnswer id = parseHart(talk(line, hartRequest(1, 0)));
    ASSERT_EQ(id.normalisedLength(), 25);
    EXPECT_EQ(id.data[7], 145);
    line.write(Bytes{0xFF}.data(), 1);  // the close sequence gets no answer
    line.close();

    ASSERT_TRUE(line.open());
    ASSERT_TRUE(line.configure(9600, Parity::None));
    const Bytes identity = talk(line, Bytes{0x01, 0x03, 0x01, 0x38, 0x00, 0x06, 0x45, 0xF9});
    ASSERT_EQ(identity.size(), 17u);
    EXPECT_EQ(identity[12], 145);
    EXPECT_EQ(talk(line, Bytes{'S'}).size(), 256u);
    line.close();

    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    const std::string out = sim.output();
    EXPECT_NE(out.find("RIVO-21-U at address 1 on /dev/pts/"), std::string::npos);
    EXPECT_NE(out.find("<- 01 03 01 38 00 06 45 f9"), std::string::npos);
    EXPECT_NE(out.find("<- ff ff ff ff ff ff ff ff ff ff 02 81 00 00 83\n-> ff"), std::string::npos);
}

TEST_F(SimOnPty, AnIndependentModbusMasterReadsAndWrites) {
    if (::access("/usr/bin/mbpoll", X_OK) != 0) GTEST_SKIP() << "mbpoll is not installed";
    doxa::test::SimProcess sim({"--address", "7"}, link);
    ASSERT_TRUE(sim.linked());
    auto run = [&](const std::string& args, const std::string& values = "") {
        std::string output;
        FILE* pipe = ::popen(("/usr/bin/mbpoll -m rtu -b 19200 -P none -t 4 -0 -1 -a 7 " + args + " " +
                              link.string() + " " + values + " 2>&1").c_str(), "r");
        char buffer[512];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        if (pipe) ::pclose(pipe);
        return output;
    };
    EXPECT_NE(run("-r 315 -c 1").find("[315]: \t5"), std::string::npos);  // model code of a DOXA-22
    EXPECT_NE(run("-r 86", "5").find("Written 1 references"), std::string::npos);
    EXPECT_NE(run("-r 86 -c 1").find("[86]: \t5"), std::string::npos);  // the filter order it wrote
    EXPECT_EQ(sim.stop(), 0);
}

// The pseudo-terminal carries the client's speed and whether it asked for odd parity.
TEST_F(SimOnPty, KeepsToItsLineSettingsAsTheClientSetsItsEnd) {
    doxa::test::SimProcess sim({"--address", "5", "--baud", "9600", "--parity", "none"}, link);
    ASSERT_TRUE(sim.linked());
    const Bytes identify{0x05, 0x03, 0x01, 0x38, 0x00, 0x06, 0x44, 0x7D};
    PosixSerialLine line(link.string());
    ASSERT_TRUE(line.open());

    ASSERT_TRUE(line.configure(9600, Parity::None));
    const Bytes clean = talk(line, identify);
    ASSERT_EQ(clean.size(), 17u);
    EXPECT_EQ(clean[0], 0x05);
    ASSERT_TRUE(line.configure(9600, Parity::Odd));
    const Bytes damaged = talk(line, identify);
    ASSERT_EQ(damaged.size(), 17u);
    EXPECT_NE(damaged, clean);
    ASSERT_TRUE(line.configure(4800, Parity::None));
    EXPECT_TRUE(talk(line, identify).empty());
    line.close();
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_NE(sim.output().find("RS485 kept at 9600 baud, no parity"), std::string::npos) << sim.output();
}

}  // namespace
}  // namespace doxa::sim::test
