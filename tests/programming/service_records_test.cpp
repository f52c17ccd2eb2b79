// What "Wyślij" leaves in the service history: the configuration read before and only the
// values the transmitter confirmed after.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "programming/prog_dlg.h"
#include "programming_session.h"
#include "support/fake_recorder.h"
#include "transmitter/code_tables.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

using D = CProgDlg;

struct Recorded : Session<CProgDlg> {
    explicit Recorded(bool rs485) : Session<CProgDlg>(sim::Model::Doxa22, rs485) {
        sim.station.recorder = &recorder;
        if (rs485) {
            sim.device().address = 1;
            sim.station.device.pollingAddress = 1;
        }
    }
    bool identify() {
        CInitDlg init(sim.station);
        FakeWindow w(init, sim.clock);
        const bool read = w.open() && sim.clock.advanceUntil(
                                          [&] { return w.text(CInitDlg::ProgressText) == FinishedText; },
                                          60'000);
        w.close();
        return read;
    }
    FakeRecorder recorder;
};

struct ProgrammingCase {
    const char* name;
    bool rs485;
    std::map<int, sim::WriteFault> faults;  // by HART command or first register
    int lostWriteAnswers;
    bool silent;  // nobody answers once the dialog is open
    const char* message;
    RecordOutcome outcome;
    bool rangeLeft;   // the range written counts as left in the transmitter
    bool sensorLeft;  // and the sensor
    // Writes refused or answered busy, keyed as the simulator keys them; the code recorded.
    std::map<int, sim::Faults::Refusal> refusals = {};
    std::optional<int> code = {};
    std::size_t rangeSends = 0;  // how often the range went out, where it matters
};

TEST(ProgrammingRecord, OnlyWhatTheTransmitterConfirmedIsLeft) {
    using enum RecordOutcome;
    const ProgrammingCase cases[] = {
        {"HART confirmed", false, {}, 0, false, Saved, Confirmed, true, true},
        {"HART answers lost once", false, {}, 1, false, Saved, Confirmed, true, true},
        {"HART range unanswered", false, {{35, sim::WriteFault::Unanswered}}, 0, false, NotSaved,
         NotConfirmed, false, true},
        {"HART range miskept", false, {{35, sim::WriteFault::Miskept}}, 0, false, NotSaved,
         NotConfirmed, false, true},
        {"HART sensor miskept", false, {{147, sim::WriteFault::Miskept}}, 0, false, NotSaved,
         NotConfirmed, true, false},
        {"HART silent", false, {}, 0, true, NotSaved, NoAnswer, false, false},
        {"RS485 confirmed", true, {}, 0, false, Saved, Confirmed, true, true},
        {"RS485 range unanswered", true, {{0, sim::WriteFault::Unanswered}}, 0, false, NotSaved,
         NotConfirmed, false, true},
        {"RS485 silent", true, {}, 0, true, NotSaved, NoAnswer, false, false},
        // A refused write is not repeated: it would be refused again.
        {"HART range refused", false, {}, 0, false, NotSaved, Refused, false, true, {{35, {9, 0}}}, 9, 1},
        {"HART range busy once", false, {}, 0, false, Saved, Confirmed, true, true, {{35, {32, 1}}}, {}, 2},
        {"RS485 range refused", true, {}, 0, false, NotSaved, Refused, false, true, {{116 << 16, {3, 0}}}, 3, 1},
        {"RS485 range busy once", true, {}, 0, false, Saved, Confirmed, true, true, {{116 << 16, {6, 1}}}, {}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Recorded p(c.rs485);
        p.sim.device().serialNumber = 4321;
        p.sim.device().rangeUpper = 150;
        ASSERT_TRUE(p.identify());
        ASSERT_TRUE(p.openReady());
        auto& faults = p.sim.transmitter->faults;
        (c.rs485 ? faults.modbusWrites : faults.hartWrites) = c.faults;
        faults.lostWriteAnswers = c.lostWriteAnswers;
        (c.rs485 ? faults.modbusRefusals : faults.hartRefusals) = c.refusals;
        if (c.silent) faults.drop.probability = 1;
        const std::size_t before = p.sim.requests().size();
        p.choose(D::SensorPt100);
        p.enter(D::RangeMax, "120");
        p.recorder.records.clear();
        ASSERT_EQ(p.program(), c.message);

        ASSERT_EQ(p.recorder.records.size(), 1u);
        const ServiceRecord& r = p.recorder.records.front();
        EXPECT_EQ(r.kind, RecordKind::Programming);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.refusalCode, c.code);
        if (c.rangeSends) {
            const std::vector<int> keys = p.sim.requests(before);
            EXPECT_EQ(std::size_t(std::count(keys.begin(), keys.end(), c.rs485 ? 0 : 35)), c.rangeSends);
        }
        if (c.code) {
            EXPECT_TRUE(p.window.text(ReplyText).starts_with("Przetwornik odrzucił zapis: ")) << p.window.text(ReplyText);
        }
        EXPECT_EQ(r.serial, 4321);
        EXPECT_EQ(r.rs485, c.rs485);
        // Over HART the dialog's own identification proves it is the transmitter read before.
        EXPECT_EQ(numberOf(r.asFound, "range_max"),
                  c.rs485 ? std::nullopt : std::optional<double>(150));
        EXPECT_EQ(numberOf(r.asLeft, "range_max"),
                  c.rangeLeft ? std::optional<double>(120) : std::nullopt);
        EXPECT_EQ(textOf(r.asLeft, "sensor"),
                  c.sensorLeft ? std::optional<std::string>("Pt 100") : std::nullopt);
    }
}

}  // namespace
}  // namespace doxa::test
