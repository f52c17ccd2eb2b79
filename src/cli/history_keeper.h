#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "cli/console.h"
#include "cli/watched_thread.h"
#include "history/history_store.h"

namespace doxa::cli {

// doxa-cli's service history. Its store lives on a thread of its own, so that a database that
// keeps doxa-cli waiting never keeps it from a stop signal: a record still on its way when one
// comes is put into the local file, if that can be done within the second, else told on
// standard error as JSON. The signal is then left for the command's own wait, which ends the
// command as interrupted.
class HistoryKeeper : public ServiceRecorder {
public:
    explicit HistoryKeeper(Console& console) : console_(console) {}
    ~HistoryKeeper() override;
    HistoryKeeper(const HistoryKeeper&) = delete;
    HistoryKeeper& operator=(const HistoryKeeper&) = delete;

    // The history openHistory() opens for `database`; false when a stop signal came first.
    bool open(const std::string& database);
    void record(const ServiceRecord& record) override;

    // Whether a stop signal came while the store was at work: it is left to end by itself, and
    // what it holds is no longer asked.
    bool stopped() const { return thread_.leftRunning(); }
    // A record this run made that is in no database, told on standard error.
    bool recordLost() const { return recordLost_; }
    // As HistoryStore's; only while not stopped().
    std::size_t waitingInMemory() const { return (*store_)->waitingInMemory(); }
    std::size_t waitingOfThisRun() const { return (*store_)->waitingOfThisRun(); }
    std::string whyWaiting() const { return (*store_)->whyWaiting(); }
    std::vector<StoredRecord> notKept() const { return (*store_)->notKept(); }

    // How long a record still on its way is given to reach the local file after a stop signal,
    // so that doxa-cli ends within the second.
    static constexpr std::chrono::milliseconds RescueTime{700};

private:
    void keepAfterStop(const PendingRecord& record);

    Console& console_;
    WatchedThread thread_;
    std::string database_;
    // Made, used and given up on the thread: a connection serves only the thread that made it.
    std::shared_ptr<std::unique_ptr<HistoryStore>> store_ = std::make_shared<std::unique_ptr<HistoryStore>>();
    // When a stop signal came: every record after it has the rest of the same second.
    std::optional<std::chrono::steady_clock::time_point> stoppedAt_;
    bool recordLost_ = false;
};

}  // namespace doxa::cli
