#include "programming/prog_zu_dlg.h"

#include <gtest/gtest.h>

#include "programming_session.h"

namespace doxa::test {
namespace {

using Z = CProgZUDlg;
using Rtd = Session<CProgZUDlg>;

TEST(RtdProgramming, IdentifiesTheTransmitterAndWritesRangeSensorAndFilter) {
    Rtd p(sim::Model::Sawe01Rtd);
    p.sim.device().serialNumber = 777;
    ASSERT_TRUE(p.window.open());
    EXPECT_EQ(p.boxTexts(), std::vector<std::string>{"Nastąpi rozpoznanie przetwornika"});
    ASSERT_TRUE(p.sim.clock.advanceUntil(
        [&] { return p.text(StepText) == "Przetwornik rozpoznany"; }, 5000));
    EXPECT_EQ(p.text(Z::ModelText), "Typ przetwornika: SAWE-01");
    EXPECT_EQ(p.sim.station.identifiedSerial, 777);

    p.choose(Z::SensorCu50At428);
    EXPECT_EQ(p.text(Z::RangeMin), "-180");
    EXPECT_EQ(p.text(Z::RangeMax), "200");
    EXPECT_EQ(p.text(Z::UnitMin), "°C");
    p.pick({Z::BreakMax, Z::BreakMin}, Z::BreakMin);
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.text(StepText), "Koniec programowania");
    EXPECT_EQ(p.sim.requests(2), (std::vector<int>{35, 147, 201}));
    EXPECT_EQ(p.request(147), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0x02, 0x80, 0x93, 0x01, 0x87, 0x97}));
    EXPECT_EQ(p.sim.device().sensorCode, 7);
    EXPECT_TRUE(p.sim.device().breakToMin);
    EXPECT_EQ(p.sim.device().rangeLower, -180);
    EXPECT_EQ(p.sim.station.device.sensorType, 7);
}

TEST(RtdProgramming, AnotherModelIsSentBackToTheMainDialog) {
    Rtd p(sim::Model::Doxa22);
    p.sim.station.device.isRtdOnly = 1;
    EXPECT_FALSE(p.openReady());
    EXPECT_EQ(p.boxTexts().back(), "Przetwornik niezgodny. Uruchom ponownie 'Programowanie'");
    EXPECT_EQ(p.sim.station.device.isRtdOnly, 0);
    EXPECT_EQ(p.window.result(), ResultCancel);
}

TEST(RtdProgramming, GivesUpWithItsOwnMessage) {
    Rtd p(sim::Model::Sawe01Rtd);
    p.sim.transmitter->faults.drop.probability = 1;
    EXPECT_FALSE(p.openReady());
    EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, 0, 0, 0, 0, -1}));
    EXPECT_EQ(
        p.boxTexts().back(),
        "Przetwornik nie został odnaleziony Sprawdź podłączenie przetwornika i spróbuj ponownie");
}

struct RuleCase {
    int sensor;
    const char* min;
    const char* max;
    int edit;
    const char* typed;
    const char* shown;
};

TEST(RtdProgramming, RangeEndsKeepToTheResistanceThermometerLimits) {
    const RuleCase cases[] = {
        {Z::SensorCu50At428, "0", "100", Z::RangeMin, "-200", "-180"},
        {Z::SensorCu50At428, "190", "200", Z::RangeMax, "195", "200"},
        {Z::SensorNi100At617, "0", "100", Z::RangeMax, "190", "180"},
        {Z::SensorResistance, "20", "380", Z::RangeMin, "375", "370"},
        {Z::SensorCharacteristic, "0", "100", Z::RangeMax, "-3000", "-3000"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.typed);
        Rtd p(sim::Model::Sawe01Rtd);
        ASSERT_TRUE(p.openReady());
        p.choose(c.sensor);
        p.enter(Z::RangeMin, c.min);
        p.enter(Z::RangeMax, c.max);
        p.enter(c.edit, c.typed);
        EXPECT_EQ(p.text(c.edit), c.shown);
    }
}

// Code 4 is a Ni 100 (617) here, whose upper limit is 180 °C, not the 'K' of the main dialog.
TEST(RtdProgramming, WyslijRefusesALoadedRangeOutsideTheResistanceThermometerLimits) {
    Rtd p(sim::Model::Sawe01Rtd);
    DeviceRecord& loaded = p.sim.station.device;
    loaded.sensorType = 4;
    loaded.rangeMin = 0;
    loaded.rangeMax = 190;
    ASSERT_TRUE(p.openReady());
    const std::size_t written = p.sim.writes().size();
    p.window.click(SendButton);
    p.sim.clock.advance(5000);
    EXPECT_EQ(p.boxTexts().back(),
              "Błędny zakres: max = 190 °C, dozwolone -60 … 180 °C i co najmniej 10 °C powyżej min = 0 °C");
    EXPECT_EQ(p.sim.writes().size(), written);
}

// Code 3 is a Ni 100 here, not the millivolt input of the main dialog.
TEST(RtdProgramming, UnitTextsFollowTheResistanceThermometerList) {
    const std::pair<int, const char*> cases[] = {
        {Z::SensorResistance, "Ohm"}, {Z::SensorNi100At618, "°C"}, {Z::SensorCu50At428, "°C"}};
    for (const auto& [sensor, unit] : cases) {
        SCOPED_TRACE(unit);
        Rtd p(sim::Model::Sawe01Rtd);
        ASSERT_TRUE(p.openReady());
        p.choose(sensor);
        EXPECT_EQ(p.text(Z::UnitMin), unit);
        EXPECT_EQ(p.text(Z::UnitMax), unit);
    }
}

TEST(RtdProgramming, TheUserCharacteristicIsCode14) {
    Rtd p(sim::Model::Sawe01Rtd);
    p.sim.station.device.sensorType = 14;
    ASSERT_TRUE(p.openReady());
    EXPECT_TRUE(p.window.isChecked(Z::SensorCharacteristic));
    EXPECT_EQ(p.text(Z::UnitMax), "");
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.device().sensorCode, 14);
}

TEST(RtdProgramming, FilterOrderZeroZeroesTheTime) {
    Rtd p(sim::Model::Sawe01Rtd);
    p.sim.station.device.filterOrder = 1;
    p.sim.station.device.filterTime = 5;
    ASSERT_TRUE(p.openReady());
    EXPECT_EQ(p.text(Z::FilterTime), "5");
    p.pick({Z::Order0, Z::Order1, Z::Order2}, Z::Order0);
    EXPECT_EQ(p.text(Z::FilterTime), "0");
    p.dialog.onScroll(Z::FilterTimeSpin, Scroll::LineUp);
    EXPECT_EQ(p.text(Z::FilterTime), "0");
}

TEST(RtdProgramming, NothingIsSentWithoutASensor) {
    Rtd p(sim::Model::Sawe01Rtd);
    p.sim.station.device.sensorType = 15;
    ASSERT_TRUE(p.openReady());
    const std::size_t written = p.sim.writes().size();
    p.window.click(SendButton);
    EXPECT_EQ(p.boxTexts().back(), "Wybierz czujnik");
    p.sim.clock.advance(5000);
    EXPECT_EQ(p.sim.writes().size(), written);
}

TEST(RtdProgramming, ASensorAnswerWithTheDocumentedBitsOnlyConfirmsTheWrite) {
    for (const bool documentedBitsOnly : {false, true}) {
        SCOPED_TRACE(documentedBitsOnly);
        Rtd p(sim::Model::Sawe01Rtd);
        p.sim.transmitter->faults.documentedBitsOnly = documentedBitsOnly;
        ASSERT_TRUE(p.openReady());
        p.choose(Z::SensorCu50At426);
        p.pick({Z::BreakMax, Z::BreakMin}, Z::BreakMin);
        EXPECT_EQ(p.program(), Saved);
        EXPECT_EQ(p.sim.requests(2), (std::vector<int>{35, 147, 201}));
        EXPECT_EQ(p.sim.device().sensorCode, 8);
        EXPECT_TRUE(p.sim.device().breakToMin);
    }
}

TEST(RtdProgramming, AnUnconfirmedSensorTypeEndsNotSaved) {
    Rtd p(sim::Model::Sawe01Rtd);
    p.sim.transmitter->faults.hartWrites[147] = sim::WriteFault::Miskept;
    ASSERT_TRUE(p.openReady());
    p.choose(Z::SensorPt100At385);
    EXPECT_EQ(p.program(), NotSaved);
    EXPECT_EQ(p.sim.requests(2), (std::vector<int>{35, 147, 147, 147, 201}));
}

TEST(RtdProgramming, OverRs485ItIsReadyAtOnceReadsTheFlagsAndWritesTheMainDialogsRegisters) {
    Rtd p(sim::Model::Sawe01Rtd, true);
    ASSERT_TRUE(p.openReady());
    EXPECT_TRUE(p.sim.writes().empty());
    p.choose(Z::SensorNi100At617);
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, 0x3D, 8, 12, 0x00ED}));
    EXPECT_EQ(p.sim.device().sensorCode, 4);
    EXPECT_EQ(p.sim.device().rangeUpper, 180);
}

// The dialog shows no threshold, so over RS485 the threshold bits of register 9 are the ones the
// transmitter holds (read from register 0x3D first), whatever the device record says.
TEST(RtdProgramming, OverRs485TheTransmittersThresholdIsKept) {
    struct Case {
        std::uint8_t held;     // the transmitter's threshold mode: 0 off, 1 "min", 2 "max"
        int recordActive;      // what the device record says, as after "Nowe" or a loaded file
        std::uint8_t flags;    // the flag byte written: threshold bits as held, 0x10 "na min"
    };
    const Case cases[] = {{2, 0, 0x15}, {1, 1, 0x14}, {0, 1, 0x10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.held));
        Rtd p(sim::Model::Sawe01Rtd, true);
        p.sim.device().thresholdMode = c.held;
        p.sim.station.device.thresholdActive = c.recordActive;
        p.sim.station.device.thresholdDirection = 2;
        ASSERT_TRUE(p.openReady());
        p.choose(Z::SensorNi100At617);
        p.pick({Z::BreakMax, Z::BreakMin}, Z::BreakMin);
        EXPECT_EQ(p.program(), Saved);
        EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, 0x3D, 8, 12, 0x00ED}));
        EXPECT_EQ(p.request(0x3D), (Bytes{0x00, 0x03, 0x00, 0x3D, 0x00, 0x01, 0x14, 0x17}));
        const Bytes sensor = p.request(8);
        ASSERT_EQ(sensor.size(), 15u);
        EXPECT_EQ(sensor[10], c.flags);
        EXPECT_EQ(p.sim.device().thresholdMode, c.held);
        EXPECT_TRUE(p.sim.device().breakToMin);
        EXPECT_EQ(p.sim.device().sensorCode, 4);
    }
}

// Flags that cannot be read are not guessed: the sensor registers stay unwritten.
TEST(RtdProgramming, OverRs485UnreadableFlagsLeaveTheSensorUnwritten) {
    Rtd p(sim::Model::Sawe01Rtd, true);
    p.sim.device().thresholdMode = 2;
    ASSERT_TRUE(p.openReady());
    p.sim.line()->alterAnswer = [](Bytes& answer) {
        if (answer.size() > 1 && answer[1] == 0x03) answer.clear();
    };
    p.choose(Z::SensorNi100At617);
    EXPECT_EQ(p.program(), NotSaved);
    EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, 0x3D, 0x3D, 0x3D, 0x3D, 12, 0x00ED}));
    EXPECT_EQ(p.sim.device().thresholdMode, 2);
    EXPECT_EQ(p.sim.device().sensorCode, 1) << "as the transmitter came";
    EXPECT_EQ(p.sim.device().rangeUpper, 180) << "the range was written before";
}

}  // namespace
}  // namespace doxa::test
