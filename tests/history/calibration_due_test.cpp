// Calibrations due: each transmitter's latest finished calibration event plus the interval it
// chose, against a history in memory (its clock is UTC). The due dates are calendar dates worked
// out by hand.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "history/calibration_due.h"
#include "support/fake_history.h"

namespace doxa {
namespace {

using namespace std::chrono;

StoredRecord recordOf(std::string time, std::string model, int serial, std::string event, RecordKind kind,
                      RecordOutcome outcome = RecordOutcome::Confirmed) {
    StoredRecord s{std::move(time), "jan", {}};
    s.record.kind = kind;
    s.record.outcome = outcome;
    s.record.model = std::move(model);
    s.record.serial = serial;
    s.record.event = std::move(event);
    return s;
}

// One calibration event: its conditions (with the interval chosen, when one is) on the day it
// ended, and its end.
void addEvent(test::FakeHistory& history, const std::string& end, const std::string& model, int serial,
              const std::string& event, std::optional<double> months,
              RecordOutcome outcome = RecordOutcome::Confirmed) {
    StoredRecord conditions = recordOf(end.substr(0, 11) + "07:00:00Z", model, serial, event,
                                       RecordKind::CalibrationConditions);
    if (months) conditions.record.reference = {{"ambient", 23.0}, {"interval_months", *months}};
    history.stored.push_back(std::move(conditions));
    history.stored.push_back(recordOf(end, model, serial, event, RecordKind::CalibrationEnd, outcome));
}

std::vector<std::string> dueTexts(const std::vector<CalibrationDue>& due) {
    std::vector<std::string> texts;
    for (const CalibrationDue& d : due)
        texts.push_back(d.transmitter.model + "/" + std::to_string(d.transmitter.serial) + " " + dateText(d.due) +
                        " " + std::to_string(d.intervalMonths));
    return texts;
}

constexpr sys_days Today = year(2026) / 2 / 20;

TEST(CalibrationsDue, TheLatestFinishedEventPlusItsIntervalWithinTheDaysAskedOrOverdue) {
    test::FakeHistory history;
    addEvent(history, "2025-03-10T12:00:00Z", "DOXA-22", 1, "a", 12);   // due 2026-03-10: within 30 days
    addEvent(history, "2024-11-05T12:00:00Z", "DOXA-22", 2, "b", 6);    // due 2025-05-05: overdue
    addEvent(history, "2025-06-01T12:00:00Z", "DOXA-22", 3, "c", 12);   // due 2026-06-01: later
    addEvent(history, "2025-03-22T12:00:00Z", "RIVO-22", 1, "d", 12);   // due 2026-03-22: the 30th day
    addEvent(history, "2025-03-23T12:00:00Z", "RIVO-22", 2, "e", 12);   // due 2026-03-23: the 31st day
    const auto due = calibrationsDue(history, {}, {Today, 30, 12});
    EXPECT_EQ(dueTexts(due), (std::vector<std::string>{"DOXA-22/2 2025-05-05 6", "DOXA-22/1 2026-03-10 12",
                                                       "RIVO-22/1 2026-03-22 12"}));
    ASSERT_EQ(due.size(), 3u);
    EXPECT_TRUE(overdue(due[0], Today));
    EXPECT_FALSE(overdue(due[1], Today));
    EXPECT_EQ(due[0].event, "b");
    EXPECT_EQ(due[0].finished, "2024-11-05T12:00:00Z");
    // Only the transmitters of the filter; the conditions read are the calibration kinds alone.
    EXPECT_EQ(dueTexts(calibrationsDue(history, {.serial = 1, .model = "DOXA-22"}, {Today, 30, 12})),
              (std::vector<std::string>{"DOXA-22/1 2026-03-10 12"}));
    EXPECT_EQ(history.lastFilter.kinds,
              (std::vector<RecordKind>{RecordKind::CalibrationConditions, RecordKind::CalibrationEnd}));
    // Due today is not overdue yet; due yesterday is.
    EXPECT_FALSE(overdue(due[1], sys_days(year(2026) / 3 / 10)));
    EXPECT_TRUE(overdue(due[1], sys_days(year(2026) / 3 / 11)));
}

// An interrupted event (its end not confirmed, or no end at all) finishes nothing: the due date
// stays that of the last finished one, and a transmitter never finished has none.
TEST(CalibrationsDue, AnInterruptedEventLeavesTheDueDateOfTheLastFinishedOne) {
    test::FakeHistory history;
    addEvent(history, "2024-12-01T12:00:00Z", "DOXA-22", 1, "done", 12);
    addEvent(history, "2025-12-01T12:00:00Z", "DOXA-22", 1, "broken", 12, RecordOutcome::NotConfirmed);
    history.stored.push_back(recordOf("2026-01-10T08:00:00Z", "DOXA-22", 1, "no-end", RecordKind::CalibrationConditions));
    addEvent(history, "2025-01-01T12:00:00Z", "DOXA-22", 2, "only-broken", 12, RecordOutcome::NotConfirmed);
    EXPECT_EQ(dueTexts(calibrationsDue(history, {}, {Today, 30, 12})),
              (std::vector<std::string>{"DOXA-22/1 2025-12-01 12"}));
}

// The latest finished event's own interval counts, whatever an earlier one chose; one that names
// no usable interval takes the default.
TEST(CalibrationsDue, TheIntervalIsTheLatestEventsElseTheDefault) {
    test::FakeHistory history;
    addEvent(history, "2024-01-15T12:00:00Z", "DOXA-22", 1, "old", 24);
    addEvent(history, "2025-08-15T12:00:00Z", "DOXA-22", 1, "new", 6);       // due 2026-02-15
    addEvent(history, "2024-03-01T12:00:00Z", "DOXA-22", 2, "none", std::nullopt);  // default 24: 2026-03-01
    addEvent(history, "2025-01-10T12:00:00Z", "DOXA-22", 3, "fraction", 12.5);    // default 24: 2027-01-10
    addEvent(history, "2015-01-10T12:00:00Z", "DOXA-22", 4, "too-long", 240);     // default 24: 2017-01-10
    EXPECT_EQ(dueTexts(calibrationsDue(history, {}, {Today, 30, 24})),
              (std::vector<std::string>{"DOXA-22/4 2017-01-10 24", "DOXA-22/1 2026-02-15 6",
                                        "DOXA-22/2 2026-03-01 24"}));
}

// A month on from the 31st is the month's last day, in a leap year the 29th of February.
TEST(CalibrationsDue, AMonthsEndCarriesOverToTheLastDayOfAShorterMonth) {
    test::FakeHistory history;
    addEvent(history, "2025-01-31T12:00:00Z", "DOXA-22", 1, "a", 1);
    addEvent(history, "2023-08-31T12:00:00Z", "DOXA-22", 2, "b", 6);
    addEvent(history, "2025-05-31T12:00:00Z", "DOXA-22", 3, "c", 1);
    EXPECT_EQ(dueTexts(calibrationsDue(history, {}, {Today, 0, 12})),
              (std::vector<std::string>{"DOXA-22/2 2024-02-29 6", "DOXA-22/1 2025-02-28 1", "DOXA-22/3 2025-06-30 1"}));
}

// An end record read only in part proves nothing: the one before it counts.
TEST(CalibrationsDue, AnEndRecordReadOnlyInPartIsPassedOver) {
    test::FakeHistory history;
    addEvent(history, "2024-06-01T12:00:00Z", "DOXA-22", 1, "read", 12);
    addEvent(history, "2025-06-01T12:00:00Z", "DOXA-22", 1, "damaged", 12);
    history.stored.back().unreadable = {{"outcome", "confirmed?"}};
    EXPECT_EQ(dueTexts(calibrationsDue(history, {}, {Today, 30, 12})),
              (std::vector<std::string>{"DOXA-22/1 2025-06-01 12"}));
}

}  // namespace
}  // namespace doxa
