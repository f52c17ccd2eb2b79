// doxa-cli calibrate in virtual time against a simulated DOXA-22 with a Pt 100 on 0..100 °C, its
// typed values fed on standard input as a bench script feeds them.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "calibration/calibration_event.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "sim/sim_line.h"
#include "support/fake_recorder.h"
#include "virtual_time.h"

namespace doxa::cli {
namespace {

class Register : public InstrumentRegister {
public:
    std::vector<ReferenceInstrument> instruments() override {
        return {{"r1", "Kalibrator", "KX-2", "1001", "W-17/2026", "2099-06-30", {}},
                {"r2", "Stary kalibrator", "KX-1", "0007", "W-3/2025", "2001-01-31", {}}};
    }
    bool fromLocalCopy() const override { return false; }
    std::string problem() const override { return {}; }
};

struct Outcome {
    int status = -1;
    std::vector<std::string> lines;
    std::string err;
    test::FakeRecorder recorder;
    std::optional<float> fixedOutput;
};

// `loopWarning`: what doxa-win's settings say of the loop warning, when they say anything.
Outcome calibrateWith(std::vector<std::pair<Opt, std::string>> fields, const std::string& typed,
                      std::optional<int> loopWarning = std::nullopt) {
    auto transmitter = std::make_shared<sim::Transmitter>(sim::Model::Doxa22);
    transmitter->state().sensorCode = 1;
    transmitter->state().rangeLower = 0;
    transmitter->state().rangeUpper = 100;
    transmitter->state().input = 50.0f;
    VirtualTime time;
    std::ostringstream err;
    Console console(err, false);
    Invocation invocation;
    invocation.line = {.port = "sim:DOXA-22"};
    for (auto& [option, text] : fields) invocation.fields[option] = text;
    std::string error;
    const auto session = Session::open(invocation.line, console, time, error);
    EXPECT_TRUE(session) << error;
    if (loopWarning) session->station().settings.writeInt("Ostrzezenia", "Petla", *loopWarning);
    session->station().makeLine = [&](int) {
        return std::make_unique<sim::SimLine>(transmitter, [&] { return time.clock.now(); });
    };
    Register instruments;
    Outcome outcome;
    session->station().instruments = &instruments;
    session->station().recorder = &outcome.recorder;
    std::istringstream in(typed);
    std::ostringstream out;
    outcome.status = calibrate(invocation, *session, in, out);
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);) outcome.lines.push_back(line);
    outcome.err = err.str();
    outcome.fixedOutput = transmitter->state().fixedOutput;
    return outcome;
}

CalibrationEvent eventOf(const test::FakeRecorder& recorder) {
    CalibrationEvent event;
    for (const ServiceRecord& r : recorder.records) addToEvent(event, r);
    return event;
}

TEST(CliCalibrate, AsksForEachValueOnStandardInputAndRecordsTheRun) {
    // Ambient and humidity are asked for first, then the two input points (Ohm applied), then
    // the meter at the two output points.
    const Outcome o = calibrateWith({{Opt::Instrument, "1001"},
                                     {Opt::Points, "50; 100"},
                                     {Opt::Tolerance, "0.2"},
                                     {Opt::Technician, "Jan Kowalski"}},
                                    "22.5\n45\n119.40\n138.51\n12.004\n19.990\n");
    ASSERT_EQ(o.status, ExitOk) << o.err;
    EXPECT_NE(o.err.find("Temperatura otoczenia [°C]:\n"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("punkt 1/2 (50 %): ustaw na wzorcu 119.397 Ohm (50 °C)"),
              std::string::npos)
        << o.err;
    EXPECT_NE(o.err.find("wpisz odczyt miernika [mA]"), std::string::npos) << o.err;
    ASSERT_EQ(o.lines.size(), 7u) << o.err;
    EXPECT_NE(o.lines[0].find("wzorzec 119.400 Ohm, odczyt 50.000 °C"), std::string::npos)
        << o.lines[0];
    EXPECT_NE(o.lines[0].find("zgodny"), std::string::npos) << o.lines[0];
    // The transmitter still reads 50 °C where 100 °C is applied.
    EXPECT_NE(o.lines[1].find("niezgodny"), std::string::npos) << o.lines[1];
    EXPECT_NE(o.lines[3].find("wzorzec 20.000 mA, odczyt 19.990 mA"), std::string::npos)
        << o.lines[3];
    EXPECT_EQ(o.lines[4], "Wyjście zwolnione");
    EXPECT_EQ(o.lines[6], "Kalibracja zakończona");
    EXPECT_FALSE(o.fixedOutput);

    const CalibrationEvent e = eventOf(o.recorder);
    EXPECT_EQ(o.lines[5], "Zdarzenie: " + e.id);
    ASSERT_TRUE(e.conditions);
    EXPECT_EQ(e.conditions->technician, "Jan Kowalski");
    EXPECT_EQ(e.conditions->tag, "TT-101") << "the simulator's text";
    EXPECT_EQ(e.conditions->humidityPercent, 45.0);
    EXPECT_EQ(e.conditions->instruments.at(0).serial, "1001");
    ASSERT_EQ(e.points.size(), 4u);
    EXPECT_EQ(e.points[0].applied, 119.40);
    EXPECT_EQ(e.points[3].readings, std::vector<double>{19.990});
    ASSERT_TRUE(e.end);
    EXPECT_TRUE(e.end->finished);
    EXPECT_FALSE(e.end->adjusted);
}

TEST(CliCalibrate, InputEndingEarlyLeavesTheRunRecordedAsInterrupted) {
    const Outcome o = calibrateWith({{Opt::Technician, "Jan Kowalski"},
                                     {Opt::Instrument, "r1"},
                                     {Opt::Ambient, "21"},
                                     {Opt::Humidity, "40"},
                                     {Opt::Points, "0; 100"}},
                                    "100.00\n138.51\n4.001\n");
    EXPECT_EQ(o.status, ExitBadInput);
    EXPECT_NE(o.err.find("standardowe wejście skończyło się przed końcem kalibracji"), std::string::npos)
        << o.err;
    EXPECT_FALSE(o.fixedOutput) << "the output is released";
    const CalibrationEvent e = eventOf(o.recorder);
    EXPECT_EQ(e.points.size(), 3u);
    ASSERT_TRUE(e.end);
    EXPECT_TRUE(e.interrupted());
    EXPECT_EQ(e.end->reason, "przerwana przez technika");
}

TEST(CliCalibrate, TellsTheLoopWarningOnceBeforeTheProcedureUnlessSwitchedOff) {
    const std::string warning =
        "doxa-cli: Przed wymuszeniem wyjścia przetwornika przełącz pętlę sterowania na pracę "
        "ręczną: wartość wyjścia nie będzie odpowiadać pomiarowi.\n";
    const std::vector<std::pair<Opt, std::string>> fields{{Opt::Technician, "Jan Kowalski"},
                                                          {Opt::Instrument, "r1"},
                                                          {Opt::Points, "0; 100"}};
    const Outcome on = calibrateWith(fields, "21\n40\n100.00\n", 1);
    const std::size_t at = on.err.find(warning);
    ASSERT_NE(at, std::string::npos) << on.err;
    EXPECT_EQ(on.err.find(warning, at + 1), std::string::npos) << "once: " << on.err;
    EXPECT_LT(at, on.err.find("Temperatura otoczenia")) << on.err;

    const Outcome off = calibrateWith(fields, "21\n40\n100.00\n", 0);
    EXPECT_EQ(off.err.find("pętlę sterowania"), std::string::npos) << off.err;
    EXPECT_NE(off.err.find("Temperatura otoczenia"), std::string::npos) << off.err;
}

TEST(CliCalibrate, ConditionsTheProcedureRefusesEndWithStatusTwoBeforeAnythingIsRecorded) {
    for (const auto& [option, value, told] :
         {std::tuple{Opt::Instrument, "0007", "wygasło 2001-01-31"},
          std::tuple{Opt::Instrument, "9", "nie ma przyrządu '9'"},
          std::tuple{Opt::ToleranceUnit, "K", "--tolerance-unit przyjmuje jedną z jednostek"}}) {
        std::vector<std::pair<Opt, std::string>> fields{{Opt::Technician, "Jan Kowalski"},
                                                        {Opt::Instrument, "r1"},
                                                        {Opt::Ambient, "21"},
                                                        {Opt::Humidity, "40"}};
        fields.emplace_back(option, value);
        const Outcome o = calibrateWith(fields, "");
        EXPECT_EQ(o.status, ExitBadInput) << value;
        EXPECT_NE(o.err.find(told), std::string::npos) << o.err;
        EXPECT_TRUE(eventOf(o.recorder).points.empty());
        EXPECT_FALSE(eventOf(o.recorder).conditions) << value;
    }
}

}  // namespace
}  // namespace doxa::cli
