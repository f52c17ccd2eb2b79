#include "service/finder_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

using F = CFinderDlg;

// The finder opened on a station whose every port leads to one simulated transmitter; the
// program itself is set to HART on COM2, address 0.
struct Finder {
    explicit Finder(sim::Model model = sim::Model::Doxa22, const sim::Options& options = {})
        : sim(model, options) {
        sim.keepJournal();
    }

    // The technician picks the protocol and the range and presses "Szukaj".
    void search(int mode, std::string_view from, std::string_view to) {
        window.setChecked(F::Hart, mode == ModeHart);
        window.setChecked(F::Rs485, mode == ModeRs485);
        window.click(mode == ModeHart ? F::Hart : F::Rs485);
        window.type(F::AddressFrom, from);
        window.type(F::AddressTo, to);
        window.click(F::SearchStop);
    }
    bool finished(std::int64_t maxMs = 600000) {
        return sim.clock.advanceUntil([&] { return !dialog.searching(); }, maxMs, 50);
    }
    std::string text(int id) const { return window.text(id); }
    // The program's own line and address, as the finder must leave them.
    void expectProgramSettings() const {
        const LinkSettings& link = sim.station.link;
        EXPECT_EQ(link.portNumber, 1);
        EXPECT_EQ(link.transmissionMode, ModeHart);
        EXPECT_EQ(link.baudIndex, 0);
        EXPECT_EQ(link.parityOff, 0);
        EXPECT_EQ(link.replyWait, 300);
        EXPECT_EQ(sim.station.device.pollingAddress, 0);
    }

    // Every port the finder made and every call to its line.
    const std::vector<std::string>& journal() const { return *sim.journal; }

    SimStation sim;
    CFinderDlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST(Finder, FindsATransmitterAtAnUnusualAddressSpeedAndParityInRs485) {
    Finder f(sim::Model::Doxa22, {.address = 5, .serialNumber = 4242, .lineSettings = 0x02});
    ASSERT_TRUE(f.window.open());
    EXPECT_EQ(f.window.selection(F::Port), 1);
    f.window.setChecked(F::Rs485, true);
    f.window.setChecked(F::Hart, false);
    f.window.click(F::Rs485);
    EXPECT_EQ(f.text(F::AddressFrom), "0");
    EXPECT_EQ(f.text(F::AddressTo), "32");

    f.window.boxAnswers = {Answer::Cancel};  // the offer is declined at first
    f.search(ModeRs485, "4", "6");
    EXPECT_EQ(f.text(F::SearchStop), "Stop");
    EXPECT_FALSE(f.window.isEnabled(F::AddressFrom));
    ASSERT_TRUE(f.finished());

    // Addresses 4 and 6 at five speeds and two parities each; address 5 until it answered.
    int asked = 0;
    for (const std::string& entry : f.journal()) asked += entry.rfind("write 0", 0) == 0;
    EXPECT_EQ(asked, 26);
    const auto& e = f.journal();
    const auto at9600none = std::find(e.begin(), e.end(), "configure 9600 none");
    ASSERT_NE(at9600none, e.end());
    EXPECT_NE(std::find(at9600none, e.end(), "write 05 03 01 38 00 06 44 7D"), e.end());

    EXPECT_EQ(f.window.items(F::Results),
              (std::vector<std::string>{"adres 5: DOXA-22, nr 4242, 9600 bit/s, bez parzystości"}));
    EXPECT_EQ(f.text(F::SummaryText),
              "Znaleziono: 1. Uszkodzone odpowiedzi: 1 (9600 bit/s, parzystość ODD).");
    ASSERT_EQ(f.window.boxes().size(), 1u);
    EXPECT_EQ(f.window.boxes()[0].text,
              "Znaleziono przetwornik na COM2: adres 5: DOXA-22, nr 4242, 9600 bit/s, bez "
              "parzystości.\nPrzejąć jego adres i ustawienia łącza do ustawień programu?");
    EXPECT_EQ(f.window.boxes()[0].buttons, BoxButtons::OkCancel);
    EXPECT_FALSE(f.window.ended());
    f.expectProgramSettings();
    EXPECT_EQ(f.sim.station.link.portOpen, 0)
        << "the port must open again with the program's settings";
    EXPECT_EQ(f.journal().back(), "close");

    EXPECT_TRUE(f.window.isEnabled(F::TakeOver));
    f.window.click(F::TakeOver);
    ASSERT_TRUE(f.window.ended());
    EXPECT_EQ(f.window.result(), ResultOk);
    ASSERT_TRUE(f.dialog.chosen());
    const FoundTransmitter& chosen = *f.dialog.chosen();
    EXPECT_EQ(chosen.portNumber, 1);
    EXPECT_EQ(chosen.mode, ModeRs485);
    EXPECT_EQ(chosen.baudIndex, 2);
    EXPECT_EQ(chosen.parityOff, 1);
    EXPECT_EQ(chosen.address, 5);
}

// A transmitter that answers whatever the line (the demo's simulated one) is listed once, at the
// first settings it answered.
TEST(Finder, ListsATransmitterOnceAndAsksItsAddressNoMore) {
    Finder f;
    ASSERT_TRUE(f.window.open());
    f.search(ModeRs485, "0", "1");
    ASSERT_TRUE(f.finished());
    ASSERT_EQ(f.window.items(F::Results).size(), 1u);
    EXPECT_NE(f.window.items(F::Results)[0].find("adres 0: DOXA-22, nr "), std::string::npos);
    EXPECT_NE(f.window.items(F::Results)[0].find(", 1200 bit/s, parzystość ODD"), std::string::npos);
    int asked = 0;
    for (const std::string& entry : f.journal()) asked += entry.rfind("write 0", 0) == 0;
    EXPECT_EQ(asked, 11);
}

TEST(Finder, AsksEveryHartPollingAddressAndTakesOverWhenOffered) {
    Finder f(sim::Model::Rivo21U, {.address = 3});
    ASSERT_TRUE(f.window.open());
    EXPECT_TRUE(f.window.isChecked(F::Hart));
    EXPECT_EQ(f.text(F::AddressTo), "15");
    // The range follows the protocol chosen: 0..32 in RS485, 0..15 back in HART.
    for (const int mode : {ModeRs485, ModeHart}) {
        f.window.setChecked(F::Hart, mode == ModeHart);
        f.window.setChecked(F::Rs485, mode == ModeRs485);
        f.window.click(mode == ModeHart ? F::Hart : F::Rs485);
        EXPECT_EQ(f.text(F::AddressTo), mode == ModeHart ? "15" : "32");
    }
    f.window.click(F::SearchStop);
    ASSERT_TRUE(f.finished());

    std::vector<std::string> writes;
    for (const std::string& entry : f.journal())
        if (entry.rfind("write", 0) == 0) writes.push_back(entry);
    ASSERT_EQ(writes.size(), 17u);  // addresses 0..15, then the line is released
    EXPECT_EQ(writes[3], "write FF FF FF FF FF FF FF FF FF FF 02 83 00 00 81");
    EXPECT_EQ(writes[16], "write FF");
    EXPECT_EQ(std::count(f.journal().begin(), f.journal().end(), "close"), 0);
    EXPECT_EQ(f.sim.station.link.portOpen, 1) << "the program's own line stays open";
    EXPECT_EQ(f.window.items(F::Results).at(0).substr(0, 20), "adres 3: RIVO-21-U, ");
    EXPECT_EQ(f.text(F::SummaryText), "Znaleziono: 1.");
    ASSERT_TRUE(f.window.ended());
    ASSERT_TRUE(f.dialog.chosen());
    EXPECT_EQ(f.dialog.chosen()->mode, ModeHart);
    EXPECT_EQ(f.dialog.chosen()->address, 3);
    f.expectProgramSettings();
}

TEST(Finder, StopsHalfWayAndLeavesTheProgramsLineAsItWas) {
    Finder f(sim::Model::Doxa22, {.address = 40});
    f.sim.station.device.pollingAddress = 7;
    ASSERT_TRUE(f.window.open());
    f.search(ModeRs485, "0", "32");
    // Stopped while the question to 9600 baud, odd parity, address 1 is on the line.
    ASSERT_TRUE(f.sim.clock.advanceUntil(
        [&] { return f.text(F::ProgressText).find("(134 z 330)") != std::string::npos; }, 600000,
        5));
    EXPECT_EQ(f.text(F::ProgressText), "Szukanie: 9600 bit/s, parzystość ODD, adres 1 (134 z 330)");
    EXPECT_EQ(f.sim.station.link.exchangeState, F::TurnProbe);
    f.window.click(F::SearchStop);

    EXPECT_FALSE(f.dialog.searching());
    EXPECT_FALSE(f.window.timerRunning(ExchangeTimer));
    EXPECT_EQ(f.text(F::SearchStop), "Szukaj");
    EXPECT_EQ(
        f.text(F::SummaryText),
        "Zatrzymano po sprawdzeniu 133 z 330. Nic nie odpowiedziało. Sprawdź port, zasilanie i "
        "podłączenie przetwornika.");
    const std::vector<std::string> closing(f.journal().end() - 3, f.journal().end());
    EXPECT_EQ(closing, (std::vector<std::string>{"write FF", "rts+", "close"}));
    EXPECT_EQ(f.sim.station.link.portOpen, 0);
    const std::size_t entries = f.journal().size();
    f.sim.clock.advance(10000);
    EXPECT_EQ(f.journal().size(), entries);
    const LinkSettings& link = f.sim.station.link;
    EXPECT_EQ(link.transmissionMode, ModeHart);
    EXPECT_EQ(link.baudIndex, 0);
    EXPECT_EQ(link.replyWait, 300);
    EXPECT_EQ(f.sim.station.device.pollingAddress, 7);
    EXPECT_TRUE(f.window.items(F::Results).empty());
    EXPECT_FALSE(f.window.isEnabled(F::TakeOver));
}

// What the technician is told when nothing answers whole: a silent line, or one where something
// answers only with damaged frames.
TEST(Finder, TellsASilentLineFromOneWithOnlyDamagedFrames) {
    struct Case {
        const char* name;
        int mode;
        double garble;
        const char* from;
        const char* to;
        const char* summary;
    };
    const Case cases[] = {
        {"silent", ModeHart, 0, "1", "3",
         "Nic nie odpowiedziało. Sprawdź port, zasilanie i podłączenie przetwornika."},
        {"damaged HART", ModeHart, 1, "0", "2",
         "Nic nie odpowiedziało poprawnie, ale przyszły uszkodzone odpowiedzi: 1 (adres 0). To "
         "znak "
         "innej prędkości lub parzystości albo drugiego mastera na linii."},
        {"damaged RS485", ModeRs485, 1, "0", "0",
         "Nic nie odpowiedziało poprawnie, ale przyszły uszkodzone odpowiedzi: 10 (1200 bit/s, "
         "parzystość ODD; 1200 bit/s, bez parzystości; 4800 bit/s, parzystość ODD; 4800 bit/s, bez "
         "parzystości; ...). To znak innej prędkości lub parzystości albo drugiego mastera na "
         "linii."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Finder f;
        f.sim.transmitter->faults.garble.probability = c.garble;
        ASSERT_TRUE(f.window.open());
        f.search(c.mode, c.from, c.to);
        ASSERT_TRUE(f.finished());
        EXPECT_TRUE(f.window.items(F::Results).empty());
        EXPECT_EQ(f.text(F::SummaryText), c.summary);
        EXPECT_TRUE(f.window.boxes().empty());
        f.expectProgramSettings();
    }
}

TEST(Finder, RefusesARangeOrPortItCannotSearch) {
    Finder f;
    ASSERT_TRUE(f.window.open());
    for (const auto& [from, to] : {std::pair{"10", "5"}, {"0", "128"}, {"", "3"}, {"x", "3"}}) {
        f.search(ModeHart, from, to);
        EXPECT_FALSE(f.dialog.searching());
    }
    ASSERT_EQ(f.window.boxes().size(), 4u);
    EXPECT_EQ(f.window.boxes()[0].text, "Adresy od 0 do 127, pierwszy nie większy niż ostatni");

    f.window.setSelection(F::Port, -1);
    f.search(ModeHart, "0", "1");
    EXPECT_FALSE(f.dialog.searching());
    EXPECT_EQ(f.window.boxes().back().text, "Wybierz port szeregowy");
    EXPECT_TRUE(f.journal().empty());
}

TEST(Finder, APortThatWillNotOpenEndsTheSearch) {
    Finder f;
    f.sim.portFails = true;
    ASSERT_TRUE(f.window.open());
    f.search(ModeHart, "0", "3");
    ASSERT_TRUE(f.finished(5000));
    EXPECT_EQ(f.text(F::ProgressText), "Bład w otwarciu portu");
    EXPECT_EQ(f.sim.messages.size(), 1u);
    f.expectProgramSettings();
}

TEST(Finder, ClosingWhileSearchingReleasesTheLine) {
    Finder f;
    ASSERT_TRUE(f.window.open());
    f.search(ModeRs485, "0", "3");
    ASSERT_TRUE(f.sim.clock.advanceUntil([&] { return f.journal().size() > 20; }, 60000));
    f.window.close();
    EXPECT_EQ(f.journal().back(), "close");
    EXPECT_EQ(f.sim.station.link.portOpen, 0);
    EXPECT_FALSE(f.dialog.chosen());
    f.expectProgramSettings();
}

}  // namespace
}  // namespace doxa::test
