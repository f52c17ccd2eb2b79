#include "programming/sensor_dlg.h"

#include <gtest/gtest.h>

#include "programming/sensor_serial_dlg.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/exchange.h"

namespace doxa::test {
namespace {

class SensorDlgTest : public ::testing::Test {
protected:
    bool readDone() {
        return sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 30'000);
    }

    SimStation sim;
    CSensorDlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST_F(SensorDlgTest, ShowsTheSensorDataOfCommand14) {
    sim.device().sensorSerial = 0x010203;
    sim.device().sensorCode = 1;  // Pt 100: -200 .. 850 °C, span 10
    sim.station.device.sensorType = 1;
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(readDone());

    EXPECT_EQ(sim.writes().front(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                           0xFF, 0x02, 0x80, 0x0E, 0x00, 0x02 ^ 0x80 ^ 0x0E}));
    EXPECT_EQ(window.text(CSensorDlg::TypeText), "Typ czujnika:                        Pt 100");
    EXPECT_EQ(window.text(CSensorDlg::SerialText), "Numer seryjny czujnika:        66051");
    EXPECT_EQ(window.text(CSensorDlg::LowerText), "Wartość minimalna:              -200. °C");
    EXPECT_EQ(window.text(CSensorDlg::UpperText), "Wartość maksymalna:           850. °C");
    EXPECT_EQ(window.text(CSensorDlg::SpanText), "Rozpiętość minimalna:          10. °C");
    EXPECT_EQ(sim.station.device.serialNumber, 66051) << "the record now holds the sensor's number";
}

struct TypeCase {
    int sensorType;
    int rtdOnly;
    const char* shown;
    int storedAs;
};

TEST_F(SensorDlgTest, NamesTheSensorByTheRecordsListAndStoresCode18As15) {
    const TypeCase cases[] = {
        {3, 0, "Napięcie", 3}, {3, 1, "Ni 100 (619)", 3}, {9, 1, "TC typu T", 9},
        {18, 0, "y=f(x)", 15}, {14, 1, "y=f(x)", 14},     {0, 0, "Rezystancja", 0},
    };
    for (const TypeCase& c : cases) {
        SimStation station;
        station.station.device.sensorType = c.sensorType;
        station.station.device.isRtdOnly = c.rtdOnly;
        CSensorDlg dlg(station.station);
        FakeWindow w(dlg, station.clock);
        ASSERT_TRUE(w.open());
        station.clock.advance(2'000);
        EXPECT_EQ(w.text(CSensorDlg::TypeText),
                  std::string("Typ czujnika:") + std::string(24, ' ') + c.shown)
            << c.sensorType;
        EXPECT_EQ(station.station.device.sensorType, c.storedAs);
    }
}

TEST_F(SensorDlgTest, UnansweredRequestIsRepeatedWithoutLimit) {
    sim.transmitter->faults.drop.probability = 1;
    ASSERT_TRUE(window.open());
    sim.clock.advance(60'000);
    EXPECT_TRUE(window.timerRunning(ExchangeTimer));
    EXPECT_GT(sim.writes().size(), 30U);
    EXPECT_EQ(window.text(CSensorDlg::SerialText), "");
    sim.transmitter->faults.drop.probability = 0;
    ASSERT_TRUE(readDone());
    EXPECT_EQ(window.text(CSensorDlg::SerialText), "Numer seryjny czujnika:        1001");
}

TEST_F(SensorDlgTest, ChangingTheNumberWritesItAndReadsTheSensorAgain) {
    int childResult = 0;
    window.onChild = [&](DialogLogic& child) {
        auto& serial = dynamic_cast<CSensorSerialDlg&>(child);
        EXPECT_EQ(serial.number, 1001) << "starts from the number read";
        FakeWindow childWindow(child, sim.clock);
        EXPECT_TRUE(childWindow.open());
        EXPECT_EQ(childWindow.text(CSensorSerialDlg::Number), "1001");
        EXPECT_FALSE(window.timerRunning(ExchangeTimer)) << "one exchange at a time";
        childWindow.type(CSensorSerialDlg::Number, "70000");
        childWindow.click(CSensorSerialDlg::Save);
        sim.clock.advanceUntil([&] { return childWindow.ended(); }, 10'000);
        childResult = childWindow.result();
        return childResult;
    };
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(readDone());
    const std::size_t before = sim.writes().size();
    window.click(CSensorDlg::ChangeSerial);

    EXPECT_EQ(childResult, ResultCancel) << "the dialog closes itself once the number is stored";
    EXPECT_EQ(sim.writes()[before],
              (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80, 0x31,
                     0x03, 0x01, 0x11, 0x70, 0x02 ^ 0x80 ^ 0x31 ^ 0x03 ^ 0x01 ^ 0x11 ^ 0x70}));
    EXPECT_EQ(sim.device().sensorSerial, 70000U);
    EXPECT_EQ(window.text(CSensorDlg::SerialText), "Numer seryjny czujnika:        70000");
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 100) << "the sensor is read again";
    ASSERT_TRUE(readDone());
    EXPECT_EQ(sim.requests(before), (std::vector<int>{49, 14}));
}

TEST_F(SensorDlgTest, OkWritesNothingAndTheSensorIsStillReadAgain) {
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(readDone());
    const std::size_t before = sim.writes().size();
    window.click(CSensorDlg::ChangeSerial);  // the fake child closes at once
    ASSERT_TRUE(readDone());
    EXPECT_EQ(sim.requests(before), (std::vector<int>{14}));
}

TEST_F(SensorDlgTest, PortThatWillNotOpenEndsTheDialog) {
    sim.portFails = true;
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(window.ended());
    EXPECT_EQ(window.result(), ResultCancel);
}

TEST_F(SensorDlgTest, ClosingReleasesTheLine) {
    ASSERT_TRUE(window.open());
    sim.clock.advance(600);
    window.click(CSensorDlg::Close);
    sim.clock.advance(500);  // the request on the line, then the release byte, leave it
    EXPECT_EQ(sim.writes().back(), Bytes{0xFF});
    EXPECT_FALSE(window.timerRunning(ExchangeTimer));
}

class SensorSerialDlgTest : public ::testing::Test {
protected:
    // The sensor data dialog that opens this one has opened the port.
    SensorSerialDlgTest() {
        sim.station.device.serialNumber = 1001;
        ensurePortOpen(sim.station);
    }

    SimStation sim;
    CSensorSerialDlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST_F(SensorSerialDlgTest, RefusesNumbersOutsideTwentyFourBits) {
    dialog.number = 1001;
    ASSERT_TRUE(window.open());
    for (const char* typed : {"-1", "16777216", "12a", ""}) {
        window.type(CSensorSerialDlg::Number, typed);
        window.click(CSensorSerialDlg::Save);
    }
    ASSERT_EQ(window.boxes().size(), 4U);
    EXPECT_EQ(window.boxes()[0].text, "Nie prawidłowa wartość");
    window.type(CSensorSerialDlg::Number, "1001");
    window.click(CSensorSerialDlg::Save);
    EXPECT_FALSE(window.timerRunning(ExchangeTimer)) << "the number it has already";
    sim.clock.advance(5'000);
    EXPECT_TRUE(sim.writes().empty());

    window.type(CSensorSerialDlg::Number, "16777215");
    window.click(CSensorSerialDlg::Save);
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 200);
    sim.clock.advanceUntil([&] { return window.ended(); }, 10'000);
    EXPECT_EQ(sim.device().sensorSerial, 0xFFFFFFU);
    EXPECT_EQ(sim.station.device.serialNumber, 16777215);
}

TEST_F(SensorSerialDlgTest, UnconfirmedWriteIsNotSentAgainAndKeepsTheOldNumber) {
    ASSERT_TRUE(window.open());
    sim.transmitter->faults.drop.onRequest = 1;
    window.type(CSensorSerialDlg::Number, "70000");
    window.click(CSensorSerialDlg::Save);
    sim.clock.advance(10'000);
    EXPECT_EQ(sim.requests(), (std::vector<int>{49}));
    EXPECT_TRUE(window.timerRunning(ExchangeTimer)) << "still listening";
    EXPECT_EQ(sim.station.device.serialNumber, 1001);
    window.click(CSensorSerialDlg::Close);
    EXPECT_EQ(window.result(), ResultOk);
    EXPECT_EQ(sim.station.device.serialNumber, 1001);
}

}  // namespace
}  // namespace doxa::test
