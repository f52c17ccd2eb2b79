#pragma once

// A calibration event as the history stores it, with values worked out by hand: a Pt 100
// (α 0.00385) transmitter over 0..100 °C and its 4..20 mA output, found out of tolerance at the
// upper input point and the output, adjusted, and left within.

#include <string>
#include <vector>

#include "calibration/calibration_event.h"
#include "history/history_query.h"

namespace doxa::test {

inline CalibrationConditions pt100EventConditions() {
    CalibrationConditions c;
    c.technician = "Anna Nowak";
    c.customer = "Ciepłownia Północ";
    c.tag = "TT-101";
    c.ambientCelsius = 23.4;
    c.humidityPercent = 41;
    c.sensor = "pt100-385";
    c.appliedUnit = "Ohm";
    c.readingUnit = "°C";
    c.inputTolerance = 0.1;
    c.outputTolerance = 0.016;
    c.instruments = {{"r1", "Kalibrator", "K-1", "A123", "LW/2026/17", "2027-03-31",
                      {{0.015, "Ohm", 2, 0.0, 400.0}, {0.002, "mA", 2, {}, {}}}}};
    c.programVersion = "7.0.32";
    return c;
}

inline std::vector<StoredRecord> pt100EventRecords(const std::string& event = "0123456789abcdef0123456789abcdef",
                                                   bool finished = true) {
    ServiceRecord base;
    base.model = "DOXA-22";
    base.serial = 1193046;
    base.address = 3;
    base.line = "COM2:1200,o,8,1";
    base.event = event;
    const CalibrationConditions c = pt100EventConditions();
    const auto point = [&c](CalibrationPhase phase, CalibrationChannel channel, double percent, double applied,
                            std::vector<double> readings) {
        CalibrationPoint p{phase, channel, percent, applied, std::move(readings), {}};
        p.result = judgePoint(c, p);
        return p;
    };
    using P = CalibrationPhase;
    using Ch = CalibrationChannel;
    const auto at = [](const std::string& time, ServiceRecord r) { return StoredRecord{time, "jan", std::move(r)}; };
    ServiceRecord adjustment = base;
    adjustment.kind = RecordKind::CalibrationInput;
    adjustment.asFound = {{"input", 100.16}, {"unit", std::string("°C")}};
    adjustment.asLeft = {{"point", std::string("upper")}, {"input", 100.01}, {"unit", std::string("°C")}};
    adjustment.reference = {{"input", 138.51}, {"unit", std::string("Ohm")}};
    std::vector<StoredRecord> records = {
        at("2026-12-07T10:00:00Z", conditionsRecord(base, c)),
        at("2026-12-07T10:05:00Z", pointRecord(base, point(P::AsFound, Ch::Input, 0, 100.0, {0.05, 0.07}))),
        at("2026-12-07T10:10:00Z", pointRecord(base, point(P::AsFound, Ch::Input, 100, 138.51, {100.15, 100.17}))),
        at("2026-12-07T10:15:00Z", pointRecord(base, point(P::AsFound, Ch::Output, 50, 12.0, {12.02}))),
        at("2026-12-07T10:20:00Z", adjustment),
    };
    if (!finished) return records;
    records.push_back(at("2026-12-07T10:30:00Z", pointRecord(base, point(P::AsLeft, Ch::Input, 0, 100.0, {0.0, 0.02}))));
    records.push_back(
        at("2026-12-07T10:35:00Z", pointRecord(base, point(P::AsLeft, Ch::Input, 100, 138.51, {100.0, 100.02}))));
    records.push_back(at("2026-12-07T10:40:00Z", pointRecord(base, point(P::AsLeft, Ch::Output, 50, 12.0, {12.003}))));
    records.push_back(at("2026-12-07T10:45:00Z", endRecord(base, {true, true, ""})));
    return records;
}

}  // namespace doxa::test
