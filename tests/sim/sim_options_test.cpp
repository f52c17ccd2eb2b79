#include <gtest/gtest.h>

#include <vector>

#include "sim/sim_options.h"

namespace doxa::sim::test {
namespace {

ParsedOptions parse(std::vector<std::string_view> args) { return parseSimOptions(args); }

TEST(SimOptions, DefaultsServeADoxa22AtAddressZero) {
    const ParsedOptions p = parse({});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.model, Model::Doxa22);
    EXPECT_EQ(p.options.transmitter.address, 0);
    EXPECT_FALSE(p.options.verbose);
    EXPECT_EQ(p.options.faults.drop.probability, 0.0);
}

TEST(SimOptions, EveryOptionIsTaken) {
    const ParsedOptions p = parse({"--model", "RIVO-21-U", "--address=12", "--serial", "4000", "--link", "/tmp/x",
                                   "--verbose", "--seed", "9", "--drop", "0.25", "--garble-nth", "3", "--late", "1",
                                   "--late-ms", "2000", "--lose-preambles", "0.5", "--not-implemented-nth", "7",
                                   "--truncate=0.1", "--preambles", "3-8"});
    ASSERT_EQ(p.error, "");
    const SimOptions& o = p.options;
    EXPECT_EQ(o.model, Model::Rivo21U);
    EXPECT_EQ(o.transmitter.address, 12);
    EXPECT_EQ(o.transmitter.serialNumber, 4000u);
    EXPECT_EQ(o.linkPath, "/tmp/x");
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.transmitter.seed, 9u);
    EXPECT_EQ(o.faults.drop.probability, 0.25);
    EXPECT_EQ(o.faults.garble.onRequest, 3u);
    EXPECT_EQ(o.faults.late.probability, 1.0);
    EXPECT_EQ(o.faults.lateMs, 2000);
    EXPECT_EQ(o.faults.losePreambles.probability, 0.5);
    EXPECT_EQ(o.faults.notImplemented.onRequest, 7u);
    EXPECT_EQ(o.faults.truncate.probability, 0.1);
    EXPECT_EQ(o.transmitter.minPreambles, 3);
    EXPECT_EQ(o.transmitter.maxPreambles, 8);
}

TEST(SimOptions, EveryModelNameIsKnown) {
    for (Model m : allModels()) {
        const std::string name(modelName(m));
        EXPECT_EQ(parse({"--model", name}).options.model, m) << name;
        EXPECT_NE(simUsage().find(name), std::string::npos);
    }
}

TEST(SimOptions, MistakesAreNamed) {
    EXPECT_NE(parse({"--model", "KE-22"}).error.find("unknown model KE-22"), std::string::npos);
    EXPECT_NE(parse({"--address", "128"}).error.find("0..127"), std::string::npos);
    EXPECT_NE(parse({"--drop", "1.5"}).error.find("probability"), std::string::npos);
    EXPECT_NE(parse({"--drop-nth", "0"}).error.find("from 1"), std::string::npos);
    EXPECT_NE(parse({"--serial"}).error.find("needs a value"), std::string::npos);
    EXPECT_NE(parse({"--preambles", "9-4"}).error.find("MIN-MAX"), std::string::npos);
    EXPECT_NE(parse({"--speed"}).error.find("unknown option --speed"), std::string::npos);
    EXPECT_NE(parse({"--model", "RIVO-22", "--old-generation"}).error.find("current generation"), std::string::npos);
    EXPECT_EQ(parse({"--model", "DOXA-22", "--old-generation"}).error, "");
}

TEST(SimOptions, BaudAndParityMakeTheDeviceKeepToItsLine) {
    EXPECT_EQ(parse({}).options.transmitter.lineSettings, std::nullopt);
    EXPECT_EQ(parse({"--baud", "9600", "--parity", "none"}).options.transmitter.lineSettings, 0x02);
    EXPECT_EQ(parse({"--parity=none", "--baud=38400"}).options.transmitter.lineSettings, 0x04);
    EXPECT_EQ(parse({"--baud", "19200"}).options.transmitter.lineSettings, 0x83);
    EXPECT_EQ(parse({"--parity", "none"}).options.transmitter.lineSettings, 0x00);
    EXPECT_NE(parse({"--baud", "2400"}).error.find("1200, 4800"), std::string::npos);
    EXPECT_NE(parse({"--parity", "even"}).error.find("odd or none"), std::string::npos);
}

TEST(SimOptions, HelpExplainsEveryOption) {
    EXPECT_TRUE(parse({"--help"}).options.help);
    const std::string usage = simUsage();
    for (const char* option : {"--model", "--address", "--serial", "--link", "--verbose", "--seed", "--drop",
                               "--garble", "--late", "--late-ms", "--truncate", "--lose-preambles",
                               "--not-implemented", "--old-generation", "--preambles", "--baud", "--parity"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace doxa::sim::test

namespace doxa::sim::test {
namespace {

TEST(SimOptions, WriteFaultsNameTheProtocolAndTheWrite) {
    const ParsedOptions p = parse({"--miskeep-write", "hart:35", "--unanswered-write=modbus:60",
                                   "--unanswered-write", "hart:6"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.faults.hartWrites,
              (std::map<int, WriteFault>{{6, WriteFault::Unanswered}, {35, WriteFault::Miskept}}));
    EXPECT_EQ(p.options.faults.modbusWrites, (std::map<int, WriteFault>{{60, WriteFault::Unanswered}}));
    for (const char* wrong : {"35", "hart:256", "modbus:x", "rs232:1"})
        EXPECT_NE(parse({"--miskeep-write", wrong}).error.find("hart:COMMAND or modbus:REGISTER"),
                  std::string::npos)
            << wrong;
}

TEST(SimOptions, RefusedAndBusyWritesNameTheWriteTheCodeAndHowOften) {
    const ParsedOptions p = parse({"--refuse-write", "hart:43=9", "--refuse-write=modbus:16@0xE0=2/1",
                                   "--busy-write", "hart:145/2", "--busy-write", "modbus:6@62",
                                   "--refuse-write", "modbus:145=0x03", "--relative-output-trim"});
    ASSERT_EQ(p.error, "");
    const auto rule = [](const Faults::Refusal& r) { return std::pair(r.code, r.times); };
    const Faults& f = p.options.faults;
    ASSERT_EQ(f.hartRefusals.size(), 2u);
    EXPECT_EQ(rule(f.hartRefusals.at(43)), std::pair(9, 0));
    EXPECT_EQ(rule(f.hartRefusals.at(145)), std::pair(32, 2));
    ASSERT_EQ(f.modbusRefusals.size(), 3u);
    EXPECT_EQ(rule(f.modbusRefusals.at(16 << 16 | 0xE0)), std::pair(2, 1));
    EXPECT_EQ(rule(f.modbusRefusals.at(6 << 16 | 0x3E)), std::pair(6, 1));
    EXPECT_EQ(rule(f.modbusRefusals.at(145 << 16)), std::pair(3, 0));
    EXPECT_TRUE(f.relativeOutputTrim);
    for (const char* wrong : {"hart:43", "hart:43@5=9", "rs232:1=2", "modbus:16@x=2", "hart:43=9/0"})
        EXPECT_NE(parse({"--refuse-write", wrong}).error, "") << wrong;
}

TEST(SimOptions, AnswerVariantsAreTakenAndListed) {
    const ParsedOptions p = parse({"--documented-bits", "--answer-from-new-address", "--misindex-points", "3",
                                   "--flip-break-bit", "echoed"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.faults.breakBit, BreakBitFault::Echoed);
    EXPECT_EQ(parse({"--flip-break-bit=kept"}).options.faults.breakBit, BreakBitFault::Kept);
    EXPECT_EQ(parse({"--flip-break-bit", "on"}).error, "--flip-break-bit takes kept or echoed");
    EXPECT_TRUE(p.options.faults.documentedBitsOnly);
    EXPECT_TRUE(p.options.faults.answerFromNewAddress);
    EXPECT_EQ(p.options.faults.misindexedPoints, 3u);
    EXPECT_NE(parse({"--misindex-points", "0"}).error.find("from 1"), std::string::npos);
    for (const char* option : {"--documented-bits", "--answer-from-new-address", "--misindex-points", "--nan-pv",
                               "--status-bits", "--flip-break-bit", "--refuse-write", "--busy-write",
                               "--relative-output-trim"})
        EXPECT_NE(simUsage().find(option), std::string::npos) << option;

    const ParsedOptions values = parse({"--nan-pv", "--status-bits", "0x85"});
    ASSERT_EQ(values.error, "");
    EXPECT_TRUE(values.options.faults.notANumberPrimary);
    EXPECT_EQ(values.options.faults.deviceStatusBits, 0x85);
    EXPECT_EQ(parse({"--status-bits=4"}).options.faults.deviceStatusBits, 0x04);
    for (const char* wrong : {"0x100", "", "0x", "z"})
        EXPECT_NE(parse({"--status-bits", wrong}).error.find("--status-bits takes a byte"), std::string::npos) << wrong;
}

}  // namespace
}  // namespace doxa::sim::test

namespace doxa::sim::test {
namespace {

TEST(SimOptions, LostWriteAnswersTakeACount) {
    EXPECT_EQ(parse({"--lose-write-answers", "2"}).options.faults.lostWriteAnswers, 2);
    EXPECT_EQ(parse({"--lose-write-answers=0"}).options.faults.lostWriteAnswers, 0);
    EXPECT_EQ(parse({"--lose-write-answers", "-1"}).error, "--lose-write-answers takes 0..1000");
    EXPECT_NE(simUsage().find("--lose-write-answers N"), std::string::npos);
}

}  // namespace
}  // namespace doxa::sim::test

namespace doxa::sim::test {
namespace {

TEST(SimOptions, AnswerTimingIsTakenAndExplained) {
    const ParsedOptions p = parse({"--reply-delay", "250", "--chunks=3", "--chunk-gap", "80", "--at-wait-end"});
    ASSERT_EQ(p.error, "");
    const AnswerTiming& t = p.options.transmitter.timing;
    EXPECT_EQ(t.replyDelayMs, 250);
    EXPECT_EQ(t.chunks, 3);
    EXPECT_EQ(t.chunkGapMs, 80);
    EXPECT_TRUE(t.atWaitEnd);
    EXPECT_FALSE(parse({}).options.transmitter.timing.atWaitEnd);
    EXPECT_NE(parse({"--chunks", "0"}).error.find("--chunks takes 1..100"), std::string::npos);
    EXPECT_NE(parse({"--reply-delay", "-1"}).error.find("--reply-delay takes"), std::string::npos);
    for (const char* option : {"--reply-delay", "--chunks", "--chunk-gap", "--at-wait-end"})
        EXPECT_NE(simUsage().find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace doxa::sim::test
