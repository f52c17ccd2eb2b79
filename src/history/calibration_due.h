#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "link/screen_text.h"
#include "history/history_query.h"
#include "settings/start_up.h"

namespace doxa {

// When a transmitter is to be calibrated again: its latest finished calibration event's end
// (the day, as the technician's clock shows it) plus the calibration interval chosen in that
// event. An interrupted event finishes nothing; a transmitter never calibrated through the
// procedure has no due date.
struct CalibrationDue {
    KnownTransmitter transmitter;
    std::string event;
    // The end record's time (UTC).
    std::string finished;
    int intervalMonths = 0;
    std::chrono::sys_days due;
};

struct DueQuestion {
    std::chrono::sys_days today;
    // Due within this many days from today, or overdue.
    int withinDays = 30;
    // For an event whose conditions name no usable interval (none, or not 1..120 whole months).
    int defaultMonths = DefaultCalibrationIntervalMonths;
};

// The transmitters due, the earliest due date first, from the history's calibration events;
// `transmitters` narrows them by serial number and model. problem() of `history` tells when the
// history could not be read whole.
std::vector<CalibrationDue> calibrationsDue(HistoryQuery& history, const HistoryFilter& transmitters,
                                            const DueQuestion& question);
// The same from records read already (any order, any kind).
std::vector<CalibrationDue> calibrationsDue(const std::vector<StoredRecord>& records, const DueQuestion& question,
                                            const HistoryQuery& clock);

inline bool overdue(const CalibrationDue& due, std::chrono::sys_days today) { return due.due < today; }
// What an overdue transmitter is marked with.
inline constexpr std::string_view OverdueText = UI_TEXT("po terminie");
// "2026-03-01".
std::string dateText(std::chrono::sys_days day);
// Today as this computer's clock shows it.
std::chrono::sys_days localToday();

}  // namespace doxa
