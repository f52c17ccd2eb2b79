#include "transmitter/ident_dlg.h"

#include <gtest/gtest.h>

#include "answer_damage.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/code_tables.h"

namespace doxa::test {
namespace {

// The identification dialog opened on a simulated transmitter.
struct Identification {
    explicit Identification(sim::Model model = sim::Model::Doxa22) : sim(model) {}

    bool open() { return window.open(); }
    bool finished() {
        return sim.clock.advanceUntil(
            [&] { return window.text(CInitDlg::ProgressText) == FinishedText; }, 30000);
    }
    std::string text(int id) const { return window.text(id); }
    const DeviceRecord& device() const { return sim.station.device; }

    SimStation sim;
    CInitDlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST(Identification, ReadsTheWholeConfigurationOfADoxa22InHart) {
    Identification id;
    sim::State& s = id.sim.device();
    s.serialNumber = 0x123456;
    s.sensorCode = 1;
    s.rangeLower = -50;
    s.rangeUpper = 150;
    s.thresholdMode = 2;
    s.threshold = 50;
    s.thresholdRelease = 48;
    s.filterOrder = 2;
    s.filterTimeCode = 124;
    ASSERT_TRUE(id.open());
    ASSERT_TRUE(id.finished());

    EXPECT_EQ(id.text(CInitDlg::ModelText), " DOXA-22");
    EXPECT_EQ(id.text(CInitDlg::SerialText), " 1193046");
    EXPECT_EQ(id.text(CInitDlg::SensorText), " Pt 100");
    EXPECT_EQ(id.text(CInitDlg::OutputText), " 4...20mA");
    EXPECT_EQ(id.text(CInitDlg::BreakText), " na max  ");
    EXPECT_EQ(id.text(CInitDlg::RangeMinText), " -50. °C");
    EXPECT_EQ(id.text(CInitDlg::RangeMaxText), " 150. °C");
    EXPECT_EQ(id.text(CInitDlg::ThresholdText), " 50. °C , max");
    EXPECT_EQ(id.text(CInitDlg::ReleaseText), " 48. °C");
    EXPECT_EQ(id.text(CInitDlg::FilterText), "5 sek ,rząd: 2");
    EXPECT_FALSE(id.window.timerRunning(ExchangeTimer));

    const DeviceRecord& d = id.device();
    EXPECT_EQ(d.serialNumber, 0x123456);
    EXPECT_EQ(d.sensorType, 1);
    EXPECT_FLOAT_EQ(d.rangeMin, -50);
    EXPECT_FLOAT_EQ(d.rangeMax, 150);
    EXPECT_EQ(d.thresholdActive, 1);
    EXPECT_EQ(d.thresholdDirection, 2);
    EXPECT_FLOAT_EQ(d.threshold, 50);
    EXPECT_FLOAT_EQ(d.hysteresis, 2);
    EXPECT_EQ(d.filterTime, 5);
    EXPECT_EQ(d.filterOrder, 2);

    EXPECT_EQ(id.sim.requests(), (std::vector<int>{0, 147, 15, 200, 201}));
    EXPECT_EQ(id.sim.writes().front(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                              0xFF, 0x02, 0x80, 0x00, 0x00, 0x82}));
}

struct ModelCase {
    sim::Model model;
    std::uint8_t type, variant;
    const char* shown;
    int rivo, sawe, rtdOnly;
};

TEST(Identification, NamesEveryFamilyMemberByItsTypeAndVariantBytes) {
    const ModelCase cases[] = {
        {sim::Model::Doxa22, 5, 0x02, " DOXA-22", 0, 0, 0},
        {sim::Model::Rivo22, 5, 0x91, " RIVO-22", 1, 0, 0},
        {sim::Model::Sawe01, 10, 0x02, " SAWE-01", 0, 1, 0},
        {sim::Model::Sawe01Rtd, 11, 0x02, " SAWE-01", 0, 1, 1},
        {sim::Model::Rivo21U, 6, 0x91, " RIVO-21-U", 1, 0, 0},
        {sim::Model::Rivo21R, 6, 0x11, " RIVO-21-R", 1, 0, 0},
        {sim::Model::Doxa21U, 6, 0x81, " DOXA-21-U", 0, 0, 0},
        {sim::Model::Doxa21R, 6, 0x01, " DOXA-21-R", 0, 0, 0},
    };
    for (const ModelCase& c : cases) {
        SCOPED_TRACE(c.shown);
        Identification id(c.model);
        id.sim.device().typeByte = c.type;
        id.sim.device().variantByte = c.variant;
        ASSERT_TRUE(id.open());
        ASSERT_TRUE(id.finished());
        EXPECT_EQ(id.text(CInitDlg::ModelText), c.shown);
        EXPECT_EQ(id.device().isRivo, c.rivo);
        EXPECT_EQ(id.device().isSawe, c.sawe);
        EXPECT_EQ(id.device().isRtdOnly, c.rtdOnly);
    }
}

TEST(Identification, RivoConfigurationByteGivesBreakOutputConnectionAndSensor) {
    Identification id(sim::Model::Rivo22);
    id.sim.device().setConfigurationByte(0xA3);
    id.sim.device().thresholdMode = 1;
    ASSERT_TRUE(id.open());
    ASSERT_TRUE(id.finished());

    EXPECT_EQ(id.text(CInitDlg::BreakText), " na min  ");
    EXPECT_EQ(id.text(CInitDlg::OutputText), " prądowe 0...5mA");
    EXPECT_EQ(id.text(CInitDlg::SensorText), " Napięcie,2");
    // The RIVO family has no threshold, whatever the transmitter reports.
    EXPECT_EQ(id.text(CInitDlg::ThresholdText), " brak");
    EXPECT_EQ(id.device().breakSignal, 1);
    EXPECT_EQ(id.device().outputType, 2);
    EXPECT_EQ(id.device().connection, 1);
    EXPECT_EQ(id.device().sensorType, 3);
    EXPECT_EQ(id.device().thresholdActive, 0);
}

TEST(Identification, ReadsRs485WithTheRangeInTheConfiguration) {
    Identification id;
    id.sim.useRs485();
    id.sim.device().address = 1;
    id.sim.device().sensorCode = 0;
    id.sim.device().rangeLower = 20;
    id.sim.device().rangeUpper = 300;
    id.sim.device().breakToMin = true;
    id.sim.device().thresholdMode = 1;
    id.sim.device().threshold = 120;
    id.sim.device().thresholdRelease = 125.5f;
    id.sim.device().filterOrder = 0;
    id.sim.station.device.pollingAddress = 1;
    ASSERT_TRUE(id.open());
    ASSERT_TRUE(id.finished());

    EXPECT_EQ(id.sim.requests(), (std::vector<int>{0x0138, 0x003D, 0x0168, 0x0056}));
    EXPECT_EQ(id.sim.writes().front(), (Bytes{0x01, 0x03, 0x01, 0x38, 0x00, 0x06, 0x45, 0xF9}));
    EXPECT_EQ(id.text(CInitDlg::ModelText), " DOXA-22");
    EXPECT_EQ(id.text(CInitDlg::SerialText), " 23456");
    EXPECT_EQ(id.device().unitCode, '%');
    EXPECT_EQ(id.text(CInitDlg::SensorText), " Rezystancja");
    EXPECT_EQ(id.text(CInitDlg::BreakText), " na min  ");
    EXPECT_EQ(id.text(CInitDlg::RangeMinText), " 20. Ohm");
    EXPECT_EQ(id.text(CInitDlg::RangeMaxText), " 300. Ohm");
    EXPECT_EQ(id.text(CInitDlg::ThresholdText), " 120. Ohm , min");
    EXPECT_EQ(id.text(CInitDlg::ReleaseText), " 125.5 Ohm");
    EXPECT_EQ(id.text(CInitDlg::FilterText), " wyłączony");
    EXPECT_FLOAT_EQ(id.device().hysteresis, 5.5f);
    EXPECT_EQ(id.device().thresholdDirection, 1);
}

TEST(Identification, AMaxThresholdReadOverRs485IsDirectionTwoAsEverywhereElse) {
    Identification id;
    id.sim.useRs485();
    id.sim.device().sensorCode = 1;
    id.sim.device().thresholdMode = 2;
    id.sim.device().threshold = 100;
    id.sim.device().thresholdRelease = 95;
    ASSERT_TRUE(id.open());
    ASSERT_TRUE(id.finished());
    EXPECT_EQ(id.device().thresholdActive, 1);
    EXPECT_EQ(id.device().thresholdDirection, 2);
    EXPECT_EQ(id.text(CInitDlg::ThresholdText), " 100. °C , max");
    EXPECT_EQ(id.text(CInitDlg::ReleaseText), " 95. °C");
}

TEST(Identification, RepeatsAnUnansweredIdentifyAndAShortConfigurationAnswer) {
    Identification id;
    id.sim.transmitter->faults.drop.onRequest = 1;
    id.sim.transmitter->faults.truncate.onRequest = 3;
    ASSERT_TRUE(id.open());
    ASSERT_TRUE(id.sim.clock.advanceUntil(
        [&] { return id.text(CInitDlg::ProgressText) == NoAnswerText; }, 5000));
    EXPECT_EQ(id.sim.requests(), std::vector<int>{0});
    ASSERT_TRUE(id.finished());
    // Only the identify step says so; the others repeat silently.
    EXPECT_EQ(id.sim.requests(), (std::vector<int>{0, 0, 147, 147, 15, 200, 201}));
    EXPECT_EQ(id.text(CInitDlg::ModelText), " DOXA-22");
}

TEST(Identification, ADamagedAnswerIsNoAnswerAndLeavesTheRecordAlone) {
    for (const bool rs485 : {false, true}) {
        for (const Damage& damage : rs485 ? modbusDamages() : hartDamages()) {
            SCOPED_TRACE((rs485 ? "RS485 " : "HART ") + damage.name);
            Identification id;
            if (rs485) id.sim.useRs485();
            const DeviceRecord before = id.device();
            ASSERT_TRUE(id.open());
            id.sim.line()->alterAnswer = damage.apply;
            // Every answer is damaged: identify is asked again and again, nothing is taken.
            ASSERT_TRUE(id.sim.clock.advanceUntil([&] { return id.sim.writes().size() >= 4; }, 10000));
            EXPECT_EQ(id.sim.requests(), (std::vector<int>(4, rs485 ? 0x0138 : 0)));
            EXPECT_TRUE(id.sim.clock.advanceUntil(
                [&] { return id.text(CInitDlg::ProgressText) == NoAnswerText; }, 1000));
            EXPECT_EQ(id.text(CInitDlg::SerialText), "");
            EXPECT_TRUE(id.device() == before);
            id.sim.line()->alterAnswer = nullptr;
            ASSERT_TRUE(id.finished());
            EXPECT_NE(id.device().serialNumber, before.serialNumber);
        }
    }
}

TEST(Identification, AFailedRangeReadBlanksTheRangeUntilItIsReadAgain) {
    Identification id;
    id.sim.transmitter->faults.drop.onRequest = 3;
    ASSERT_TRUE(id.open());
    ASSERT_TRUE(
        id.sim.clock.advanceUntil([&] { return id.text(CInitDlg::RangeMinText) == " "; }, 10000));
    EXPECT_EQ(id.text(CInitDlg::RangeMaxText), " ");
    ASSERT_TRUE(id.finished());
    EXPECT_NE(id.text(CInitDlg::RangeMinText), " ");
    EXPECT_EQ(id.sim.requests(), (std::vector<int>{0, 147, 15, 15, 200, 201}));
}

TEST(Identification, LineErrorsAreShownAndTheExchangeGoesOn) {
    Identification id;
    ASSERT_TRUE(id.open());
    id.sim.line()->injectErrors(CeFrame | CeOverrun);
    ASSERT_TRUE(id.finished());
    EXPECT_EQ(id.text(CInitDlg::LineErrorText), "Error CE_FRAMEError CE_OVERRUN");
}

TEST(Identification, AddressIsCommittedWhenTheFieldLosesTheFocus) {
    Identification id;
    id.sim.device().address = 5;
    id.sim.station.device.pollingAddress = 9;
    ASSERT_TRUE(id.open());
    EXPECT_EQ(id.text(CInitDlg::Address), "9");

    id.window.type(CInitDlg::Address, "200");
    EXPECT_EQ(id.device().pollingAddress, 9);
    id.window.leave(CInitDlg::Address);
    EXPECT_EQ(id.device().pollingAddress, 0);
    EXPECT_EQ(id.text(CInitDlg::Address), "0");

    id.window.type(CInitDlg::Address, "5");
    id.window.leave(CInitDlg::Address);
    ASSERT_TRUE(id.finished());
    EXPECT_EQ(id.sim.writes().front(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                              0xFF, 0x02, 0x85, 0x00, 0x00, 0x87}));
}

TEST(Identification, APortThatCannotBeOpenedEndsTheDialog) {
    Identification id;
    id.sim.portFails = true;
    id.open();
    EXPECT_EQ(id.text(CInitDlg::LineErrorText), "Bład w otwarciu portu");
    ASSERT_EQ(id.window.boxes().size(), 1u);
    EXPECT_EQ(id.window.boxes()[0].text, "Zmień port szeregowy ");
    EXPECT_EQ(id.window.boxes()[0].icon, BoxIcon::Information);
    EXPECT_EQ(id.window.boxes()[0].buttons, BoxButtons::Ok);
    EXPECT_EQ(id.window.boxes()[0].informative, "");
    EXPECT_EQ(id.window.boxes()[0].extraButton, "Ustawienia portu…");
    EXPECT_EQ(id.sim.messages, std::vector<std::string>{"Error OpenComm "});
    EXPECT_EQ(id.sim.informativeTexts, std::vector<std::string>{"Port COM2 nie został otwarty."});
    EXPECT_TRUE(id.window.ended());
    EXPECT_EQ(id.window.result(), ResultCancel);
    EXPECT_EQ(id.sim.station.link.portOpen, 0);
    EXPECT_FALSE(id.dialog.portChoiceWanted()) << "OK only closes the box";
}

TEST(Identification, TheBoxOfAPortThatCannotBeOpenedLeadsToThePortChoice) {
    Identification id;
    id.sim.portFails = true;
    id.window.boxAnswers = {Answer::Extra};
    id.open();
    ASSERT_EQ(id.window.boxes().size(), 1u);
    EXPECT_EQ(id.window.boxes()[0].text, "Zmień port szeregowy ");
    EXPECT_TRUE(id.dialog.portChoiceWanted());
    EXPECT_EQ(id.window.result(), ResultCancel);
}

TEST(Identification, ClosingMidExchangeReleasesTheLine) {
    Identification id;
    ASSERT_TRUE(id.open());
    id.sim.clock.advance(600);  // the identify request is out, the driver still transmits
    ASSERT_TRUE(id.sim.line()->rts());
    id.window.click(CInitDlg::Close);
    // The request is still on the line (15 bytes at 1200 baud, 137.5 ms from its write at
    // 500 ms): the release byte and the turn follow once it has left, with the dialog gone.
    EXPECT_EQ(id.sim.requests(), (std::vector<int>{0}));
    id.sim.clock.advance(37);
    EXPECT_EQ(id.sim.requests(), (std::vector<int>{0}));
    id.sim.clock.advance(1);
    EXPECT_EQ(id.sim.requests(), (std::vector<int>{0, -1}));
    id.sim.clock.advance(10);
    EXPECT_FALSE(id.sim.line()->rts());
    EXPECT_EQ(id.sim.station.link.exchangeState, 0);
    EXPECT_EQ(id.sim.station.link.portOpen, 1);  // kept for the next dialog
    id.sim.clock.advance(5000);
    EXPECT_EQ(id.sim.writes().size(), 2u);
}

TEST(Identification, ClosingLeavesTheLineAloneWhenThereIsNoExchange) {
    Identification id;
    ASSERT_TRUE(id.open());
    id.sim.station.link.exchangeState = NoExchange;
    id.window.close();
    EXPECT_TRUE(id.sim.writes().empty());
    EXPECT_EQ(id.sim.station.link.exchangeState, 0);
}

}  // namespace
}  // namespace doxa::test
