#include "programming/characteristic_dlg.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/fake_window.h"
#include "support/schedule.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

using Dlg = CCharacteristicDlg;

class CharacteristicDlgTest : public ::testing::Test {
protected:
    Characteristic& table() { return sim.station.characteristic; }
    float& word(std::size_t i) { return table().characteristicTable[i]; }

    // Point i (from 0) gets x = 10 i + 0.5 and y = -i - 0.25, so no two words are alike.
    void fillPoints(int count) {
        for (int i = 0; i < count; ++i) {
            table().x(i) = 10.0F * static_cast<float>(i) + 0.5F;
            table().y(i) = -static_cast<float>(i) - 0.25F;
        }
        table().characteristicCount = count;
    }
    bool runTo(std::string_view endText) {
        return sim.clock.advanceUntil([&] { return window.text(Dlg::StepText) == endText; },
                                      60'000);
    }
    // The data bytes of every request with this HART command written from `from` on.
    std::vector<Bytes> requestsFor(std::uint8_t command, std::size_t from = 0) const {
        std::vector<Bytes> found;
        const auto written = sim.writes();
        for (std::size_t i = from; i < written.size(); ++i)
            if (written[i].size() > 14 && written[i][12] == command) found.push_back(written[i]);
        return found;
    }
    void press(int x, int y) { dialog.onMouseDown(x, y); }

    SimStation sim;
    Dlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST_F(CharacteristicDlgTest, OpensOnTheFirstTenPointsAndTheCount) {
    fillPoints(3);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.text(Dlg::CountEdit), "3");
    EXPECT_EQ(window.text(150), "0.50");
    EXPECT_EQ(window.text(170), "-0.25");
    EXPECT_EQ(window.text(176), "1");
    EXPECT_EQ(window.text(169), "0.0") << "point 10 holds nothing";
    EXPECT_EQ(window.text(205), "10");
    EXPECT_EQ(window.text(Dlg::StepText), "");
    EXPECT_FALSE(window.timerRunning(ExchangeTimer)) << "nothing is sent before a button";
}

TEST_F(CharacteristicDlgTest, WritesEveryPointAndReadsTheSameTableBack) {
    fillPoints(32);
    ASSERT_TRUE(window.open());
    window.click(Dlg::Send);
    EXPECT_EQ(window.text(Dlg::StepText), "Inicjalizacja portu");
    ASSERT_TRUE(runTo("Koniec zapisu"));

    const sim::State& device = sim.device();
    EXPECT_EQ(device.characteristicCount, 32);
    for (int i = 0; i < 32; ++i) {
        EXPECT_FLOAT_EQ(device.characteristicX[i], 10.0F * i + 0.5F) << i;
        EXPECT_FLOAT_EQ(device.characteristicY[i], -i - 0.25F) << i;
    }
    EXPECT_FLOAT_EQ(device.characteristicX[31], 310.5F) << "point 32's x is not point 1's y";
    EXPECT_FLOAT_EQ(device.characteristicY[0], -0.25F);

    const auto points = requestsFor(0xDC);
    ASSERT_EQ(points.size(), 32U);
    EXPECT_EQ(points[19][13], 9) << "index, x and y";
    EXPECT_EQ(points[19][14], 76) << "point 20 is index 19, sent as 19 x 4";
    EXPECT_EQ(points[31][14], 124);

    window.click(Dlg::Clear);
    EXPECT_EQ(table().characteristicCount, 0);
    EXPECT_EQ(window.text(150), "0.0");
    EXPECT_EQ(window.text(Dlg::CountEdit), "0");

    window.click(Dlg::Read);
    ASSERT_TRUE(runTo("Koniec odczytu"));
    EXPECT_EQ(table().characteristicCount, 32);
    EXPECT_EQ(window.text(Dlg::CountEdit), "32");
    for (int i = 0; i < 31; ++i) EXPECT_FLOAT_EQ(word(i), 10.0F * i + 0.5F) << i;
    for (int i = 0; i < 32; ++i) EXPECT_FLOAT_EQ(word(31 + i), -i - 0.25F) << i;
    EXPECT_FLOAT_EQ(word(63), 310.5F) << "point 32's x lives in the word no other value uses";
    const auto asked = requestsFor(0xDC, sim.writes().size() - 33);
    ASSERT_EQ(asked.size(), 32U);
    EXPECT_EQ(asked[19], (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02,
                                0x80, 0xDC, 0x01, 0x4C, 0x02 ^ 0x80 ^ 0xDC ^ 0x01 ^ 0x4C}));
}

TEST_F(CharacteristicDlgTest, SendsTheCountAndPointsWithTheirTextsAndWaits) {
    table().characteristicCount = 1;
    table().x(0) = 1.5F;
    table().y(0) = -2.0F;
    ASSERT_TRUE(window.open());
    window.click(Dlg::Send);
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 500);
    sim.clock.advance(500);
    EXPECT_EQ(window.text(Dlg::StepText), "Programuje ilosc danych");
    EXPECT_EQ(sim.writes().back(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                          0xFF, 0x02, 0x80, 0xDD, 0x01, 0x01, 0x5F}));
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 300);
    sim.clock.advance(300);
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 400) << "turned round, the answer gets 400 ms";
    sim.clock.advance(400 + 100);
    EXPECT_EQ(window.text(Dlg::StepText), "Programuje dane 1");
    EXPECT_EQ(
        sim.writes().back(),
        (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
               0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80,
               0xDC, 0x09, 0x00, 0x3F, 0xC0, 0x00,
               0x00, 0xC0, 0x00, 0x00, 0x00, 0x02 ^ 0x80 ^ 0xDC ^ 0x09 ^ 0x3F ^ 0xC0 ^ 0xC0}));
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 500);
    sim.clock.advance(500 + 400);
    EXPECT_EQ(window.text(Dlg::StepText), "Koniec zapisu");
    EXPECT_FALSE(window.timerRunning(ExchangeTimer));
}

TEST_F(CharacteristicDlgTest, WritingNoPointsStillWritesPointOne) {
    ASSERT_TRUE(window.open());
    window.click(Dlg::Send);
    ASSERT_TRUE(runTo("Koniec zapisu"));
    EXPECT_EQ(sim.requests(), (std::vector<int>{221, 220}));
    EXPECT_EQ(sim.writes()[0][14], 0) << "the count 0";
}

TEST_F(CharacteristicDlgTest, RepeatsUnansweredRequestsUntilTheyAreAnswered) {
    fillPoints(3);
    ASSERT_TRUE(window.open());
    sim.transmitter->faults.drop.probability = 1;
    window.click(Dlg::Send);
    sim.clock.advance(60'000);
    EXPECT_EQ(window.text(Dlg::ReplyText), "Brak odpowiedzi");
    EXPECT_EQ(window.text(Dlg::StepText), "Programuje ilosc danych");
    EXPECT_GT(requestsFor(0xDD).size(), 50U) << "no limit on the count request";

    sim.transmitter->faults.drop.probability = 0;
    const std::size_t before = sim.writes().size();
    sim.transmitter->faults.drop.onRequest = sim.transmitter->requestCount() + 3;  // point 2
    ASSERT_TRUE(runTo("Koniec zapisu"));
    const auto points = requestsFor(0xDC, before);
    ASSERT_EQ(points.size(), 4U) << "point 2 went twice";
    EXPECT_EQ(points[1][14], 4);
    EXPECT_EQ(points[2][14], 4);
    EXPECT_FLOAT_EQ(sim.device().characteristicX[2], 20.5F);
}

// The answer to point 2 that came too late arrives while point 3 is asked for: it is no answer
// to point 3, whose values it does not hold.
TEST_F(CharacteristicDlgTest, ALateAnswerIsNeverTakenForTheNextPoint) {
    for (const int button : {Dlg::Read, Dlg::Send}) {
        SCOPED_TRACE(button == Dlg::Read ? "read" : "write");
        SimStation station;
        for (int i = 0; i < 4; ++i) {
            station.device().characteristicX[std::size_t(i)] = 10.0F * float(i) + 0.5F;
            station.device().characteristicY[std::size_t(i)] = -float(i) - 0.25F;
            station.station.characteristic.x(i) = 10.0F * float(i) + 0.5F;
            station.station.characteristic.y(i) = -float(i) - 0.25F;
        }
        station.device().characteristicCount = 4;
        station.station.characteristic.characteristicCount = 4;
        Dlg dlg(station.station);
        FakeWindow w(dlg, station.clock);
        ASSERT_TRUE(w.open());
        w.click(button);
        ASSERT_NE(station.line(), nullptr);
        Bytes point2;
        station.line()->alterAnswer = [&](Bytes& answer) {
            std::size_t at = 0;
            while (at < answer.size() && answer[at] == 0xFF) ++at;
            if (answer.size() < at + 7 || answer[at + 2] != 0xDC) return;
            if (answer[at + 6] == 4) point2 = answer;
            if (answer[at + 6] == 8 && !point2.empty()) answer = std::exchange(point2, {});
        };
        ASSERT_TRUE(station.clock.advanceUntil([&] { return !w.timerRunning(ExchangeTimer); },
                                               60'000));
        std::vector<int> indexes;
        for (const Bytes& request : station.writes())
            if (request.size() > 14 && request[12] == 0xDC) indexes.push_back(request[14]);
        EXPECT_EQ(indexes, (std::vector<int>{0, 4, 8, 8, 12})) << "point 3 is asked again";
        EXPECT_EQ(w.text(153), "30.50");
        EXPECT_EQ(w.text(173), "-3.25");
        EXPECT_FLOAT_EQ(station.station.characteristic.x(3), 30.5F);
    }
}

// A transmitter whose point answers carry another index is asked again, for as long as it takes,
// and the technician sees which point is repeated and why, and can close at any moment.
TEST_F(CharacteristicDlgTest, PointAnswersWithAnotherIndexAreRepeatedVisibly) {
    struct Case {
        int button;
        std::uint64_t misindexed;  // answers to command 220 that carry the next point's index
    };
    const Case cases[] = {{Dlg::Send, 2}, {Dlg::Read, 2}, {Dlg::Send, 1'000'000}, {Dlg::Read, 1'000'000}};
    for (const Case& c : cases) {
        const bool write = c.button == Dlg::Send;
        const bool forever = c.misindexed > 2;
        SCOPED_TRACE(std::string(write ? "write" : "read") + (forever ? " forever" : " twice"));
        SimStation station;
        for (int i = 0; i < 2; ++i) {
            const auto at = std::size_t(i);
            station.device().characteristicX[at] = write ? 0.0F : 7.5F + float(i);
            station.device().characteristicY[at] = write ? 0.0F : -2.5F - float(i);
            station.station.characteristic.x(i) = write ? 10.5F + float(i) : 0.0F;
            station.station.characteristic.y(i) = write ? -1.25F - float(i) : 0.0F;
        }
        station.device().characteristicCount = 2;
        station.station.characteristic.characteristicCount = 2;
        station.transmitter->faults.misindexedPoints = c.misindexed;
        Dlg dlg(station.station);
        FakeWindow w(dlg, station.clock);
        ASSERT_TRUE(w.open());
        w.click(c.button);
        ASSERT_TRUE(station.clock.advanceUntil(
            [&] { return w.text(Dlg::ReplyText) != ""; }, 10'000));
        EXPECT_EQ(w.text(Dlg::StepText), write ? "Programuje dane 1" : "Odczytuje dane 1");
        EXPECT_EQ(w.text(Dlg::ReplyText), "Przetwornik odpowiedział dla punktu 2 zamiast 1 - powtarzam");
        if (forever) {
            station.clock.advance(30'000);
            EXPECT_EQ(w.text(Dlg::StepText), write ? "Programuje dane 1" : "Odczytuje dane 1");
            w.click(Dlg::Close);
            EXPECT_EQ(w.result(), ResultCancel);
            const std::size_t sent = station.writes().size();
            station.clock.advance(5'000);
            EXPECT_EQ(station.writes().size(), sent) << "nothing more after Zamknij";
            EXPECT_EQ(station.writes().back(), Bytes{0xFF});
            continue;
        }
        ASSERT_TRUE(station.clock.advanceUntil(
            [&] { return !w.timerRunning(ExchangeTimer); }, 60'000));
        EXPECT_EQ(w.text(Dlg::StepText), write ? "Koniec zapisu" : "Koniec odczytu");
        EXPECT_EQ(w.text(Dlg::ReplyText), "") << "nothing is repeated any more";
        for (int i = 0; i < 2; ++i) {
            const auto at = std::size_t(i);
            EXPECT_FLOAT_EQ(station.device().characteristicX[at], write ? 10.5F + float(i) : 7.5F + float(i));
            EXPECT_FLOAT_EQ(station.station.characteristic.y(i), write ? -1.25F - float(i) : -2.5F - float(i));
        }
    }
}

// Sending waits 300 ms after the count, 500 ms after a point written and 400 ms after a point
// asked for; listening waits 400 ms, a verified answer leads on after 100 ms.
TEST_F(CharacteristicDlgTest, EveryStepWaitsAsDocumented) {
    fillPoints(2);
    sim.device().characteristicCount = 2;
    ASSERT_TRUE(window.open());
    const auto state = [&] { return sim.station.link.exchangeState; };
    window.click(Dlg::Send);
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 500);
    EXPECT_EQ(recordSteps(sim.clock, window, state, 9, ExchangeTimer, 10'000),
              (std::vector<Step>{{Dlg::Turn, 300}, {Dlg::CheckCount, 400}, {Dlg::SendPoint, 100},
                                 {Dlg::Turn, 500}, {Dlg::CheckPoint, 400}, {Dlg::SendPoint, 100},
                                 {Dlg::Turn, 500}, {Dlg::CheckPoint, 400}}));
    window.click(Dlg::Read);
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 500);
    EXPECT_EQ(recordSteps(sim.clock, window, state, 8, ExchangeTimer, 10'000),
              (std::vector<Step>{{Dlg::Turn, 300}, {Dlg::TakeCount, 400},
                                 {Dlg::AskPoint, 100}, {Dlg::Turn, 400}, {Dlg::TakePoint, 400},
                                 {Dlg::AskPoint, 100}, {Dlg::Turn, 400}, {Dlg::TakePoint, 400}}));
}

TEST_F(CharacteristicDlgTest, ReadingATransmitterWithoutPointsLeavesTheTable) {
    fillPoints(5);
    sim.device().characteristicCount = 0;
    ASSERT_TRUE(window.open());
    window.click(Dlg::Read);
    sim.clock.advance(5'000);
    EXPECT_FALSE(window.timerRunning(ExchangeTimer));
    EXPECT_EQ(sim.requests(), (std::vector<int>{221}));
    EXPECT_EQ(table().characteristicCount, 0);
    EXPECT_EQ(window.text(Dlg::CountEdit), "0");
    EXPECT_FLOAT_EQ(table().x(4), 40.5F);
    EXPECT_EQ(window.text(Dlg::StepText), "Koniec odczytu");
}

TEST_F(CharacteristicDlgTest, ACountAboveThirtyTwoReadsOnlyThirtyTwoPoints) {
    sim.device().characteristicCount = 40;
    sim.device().characteristicX[31] = 7.0F;
    sim.device().characteristicY[0] = 3.0F;
    ASSERT_TRUE(window.open());
    window.click(Dlg::Read);
    ASSERT_TRUE(runTo("Koniec odczytu"));
    EXPECT_EQ(table().characteristicCount, 32);
    EXPECT_EQ(window.text(Dlg::CountEdit), "32");
    const auto asked = requestsFor(0xDC);
    ASSERT_EQ(asked.size(), 32U);
    EXPECT_EQ(asked.back()[14], 124);
    EXPECT_FLOAT_EQ(word(63), 7.0F);
    EXPECT_FLOAT_EQ(word(31), 3.0F);
}

struct ShownValue {
    const char* model;
    float value;
    const char* shown;
};

TEST_F(CharacteristicDlgTest, ShowsValuesWithTheDecimalsOfTheModel) {
    const ShownValue cases[] = {
        {"DOXA-21-U", 1.5F, "1.500"},     {"KE-22/U", 1.5F, "1.500"},
        {"DOXA-22", 1.5F, "1.50"},        {"DOXA-22", 0.05F, "0.05"},
        {"DOXA-22", -2.0F, "-2.00"},      {"DOXA-22", 0.0F, "0.0"},
        {"DOXA-22", -0.5F, "-0.50"},      {"DOXA-22", 12345678.0F, "12345678.00"},
        {"DOXA-22", 123456792.0F, "0.0"}, {"DOXA-21-U", -1234.5F, "-1234.500"},
    };
    for (const ShownValue& c : cases) {
        SimStation station;
        station.station.device.modelName = c.model;
        station.station.characteristic.y(0) = c.value;
        Dlg dlg(station.station);
        FakeWindow w(dlg, station.clock);
        ASSERT_TRUE(w.open());
        EXPECT_EQ(w.text(170), c.shown) << c.model << " " << c.value;
    }
}

TEST_F(CharacteristicDlgTest, ScrollsWithinTheTwentyThreePositions) {
    fillPoints(32);
    ASSERT_TRUE(window.open());
    dialog.onScroll(Dlg::ScrollBar, Scroll::LineDown);
    EXPECT_EQ(window.text(176), "2");
    EXPECT_EQ(window.text(150), "10.50");
    dialog.onScroll(Dlg::ScrollBar, Scroll::PageDown);
    EXPECT_EQ(window.text(176), "7");
    for (int i = 0; i < 5; ++i) dialog.onScroll(Dlg::ScrollBar, Scroll::PageDown);
    EXPECT_EQ(window.text(176), "23") << "the last position shows points 23..32";
    EXPECT_EQ(window.text(205), "32");
    EXPECT_EQ(window.text(169), "310.50") << "point 32's x";
    EXPECT_EQ(window.text(201), "-31.25");
    dialog.onScroll(Dlg::ScrollBar, Scroll::PageUp);
    dialog.onScroll(Dlg::ScrollBar, Scroll::LineUp);
    EXPECT_EQ(window.text(176), "17");
    for (int i = 0; i < 5; ++i) dialog.onScroll(Dlg::ScrollBar, Scroll::PageUp);
    EXPECT_EQ(window.text(176), "1");
}

TEST_F(CharacteristicDlgTest, AClickSelectsThePointOfItsRow) {
    fillPoints(32);
    ASSERT_TRUE(window.open());
    press(100, 21);
    press(100, 153);
    press(32, 30);
    press(240, 30);
    EXPECT_EQ(window.text(Dlg::SelectedNumber), "") << "the edges select nothing";

    press(100, 34);
    EXPECT_EQ(window.text(Dlg::SelectedNumber), "2");
    EXPECT_EQ(window.text(Dlg::XEdit), "10.5");
    EXPECT_EQ(window.text(Dlg::YEdit), "-1.25");
    press(100, 46);
    EXPECT_EQ(window.text(Dlg::SelectedNumber), "2");
    press(100, 47);
    EXPECT_EQ(window.text(Dlg::SelectedNumber), "3");

    press(100, 152);
    EXPECT_EQ(window.text(Dlg::SelectedNumber), "3") << "below the tenth row there is no point";

    for (int i = 0; i < 5; ++i) dialog.onScroll(Dlg::ScrollBar, Scroll::PageDown);
    press(239, 150);
    EXPECT_EQ(window.text(Dlg::SelectedNumber), "32");
    EXPECT_EQ(window.text(Dlg::XEdit), "310.5");
}

TEST_F(CharacteristicDlgTest, EditsChangeTheSelectedPoint) {
    fillPoints(32);
    ASSERT_TRUE(window.open());
    for (int i = 0; i < 5; ++i) dialog.onScroll(Dlg::ScrollBar, Scroll::PageDown);
    press(100, 150);  // point 32
    window.type(Dlg::XEdit, "7,25");
    EXPECT_FLOAT_EQ(word(63), 7.25F);
    EXPECT_FLOAT_EQ(word(31), -0.25F) << "point 1's y is untouched";
    EXPECT_EQ(window.text(169), "7.25");
    window.type(Dlg::YEdit, "-8.5");
    EXPECT_FLOAT_EQ(word(62), -8.5F);
    window.type(Dlg::YEdit, "-");
    EXPECT_FLOAT_EQ(word(62), -8.5F) << "a value half typed changes nothing";
    window.type(Dlg::YEdit, "1e60");
    EXPECT_FLOAT_EQ(word(62), -8.5F) << "beyond a float";
}

TEST_F(CharacteristicDlgTest, EditsWithoutASelectionChangeNoPoint) {
    fillPoints(2);
    ASSERT_TRUE(window.open());
    window.type(Dlg::XEdit, "99");
    window.type(Dlg::YEdit, "98");
    for (std::size_t i = 0; i < 64; ++i) EXPECT_NE(word(i), 99.0F) << i;
    for (std::size_t i = 0; i < 64; ++i) EXPECT_NE(word(i), 98.0F) << i;
}

TEST_F(CharacteristicDlgTest, CountEditAcceptsUpToThirtyTwoAndWarnsAboveSixteen) {
    fillPoints(4);
    ASSERT_TRUE(window.open());
    window.type(Dlg::CountEdit, "16");
    EXPECT_EQ(table().characteristicCount, 16);
    EXPECT_TRUE(window.boxes().empty()) << "sixteen is no count above sixteen";

    window.type(Dlg::CountEdit, "17");
    ASSERT_EQ(window.boxes().size(), 1U);
    EXPECT_EQ(window.boxes()[0].text,
              "W przetwornikach od numeru fabrycznego ..../00 maksymalna ilość danych = 16");
    EXPECT_EQ(table().characteristicCount, 17);

    window.type(Dlg::CountEdit, "33");
    ASSERT_EQ(window.boxes().size(), 2U);
    EXPECT_EQ(window.boxes()[1].text, "Maksymalna ilość danych = 32");
    EXPECT_EQ(window.text(Dlg::CountEdit), "0");
    EXPECT_EQ(table().characteristicCount, 17);

    window.type(Dlg::CountEdit, "-1");
    window.type(Dlg::CountEdit, "99999999999999999999");
    EXPECT_EQ(window.boxes().size(), 4U);

    window.type(Dlg::CountEdit, "0");
    window.type(Dlg::CountEdit, "");
    EXPECT_EQ(table().characteristicCount, 17) << "0 and an empty edit keep the count";
    EXPECT_EQ(window.boxes().size(), 4U);
}

TEST_F(CharacteristicDlgTest, PortThatWillNotOpenIsShownAndNothingStarts) {
    sim.portFails = true;
    ASSERT_TRUE(window.open());
    window.click(Dlg::Read);
    EXPECT_EQ(window.text(Dlg::StepText), "Bład w otwarciu portu");
    EXPECT_FALSE(window.timerRunning(ExchangeTimer));
    EXPECT_FALSE(window.ended());
}

TEST_F(CharacteristicDlgTest, ClosingMidExchangeStopsAndReleasesTheLine) {
    fillPoints(3);
    ASSERT_TRUE(window.open());
    window.click(Dlg::Send);
    sim.clock.advance(600);
    window.click(Dlg::Close);
    EXPECT_EQ(window.result(), ResultCancel);
    EXPECT_FALSE(window.timerRunning(ExchangeTimer));
    sim.clock.advance(500);  // the request on the line, then the release byte, leave it
    EXPECT_EQ(sim.writes().back(), Bytes{0xFF});
    EXPECT_FALSE(sim.line()->rts()) << "HART receive level";
}

}  // namespace
}  // namespace doxa::test
