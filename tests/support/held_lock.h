#pragma once

#include <string>
#include <vector>

namespace doxa::test {

// A second client of a service history database that holds a lock in a transaction it keeps
// open: a table's, or an advisory one, on a postgresql:// URL, or an SQLite file's write lock.
// On a server the transaction is given up by the server after `serverLetsGoAfterS` of idling,
// so that a program that would wait for it without end fails its test instead of hanging it.
class HeldLock {
public:
    HeldLock(const std::string& location, const std::vector<std::string>& statements, int serverLetsGoAfterS = 15);
    // Ends the transaction.
    ~HeldLock();
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    // Why the lock could not be taken; empty once it is held.
    const std::string& problem() const { return problem_; }
    // How many other sessions of the server wait for a lock now.
    int othersWaiting() const;

private:
    std::string connection_;
    std::string problem_;
};

}  // namespace doxa::test
