#pragma once

#include <filesystem>
#include <string>

#include "support/sim_process.h"

namespace doxa::test {

// A PostgreSQL server of the tests' own, from the binaries of Debian's postgresql package: made
// in a temporary folder, reached only through a Unix socket in it (no TCP), stopped and removed
// at the end. Run by root, the server runs as nobody, as PostgreSQL refuses to run as root.
class PgServer {
public:
    PgServer();
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Why there is no server: no binaries installed, or the start failed. Empty when it runs.
    const std::string& unavailable() const { return unavailable_; }

    // A new, empty database; its URL, postgresql://doxa@/NAME?host=SOCKET_FOLDER.
    std::string newDatabase(const std::string& name);
    std::string url(const std::string& database) const;

    bool stop();
    bool start();

private:
    // Runs a PostgreSQL program from the binaries folder, as the server's user; true on success.
    bool run(const std::string& program, const std::string& arguments, bool asServerUser) const;

    TempFolder folder_;
    std::filesystem::path binaries_;
    std::string serverUser_;  // empty: the tests' own user
    std::string unavailable_;
};

}  // namespace doxa::test
