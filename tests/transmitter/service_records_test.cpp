// What the identification leaves in the service history: the transmitter, its line and the
// configuration read, and nothing when it was not read to the end.

#include <gtest/gtest.h>

#include <limits>

#include "support/fake_recorder.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/code_tables.h"
#include "transmitter/ident_dlg.h"
#include "transmitter/service_recording.h"

namespace doxa::test {
namespace {

struct IdentificationCase {
    const char* name;
    bool rs485;
    int serial;
    std::string line;
    std::string sensor;
    double rangeMin, rangeMax;
    std::string direction;
    double threshold;
};

TEST(IdentificationRecord, KeepsTheTransmitterItsLineAndTheConfigurationRead) {
    const IdentificationCase cases[] = {
        {"HART", false, 0x123456, "COM2:1200,o,8,1", "Pt 100", -50, 150, "max", 50},
        {"RS485", true, 23456, "COM2:1200,o,8,1", "Rezystancja", 20, 300, "min", 120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimStation sim;
        FakeRecorder recorder;
        sim.station.recorder = &recorder;
        sim::State& s = sim.device();
        if (c.rs485) {
            sim.useRs485();
            s.address = 1;
            sim.station.device.pollingAddress = 1;
        }
        s.serialNumber = c.serial;
        s.sensorCode = c.rs485 ? 0 : 1;
        s.rangeLower = static_cast<float>(c.rangeMin);
        s.rangeUpper = static_cast<float>(c.rangeMax);
        s.thresholdMode = c.direction == "min" ? 1 : 2;
        s.threshold = static_cast<float>(c.threshold);
        s.thresholdRelease = static_cast<float>(c.threshold) + (c.direction == "min" ? 5 : -2);
        s.filterOrder = 2;
        s.filterTimeCode = 124;  // 5 s
        CInitDlg dialog(sim.station);
        FakeWindow window(dialog, sim.clock);
        ASSERT_TRUE(window.open());
        ASSERT_TRUE(sim.clock.advanceUntil(
            [&] { return window.text(CInitDlg::ProgressText) == FinishedText; }, 30000));

        ASSERT_EQ(recorder.records.size(), 1u);
        const ServiceRecord& r = recorder.records.front();
        EXPECT_EQ(r.kind, RecordKind::Identification);
        EXPECT_EQ(r.outcome, RecordOutcome::Confirmed);
        EXPECT_EQ(r.model, "DOXA-22");
        EXPECT_EQ(r.serial, c.serial);
        EXPECT_EQ(r.address, c.rs485 ? 1 : 0);
        EXPECT_EQ(r.rs485, c.rs485);
        EXPECT_EQ(r.line, c.line);
        EXPECT_TRUE(r.asFound.empty());
        EXPECT_EQ(textOf(r.asLeft, "sensor"), c.sensor);
        EXPECT_EQ(numberOf(r.asLeft, "range_min"), c.rangeMin);
        EXPECT_EQ(numberOf(r.asLeft, "range_max"), c.rangeMax);
        EXPECT_EQ(numberOf(r.asLeft, "filter_order"), 2);
        EXPECT_EQ(numberOf(r.asLeft, "filter_time"), 5);
        EXPECT_EQ(textOf(r.asLeft, "threshold_direction"), c.direction);
        EXPECT_EQ(numberOf(r.asLeft, "threshold"), c.threshold);
    }
}

TEST(ServiceHistory, AValueSentAsNoNumberIsNoValueToKeep) {
    SimStation sim;
    FakeRecorder recorder;
    sim.station.recorder = &recorder;
    const double none = std::numeric_limits<double>::quiet_NaN();
    ServiceRecord record = stationRecord(sim.station, RecordKind::CalibrationCompensation, RecordOutcome::Confirmed);
    record.asFound = {{"ambient", none}};
    record.asLeft = {{"ambient", 25.5}, {"range_min", none}, {"sensor", "Pt 100"}};
    keepRecord(sim.station, record);
    ASSERT_EQ(recorder.records.size(), 1u);
    EXPECT_TRUE(recorder.records[0].asFound.empty());
    EXPECT_EQ(recorder.records[0].asLeft, (RecordValues{{"ambient", 25.5}, {"sensor", "Pt 100"}}));
}

TEST(IdentificationRecord, NothingIsRecordedUntilTheWholeConfigurationWasRead) {
    SimStation sim;
    FakeRecorder recorder;
    sim.station.recorder = &recorder;
    CInitDlg dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    sim.transmitter.reset();  // nobody answers
    ASSERT_TRUE(window.open());
    sim.clock.advance(20000);
    EXPECT_TRUE(recorder.records.empty());
}

}  // namespace
}  // namespace doxa::test
