#pragma once

#include <functional>
#include <memory>

#include "history/history_query.h"

namespace doxa {

// Runs the history dialog's jobs on a thread of its own, against a history it opens there: the
// window never waits for a server behind a lock or one that never answers.
class HistoryWorker : public HistoryRunner {
public:
    // Called on the worker's thread, before its first job.
    using Open = std::function<std::unique_ptr<HistoryQuery>()>;
    explicit HistoryWorker(Open open) : open_(std::move(open)) {}
    // Abandons what is under way: quitting never waits for a server.
    ~HistoryWorker() override;
    HistoryWorker(const HistoryWorker&) = delete;
    HistoryWorker& operator=(const HistoryWorker&) = delete;

    void run(Job job) override;
    void abandon() override;

    // Worker threads still running in this process, those abandoned included. A program must not
    // take its libraries down under one.
    static int running();

private:
    struct Thread;
    Open open_;
    // Started by the first job after the worker was made or abandoned.
    std::shared_ptr<Thread> thread_;
};

}  // namespace doxa
