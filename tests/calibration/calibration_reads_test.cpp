// Every read the calibration dialogs send, byte for byte in both modes: a wrong register or
// command would read another value and show it as the one asked for.

#include <gtest/gtest.h>

#include <functional>

#include "calibration/calibration_steps.h"
#include "link/modbus.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

struct Read {
    const char* name;
    std::function<std::string(Station&)> send;
    int hartCommand;  // -1: not sent over HART
    Bytes modbus;     // slave 1, function, register, count; the CRC follows
};

TEST(CalibrationReads, AskForTheDocumentedRegisterAndCommand) {
    const Read reads[] = {
        {"output", calibration::sendOutputRead, 2, {0x01, 0x03, 0x00, 0xE0, 0x00, 0x04}},
        {"ambient temperature", calibration::sendAmbientRead, 202, {0x01, 0x03, 0x01, 0x10, 0x00, 0x04}},
        {"correction", calibration::sendCorrectionRead, -1, {0x01, 0x03, 0x01, 0x54, 0x00, 0x04}},
    };
    for (const Read& r : reads) {
        SCOPED_TRACE(r.name);
        for (const bool rs485 : {false, true}) {
            if (!rs485 && r.hartCommand < 0) continue;
            SimStation sim;
            if (rs485) sim.useRs485();
            sim.station.device.pollingAddress = 1;
            ASSERT_TRUE(ensurePortOpen(sim.station));
            EXPECT_EQ(r.send(sim.station), "");
            ASSERT_EQ(sim.writes().size(), 1u);
            Bytes expected = rs485 ? r.modbus : Bytes(10, 0xFF);
            if (rs485) {
                const std::uint16_t crc = modbusCrc(expected, 6);
                expected.insert(expected.end(), {std::uint8_t(crc & 0xFF), std::uint8_t(crc >> 8)});
            } else {
                const auto command = std::uint8_t(r.hartCommand);
                expected.insert(expected.end(), {0x02, 0x81, command, 0x00});
                expected.push_back(0x02 ^ 0x81 ^ command);
            }
            EXPECT_EQ(sim.writes()[0], expected);
        }
    }
}

}  // namespace
}  // namespace doxa::test
