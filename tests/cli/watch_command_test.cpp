// doxa-cli watch and identify in virtual time against a simulated DOXA-22 that sends a value as
// no number, reports its status or drops an answer: what a script reads and the exit status.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "sim/sim_line.h"
#include "virtual_time.h"

namespace doxa::cli {
namespace {

struct Outcome {
    int status = -1;
    std::vector<std::string> lines;
    std::string err;
};

// A DOXA-22 reading a fixed 21.5 °C on its Pt 100 and inside, driving 8 mA, changed by `variant`.
Outcome run(int (*command)(const Invocation&, Session&, std::ostream&), Invocation invocation,
            bool rs485, void (*variant)(sim::Transmitter&)) {
    auto transmitter = std::make_shared<sim::Transmitter>(sim::Model::Doxa22);
    transmitter->state().sensorCode = 1;
    transmitter->state().input = 21.5f;
    transmitter->state().fixedOutput = 8;
    transmitter->state().ambient = 21.5f;
    variant(*transmitter);
    VirtualTime time;
    std::ostringstream err;
    Console console(err, false);
    invocation.line = {.port = "sim:DOXA-22", .rs485 = rs485};
    std::string error;
    const auto session = Session::open(invocation.line, console, time, error);
    EXPECT_TRUE(session) << error;
    session->station().makeLine = [&](int) {
        return std::make_unique<sim::SimLine>(transmitter, [&] { return time.clock.now(); });
    };
    std::ostringstream out;
    Outcome outcome;
    outcome.status = command(invocation, *session, out);
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);) outcome.lines.push_back(line);
    outcome.err = err.str();
    return outcome;
}

enum class Format { Plain, Csv, Json };

Invocation watchOf(Format format, int cycles) {
    Invocation watch;
    watch.csv = format == Format::Csv;
    watch.json = format == Format::Json;
    watch.count = cycles;
    return watch;
}

void healthy(sim::Transmitter&) {}
void noNumberPrimary(sim::Transmitter& t) { t.faults.notANumberPrimary = true; }
void sensorBreak(sim::Transmitter& t) { t.faults.deviceStatusBits = 0x04; }
void allConditions(sim::Transmitter& t) { t.faults.deviceStatusBits = 0x85; }
void outOfLimits(sim::Transmitter& t) { t.faults.deviceStatusBits = 0x01; }
void noNumberWithMalfunction(sim::Transmitter& t) {
    t.faults.notANumberPrimary = true;
    t.faults.deviceStatusBits = 0x80;
}
// Identification, sensor, then the first primary value request goes unanswered.
void firstPrimaryDropped(sim::Transmitter& t) { t.faults.drop.onRequest = 3; }

TEST(Watch, EachCycleTellsItsValuesItsStatusAndTheExitStatus) {
    struct Case {
        const char* name;
        void (*variant)(sim::Transmitter&);
        Format format;
        bool rs485;
        int cycles;
        int status;
        // What every printed cycle ends with: after the time for CSV and JSON.
        std::string cycleLine;
    };
    const Case cases[] = {
        {"healthy", healthy, Format::Csv, false, 2, ExitOk, ",21.5,°C,8.000,mA,21.5,°C,"},
        {"healthy json", healthy, Format::Json, false, 1, ExitOk,
         ", \"pv\": 21.5, \"pv_unit\": \"°C\", \"output\": 8, \"output_unit\": \"mA\", "
         "\"ambient\": 21.5, \"ambient_unit\": \"°C\", \"status\": []}"},
        {"one cycle without its primary value", firstPrimaryDropped, Format::Csv, false, 1,
         ExitNoAnswer, ",,,8.000,mA,21.5,°C,"},
        {"primary value as no number", noNumberPrimary, Format::Csv, false, 2, ExitNoAnswer,
         ",,,8.000,mA,21.5,°C,"},
        {"primary value as no number in RS485", noNumberPrimary, Format::Csv, true, 2, ExitNoAnswer,
         ",,,8.000,mA,21.5,°C,"},
        {"primary value as no number in JSON", noNumberPrimary, Format::Json, false, 1, ExitNoAnswer,
         ", \"pv\": null, \"pv_unit\": null, \"output\": 8, \"output_unit\": \"mA\", "
         "\"ambient\": 21.5, \"ambient_unit\": \"°C\", \"status\": []}"},
        {"primary value as no number in the table", noNumberPrimary, Format::Plain, false, 1,
         ExitNoAnswer, "PV: -   Wyjście: 8.000 mA   Temp. otocz.: 21.5 °C"},
        {"sensor break", sensorBreak, Format::Csv, false, 2, ExitDeviceStatus,
         ",21.5,°C,8.000,mA,21.5,°C,sensor_break"},
        {"every condition", allConditions, Format::Json, false, 1, ExitDeviceStatus,
         ", \"status\": [\"malfunction\", \"sensor_break\", \"pv_out_of_limits\"]}"},
        {"out of limits in the table", outOfLimits, Format::Plain, false, 1, ExitDeviceStatus,
         "PV: 21.5 °C   Wyjście: 8.000 mA   Temp. otocz.: 21.5 °C   Status: PV poza zakres"},
        {"no number wins over the status", noNumberWithMalfunction, Format::Csv, false, 1,
         ExitNoAnswer, ",,,8.000,mA,21.5,°C,malfunction"},
        {"RS485 reads no status", sensorBreak, Format::Csv, true, 1, ExitOk,
         ",21.5,°C,8.000,mA,21.5,°C,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome watched = run(runWatch, watchOf(c.format, c.cycles), c.rs485, c.variant);
        EXPECT_EQ(watched.status, c.status) << watched.err;
        const std::size_t header = c.format == Format::Csv ? 1 : 0;
        ASSERT_EQ(watched.lines.size(), header + std::size_t(c.cycles)) << watched.err;
        if (header) {
            EXPECT_EQ(watched.lines[0], "time,pv,pv_unit,output,output_unit,ambient,ambient_unit,status");
        }
        for (std::size_t i = header; i < watched.lines.size(); ++i)
            EXPECT_TRUE(watched.lines[i].ends_with(c.cycleLine)) << watched.lines[i];
        if (c.format == Format::Json) {
            EXPECT_TRUE(watched.lines.back().starts_with("{\"time\": \"")) << watched.lines.back();
        }
    }
}

TEST(Identify, JsonNamesTheConditionsTheTransmitterReports) {
    Invocation identify;
    identify.json = true;
    const Outcome clean = run(runIdentify, identify, false, healthy);
    EXPECT_EQ(clean.status, ExitOk) << clean.err;
    ASSERT_EQ(clean.lines.size(), 1u);
    EXPECT_TRUE(clean.lines[0].ends_with(", \"status\": []}")) << clean.lines[0];

    const Outcome broken = run(runIdentify, identify, false, sensorBreak);
    EXPECT_EQ(broken.status, ExitDeviceStatus) << broken.err;
    ASSERT_EQ(broken.lines.size(), 1u);
    EXPECT_TRUE(broken.lines[0].ends_with(", \"status\": [\"sensor_break\"]}")) << broken.lines[0];

    const Outcome shown = run(runIdentify, Invocation{}, false, allConditions);
    EXPECT_EQ(shown.status, ExitDeviceStatus);
    EXPECT_EQ(shown.lines.back(), "Status:                Błąd działania, Przerwa, PV poza zakres");
}

}  // namespace
}  // namespace doxa::cli
