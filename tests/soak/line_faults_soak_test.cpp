// Every exchanging dialog against a simulated transmitter whose answers are dropped, cut short,
// garbled, late or without preambles at high rates, for thousands of exchanges in virtual time.
// A dialog may keep retrying or end with its failure text, but it never stops moving, and what
// it shows as read is what the transmitter holds: a clean run shows the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calibration/calib_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/output_current_dlg.h"
#include "programming/characteristic_dlg.h"
#include "programming/prog_dlg.h"
#include "programming/sensor_dlg.h"
#include "programming/text_dlg.h"
#include "service/finder_dlg.h"
#include "link/hart.h"
#include "link/modbus.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/code_tables.h"
#include "transmitter/display_dlg.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

// Each kind strikes about one request in 1/rate: at the high rate half of all exchanges go
// wrong.
void faultyLine(SimStation& sim, double rate) {
    sim::Faults& f = sim.transmitter->faults;
    for (sim::FaultRule* rule : {&f.drop, &f.truncate, &f.garble, &f.late, &f.losePreambles})
        rule->probability = rate;
}

constexpr double HighRate = 0.12;
constexpr int Runs = 500;

// What a read-only dialog shows once it is done, or nothing when it was still retrying when
// `maxMs` ran out; `moving` tells whether it kept writing requests till the end.
struct Outcome {
    std::map<int, std::string> shown;
    bool done = false;
    bool moving = true;
    std::size_t exchanges = 0;
};

// A dialog that reads: how the transmitter is set up, what starts the reading once the dialog
// is open, the fields that show what was read and when the reading is done.
struct Reading {
    std::function<void(SimStation&)> setUp;
    std::function<void(FakeWindow&)> start;
    std::vector<int> fields;
    std::function<bool(const FakeWindow&)> done;
};

template <typename Dialog>
Outcome readOnce(const Reading& reading, double rate, std::uint64_t seed,
                 std::int64_t maxMs = 60000) {
    SimStation sim(sim::Model::Doxa22, {.seed = seed});
    reading.setUp(sim);
    faultyLine(sim, rate);
    Dialog dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    Outcome outcome;
    if (!window.open()) return outcome;
    if (reading.start) reading.start(window);
    const auto& done = reading.done;
    const auto& fields = reading.fields;
    std::size_t writtenBefore = 0;
    for (std::int64_t waited = 0; waited < maxMs && !outcome.done; waited += 5000) {
        outcome.done = sim.clock.advanceUntil([&] { return done(window); }, 5000);
        const std::size_t written = sim.writes().size();
        outcome.moving = outcome.done || window.ended() || written > writtenBefore;
        if (!outcome.moving) break;
        writtenBefore = written;
    }
    outcome.exchanges = sim.writes().size();
    for (int id : fields) outcome.shown[id] = window.text(id);
    return outcome;
}

// Runs a read-only dialog on a clean line, then many times on a faulty one: every faulty run
// that finished shows exactly what the clean run showed, and every other run was still trying.
template <typename Dialog>
void soakReads(const Reading& reading) {
    const Outcome clean = readOnce<Dialog>(reading, 0, 1);
    ASSERT_TRUE(clean.done);
    std::size_t exchanges = 0;
    int finished = 0;
    for (int run = 0; run < Runs; ++run) {
        SCOPED_TRACE(run);
        const Outcome faulty = readOnce<Dialog>(reading, HighRate, 100 + std::uint64_t(run));
        exchanges += faulty.exchanges;
        EXPECT_TRUE(faulty.moving) << "the dialog stopped without finishing";
        if (!faulty.done) continue;
        ++finished;
        EXPECT_EQ(faulty.shown, clean.shown);
    }
    EXPECT_GT(finished, Runs / 2) << "the retries hardly ever got through";
    // An answer followed in the same read by a late one is taken, so fewer repeats are needed.
    EXPECT_GT(exchanges, 800U);
}

void doxa22(SimStation& sim) {
    sim::State& s = sim.device();
    s.serialNumber = 0x123456;
    s.sensorCode = 1;
    s.rangeLower = -50;
    s.rangeUpper = 150;
    s.thresholdMode = 2;
    s.threshold = 50;
    s.thresholdRelease = 48;
    s.filterOrder = 2;
    s.filterTimeCode = 124;
    s.sensorSerial = 0x010203;
    s.text = "Piec 7";
}

void doxa22Rs485(SimStation& sim) {
    doxa22(sim);
    sim.useRs485();
    sim.device().address = 1;
    sim.station.device.pollingAddress = 1;
}

using I = CInitDlg;
const std::vector<int> IdentityFields{I::SensorText,    I::ModelText,   I::SerialText,
                                      I::RangeMinText,  I::RangeMaxText, I::ThresholdText,
                                      I::ReleaseText,   I::FilterText,  I::OutputText,
                                      I::BreakText};
bool identified(const FakeWindow& w) { return w.text(I::ProgressText) == FinishedText; }
bool exchangeIdle(const FakeWindow& w) { return !w.timerRunning(ExchangeTimer); }

TEST(LineFaultSoak, IdentificationShowsOnlyWhatTheTransmitterHolds) {
    soakReads<CInitDlg>({doxa22, {}, IdentityFields, identified});
    soakReads<CInitDlg>({doxa22Rs485, {}, IdentityFields, identified});
}

TEST(LineFaultSoak, SensorDataAndTextAreReadOrStillAskedFor) {
    using S = CSensorDlg;
    soakReads<CSensorDlg>(
        {doxa22, {}, {S::TypeText, S::SerialText, S::LowerText, S::UpperText, S::SpanText},
         exchangeIdle});
    soakReads<CTextDlg>({doxa22, {}, {CTextDlg::Text}, exchangeIdle});
}

TEST(LineFaultSoak, CharacteristicReadsTheTableTheTransmitterHolds) {
    const auto withPoints = [](SimStation& sim) {
        doxa22(sim);
        sim::State& s = sim.device();
        s.characteristicCount = 12;
        for (int i = 0; i < 12; ++i) {
            s.characteristicX[std::size_t(i)] = 10.0F * float(i) + 0.5F;
            s.characteristicY[std::size_t(i)] = -float(i) - 0.25F;
        }
    };
    using C = CCharacteristicDlg;
    std::vector<int> fields{C::StepText, C::CountEdit};
    fields.insert(fields.end(), C::XColumn.begin(), C::XColumn.end());
    fields.insert(fields.end(), C::YColumn.begin(), C::YColumn.end());
    soakReads<CCharacteristicDlg>(
        {withPoints, [](FakeWindow& w) { w.click(C::Read); }, fields, exchangeIdle});
}

// The live display never ends by itself: over thousands of exchanges each value it shows is
// the transmitter's, a blank, or the dots it starts with.
TEST(LineFaultSoak, LiveDisplayShowsTheTransmittersValuesOrBlanks) {
    using D = CDisplayDlg;
    for (const bool rs485 : {false, true}) {
        SCOPED_TRACE(rs485 ? "RS485" : "HART");
        SimStation sim(sim::Model::Doxa22, {.seed = 7});
        doxa22(sim);
        if (rs485) doxa22Rs485(sim);
        sim.device().sensorCode = 0;
        sim.device().input = 12;
        sim.device().fixedOutput = 4;
        D dialog(sim.station);
        FakeWindow window(dialog, sim.clock);
        ASSERT_TRUE(window.open());
        faultyLine(sim, HighRate);
        const std::set<std::string> primary{"", " ", "12.00 Ohm"};
        const std::set<std::string> output{"", " mA", "4.000 mA"};
        std::size_t shownValues = 0;
        std::size_t before = 0;
        std::deque<double> ambients;  // measured once a second; a value stays shown through
                                      // three missed reads, and is cut to one decimal
        for (int second = 0; second < 2500; ++second) {
            sim.clock.advance(1000);
            ambients.push_back(sim.transmitter->live().ambient);
            if (ambients.size() > 30) ambients.pop_front();
            ASSERT_TRUE(primary.count(window.text(D::PrimaryValue)) ||
                        window.text(D::PrimaryValue).find_first_of("0123456789") ==
                            std::string::npos)
                << window.text(D::PrimaryValue);
            ASSERT_TRUE(output.count(window.text(D::OutputValue)) ||
                        window.text(D::OutputValue).find_first_of("0123456789") ==
                            std::string::npos)
                << window.text(D::OutputValue);
            const std::string ambient = window.text(D::AmbientValue);
            if (ambient.find_first_of("0123456789") != std::string::npos) {
                const auto [low, high] = std::minmax_element(ambients.begin(), ambients.end());
                EXPECT_GE(std::stod(ambient), *low - 0.2) << ambient;
                EXPECT_LE(std::stod(ambient), *high + 0.2) << ambient;
            }
            shownValues += window.text(D::PrimaryValue) == "12.00 Ohm";
            if (second % 20 == 19) {
                ASSERT_GT(sim.writes().size(), before) << "polling stopped";
                before = sim.writes().size();
            }
        }
        EXPECT_GT(sim.writes().size(), 1500U);
        EXPECT_GT(shownValues, 1200U);
        for (const auto& box : window.boxes())
            EXPECT_EQ(box.text, "Sprawdź połączenie z przetwornikiem");
    }
}

// Programming on a faulty line says "Dane zostały zapisane" only when the transmitter holds
// every value written; otherwise it says they were not.
TEST(LineFaultSoak, ProgrammingReportsSavedOnlyWhenTheTransmitterHoldsTheValues) {
    using P = CProgDlg;
    int saved = 0;
    int notSaved = 0;
    for (const bool rs485 : {false, true}) {
        for (int run = 0; run < Runs / 2; ++run) {
            SCOPED_TRACE(run);
            SimStation sim(sim::Model::Doxa22, {.seed = 300 + std::uint64_t(run)});
            doxa22(sim);
            if (rs485) doxa22Rs485(sim);
            P dialog(sim.station);
            FakeWindow window(dialog, sim.clock);
            ASSERT_TRUE(window.open());
            ASSERT_TRUE(sim.clock.advanceUntil(
                [&] { return rs485 || window.text(142) == "Przetwornik rozpoznany"; }, 20000));
            window.setChecked(P::SensorK, true);
            window.click(P::SensorK);
            window.setChecked(P::BreakMax, false);
            window.setChecked(P::BreakMin, true);
            window.click(P::BreakMin);
            faultyLine(sim, HighRate);
            window.click(132);
            std::string verdict;
            const bool ended = sim.clock.advanceUntil(
                [&] {
                    for (const auto& box : window.boxes())
                        if (box.text == "Dane zostały zapisane" ||
                            box.text == "Dane nie zostały zapisane prawidłowo")
                            verdict = box.text;
                    return !verdict.empty();
                },
                300000);
            ASSERT_TRUE(ended) << "the sequence neither finished nor failed";
            // The record keeps what "Wyślij" wrote, confirmed or not.
            const sim::State& s = sim.device();
            const DeviceRecord& d = sim.station.device;
            if (verdict == "Dane zostały zapisane") {
                ++saved;
                EXPECT_EQ(s.sensorCode, d.sensorType);
                EXPECT_EQ(s.breakToMin, d.breakSignal == 1);
                EXPECT_EQ(s.rangeLower, d.rangeMin);
                EXPECT_EQ(s.rangeUpper, d.rangeMax);
                EXPECT_EQ(s.filterOrder, d.filterOrder);
            } else {
                ++notSaved;
            }
        }
    }
    // Both endings come up: the soak reaches the failure paths and the retries that get through.
    EXPECT_GT(saved, Runs / 4);
    EXPECT_GT(notSaved, 0);
}

// A peer that follows every answer with a flood of bytes, or answers with a length no frame
// has: each such answer is no answer, the display blanks and asks to check the connection as
// for silence, nothing piles up on the program's side, and values return with a sane line. A
// whole answer followed by bytes that begin as the transmitter's next frame would (its slave
// address) is taken, and what follows it is thrown away, not piled up.
TEST(LineFaultSoak, AFloodOrAnAbsurdLengthIsNoAnswerAndNothingPilesUp) {
    using D = CDisplayDlg;
    struct Case {
        const char* name;
        bool rs485;
        std::function<void(Bytes&)> alter;
        bool taken = false;
    };
    const auto skipPreambles = [](const Bytes& a) {
        std::size_t at = 0;
        while (at < a.size() && a[at] == 0xFF) ++at;
        return at;
    };
    const Case cases[] = {
        {"flood after a HART answer", false,
         [](Bytes& a) { a.insert(a.end(), 5000, 0x5A); }},
        {"flood after a MODBUS answer", true, [](Bytes& a) { a.insert(a.end(), 5000, 0x5A); }},
        {"flood of the slave address after a MODBUS answer", true,
         [](Bytes& a) { a.insert(a.end(), 5000, 0x01); }, true},
        {"HART byte count 255", false,
         [&](Bytes& a) {
             const std::size_t at = skipPreambles(a);
             if (a.size() > at + 3) a[at + 3] = 0xFF;
             a.back() = hartChecksum(a, static_cast<int>(a.size()) - 1);
         }},
        {"MODBUS byte count 255", true,
         [](Bytes& a) {
             if (a.size() < 5) return;
             a[2] = 0xFF;
             const std::uint16_t crc = modbusCrc(a, static_cast<int>(a.size()) - 2);
             a[a.size() - 2] = crc & 0xFF;
             a[a.size() - 1] = crc >> 8;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimStation sim;
        if (c.rs485) doxa22Rs485(sim);
        sim.device().sensorCode = 0;
        sim.device().input = 12;
        D dialog(sim.station);
        FakeWindow window(dialog, sim.clock);
        ASSERT_TRUE(window.open());
        ASSERT_TRUE(sim.clock.advanceUntil(
            [&] { return window.text(D::PrimaryValue) == "12.00 Ohm"; }, 20000));
        // Only an answer that was taken can show the new value.
        sim.line()->alterAnswer = c.alter;
        sim.device().input = 15;
        if (c.taken) {
            EXPECT_TRUE(sim.clock.advanceUntil(
                [&] { return window.text(D::PrimaryValue) == "15.00 Ohm"; }, 20000));
            for (int second = 0; second < 120; ++second) {
                sim.clock.advance(1000);
                ASSERT_LE(sim.line()->queuedInput(), 5100) << "unread bytes pile up";
            }
            continue;
        }
        for (int second = 0; second < 120; ++second) {
            sim.clock.advance(1000);
            ASSERT_LE(sim.line()->queuedInput(), 5100) << "unread bytes pile up";
            ASSERT_NE(window.text(D::PrimaryValue), "15.00 Ohm");
        }
        EXPECT_EQ(window.text(D::PrimaryValue), " ");
        ASSERT_FALSE(window.boxes().empty());
        EXPECT_EQ(window.boxes().back().text, "Sprawdź połączenie z przetwornikiem");
        sim.line()->alterAnswer = nullptr;
        EXPECT_TRUE(sim.clock.advanceUntil(
            [&] { return window.text(D::PrimaryValue) == "15.00 Ohm"; }, 20000));
    }
}

// The finder on a faulty line may miss the transmitter, but what it lists is the transmitter
// at its own address with its own serial number, never a damaged answer's.
TEST(LineFaultSoak, FinderListsOnlyTheTransmitterThatIsThere) {
    using F = CFinderDlg;
    int found = 0;
    // Sixteen addresses asked in each run: 1,600 requests.
    for (int run = 0; run < 100; ++run) {
        SCOPED_TRACE(run);
        SimStation sim(sim::Model::Rivo21U,
                       {.address = 3, .serialNumber = 4242, .seed = 500 + std::uint64_t(run)});
        faultyLine(sim, HighRate);
        F dialog(sim.station);
        FakeWindow window(dialog, sim.clock);
        window.boxAnswers = {Answer::Cancel};  // the offer to take it over is declined
        ASSERT_TRUE(window.open());
        window.click(F::SearchStop);
        ASSERT_TRUE(sim.clock.advanceUntil([&] { return !dialog.searching(); }, 600000, 50));
        const std::vector<std::string>& items = window.items(F::Results);
        ASSERT_LE(items.size(), 1u);
        if (items.empty()) continue;
        ++found;
        EXPECT_EQ(items[0].substr(0, 28), "adres 3: RIVO-21-U, nr 4242") << items[0];
    }
    EXPECT_GT(found, 40);
}

}  // namespace
}  // namespace doxa::test

// The calibration exchanges on a faulty line whose writes may also be carried out with their
// answers lost: "done" is said only when the transmitter holds the value, and a correction is
// never applied twice, whatever the technician is told.
namespace doxa::test {
namespace {

constexpr int CalibrationRuns = 100;

// A faulty line from now on, and every write losing its answer the first 0..3 times.
void faultyWrites(SimStation& sim, int run) {
    faultyLine(sim, HighRate);
    sim.transmitter->faults.lostWriteAnswers = run % 4;
}

// Runs the timer until the exchange waits for the technician again.
bool exchangeEnds(SimStation& sim, const FakeWindow& window) {
    return sim.clock.advanceUntil([&] { return window.ended() || !window.timerRunning(ExchangeTimer); },
                                  300000);
}

// Tallies how each run ended; both endings have to come up for the soak to reach them.
struct Endings {
    int done = 0;
    int other = 0;
    void expectBoth(int fewestDone = CalibrationRuns / 4) const {
        EXPECT_GT(done, fewestDone);
        EXPECT_GT(other, 0);
    }
};

// 25.5 typed over a reading of 24.5 asks for +1.0: the correction is that or untouched.
void expectCorrection(const SimStation& sim, bool done, Endings& endings) {
    const float correction = sim.transmitter->state().calibration.compensation;
    if (done) {
        ++endings.done;
        EXPECT_EQ(correction, 1.0F);
    } else {
        ++endings.other;
        EXPECT_TRUE(correction == 0.0F || correction == 1.0F) << correction;
    }
}

TEST(LineFaultSoak, CalibrationDialogSaysDoneOnlyForWhatTheTransmitterHolds) {
    using D = CCalibrationDlg;
    for (const bool rs485 : {false, true}) {
        Endings corrections;
        Endings points;
        for (int run = 0; run < CalibrationRuns; ++run) {
            SCOPED_TRACE(run);
            SimStation sim(sim::Model::Doxa22, {.seed = 700 + std::uint64_t(run)});
            if (rs485) doxa22Rs485(sim);
            sim.device().ambient = 24.5F;
            D dialog(sim.station, [] {});
            FakeWindow window(dialog, sim.clock);
            ASSERT_TRUE(window.open());
            ASSERT_TRUE(exchangeEnds(sim, window));
            faultyWrites(sim, run);
            window.click(D::ReadAmbient);
            ASSERT_TRUE(exchangeEnds(sim, window));
            window.type(D::Ambient, "25.5");
            window.click(D::CalibrateAmbient);
            ASSERT_TRUE(exchangeEnds(sim, window)) << "the correction never ended";
            expectCorrection(sim, window.text(D::Status) == "Kalibracja temperatury kompensacji zakończona",
                             corrections);

            // A point goes out only on an output confirmed at its test value, and once.
            window.click(D::DriveLow);
            ASSERT_TRUE(exchangeEnds(sim, window)) << "the drive never ended";
            if (window.text(D::Status) != "Wpisz wartość prądu") {
                ++points.other;
                continue;
            }
            const std::size_t sends = sim.requests().size();
            window.type(D::Point1, "5.7");
            window.click(D::CalibratePoint1);
            ASSERT_TRUE(exchangeEnds(sim, window)) << "the point never ended";
            const bool stored = window.text(D::Status) == "Prąd dla 5,6mA zapisany";
            (stored ? points.done : points.other) += 1;
            const float held = sim.device().calibration.outputLowI;
            if (stored) {
                EXPECT_EQ(held, 5.7F);
            } else {
                EXPECT_TRUE(held == 5.7F || held == 5.6F) << held;
            }
            // Sent again only after a busy answer, which this line never gives.
            EXPECT_EQ(sim.requests().size(), sends + 1);
        }
        corrections.expectBoth();
        // A point needs its drive and its mode write confirmed first, none of them repeated
        // blind: far fewer runs get there on this line.
        points.expectBoth(0);
    }
}

TEST(LineFaultSoak, WizardCompensationSaysDoneOnlyForWhatTheTransmitterHolds) {
    using W = CCalibrationWizardDlg;
    for (const bool rs485 : {false, true}) {
        Endings endings;
        for (int run = 0; run < CalibrationRuns; ++run) {
            SCOPED_TRACE(run);
            SimStation sim(sim::Model::Doxa22, {.seed = 900 + std::uint64_t(run)});
            if (rs485) doxa22Rs485(sim);
            sim.device().ambient = 24.5F;
            sim.station.calibrationOptions = 4;
            W dialog(sim.station);
            FakeWindow window(dialog, sim.clock);
            faultyWrites(sim, run);
            ASSERT_TRUE(window.open());
            ASSERT_TRUE(exchangeEnds(sim, window));
            ASSERT_EQ(window.text(W::Progress), "Wpisz temperature");
            window.type(W::Value, "25.5");
            window.click(W::Send);
            ASSERT_TRUE(exchangeEnds(sim, window)) << "the correction never ended";
            expectCorrection(sim, window.text(W::Progress) == "Kalibracja pomiaru temperatury zakończona",
                             endings);
        }
        endings.expectBoth();
    }
}

TEST(LineFaultSoak, OutputCurrentSaysSetOnlyWhenTheTransmitterDrivesIt) {
    using O = COutputCurrentDlg;
    for (const bool rs485 : {false, true}) {
        Endings endings;
        for (int run = 0; run < CalibrationRuns; ++run) {
            SCOPED_TRACE(run);
            SimStation sim(sim::Model::Doxa22, {.seed = 1100 + std::uint64_t(run)});
            if (rs485) doxa22Rs485(sim);
            O dialog(sim.station);
            FakeWindow window(dialog, sim.clock);
            ASSERT_TRUE(window.open());
            ASSERT_TRUE(exchangeEnds(sim, window));
            faultyWrites(sim, run);
            window.type(O::Value, "12.5");
            window.click(O::Set);
            ASSERT_TRUE(exchangeEnds(sim, window)) << "Ustaw never ended";
            const bool set = window.text(O::Status) == "Wyjście ustawione";
            (set ? endings.done : endings.other) += 1;
            if (set) {
                EXPECT_EQ(sim.device().fixedOutput, 12.5F);
            }
        }
        if (rs485) endings.expectBoth();
        else EXPECT_EQ(endings.done, CalibrationRuns);  // HART repeats until it is confirmed
    }
}

TEST(LineFaultSoak, FactoryDataEndsOnlyWithTheFactoryCalibrationInPlace) {
    using F = CFactoryDataDlg;
    int restored = 0;
    for (int run = 0; run < CalibrationRuns; ++run) {
        SCOPED_TRACE(run);
        SimStation sim(sim::Model::Doxa22, {.seed = 1300 + std::uint64_t(run)});
        sim.device().calibration.outputLowI = 5.7F;
        sim.device().calibration.compensation = 2;
        faultyWrites(sim, run);
        F dialog(sim.station);
        FakeWindow window(dialog, sim.clock);
        ASSERT_TRUE(window.open());
        ASSERT_TRUE(sim.clock.advanceUntil([&] { return window.ended(); }, 300000)) << "the restore never ended";
        ASSERT_EQ(window.result(), ResultOk);
        ++restored;
        EXPECT_EQ(sim.device().calibration, sim.device().factoryCalibration);
        EXPECT_FALSE(sim.device().fixedOutput);
    }
    EXPECT_EQ(restored, CalibrationRuns);
}

}  // namespace
}  // namespace doxa::test
