#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "history/history_database.h"

namespace doxa {

// What a program and the thread delivering its records share: how many records wait in the local
// file, and why the database could not be used the last time. The local file is written and
// counted under the lock, so the count is never older than the file.
struct WaitingRecords {
    std::mutex lock;
    // Those meant for the program's database only.
    int inLocalFile = 0;
    std::string problem;
    // The ids of the records this program put into the local file and has not delivered yet,
    // and why the last delivery failed (which a look at the history does not clear).
    std::set<std::string> ownInLocalFile;
    std::string whyWaiting;

    // After a use of the database: `why` it failed, empty when it did not.
    void delivery(const std::string& why) {
        problem = why;
        whyWaiting = why;
    }
};

// Takes the records waiting in `local` for `destination` (see destinationOf()) to `database`,
// oldest first; false when the database did not take them. A record is taken out of the local
// file only after the database has confirmed it; should the removal fail, the next delivery
// brings it again and the database keeps it once. A local file that cannot be read delivers
// nothing, and that is not the database's fault.
bool deliverWaiting(HistoryDatabase& local, HistoryDatabase& database, WaitingRecords& waiting,
                    const std::string& destination);

// A thread that takes the records waiting in the local file to the database each time it is
// woken, one delivery after another, on connections of its own (a connection serves only the
// thread that made it). Whoever wakes it never waits on the network.
class BackgroundDelivery {
public:
    BackgroundDelivery(std::string database, std::string localFile, std::shared_ptr<WaitingRecords> waiting);
    // Gives a delivery under way a short moment to end. One still held up by the network is left
    // to end by itself; what it has not delivered stays in the local file for the next start.
    ~BackgroundDelivery();
    BackgroundDelivery(const BackgroundDelivery&) = delete;
    BackgroundDelivery& operator=(const BackgroundDelivery&) = delete;

    void wake();

    // Delivery threads still running in this process, those left to end by themselves included.
    // A program must not take its libraries down under one.
    static int running();

private:
    struct Thread;
    std::shared_ptr<Thread> thread_;
};

}  // namespace doxa
