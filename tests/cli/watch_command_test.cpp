// doxa-cli watch and identify in virtual time against a simulated DOXA-22 that sends a value as
// no number, reports its status or drops an answer: what a script reads and the exit status.

#include <gtest/gtest.h>

#include <QJsonDocument>

#include <cmath>
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

// A DOXA-22 (or `model`) reading a fixed 21.5 °C on its Pt 100 and inside, driving 8 mA, changed
// by `variant`.
Outcome run(int (*command)(const Invocation&, Session&, std::ostream&), Invocation invocation,
            bool rs485, void (*variant)(sim::Transmitter&), sim::Model model = sim::Model::Doxa22) {
    auto transmitter = std::make_shared<sim::Transmitter>(model);
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
    EXPECT_NE(clean.lines[0].find(", \"status\": [], "), std::string::npos) << clean.lines[0];

    const Outcome broken = run(runIdentify, identify, false, sensorBreak);
    EXPECT_EQ(broken.status, ExitDeviceStatus) << broken.err;
    ASSERT_EQ(broken.lines.size(), 1u);
    EXPECT_NE(broken.lines[0].find(", \"status\": [\"sensor_break\"], "), std::string::npos) << broken.lines[0];

    const Outcome shown = run(runIdentify, Invocation{}, false, allConditions);
    EXPECT_EQ(shown.status, ExitDeviceStatus);
    EXPECT_EQ(shown.lines.back(), "Status:                Błąd działania, Przerwa, PV poza zakres");
}

// Beside the dialog's texts, each value of the identification for a script: numbers with their
// units apart, ids, and null for what the transmitter did not tell or sent as no number.
TEST(Identify, JsonGivesEveryValueAlsoAsANumberWithItsUnitOrAnId) {
    struct Case {
        const char* name;
        sim::Model model;
        bool rs485;
        int status;
        void (*variant)(sim::Transmitter&);
        // The object's members before the new ones, as scripts read them so far; empty where
        // only the new ones are checked.
        std::string kept;
        std::string added;
    };
    const Case cases[] = {
        {"HART, a threshold at its maximum", sim::Model::Doxa22, false, ExitOk,
         [](sim::Transmitter& t) {
             sim::State& s = t.state();
             s.serialNumber = 4242;
             s.rangeLower = -50;
             s.rangeUpper = 150;
             s.thresholdMode = 2;
             s.threshold = 50;
             s.thresholdRelease = 48;
             s.filterOrder = 2;
             s.filterTimeCode = 124;
         },
         "\"port\": \"sim:DOXA-22\", \"mode\": \"HART\", \"address\": 0, \"model\": \"DOXA-22\", "
         "\"serialNumber\": \"4242\", \"sensor\": \"Pt 100\", \"output\": \"4...20mA\", "
         "\"breakSignal\": \"na max\", \"rangeMin\": \"-50. °C\", \"rangeMax\": \"150. °C\", "
         "\"threshold\": \"50. °C , max\", \"release\": \"48. °C\", \"filter\": \"5 sek ,rząd: 2\", "
         "\"status\": []",
         "\"serial_number\": 4242, \"sensor_id\": \"pt100-385\", \"sensor_count\": 1, "
         "\"output_type\": \"current_4_20ma\", \"break_signal\": \"max\", \"range_min\": -50, "
         "\"range_unit\": \"°C\", \"range_max\": 150, \"threshold_direction\": \"max\", "
         "\"threshold_value\": 50, \"threshold_unit\": \"°C\", \"release_value\": 48, "
         "\"release_unit\": \"°C\", \"filter_order\": 2, \"filter_time_s\": 5"},
        {"RS485, a RIVO breaking to its minimum, unfiltered", sim::Model::Rivo22, true, ExitOk,
         [](sim::Transmitter& t) {
             sim::State& s = t.state();
             s.sensorCode = 4;
             s.breakToMin = true;
             s.rangeLower = 0;
             s.rangeUpper = 600;
             s.filterOrder = 0;
         },
         "\"port\": \"sim:DOXA-22\", \"mode\": \"RS485\", \"address\": 0, \"model\": \"RIVO-22\", "
         "\"serialNumber\": \"23456\", \"sensor\": \"TC typu 'K'\", \"output\": null, "
         "\"breakSignal\": \"na min\", \"rangeMin\": \"0.00 °C\", \"rangeMax\": \"600. °C\", "
         "\"threshold\": \"brak\", \"release\": null, \"filter\": \"wyłączony\", \"status\": []",
         "\"serial_number\": 23456, \"sensor_id\": \"k\", \"sensor_count\": null, \"output_type\": null, "
         "\"break_signal\": \"min\", \"range_min\": 0, \"range_unit\": \"°C\", \"range_max\": 600, "
         "\"threshold_direction\": \"absent\", \"threshold_value\": null, \"threshold_unit\": null, "
         "\"release_value\": null, \"release_unit\": null, \"filter_order\": 0, \"filter_time_s\": null"},
        {"HART, the documented configuration byte 0xA3 of a RIVO", sim::Model::Rivo22, false, ExitOk,
         [](sim::Transmitter& t) {
             sim::State& s = t.state();
             s.breakToMin = true;
             s.outputBits = 0x20;
             s.sensorCode = 3;
             s.rangeLower = -10;
             s.rangeUpper = 70.5f;
         },
         "", "\"serial_number\": 23456, \"sensor_id\": \"voltage\", \"sensor_count\": 2, "
         "\"output_type\": \"current_0_5ma\", \"break_signal\": \"min\", \"range_min\": -10, "
         "\"range_unit\": \"mV\", \"range_max\": 70.5, \"threshold_direction\": \"absent\", "
         "\"threshold_value\": null, \"threshold_unit\": null, \"release_value\": null, "
         "\"release_unit\": null, \"filter_order\": 1, \"filter_time_s\": 1"},
        // With no upper end to its range the transmitter finds its primary value out of limits.
        {"values sent as no number, a time code that names no time", sim::Model::Doxa22, false, ExitDeviceStatus,
         [](sim::Transmitter& t) {
             sim::State& s = t.state();
             s.sensorCode = 14;
             s.rangeUpper = NAN;
             s.thresholdMode = 1;
             s.threshold = 40;
             s.thresholdRelease = NAN;
             s.filterTimeCode = 0x55;
         },
         "", "\"serial_number\": 23456, \"sensor_id\": \"user_characteristic\", \"sensor_count\": 1, "
         "\"output_type\": \"current_4_20ma\", \"break_signal\": \"max\", \"range_min\": 0, "
         "\"range_unit\": \"°C\", \"range_max\": null, \"threshold_direction\": \"min\", "
         "\"threshold_value\": 40, \"threshold_unit\": \"°C\", \"release_value\": null, "
         "\"release_unit\": \"°C\", \"filter_order\": 1, \"filter_time_s\": null"},
        {"RS485, a nickel sensor of the RTD-only model, its threshold off", sim::Model::Sawe01Rtd, true, ExitOk,
         [](sim::Transmitter& t) { t.state().sensorCode = 3; },
         "", "\"serial_number\": 23456, \"sensor_id\": \"ni100-618\", \"sensor_count\": null, "
         "\"output_type\": null, \"break_signal\": \"max\", \"range_min\": 0, \"range_unit\": \"°C\", "
         "\"range_max\": 150, \"threshold_direction\": \"off\", \"threshold_value\": null, "
         "\"threshold_unit\": null, \"release_value\": null, \"release_unit\": null, "
         "\"filter_order\": 1, \"filter_time_s\": 1"},
    };
    Invocation identify;
    identify.json = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome identified = run(runIdentify, identify, c.rs485, c.variant, c.model);
        EXPECT_EQ(identified.status, c.status) << identified.err;
        ASSERT_EQ(identified.lines.size(), 1u) << identified.err;
        const std::string& line = identified.lines[0];
        QJsonParseError error;
        EXPECT_TRUE(QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).isObject()) << line;
        EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        if (!c.kept.empty()) {
            EXPECT_EQ(line, "{" + c.kept + ", " + c.added + "}");
        }
        EXPECT_TRUE(line.ends_with("], " + c.added + "}")) << line;
    }
}

}  // namespace
}  // namespace doxa::cli
