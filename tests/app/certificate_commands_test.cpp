// The calibration certificate as the menu commands reach it: after a calibration that left
// records, from "Historia przetwornika...", and with the reference instrument entered once in
// "Przyrząd wzorcowy...".

#include <gtest/gtest.h>

#include <ctime>

#include "app/application.h"
#include "calibration/calib_dlg.h"
#include "dialog/command_ids.h"
#include "history/history_dlg.h"
#include "history/reference_instrument_dlg.h"
#include "settings/settings_keys.h"
#include "support/event_records.h"
#include "support/fake_history.h"
#include "support/fake_shell.h"
#include "support/sim_station.h"
#include "transmitter/exchange.h"

namespace doxa::test {
namespace {

constexpr std::string_view Question =
    "Kalibracja została zapisana w historii przetwornika.\nCzy wystawić świadectwo kalibracji?";

// A history that keeps what the dialogs record, stamped with the computer's clock.
struct RecordingHistory : FakeHistory, ServiceRecorder {
    void record(const ServiceRecord& record) override {
        const std::time_t now = std::time(nullptr);
        std::tm utc{};
        gmtime_r(&now, &utc);
        char time[32];
        std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%SZ", &utc);
        stored.insert(stored.begin(), StoredRecord{time, "jan", record});
    }
};

class CertificateCommands : public ::testing::Test {
protected:
    CertificateCommands() {
        station.recorder = &history;
        app.showHistoryFrom(history, runner);
        app.showCertificatesWith([this](const Certificate& c) { shown.push_back(c); });
        station.enteredPassword = "qvzr";
        // As identification leaves them.
        station.device.modelName = "DOXA-22";
        station.device.serialNumber = 1193046;
        sim.device().sensorCode = 0;  // a resistance input, at 300.12 Ohm
        sim.device().input = 300.12f;
    }

    // The calibration dialog where the technician reads the input and takes the upper input
    // point, or does nothing.
    void calibrate(bool takePoint) {
        shell.scripts[CCalibrationDlg::Resource] = [this, takePoint](FakeWindow& window, DialogLogic&) {
            sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 20000, 1);
            if (!takePoint) return;
            window.click(CCalibrationDlg::ReadInput);
            sim.clock.advanceUntil([&] { return !window.timerRunning(calibration::InputReading::Timer); }, 5000, 1);
            window.click(CCalibrationDlg::InputHigh);
            sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 20000, 1);
        };
        app.onCommand(CmdCalibrate);
    }

    static std::string field(const Certificate& c, std::string_view label) {
        for (const CertificateField& f : c.fields)
            if (f.label == label) return f.value;
        return "(none)";
    }

    SimStation sim;
    Station& station = sim.station;
    FakeShell shell{sim.clock};
    Application app{sim.station, shell};
    RecordingHistory history;
    QueuedRunner runner{history, true};
    std::vector<Certificate> shown;
};

TEST_F(CertificateCommands, ACalibrationThatLeftRecordsOffersItsCertificate) {
    sim.settings.writeText(ReferenceSection, ReferenceNameKey, "Kalibrator CX-9");
    shell.choices = {Choice::Yes};
    calibrate(true);
    ASSERT_EQ(shell.questions, std::vector<std::string>{std::string(Question)});
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].points.size(), 1u);
    // The point waited for a reading after it; the dialog's end wrote it before the question.
    EXPECT_EQ(shown[0].points[0].point, "Wejście [Ohm], punkt górny");
    EXPECT_EQ(shown[0].points[0].reference, "300,000");
    EXPECT_EQ(shown[0].points[0].asFound, "300,120");
    EXPECT_EQ(shown[0].points[0].foundDifference, "+0,120");
    EXPECT_EQ(shown[0].points[0].asLeft, "—");
    EXPECT_EQ(field(shown[0], "Przetwornik"), "DOXA-22");
    EXPECT_EQ(field(shown[0], "Numer seryjny"), "1193046");
    EXPECT_EQ(field(shown[0], "Przyrząd wzorcowy"), "Kalibrator CX-9");

    // "Nie": no certificate; a session that recorded nothing asks nothing.
    shell.choices = {Choice::No};
    calibrate(true);
    EXPECT_EQ(shell.questions.size(), 2u);
    EXPECT_EQ(shown.size(), 1u);
    history.stored.clear();
    calibrate(false);
    EXPECT_EQ(shell.questions.size(), 2u);

    // A session whose every write was refused has nothing to certify.
    history.stored.clear();
    shell.scripts[CCalibrationDlg::Resource] = [this](FakeWindow& window, DialogLogic&) {
        sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 20000, 1);
        sim.transmitter->faults.hartRefusals[145] = {9, 0};
        window.click(CCalibrationDlg::DriveLow);
        sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 20000, 1);
        window.click(CCalibrationDlg::CalibratePoint1);
        sim.clock.advanceUntil([&] { return !window.timerRunning(ExchangeTimer); }, 20000, 1);
    };
    app.onCommand(CmdCalibrate);
    ASSERT_EQ(history.stored.size(), 1u);
    EXPECT_EQ(history.stored[0].record.outcome, RecordOutcome::Refused);
    EXPECT_EQ(shell.questions.size(), 2u);
}

// The offer needs no database: the records are the ones this program has just made, so a server
// out of reach (or behind a lock) neither holds the window up nor loses the offer.
TEST_F(CertificateCommands, TheOfferComesWhileTheServerCannotBeRead) {
    history.server = true;
    history.failure = "could not connect to server: Connection timed out";
    shell.choices = {Choice::Yes};
    calibrate(true);
    EXPECT_EQ(shell.questions, std::vector<std::string>{std::string(Question)});
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(CertificateCommands, TheHistoryDialogShowsTheCertificateOfTheChosenRecord) {
    calibrate(true);
    shell.scripts[CHistoryDlg::Resource] = [this](FakeWindow& window, DialogLogic&) {
        sim.clock.advance(CHistoryDlg::AnswerPollMs);
        window.choose(CHistoryDlg::Records, 0);
        window.click(CHistoryDlg::Certificate);
        window.click(CHistoryDlg::Export);
    };
    app.onCommand(CmdHistory);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].points.size(), 1u);
    // The export asks for a CSV file, not a configuration, offering the serial number's name.
    EXPECT_EQ(shell.suggestedCsvPath, "historia-1193046.csv");
    EXPECT_EQ(shell.suggestedSavePath, "");
}

// A record of a calibration event is certified with the whole event, and printed only from what
// the event stores: after the reference instrument and the tolerances of the settings change, the
// reprint is the same.
TEST_F(CertificateCommands, AnEventsRecordGivesTheWholeEventsCertificateTheSameAfterTheSettingsChange) {
    for (const StoredRecord& s : test::pt100EventRecords("e7")) history.stored.insert(history.stored.begin(), s);
    const auto certifyNewest = [this] {
        shell.scripts[CHistoryDlg::Resource] = [this](FakeWindow& window, DialogLogic&) {
            sim.clock.advance(CHistoryDlg::AnswerPollMs);
            window.choose(CHistoryDlg::Records, 0);  // the event's end
            window.click(CHistoryDlg::Certificate);
        };
        app.onCommand(CmdHistory);
    };
    sim.settings.writeText(ReferenceSection, ReferenceNameKey, "Kalibrator CX-9");
    sim.settings.writeText(ReferenceSection, InputToleranceKey, "0,5");
    certifyNewest();
    sim.settings.writeText(ReferenceSection, ReferenceNameKey, "Inny kalibrator");
    sim.settings.writeText(ReferenceSection, InputToleranceKey, "0,01");
    certifyNewest();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].eventId, "e7");
    ASSERT_EQ(shown[0].tables.size(), 2u);
    EXPECT_EQ(shown[0].tables[0].rows.size(), 3u);
    EXPECT_EQ(shown[0].tables[1].rows.size(), 3u);
    EXPECT_EQ(field(shown[0], "Przyrząd wzorcowy"),
              "Kalibrator K-1, nr ser. A123, świadectwo LW/2026/17, ważne do 31.03.2027");
    EXPECT_EQ(field(shown[0], "Wynik ogólny"), "zgodny");
    // Numbered once: the reprint keeps its number.
    EXPECT_EQ(field(shown[0], "Numer świadectwa"), "ŚK/2025/000001");
    EXPECT_EQ(history.certificates.size(), 1u);
    ASSERT_EQ(shown[1].fields.size(), shown[0].fields.size());
    for (std::size_t i = 0; i < shown[0].fields.size(); ++i) {
        EXPECT_EQ(shown[1].fields[i].label, shown[0].fields[i].label);
        EXPECT_EQ(shown[1].fields[i].value, shown[0].fields[i].value);
    }
    for (std::size_t t = 0; t < shown[0].tables.size(); ++t) EXPECT_EQ(shown[1].tables[t].rows, shown[0].tables[t].rows);
    EXPECT_EQ(shown[1].notes, shown[0].notes);
}

// While the history cannot number the event (a record still on its way to the server), the
// certificate is a draft that says why.
TEST_F(CertificateCommands, AnEventTheHistoryCannotNumberIsCertifiedAsADraftWithTheReason) {
    for (const StoredRecord& s : test::pt100EventRecords("e9")) history.stored.insert(history.stored.begin(), s);
    history.notNumbered = "2 zapisy zdarzenia czekają na bazę";
    shell.scripts[CHistoryDlg::Resource] = [this](FakeWindow& window, DialogLogic&) {
        sim.clock.advance(CHistoryDlg::AnswerPollMs);
        window.choose(CHistoryDlg::Records, 0);
        window.click(CHistoryDlg::Certificate);
    };
    app.onCommand(CmdHistory);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(field(shown[0], "Numer świadectwa"), "PROJEKT — bez numeru");
    EXPECT_NE(std::ranges::find(shown[0].notes, "Projekt bez numeru: 2 zapisy zdarzenia czekają na bazę"),
              shown[0].notes.end());
}

// The certificate offered after one phase of a calibration event (here an adjustment through the
// calibration dialog) holds the whole event, its earlier phases read back from the history.
TEST_F(CertificateCommands, TheCertificateOfferedAfterAPhaseHoldsTheWholeEvent) {
    for (const StoredRecord& s : test::pt100EventRecords("e8", false)) history.stored.insert(history.stored.begin(), s);
    station.calibrationEvent = "e8";
    shell.choices = {Choice::Yes};
    calibrate(true);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].eventId, "e8");
    ASSERT_EQ(shown[0].tables.size(), 2u);
    EXPECT_EQ(shown[0].tables[0].rows.size(), 3u);
    EXPECT_EQ(field(shown[0], "Przebieg kalibracji"), "PRZERWANA");
    // The earlier adjustment and the one just made.
    EXPECT_EQ(shown[0].notes.size(), 2u);
}

TEST_F(CertificateCommands, PrzyrzadWzorcowyKeepsTheTolerancesAndRefusesOneThatIsNoNumber) {
    EXPECT_TRUE(app.isEnabled(CmdReferenceInstrument));
    // The instrument the settings named before the register is left for the register to take over.
    sim.settings.writeText("Wzorzec", "Nazwa", "Kalibrator CX-9");
    sim.settings.writeText("Wzorzec", "Niepewnosc", "0,02 °C");
    shell.scripts[CReferenceInstrumentDlg::Resource] = [](FakeWindow& window, DialogLogic&) {
        window.type(CReferenceInstrumentDlg::TemperatureTolerance, "0,1 °C");
        window.click(CReferenceInstrumentDlg::Ok);
        EXPECT_FALSE(window.ended());
        ASSERT_EQ(window.boxes().size(), 1u);
        EXPECT_EQ(window.boxes()[0].text, "Tolerancja musi być liczbą albo pozostać pusta.");
        window.type(CReferenceInstrumentDlg::TemperatureTolerance, "0,1");
        window.type(CReferenceInstrumentDlg::InputTolerance, "0,05 Ohm");
        window.click(CReferenceInstrumentDlg::Ok);
        EXPECT_FALSE(window.ended());
        EXPECT_EQ(window.boxes().size(), 2u);
        window.type(CReferenceInstrumentDlg::InputTolerance, "0,05");
        window.click(CReferenceInstrumentDlg::Ok);
        EXPECT_TRUE(window.ended());
    };
    app.onCommand(CmdReferenceInstrument);
    EXPECT_EQ(sim.settings.readText("Wzorzec", "Nazwa", ""), "Kalibrator CX-9");
    EXPECT_EQ(sim.settings.readText("Wzorzec", "Niepewnosc", ""), "0,02 °C");
    EXPECT_EQ(sim.settings.readText("Wzorzec", "TolerancjaTemperatury", ""), "0,1");
    EXPECT_EQ(sim.settings.readText("Wzorzec", "TolerancjaWejscia", ""), "0,05");
    EXPECT_EQ(sim.settings.readText("Wzorzec", "TolerancjaWyjscia", "-"), "");

    // Opened again, it shows what was kept.
    shell.scripts[CReferenceInstrumentDlg::Resource] = [](FakeWindow& window, DialogLogic&) {
        EXPECT_EQ(window.text(CReferenceInstrumentDlg::TemperatureTolerance), "0,1");
        EXPECT_EQ(window.text(CReferenceInstrumentDlg::InputTolerance), "0,05");
    };
    app.onCommand(CmdReferenceInstrument);
}

}  // namespace
}  // namespace doxa::test
