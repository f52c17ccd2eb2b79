// The register of reference instruments in an SQLite history: every edit leaves one audit row a
// changed field, the settings' instrument is taken over once, an uncertainty is read as typed,
// and "Przyrządy wzorcowe..." refuses what the register must not take.

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <filesystem>
#include <memory>

#include "history/instrument_register.h"
#include "history/reference_instruments_dlg.h"
#include "history/uncertainty_text.h"
#include "history/history_store.h"
#include "history_test_support.h"
#include "settings/settings_keys.h"
#include "support/fake_window.h"
#include "support/sim_process.h"
#include "support/virtual_clock.h"
#include "transmitter/settings_store.h"

namespace doxa::test {
namespace {

TEST(UncertaintyText, ReadsTheFormsATechnicianTypes) {
    struct Case {
        const char* typed;
        double value;
        const char* unit;
        double k;
        std::optional<double> from, to;
    };
    const Case cases[] = {
        {"0,05 Ohm", 0.05, "Ohm", 1, {}, {}},
        {"0.1 °C (k=2)", 0.1, "°C", 2, {}, {}},
        {"  ±0,02 mA (k = 2) od 4 do 20 ", 0.02, "mA", 2, 4, 20},
        {"0,1 Ω (k=2,58)", 0.1, "Ohm", 2.58, {}, {}},
        {"+/-0,01 mV od -10 do 50", 0.01, "mV", 1, -10, 50},
        {"0,002V", 0.002, "V", 1, {}, {}},
    };
    for (const Case& c : cases) {
        const auto u = parseUncertainty(c.typed);
        ASSERT_TRUE(u) << c.typed;
        EXPECT_DOUBLE_EQ(u->expanded, c.value) << c.typed;
        EXPECT_EQ(u->unit, c.unit) << c.typed;
        EXPECT_DOUBLE_EQ(u->coverage, c.k) << c.typed;
        EXPECT_EQ(u->from, c.from) << c.typed;
        EXPECT_EQ(u->to, c.to) << c.typed;
        // What the register shows reads back the same.
        const auto again = parseUncertainty(uncertaintyText(*u));
        ASSERT_TRUE(again) << uncertaintyText(*u);
        EXPECT_DOUBLE_EQ(again->expanded, u->expanded);
        EXPECT_DOUBLE_EQ(again->coverage, u->coverage);
        EXPECT_EQ(again->from, u->from);
    }
    for (const char* refused : {"", "0,05", "0,05 %", "-0,1 Ohm", "0 Ohm", "0,1 Ohm (k=0)", "0,1 mA od 20 do 4",
                                "0,1 mA od 4", "0,1 Ohm k=2 extra", "Ohm 0,1"})
        EXPECT_FALSE(parseUncertainty(refused)) << refused;
}

TEST(UncertaintyText, ADueDateIsADayOfTheCalendar) {
    EXPECT_TRUE(isDueDate("2027-03-31"));
    EXPECT_TRUE(isDueDate("2028-02-29"));
    for (const char* refused : {"2027-02-29", "2027-04-31", "2027-13-01", "2027-3-31", "31.03.2027", "2027-03-31 ", ""})
        EXPECT_FALSE(isDueDate(refused)) << refused;
}

ReferenceInstrument calibrator() {
    ReferenceInstrument i;
    i.name = "Kalibrator CX-9";
    i.model = "CX-9";
    i.serial = "K-4711";
    i.certificate = "AP-123/2025";
    i.due = "2026-03-31";
    i.uncertainties = {{0.02, "Ohm", 2, 0.0, 400.0}};
    return i;
}

class InstrumentRegisterFile : public ::testing::Test {
protected:
    std::string file() const { return (folder_.path() / "history.sqlite").string(); }
    std::unique_ptr<HistoryInstrumentRegister> localRegister() {
        return std::make_unique<HistoryInstrumentRegister>("", file(), time_.clock());
    }
    int sql(const std::string& statement) { return runSql(file(), {statement}); }

    TempFolder folder_;
    TestClock time_;
};

TEST_F(InstrumentRegisterFile, EachEditLeavesOneRowPerChangedFieldWithWhoWhenAndOldAndNew) {
    const auto instruments = localRegister();
    EXPECT_TRUE(instruments->instruments().empty());
    EXPECT_EQ(instruments->problem(), "");
    const auto id = instruments->add(calibrator());
    ASSERT_TRUE(id) << instruments->lastProblem();
    // Five fields and the uncertainty: one row each.
    EXPECT_EQ(sql("SELECT count(*) FROM instrument_changes"), 6);

    time_.now += std::chrono::hours(24);
    ReferenceInstrument changed = calibrator();
    changed.id = *id;
    changed.certificate = "AP-456/2026";
    changed.due = "2027-03-31";
    ASSERT_TRUE(instruments->change(changed)) << instruments->lastProblem();
    // The same fields once more: no change, no row.
    ASSERT_TRUE(instruments->change(changed));

    const std::vector<InstrumentChange> trail = instruments->changes(*id);
    ASSERT_EQ(trail.size(), 8u);
    EXPECT_EQ(trail[0].field, "name");
    EXPECT_EQ(trail[0].oldValue, "");
    EXPECT_EQ(trail[0].newValue, "Kalibrator CX-9");
    EXPECT_EQ(trail[5].field, "uncertainties");
    EXPECT_EQ(trail[5].newValue, "0.02 Ohm (k=2) od 0 do 400");
    EXPECT_EQ(trail[6].field, "certificate");
    EXPECT_EQ(trail[6].oldValue, "AP-123/2025");
    EXPECT_EQ(trail[6].newValue, "AP-456/2026");
    EXPECT_EQ(trail[6].time, "2025-03-02T09:00:00Z");
    EXPECT_EQ(trail[6].user, computerUser());
    EXPECT_EQ(trail[7].field, "due");
    EXPECT_EQ(trail[7].oldValue, "2026-03-31");
    EXPECT_EQ(trail[7].newValue, "2027-03-31");

    const std::vector<ReferenceInstrument> listed = instruments->instruments();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].due, "2027-03-31");
    ASSERT_EQ(listed[0].uncertainties.size(), 1u);
    EXPECT_DOUBLE_EQ(listed[0].uncertainties[0].expanded, 0.02);
    EXPECT_EQ(listed[0].uncertainties[0].to, 400.0);
    EXPECT_FALSE(instruments->fromLocalCopy());

    // Retired: off the list, its data and its trail kept.
    ASSERT_TRUE(instruments->retire(*id));
    EXPECT_TRUE(instruments->instruments().empty());
    EXPECT_EQ(sql("SELECT count(*) FROM instruments WHERE retired = 1"), 1);
    EXPECT_EQ(instruments->changes(*id).back().field, "retired");

    EXPECT_FALSE(instruments->change(calibrator()));
    EXPECT_NE(instruments->lastProblem().find("Zmiana nie została zapisana"), std::string::npos);
}

TEST_F(InstrumentRegisterFile, TheSettingsInstrumentIsTakenOverOnceAndAnUnreadableUncertaintyStaysVisible) {
    MemorySettingsStore settings;
    settings.writeText(ReferenceSection, ReferenceNameKey, "Kalibrator CX-9");
    settings.writeText(ReferenceSection, ReferenceSerialKey, "K-4711");
    settings.writeText(ReferenceSection, ReferenceUncertaintyKey, "0,05 Ohm");
    {
        const auto instruments = localRegister();
        instruments->takeOver(instrumentFromSettings(settings));
        const auto listed = instruments->instruments();
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].name, "Kalibrator CX-9");
        EXPECT_EQ(listed[0].serial, "K-4711");
        ASSERT_EQ(listed[0].uncertainties.size(), 1u);
        EXPECT_DOUBLE_EQ(listed[0].uncertainties[0].expanded, 0.05);
        EXPECT_EQ(listed[0].uncertainties[0].unit, "Ohm");
        EXPECT_DOUBLE_EQ(listed[0].uncertainties[0].coverage, 1.0);
        EXPECT_EQ(instruments->changes(listed[0].id).back().newValue, "[Wzorzec]");
        ASSERT_TRUE(instruments->retire(listed[0].id));
    }
    // Started again with the same settings: the register has taken it over before.
    const auto again = localRegister();
    again->takeOver(instrumentFromSettings(settings));
    EXPECT_TRUE(again->instruments().empty());
    EXPECT_EQ(sql("SELECT count(*) FROM instruments"), 1);
    // The change row marks the takeover even when the table was emptied by hand.
    sql("DELETE FROM instruments");
    const auto emptied = localRegister();
    emptied->takeOver(instrumentFromSettings(settings));
    EXPECT_TRUE(emptied->instruments().empty());

    settings.writeText(ReferenceSection, ReferenceUncertaintyKey, "0,05 % odczytu");
    EXPECT_EQ(instrumentFromSettings(settings).model, "niepewność z ustawień: 0,05 % odczytu");
    EXPECT_TRUE(instrumentFromSettings(settings).uncertainties.empty());
}

TEST_F(InstrumentRegisterFile, ARegisterWithAnInstrumentTakesNoneOverAndSettingsThatNameNoneGiveNone) {
    const qsizetype connections = QSqlDatabase::connectionNames().size();
    const auto instruments = localRegister();
    MemorySettingsStore settings;
    settings.writeText(ReferenceSection, ReferenceUncertaintyKey, "0,05 Ohm");
    EXPECT_TRUE(instrumentFromSettings(settings).uncertainties.empty()) << "an uncertainty of no instrument";
    instruments->takeOver(instrumentFromSettings(settings));
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), connections) << "nothing is opened before the first use";
    EXPECT_TRUE(instruments->instruments().empty());
    ASSERT_TRUE(instruments->add(calibrator()));

    settings.writeText(ReferenceSection, ReferenceNameKey, "Miernik stary");
    const auto again = localRegister();
    again->takeOver(instrumentFromSettings(settings));
    const auto listed = again->instruments();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, "Kalibrator CX-9");
}

// "Przyrządy wzorcowe..." on the register of a file.
class InstrumentsDialog : public InstrumentRegisterFile {
protected:
    using Dlg = CReferenceInstrumentsDlg;
    void open() { ASSERT_TRUE(window_.open()); }
    void typeInstrument(const std::string& due, const std::string& uncertainties) {
        window_.type(Dlg::Name, " Kalibrator CX-9 ");
        window_.type(Dlg::Serial, "K-4711");
        window_.type(Dlg::Certificate, "AP-123/2025");
        window_.type(Dlg::Due, due);
        window_.type(Dlg::Uncertainties, uncertainties);
    }

    std::unique_ptr<HistoryInstrumentRegister> register_ = localRegister();
    Dlg dialog_{*register_};
    VirtualClock clock_;
    FakeWindow window_{dialog_, clock_};
};

TEST_F(InstrumentsDialog, ABadDueDateOrUncertaintyIsRefusedWithAMessageAndNothingIsStored) {
    open();
    EXPECT_TRUE(window_.items(Dlg::Instruments).empty());
    EXPECT_FALSE(window_.isEnabled(Dlg::Save));
    typeInstrument("2027-02-30", "0,02 Ohm (k=2)");
    window_.click(Dlg::Add);
    ASSERT_EQ(window_.boxes().size(), 1u);
    EXPECT_EQ(window_.boxes()[0].text, "Termin ważności wzorcowania musi być datą w postaci RRRR-MM-DD, np. 2027-03-31.");
    EXPECT_EQ(window_.boxes()[0].icon, BoxIcon::Error);

    window_.type(Dlg::Due, "2027-02-28");
    window_.type(Dlg::Uncertainties, "0,02 Ohm (k=2)\n0,5 % odczytu");
    window_.click(Dlg::Add);
    ASSERT_EQ(window_.boxes().size(), 2u);
    EXPECT_EQ(window_.boxes()[1].text,
              "Nie można odczytać niepewności „0,5 % odczytu”. Wpisz ją w postaci 0,05 Ohm (k=2), z zakresem: "
              "0,02 mA (k=2) od 4 do 20 (jednostki: Ohm, mV, mA, V, °C).");
    // Not even the file was made.
    EXPECT_FALSE(std::filesystem::exists(file()));
    // What was typed is still there to be mended.
    EXPECT_EQ(window_.text(Dlg::Name), " Kalibrator CX-9 ");

    window_.type(Dlg::Uncertainties, "0,02 Ohm (k=2)\n\n0,01 mV (k=2) od -10 do 50\n");
    window_.click(Dlg::Add);
    EXPECT_EQ(window_.boxes().size(), 2u);
    EXPECT_EQ(window_.items(Dlg::Instruments), std::vector<std::string>{"Kalibrator CX-9   nr K-4711   ważny do 2027-02-28"});
    EXPECT_EQ(window_.text(Dlg::Uncertainties), "0.02 Ohm (k=2)\n0.01 mV (k=2) od -10 do 50");
    EXPECT_EQ(window_.items(Dlg::Changes).size(), 5u);
    EXPECT_TRUE(window_.isEnabled(Dlg::Save));
}

TEST_F(InstrumentsDialog, AChangeShowsInTheAuditTrailAndARetiredInstrumentLeavesTheList) {
    ASSERT_TRUE(register_->add(calibrator()));
    open();
    ASSERT_EQ(window_.items(Dlg::Instruments).size(), 1u);
    EXPECT_EQ(window_.text(Dlg::Due), "2026-03-31");
    window_.type(Dlg::Due, "2027-03-31");
    window_.type(Dlg::Name, "");
    window_.click(Dlg::Save);
    ASSERT_EQ(window_.boxes().size(), 1u);
    EXPECT_EQ(window_.boxes()[0].text, "Podaj nazwę przyrządu.");
    window_.type(Dlg::Name, "Kalibrator CX-9");
    window_.click(Dlg::Save);
    EXPECT_EQ(window_.boxes().size(), 1u);
    const std::vector<std::string>& trail = window_.items(Dlg::Changes);
    ASSERT_EQ(trail.size(), 7u);
    EXPECT_EQ(trail.back(), localTimeText("2025-03-01T09:00:00Z") + "   " + computerUser() +
                                "   ważny do: 2026-03-31 → 2027-03-31");

    window_.boxAnswers = {Answer::Cancel};
    window_.click(Dlg::Retire);
    EXPECT_EQ(window_.items(Dlg::Instruments).size(), 1u);
    window_.click(Dlg::Retire);
    EXPECT_EQ(window_.boxes().back().text,
              "Wycofać z rejestru przyrząd „Kalibrator CX-9”? Jego dane zostają przy kalibracjach nim wykonanych.");
    EXPECT_TRUE(window_.items(Dlg::Instruments).empty());
    EXPECT_EQ(window_.text(Dlg::Name), "");
    EXPECT_EQ(window_.text(Dlg::StatusText), "");
}

}  // namespace
}  // namespace doxa::test
