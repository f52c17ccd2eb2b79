#include "service/memory_dump_dlg.h"

#include <gtest/gtest.h>

#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

using Dlg = CMemoryDumpDlg;

// Runs one dump to its end, as the menu command does after setting the selection.
struct Dump {
    explicit Dump(char letter, DumpSelection selection) : dialog(sim.station, letter) {
        sim.station.dumpSelection = selection;
    }
    bool run() {
        EXPECT_TRUE(window.open());
        return sim.clock.advanceUntil([&] { return window.ended(); }, 10'000);
    }

    SimStation sim;
    Dlg dialog;
    FakeWindow window{dialog, sim.clock};
};

TEST(MemoryDump, HartModeSendsTenPreamblesAndTheLetterAndKeepsThePage) {
    Dump dump('R', DumpSelection::Ram0);
    dump.sim.device().input = 120.5f;  // live values stand still
    const sim::PageBytes page = dump.sim.transmitter->page(sim::Page::Ram0);
    ASSERT_TRUE(dump.run());
    EXPECT_EQ(dump.window.result(), ResultOk);
    EXPECT_EQ(dump.window.title(), "") << "the layout's \"Odczyt RAM\" stays";
    const std::vector<Bytes> writes = dump.sim.writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'R'}));
    EXPECT_EQ(writes[1], Bytes{0xFF}) << "the line is released on closing";
    for (int a = 0; a < 256; ++a) ASSERT_EQ(dump.sim.station.dumpBuffer[255 - a], page[a]) << a;
    EXPECT_EQ(dump.sim.station.dumpSelection, DumpSelection::Ram0);
    EXPECT_EQ(dump.window.text(Dlg::Progress), "Inicjalizacja portu \r\nKoniec wysyłania\r\nIlość RX: 256.");
    EXPECT_EQ(dump.sim.station.trafficLog.trafficLogPos, 2) << "only the close byte is logged";
}

TEST(MemoryDump, Rs485ModeSendsTheLetterAloneAndEepromHasItsTitle) {
    Dump dump('E', DumpSelection::EepromHigh);
    dump.sim.useRs485();
    ASSERT_TRUE(dump.run());
    EXPECT_EQ(dump.sim.writes().at(0), Bytes{'E'});
    EXPECT_EQ(dump.window.title(), "Odczyt EEPROM");
    EXPECT_EQ(dump.sim.station.dumpBuffer[255 - 8], dump.sim.device().sensorCode);
}

struct LengthCase {
    int arriving;
    int counted;
    const char* countText;
    bool pageKept;
};

TEST(MemoryDump, OnlyAWholePageOrOneByteShortKeepsTheSelection) {
    for (const LengthCase& c : {LengthCase{256, 256, "256.", true}, LengthCase{255, 255, "255.", true},
                                LengthCase{300, 290, "290.", false}, LengthCase{0, 0, "0.", false},
                                LengthCase{17, 17, "17.", false}}) {
        SimStation sim;
        sim.transmitter.reset();  // the page is fed by hand
        sim.station.dumpSelection = DumpSelection::Ram1;
        Dlg dialog(sim.station, 'S');
        FakeWindow window(dialog, sim.clock);
        ASSERT_TRUE(window.open());
        sim::SimLine* line = sim.line();
        ASSERT_NE(line, nullptr);
        Bytes page(static_cast<std::size_t>(c.arriving));
        for (int i = 0; i < c.arriving; ++i) page[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        line->feed(page);
        ASSERT_TRUE(sim.clock.advanceUntil([&] { return window.ended(); }, 10'000));

        EXPECT_EQ(sim.station.dumpSelection == DumpSelection::Ram1, c.pageKept) << c.arriving;
        EXPECT_TRUE(window.text(Dlg::Progress).ends_with(std::string("Ilość RX: ") + c.countText));
        const auto& buffer = sim.station.dumpBuffer;
        for (int i = 0; i < 300; ++i)
            ASSERT_EQ(buffer[i], i < c.counted ? static_cast<std::uint8_t>(i) : 0xFF) << c.arriving << " at " << i;
        EXPECT_EQ(line->queuedInput(), c.arriving - c.counted);
    }
}

TEST(MemoryDump, APortThatCannotOpenIsReportedAndTheDumpStillEnds) {
    Dump dump('F', DumpSelection::EepromLow);
    dump.sim.portFails = true;
    ASSERT_TRUE(dump.run());
    EXPECT_TRUE(dump.window.text(Dlg::Progress).starts_with("Bład w otwarciu portu"));
    EXPECT_TRUE(dump.window.text(Dlg::Progress).ends_with("Ilość RX: 0."));
    EXPECT_EQ(dump.sim.station.dumpSelection, DumpSelection::None);
}

}  // namespace
}  // namespace doxa::test
