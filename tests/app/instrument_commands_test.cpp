// "Ustawienia" → "Przyrządy wzorcowe...": offered once the program has a register, and shows it.

#include <gtest/gtest.h>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "history/reference_instruments_dlg.h"
#include "support/fake_shell.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

// A register that holds one instrument and takes no edit, as a copy would.
struct OneInstrument : EditableInstrumentRegister {
    std::vector<ReferenceInstrument> instruments() override {
        ReferenceInstrument i;
        i.id = "1";
        i.name = "Kalibrator CX-9";
        i.due = "2027-03-31";
        return {i};
    }
    bool fromLocalCopy() const override { return true; }
    std::string problem() const override { return {}; }
    std::optional<std::string> add(const ReferenceInstrument&) override { return std::nullopt; }
    bool change(const ReferenceInstrument&) override { return false; }
    bool retire(const std::string&) override { return false; }
    std::vector<InstrumentChange> changes(const std::string&) override { return {}; }
    std::string lastProblem() const override { return "serwer nieosiągalny"; }
    std::string localTime(std::string_view isoUtc) const override { return std::string(isoUtc); }
};

TEST(InstrumentCommands, PrzyrzadyWzorcoweIsOfferedWithARegisterAndShowsItsCopyMarked) {
    SimStation sim;
    FakeShell shell{sim.clock};
    Application app{sim.station, shell};
    EXPECT_FALSE(app.isEnabled(CmdReferenceInstruments));
    OneInstrument instruments;
    app.editInstrumentsIn(instruments);
    EXPECT_TRUE(app.isEnabled(CmdReferenceInstruments));
    bool shown = false;
    shell.scripts[CReferenceInstrumentsDlg::Resource] = [&shown](FakeWindow& window, DialogLogic&) {
        shown = true;
        EXPECT_EQ(window.items(CReferenceInstrumentsDlg::Instruments),
                  std::vector<std::string>{"Kalibrator CX-9   ważny do 2027-03-31"});
        EXPECT_EQ(window.text(CReferenceInstrumentsDlg::StatusText), "Kopia lokalna, tylko do odczytu. serwer nieosiągalny");
        // A refused edit keeps what was typed and says why.
        window.type(CReferenceInstrumentsDlg::Due, "2028-03-31");
        window.click(CReferenceInstrumentsDlg::Save);
        ASSERT_EQ(window.boxes().size(), 1u);
        EXPECT_EQ(window.boxes()[0].text, "serwer nieosiągalny");
        EXPECT_EQ(window.text(CReferenceInstrumentsDlg::Due), "2028-03-31");
    };
    app.onCommand(CmdReferenceInstruments);
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace doxa::test
