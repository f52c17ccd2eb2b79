#include "programming/text_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/exchange.h"

namespace doxa::test {
namespace {

// 24 characters, Polish letters among them, and their code page 1250 bytes.
constexpr std::string_view Text24 = "Kocioł Ż-12: zażółć gęśl";
const Bytes Text24Bytes = {0x4b, 0x6f, 0x63, 0x69, 0x6f, 0xb3, 0x20, 0xaf, 0x2d, 0x31, 0x32, 0x3a,
                           0x20, 0x7a, 0x61, 0xbf, 0xf3, 0xb3, 0xe6, 0x20, 0x67, 0xea, 0x9c, 0x6c};

class TextDlgTest : public ::testing::Test {
protected:
    bool idle() {
        return sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 30'000);
    }

    SimStation sim;
    CTextDlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST_F(TextDlgTest, ReadsTheTextWhenItOpens) {
    sim.device().text = "Piec \xB9";  // "ą" in code page 1250
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.text(CTextDlg::Text), "");
    sim.clock.advance(500);
    EXPECT_EQ(window.text(CTextDlg::Progress), "Odczyt tekstu z przetwornika");
    EXPECT_EQ(sim.writes().back(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                          0xFF, 0x02, 0x80, 0xD9, 0x00, 0x02 ^ 0x80 ^ 0xD9}));
    ASSERT_TRUE(idle());
    EXPECT_EQ(window.text(CTextDlg::Text), "Piec ą");
    EXPECT_EQ(window.text(CTextDlg::Progress), "");
}

TEST_F(TextDlgTest, WritesTwentyFourCharactersInCodePage1250) {
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(idle());
    window.type(CTextDlg::Text, Text24);
    window.click(CTextDlg::Send);
    EXPECT_EQ(window.text(CTextDlg::Progress), "Trwa zapisywanie");
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 100);
    ASSERT_TRUE(idle());

    const Bytes request = sim.writes().back();
    ASSERT_EQ(request.size(), 39U);
    EXPECT_EQ(request[12], 0xD4);
    EXPECT_EQ(request[13], 24);
    EXPECT_EQ(Bytes(request.begin() + 14, request.end() - 1), Text24Bytes);
    EXPECT_EQ(Bytes(sim.device().text.begin(), sim.device().text.end()), Text24Bytes);
    EXPECT_EQ(window.text(CTextDlg::Progress), "Tekst został zapisany") << "the 37-byte answer";
    EXPECT_EQ(window.text(CTextDlg::Text), Text24);
}

TEST_F(TextDlgTest, RefusesAnEmptyTextAndOneOfTwentyFiveCharacters) {
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(idle());
    const std::size_t before = sim.writes().size();
    for (const std::string& typed : {std::string(Text24) + "x", std::string()}) {
        window.setText(CTextDlg::Progress, "");
        window.type(CTextDlg::Text, typed);
        window.click(CTextDlg::Send);
        EXPECT_EQ(window.text(CTextDlg::Progress), "Za duzo znaków !");
        EXPECT_FALSE(window.timerRunning(ExchangeTimer));
    }
    sim.clock.advance(5'000);
    EXPECT_EQ(sim.writes().size(), before);
    EXPECT_EQ(sim.device().text, "TT-101");
}

TEST_F(TextDlgTest, RepeatsTheReadAndTheWriteUntilAnswered) {
    sim.transmitter->faults.drop.onRequest = 1;
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(idle());
    EXPECT_EQ(sim.requests(), (std::vector<int>{217, 217}));
    EXPECT_EQ(window.text(CTextDlg::Text), "TT-101");

    sim.transmitter->faults.drop.onRequest = 3;
    window.type(CTextDlg::Text, "TT-202");
    window.click(CTextDlg::Send);
    ASSERT_TRUE(idle());
    EXPECT_EQ(sim.requests(2), (std::vector<int>{212, 212}));
    EXPECT_EQ(window.text(CTextDlg::Progress), "Tekst został zapisany");
    EXPECT_EQ(sim.device().text, "TT-202");
}

// A transmitter that answers the text write well-formed, but echoing its text two characters
// short: the byte count, the data and the checksum all say so.
void keepsTwoCharactersFewer(SimStation& station) {
    station.line()->alterAnswer = [](Bytes& answer) {
        const auto delimiter =
            std::find_if(answer.begin(), answer.end(), [](std::uint8_t b) { return b != 0xFF; });
        const auto at = static_cast<std::size_t>(delimiter - answer.begin());
        if (answer.size() < at + 7 || answer[at + 2] != 212) return;
        answer.erase(answer.end() - 3, answer.end() - 1);
        answer[at + 3] = static_cast<std::uint8_t>(answer[at + 3] - 2);
        std::uint8_t check = 0;
        for (std::size_t i = at; i + 1 < answer.size(); ++i) check ^= answer[i];
        answer.back() = check;
    };
}

// A write that is never confirmed goes on being repeated, as documented; the technician sees
// why, and "Zamknij" ends it at any moment.
TEST_F(TextDlgTest, AnUnconfirmedWriteSaysWhyItRepeatsAndClosingEndsIt) {
    struct Case {
        const char* what;
        std::function<void(SimStation&)> arm;
        const char* shown;
    };
    const Case cases[] = {
        {"no answer",
         [](SimStation& s) { s.transmitter->faults.hartWrites[212] = sim::WriteFault::Unanswered; },
         "Brak odpowiedzi - powtarzam"},
        {"an answer that keeps two characters fewer", keepsTwoCharactersFewer,
         "Przetwornik nie potwierdził tekstu - powtarzam"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimStation station;
        CTextDlg text(station.station);
        FakeWindow w(text, station.clock);
        ASSERT_TRUE(w.open());
        ASSERT_TRUE(
            station.clock.advanceUntil([&] { return !w.timerRunning(ExchangeTimer); }, 30'000));
        c.arm(station);
        const std::size_t from = station.writes().size();
        w.type(CTextDlg::Text, "TT-202");
        w.click(CTextDlg::Send);
        station.clock.advance(5'000);
        EXPECT_GE(station.requests(from).size(), 3U);
        EXPECT_EQ(w.text(CTextDlg::Progress), c.shown);

        station.clock.advance(300);  // between a request and its answer
        w.click(CTextDlg::Close);
        EXPECT_TRUE(w.ended());
        station.clock.advance(500);  // the request on the line, then the release byte, leave it
        const std::size_t closedAt = station.writes().size();
        EXPECT_EQ(station.writes().back(), Bytes{0xFF});
        station.clock.advance(5'000);
        EXPECT_EQ(station.writes().size(), closedAt);
    }
}

TEST_F(TextDlgTest, SendDuringTheReadWritesInstead) {
    sim.transmitter->faults.drop.probability = 1;
    ASSERT_TRUE(window.open());
    sim.clock.advance(3'000);
    sim.transmitter->faults.drop.probability = 0;
    window.type(CTextDlg::Text, "NEW");
    window.click(CTextDlg::Send);
    ASSERT_TRUE(idle());
    EXPECT_EQ(sim.device().text, "NEW");
    EXPECT_EQ(sim.requests().back(), 212);
}

// Found by fuzzing: the refused text took the place of the accepted one, and the write already
// on its way sent it, cut to the frame buffer.
TEST_F(TextDlgTest, ATextRefusedWhileAWriteIsOnItsWayLeavesThatWriteAlone) {
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(idle());
    window.type(CTextDlg::Text, "NEW");
    window.click(CTextDlg::Send);
    window.type(CTextDlg::Text, std::string(90, 'x'));
    window.click(CTextDlg::Send);
    EXPECT_EQ(window.text(CTextDlg::Progress), "Za duzo znaków !");
    ASSERT_TRUE(idle());
    const Bytes request = sim.writes().back();
    ASSERT_EQ(request.size(), 18U);
    EXPECT_EQ(request[12], 0xD4);
    EXPECT_EQ(request[13], 3);
    EXPECT_EQ(sim.device().text, "NEW");
}

TEST_F(TextDlgTest, PortThatWillNotOpenEndsTheDialog) {
    sim.portFails = true;
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(window.ended());
    EXPECT_EQ(window.result(), ResultCancel);
}

TEST_F(TextDlgTest, ClosingReleasesTheLine) {
    ASSERT_TRUE(window.open());
    sim.clock.advance(600);
    window.click(CTextDlg::Close);
    sim.clock.advance(500);  // the request on the line, then the release byte, leave it
    EXPECT_EQ(sim.writes().back(), Bytes{0xFF});
    EXPECT_FALSE(window.timerRunning(ExchangeTimer));
}

struct AnswerCase {
    const char* what;
    std::uint8_t byteCount;
    Bytes arrived;    // from byte 12 on
    int extraLength;  // what the read reported beyond byte 12 (checksum included)
    std::string text;
};

TEST(TextAnswer, TakesOnlyTheBytesThatArrivedInsideTheFrame) {
    const AnswerCase cases[] = {
        {"whole answer", 5, {'A', 'B', 'C', 0x55}, 4, "ABC"},
        {"count past what arrived", 10, {'A', 'B'}, 2, "AB"},
        {"count below two", 1, {'Q', 0x55}, 2, ""},
        {"count zero", 0, {'Q', 0x55}, 2, ""},
        {"empty message", 2, {0x55}, 1, ""},
        {"padded with zero bytes", 6, {'O', 'K', 0, 0, 0x55}, 5, "OK"},
    };
    for (const AnswerCase& c : cases) {
        std::array<std::uint8_t, 100> frame{};
        frame[9] = c.byteCount;
        std::copy(c.arrived.begin(), c.arrived.end(), frame.begin() + 12);
        EXPECT_EQ(answerText(frame, 12 + c.extraLength), c.text) << c.what;
    }

    // A count that reaches past the frame buffer: the text stops at its last byte.
    std::array<std::uint8_t, 100> full{};
    full.fill('x');
    full[9] = 200;
    EXPECT_EQ(answerText(full, 100), std::string(88, 'x'));
    // Bytes still in the buffer from before are not the answer's.
    full[9] = 20;
    EXPECT_EQ(answerText(full, 15), "xxx");
}

}  // namespace
}  // namespace doxa::test
