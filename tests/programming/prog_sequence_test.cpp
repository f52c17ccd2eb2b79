// The write sequence of the programming dialog, judged by the bytes on the line and by what the
// simulated transmitter keeps.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "programming/prog_dlg.h"
#include "programming_session.h"
#include "support/schedule.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

using D = CProgDlg;
using Programming = Session<CProgDlg>;
constexpr int CloseRegister = 0x00ED;

Bytes hartFrame(std::initializer_list<std::uint8_t> body) {
    Bytes frame(10 + body.size(), 0xFF);
    std::copy(body.begin(), body.end(), frame.begin() + 10);
    return frame;
}

// The parts of the transmitter's state the sequence writes.
auto configuration(const sim::State& s) {
    return std::make_tuple(s.sensorCode, s.breakToMin, s.outputBits, s.rangeLower, s.rangeUpper,
                           s.thresholdMode, s.threshold, s.thresholdRelease, s.filterOrder,
                           s.filterTimeCode, s.delta, s.address);
}

// From 0 s: with the filter of order '0' the spin always shows 0.
void raiseFilter(Programming& p, int order, int ups) {
    p.pick({D::Order0, D::Order1, D::Order2}, D::Order0);
    p.dialog.onScroll(D::FilterTimeSpin, Scroll::LineUp);
    p.pick({D::Order0, D::Order1, D::Order2}, order);
    for (int i = 0; i < ups; ++i) p.dialog.onScroll(D::FilterTimeSpin, Scroll::LineUp);
}

TEST(ProgrammingSequence, HartWritesTheDocumentedRequestsAndTheTransmitterKeepsThem) {
    Programming p;
    p.sim.station.device.deltaValue = 5;
    ASSERT_TRUE(p.openReady());
    p.choose(D::SensorK);
    p.pick({D::BreakMax, D::BreakMin}, D::BreakMin);
    p.pick({D::Count1, D::Count2, D::Count3, D::Count4}, D::Count2);
    p.choose(D::SensorsActive);
    p.sim.station.device.outputType = 1;
    raiseFilter(p, D::Order2, 3);
    EXPECT_EQ(p.text(D::FilterTime), "5");
    p.choose(D::ThresholdOnOff);
    p.pick({D::DirectionMin, D::DirectionMax}, D::DirectionMax);

    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.window.boxes().back().icon, BoxIcon::Information);
    EXPECT_EQ(p.text(StepText), "Koniec programowania");
    EXPECT_EQ(p.sim.requests(2), (std::vector<int>{35, 147, 201, 200}));
    EXPECT_EQ(p.request(35), hartFrame({0x02, 0x80, 0x23, 0x09, 0x00, 0x44, 0xA8, 0xC0, 0x00, 0xC3,
                                        0x7A, 0x00, 0x00, 0x3D}));
    EXPECT_EQ(p.request(147), hartFrame({0x02, 0x80, 0x93, 0x01, 0xA4, 0xB4}));
    EXPECT_EQ(p.request(201), hartFrame({0x02, 0x80, 0xC9, 0x03, 0x02, 0x7C, 0x05, 0x33}));
    EXPECT_EQ(p.request(200), hartFrame({0x02, 0x80, 0xC8, 0x09, 0x02, 0x44, 0xA2, 0x80, 0x00, 0x44,
                                         0x9C, 0x40, 0x00, 0xBF}));

    const sim::State& s = p.sim.device();
    EXPECT_EQ(s.sensorCode, 4);
    EXPECT_TRUE(s.breakToMin);
    EXPECT_EQ(s.outputBits, 0x20);
    EXPECT_EQ(s.rangeLower, -250);
    EXPECT_EQ(s.rangeUpper, 1350);
    EXPECT_EQ(s.filterOrder, 2);
    EXPECT_EQ(s.filterTimeCode, 0x7C);
    EXPECT_EQ(s.delta, 5);
    EXPECT_EQ(s.thresholdMode, 2);
    EXPECT_EQ(s.threshold, 1300);
    EXPECT_EQ(s.thresholdRelease, 1250);
    const DeviceRecord& d = p.sim.station.device;
    EXPECT_EQ(std::make_tuple(d.sensorType, d.breakSignal, d.connection, d.filterOrder,
                              d.filterTime, d.thresholdActive, d.thresholdDirection),
              std::make_tuple(4, 1, 1, 2, 5, 1, 2));
}

TEST(ProgrammingSequence, Rs485WritesRegistersWithTheThresholdInTheFlagByteOnly) {
    Programming p(sim::Model::Doxa22, true);
    p.sim.device().address = 1;
    DeviceRecord& d = p.sim.station.device;
    d.pollingAddress = 1;
    d.deltaValue = 5;
    d.thresholdActive = 1;
    d.thresholdDirection = 2;
    ASSERT_TRUE(p.openReady());
    p.choose(D::SensorK);
    p.enter(D::RangeMin, "-50");
    p.enter(D::RangeMax, "300");
    p.pick({D::BreakMax, D::BreakMin}, D::BreakMin);
    raiseFilter(p, D::Order2, 3);

    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, 8, 12, CloseRegister}));
    EXPECT_EQ(p.request(0),
              (Bytes{0x01, 0x74, 0x00, 0x00, 0x00, 0x08, 0x10, 0x00, 0x87, 0x00, 0x16, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x84, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x00, 0xEF, 0xFC}));
    EXPECT_EQ(p.request(8), (Bytes{0x01, 0x74, 0x00, 0x08, 0x00, 0x03, 0x06, 0x00, 0x04, 0x00, 0x15,
                                   0x00, 0xF7, 0xB7, 0xA7}));
    EXPECT_EQ(p.request(12), (Bytes{0x01, 0x74, 0x00, 0x0C, 0x00, 0x03, 0x06, 0x00, 0x02, 0x00,
                                    0x7C, 0x00, 0x05, 0x2F, 0xEB}));
    EXPECT_EQ(p.request(CloseRegister), (Bytes{0x01, 0x06, 0x00, 0xED, 0x00, 0xAA, 0x99, 0x80}));
    const sim::State& s = p.sim.device();
    EXPECT_EQ(
        std::make_tuple(s.sensorCode, s.breakToMin, s.thresholdMode, s.rangeLower, s.rangeUpper),
        std::make_tuple(4, true, 2, -50.0f, 300.0f));
}

TEST(ProgrammingSequence, NoThresholdIsWrittenToASawe01) {
    Programming p(sim::Model::Sawe01);
    ASSERT_TRUE(p.openReady());
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.requests(2), (std::vector<int>{35, 147, 201}));
}

struct Unconfirmed {
    bool rs485;
    int write;  // HART command or MODBUS register
    sim::WriteFault fault;
    int sends;
};

TEST(ProgrammingSequence, UnconfirmedWritesAreRepeatedUpToTheirLimitsAndReported) {
    const Unconfirmed cases[] = {
        {false, 35, sim::WriteFault::Unanswered, 4}, {false, 35, sim::WriteFault::Miskept, 4},
        {false, 147, sim::WriteFault::Miskept, 3},   {false, 201, sim::WriteFault::Miskept, 3},
        {false, 200, sim::WriteFault::Miskept, 3},   {false, 147, sim::WriteFault::Unanswered, 3},
        {true, 0, sim::WriteFault::Unanswered, 4},   {true, 8, sim::WriteFault::Unanswered, 3},
        {true, 12, sim::WriteFault::Unanswered, 3},
    };
    for (const Unconfirmed& c : cases) {
        SCOPED_TRACE(std::to_string(c.write) + (c.rs485 ? " RS485" : " HART"));
        Programming p(sim::Model::Doxa22, c.rs485);
        auto& faults = p.sim.transmitter->faults;
        (c.rs485 ? faults.modbusWrites : faults.hartWrites)[c.write] = c.fault;
        ASSERT_TRUE(p.openReady());
        p.choose(D::SensorPt100);
        EXPECT_EQ(p.program(), NotSaved);
        const std::vector<int> sent = p.sim.requests(c.rs485 ? 0 : 2);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), c.write), c.sends);
        // The sequence goes on to its end after the limit.
        EXPECT_EQ(sent.back(), c.rs485 ? CloseRegister : 200);
    }
}

TEST(ProgrammingSequence, ALostAnswerIsRepeatedAndTheWriteCountsOnceConfirmed) {
    Programming p;
    p.sim.transmitter->faults.drop.onRequest = 2;  // the first range write
    ASSERT_TRUE(p.openReady());
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.requests(2), (std::vector<int>{35, 35, 147, 201, 200}));
}

TEST(ProgrammingSequence, TypedFractionsAreConfirmedAndKeptExactly) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    p.choose(D::SensorPt100);
    p.enter(D::RangeMin, "12.34");
    p.enter(D::RangeMax, "99.99");
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.device().rangeLower, 12.34f);
    EXPECT_EQ(p.sim.device().rangeUpper, 99.99f);
    EXPECT_EQ(p.sim.requests(2), (std::vector<int>{35, 147, 201, 200}));
}

// A transmitter may report the sensor byte whole or only its sensor code and break bit: a RIVO-22
// with Pt 100, "na min" and output "prądowe 4...20mA" is sent 0x91 and may answer 0x91 or 0x81.
TEST(ProgrammingSequence, TheSensorByteIsConfirmedWholeOrByItsSensorCodeAndBreakBit) {
    using Break = sim::BreakBitFault;
    struct Case {
        bool documentedBitsOnly;
        bool miskept;  // the device keeps the sensor code one bit off
        Break breakBit;  // the device keeps, or only answers, the other break direction
        const char* told;
        long sends;
    };
    const Case cases[] = {{false, false, Break::None, Saved, 1},  {true, false, Break::None, Saved, 1},
                          {true, true, Break::None, NotSaved, 3}, {false, true, Break::None, NotSaved, 3},
                          {false, false, Break::Kept, NotSaved, 3}, {true, false, Break::Kept, NotSaved, 3},
                          {false, false, Break::Echoed, NotSaved, 3}, {true, false, Break::Echoed, NotSaved, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.documentedBitsOnly) + std::to_string(c.miskept) +
                     std::to_string(int(c.breakBit)));
        Programming p(sim::Model::Rivo22);
        p.sim.transmitter->faults.documentedBitsOnly = c.documentedBitsOnly;
        p.sim.transmitter->faults.breakBit = c.breakBit;
        if (c.miskept) p.sim.transmitter->faults.hartWrites[147] = sim::WriteFault::Miskept;
        p.sim.station.device.outputType = 1;
        ASSERT_TRUE(p.openReady());
        p.choose(D::SensorPt100);
        p.pick({D::BreakMax, D::BreakMin}, D::BreakMin);
        EXPECT_EQ(p.program(), c.told);
        EXPECT_EQ(p.request(147), hartFrame({0x02, 0x80, 0x93, 0x01, 0x91, 0x81}));
        const std::vector<int> sent = p.sim.requests(2);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), 147), c.sends);
        const sim::State& s = p.sim.device();
        EXPECT_EQ(std::make_tuple(int(s.sensorCode), s.breakToMin, int(s.outputBits)),
                  std::make_tuple(c.miskept ? 0 : 1, c.breakBit != Break::Kept, 0x10));
    }
}

// The transmitter may answer the address change from the old address or already from the new.
TEST(ProgrammingSequence, HartAddressGoesToTheOldAddressAndIsStoredWhenConfirmed) {
    for (const bool fromNew : {false, true}) {
        SCOPED_TRACE(fromNew ? "answered from the new address" : "answered from the old address");
        Programming p;
        p.sim.transmitter->faults.answerFromNewAddress = fromNew;
        ASSERT_TRUE(p.openReady());
        p.choose(D::ProgramAddress);
        p.window.type(D::Address, "5");
        EXPECT_EQ(p.program(), Saved);
        EXPECT_EQ(p.request(6), hartFrame({0x02, 0x80, 0x06, 0x01, 0x05, 0x80}));
        const std::vector<int> sent = p.sim.requests();
        const auto at = std::size_t(std::find(sent.begin(), sent.end(), 6) - sent.begin());
        const Bytes answer = p.sim.line()->answers().at(at);
        ASSERT_GE(answer.size(), 7u);
        EXPECT_EQ(answer[answer.size() - 7], fromNew ? 0x85 : 0x80) << "the answer's address byte";
        EXPECT_EQ(p.sim.device().address, 5);
        EXPECT_EQ(p.sim.station.device.pollingAddress, 5);
        EXPECT_EQ(p.sim.settings.readInt("Polling_adres", "ADRES", -1), 5);
        EXPECT_EQ(p.boxTexts(), (std::vector<std::string>{"Nastąpi rozpoznanie przetwornika", Saved}))
            << "no address error";
    }
}

TEST(ProgrammingSequence, AnUnconfirmedHartAddressIsReportedAndNotStored) {
    Programming p;
    p.sim.transmitter->faults.hartWrites[6] = sim::WriteFault::Miskept;
    ASSERT_TRUE(p.openReady());
    p.choose(D::ProgramAddress);
    p.window.type(D::Address, "5");
    EXPECT_EQ(p.program(), Saved);
    const std::vector<std::string> boxes = p.boxTexts();
    EXPECT_EQ(std::vector<std::string>(boxes.end() - 2, boxes.end()),
              (std::vector<std::string>{"Błąd w programowaniu adresu !", Saved}));
    EXPECT_FALSE(p.sim.settings.contains("Polling_adres", "ADRES"));
}

TEST(ProgrammingSequence, Rs485AddressIsAdoptedAfterTheClosingWriteAndNotStored) {
    Programming p(sim::Model::Doxa22, true);
    p.sim.device().address = 1;
    p.sim.station.device.pollingAddress = 1;
    ASSERT_TRUE(p.openReady());
    p.choose(D::ProgramAddress);
    p.window.type(D::Address, "9");
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, 8, 12, 60, CloseRegister}));
    EXPECT_EQ(p.request(60),
              (Bytes{0x01, 0x74, 0x00, 0x3C, 0x00, 0x01, 0x02, 0x00, 0x09, 0x64, 0xB1}));
    EXPECT_EQ(p.request(CloseRegister), (Bytes{0x01, 0x06, 0x00, 0xED, 0x00, 0xAA, 0x99, 0x80}));
    EXPECT_EQ(p.sim.station.device.pollingAddress, 9);
    EXPECT_EQ(p.sim.device().address, 9);
    EXPECT_FALSE(p.sim.settings.contains("Polling_adres", "ADRES"));
}

TEST(ProgrammingSequence, Rs485KeepsTheAddressWhenItWasNotProgrammed) {
    Programming p(sim::Model::Doxa22, true);
    ASSERT_TRUE(p.openReady());
    p.choose(D::ProgramAddress);
    p.window.type(D::Address, "9");
    p.choose(D::ProgramAddress, false);
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.requests(), (std::vector<int>{0, 8, 12, CloseRegister}));
    EXPECT_EQ(p.sim.station.device.pollingAddress, 0);
}

TEST(ProgrammingSequence, Rs485ProgramsAgainWithoutTakingTheClosingWritesEchoForAnAnswer) {
    Programming p(sim::Model::Doxa22, true);
    ASSERT_TRUE(p.openReady());
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.sim.requests(),
              (std::vector<int>{0, 8, 12, CloseRegister, 0, 8, 12, CloseRegister}));
}

TEST(ProgrammingSequence, TheSensorCountIsSentOnlyWhenActive) {
    Programming p;
    ASSERT_TRUE(p.openReady());
    p.choose(D::SensorPt100);
    p.pick({D::Count1, D::Count2, D::Count3, D::Count4}, D::Count3);
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.request(147), hartFrame({0x02, 0x80, 0x93, 0x01, 0x01, 0x11}));
    EXPECT_TRUE(p.window.isChecked(D::Count1));
    EXPECT_FALSE(p.window.isChecked(D::Count3));
}

TEST(ProgrammingSequence, AnUnchangedConfigurationIsWrittenBackUnchanged) {
    for (const bool rs485 : {false, true}) {
        SCOPED_TRACE(rs485 ? "RS485" : "HART");
        Programming p(sim::Model::Doxa22, rs485);
        sim::State& s = p.sim.device();
        s.sensorCode = 4;
        s.breakToMin = true;
        s.rangeLower = -100;
        s.rangeUpper = 500.5f;
        s.thresholdMode = 2;
        s.threshold = 300;
        s.thresholdRelease = 290;
        s.filterOrder = 2;
        s.filterTimeCode = 0x7C;
        const auto before = configuration(s);

        CInitDlg identification(p.sim.station);
        FakeWindow identifying(identification, p.sim.clock);
        ASSERT_TRUE(identifying.open());
        ASSERT_TRUE(p.sim.clock.advanceUntil(
            [&] { return identifying.text(CInitDlg::ProgressText) == "Koniec"; }, 30000));
        identifying.click(CInitDlg::Close);

        ASSERT_TRUE(p.openReady());
        EXPECT_EQ(p.program(), Saved);
        EXPECT_EQ(configuration(s), before);
    }
}

}  // namespace
}  // namespace doxa::test

namespace doxa::test {
namespace {

// A filter time the ladder has no code for is sent as the code of "off", 0x68.
TEST(ProgrammingSequence, AFilterTimeWithoutACodeIsSentAsOff) {
    Programming p;
    p.sim.station.device.filterTime = 3;
    ASSERT_TRUE(p.openReady());
    p.pick({D::Order0, D::Order1, D::Order2}, D::Order1);
    EXPECT_EQ(p.program(), Saved);
    const Bytes filter = p.request(201);
    ASSERT_EQ(filter.size(), 18u);
    EXPECT_EQ(filter[15], 0x68);
}

// Each write waits the line's answer time, listening waits 600 ms; a confirmed range or sensor
// type leads on after 100 ms, a confirmed filter keeps the 600 ms, a refused range or sensor
// type is sent again after 100 ms and a refused filter after 600 ms.
// The closing write is judged by an answer that comes within replyWait: its echo or its absence
// leave the run as its writes left it; an exception answer means it was refused.
TEST(ProgrammingSequence, ARefusedClosingWriteIsNotReportedAsSaved) {
    struct Case {
        const char* name;
        std::function<void(Bytes&)> answer;
        const char* result;
    };
    const Case cases[] = {
        {"echo", [](Bytes&) {}, Saved},
        {"silence", [](Bytes& a) { a.clear(); }, Saved},
        {"exception", [](Bytes& a) { a = {a[0], 0x86, 0x04, 0x43, 0xA3}; }, NotSaved},
        {"another value", [](Bytes& a) { a = {a[0], 0x06, 0x00, 0xED, 0x00, 0x00, 0x19, 0xFF}; }, NotSaved},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Programming p(sim::Model::Doxa22, true);
        p.sim.device().address = 1;
        p.sim.station.device.pollingAddress = 1;
        ASSERT_TRUE(p.openReady());
        p.sim.line()->alterAnswer = [&c](Bytes& a) {
            if (a.size() == 8 && a[1] == 0x06 && a[3] == 0xED) c.answer(a);
        };
        EXPECT_EQ(p.program(), c.result);
        EXPECT_EQ(p.sim.requests().back(), CloseRegister);
    }
}

// A slave that frames requests by the line's silence, as RTU asks, hears the closing write only
// when nothing follows it within 3.5 characters. The technician closes the dialog the moment the
// result shows; the new address takes effect with the closing write alone.
TEST(ProgrammingSequence, TheClosingWriteReachesASlaveThatFramesBySilenceWhole) {
    Programming p(sim::Model::Doxa22, true);
    p.sim.device().address = 1;
    p.sim.station.device.pollingAddress = 1;
    ASSERT_TRUE(p.openReady());
    p.sim.line()->frameBySilence = true;
    p.choose(D::ProgramAddress);
    p.window.type(D::Address, "9");
    EXPECT_EQ(p.program(), Saved);
    p.window.close();
    p.sim.clock.advance(1000);
    EXPECT_EQ(p.request(CloseRegister), (Bytes{0x01, 0x06, 0x00, 0xED, 0x00, 0xAA, 0x99, 0x80}));
    EXPECT_EQ(p.sim.writes().back(), Bytes{0xFF});
    EXPECT_EQ(p.sim.device().address, 9);
}

// A late answer to an earlier request that comes in the same read right after the answer to
// this one takes nothing from it, with fast exchanges or without.
TEST(ProgrammingSequence, AnAnswerFollowedByAStaleOneConfirmsTheWrite) {
    for (const bool rs485 : {false, true}) {
        for (const bool fast : {false, true}) {
            SCOPED_TRACE(std::string(rs485 ? "RS485" : "HART") + (fast ? " fast" : ""));
            Programming p(sim::Model::Doxa22, rs485);
            p.sim.station.link.fast.on = fast;
            ASSERT_TRUE(p.openReady());
            p.sim.transmitter->faults.stale.probability = 1;
            p.pick({D::Order0, D::Order1, D::Order2}, D::Order2);
            EXPECT_EQ(p.program(), Saved);
            EXPECT_EQ(p.sim.device().filterOrder, 2);
            EXPECT_EQ(p.sim.station.lineStatistics.rejectedTotal(), 0u);
        }
    }
}

TEST(ProgrammingSequence, EveryStepWaitsAsDocumented) {
    using S = ProgrammingSequence;
    const std::vector<Step> attemptRange{{S::Listen, 300}, {S::CheckRange, 600}};
    const std::vector<Step> attemptSensor{{S::Listen, 300}, {S::CheckSensor, 600}};
    const std::vector<Step> attemptFilter{{S::Listen, 300}, {S::CheckFilter, 600}};
    struct Case {
        std::uint64_t dropped;  // the transmitter's request whose answer is lost
        std::vector<std::vector<Step>> parts;
    };
    const std::vector<Step> tail{{S::SendThreshold, 600}, {S::Listen, 300},
                                 {S::CheckThreshold, 600}, {S::Finish, 600}, {S::SendRange, -1}};
    const Case cases[] = {
        {0, {attemptRange, {{S::SendSensor, 100}}, attemptSensor, {{S::SendFilter, 100}},
             attemptFilter, tail}},
        {2, {attemptRange, {{S::SendRange, 100}}, attemptRange, {{S::SendSensor, 100}},
             attemptSensor, {{S::SendFilter, 100}}, attemptFilter, tail}},
        {3, {attemptRange, {{S::SendSensor, 100}}, attemptSensor, {{S::SendSensor, 100}},
             attemptSensor, {{S::SendFilter, 100}}, attemptFilter, tail}},
        {4, {attemptRange, {{S::SendSensor, 100}}, attemptSensor, {{S::SendFilter, 100}},
             attemptFilter, {{S::SendFilter, 600}}, attemptFilter, tail}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dropped);
        Programming p;
        p.sim.transmitter->faults.drop.onRequest = c.dropped;
        ASSERT_TRUE(p.openReady());
        p.window.click(SendButton);
        EXPECT_EQ(p.window.timerInterval(ExchangeTimer), 500);
        std::vector<Step> expected;
        for (const auto& part : c.parts) expected.insert(expected.end(), part.begin(), part.end());
        EXPECT_EQ(recordSteps(p.sim.clock, p.window,
                              [&] { return p.sim.station.link.exchangeState; }, expected.size()),
                  expected);
    }
}

}  // namespace
}  // namespace doxa::test
