#include "support/pg_server.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace doxa::test {

namespace {

constexpr const char* SuperUser = "doxa";

// The newest of /usr/lib/postgresql/VERSION/bin; empty when none holds initdb.
std::filesystem::path serverBinaries() {
    std::filesystem::path newest;
    int newestVersion = -1;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error)) {
        const std::string name = entry.path().filename().string();
        const int version = std::atoi(name.c_str());
        if (version > newestVersion && std::filesystem::exists(entry.path() / "bin" / "initdb")) {
            newest = entry.path() / "bin";
            newestVersion = version;
        }
    }
    return newest;
}

std::string shellQuoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

}  // namespace

PgServer::PgServer() : binaries_(serverBinaries()) {
    if (binaries_.empty()) {
        unavailable_ = "no PostgreSQL server installed (/usr/lib/postgresql/*/bin/initdb; scripts/setup installs it)";
        return;
    }
    std::filesystem::create_directory(folder_.path() / "socket");
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        for (const auto& folder : {folder_.path(), folder_.path() / "socket"})
            if (!nobody || ::chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
                unavailable_ = "cannot hand the server's folder to nobody";
                return;
            }
        serverUser_ = "nobody";
    }
    const std::string data = shellQuoted((folder_.path() / "data").string());
    if (!run("initdb", "-D " + data + " -U " + SuperUser + " -A trust -E UTF8 --locale=C --no-sync", true)) {
        unavailable_ = "initdb failed (see " + (folder_.path() / "log").string() + ")";
        return;
    }
    if (!start()) unavailable_ = "the PostgreSQL server did not start";
}

PgServer::~PgServer() {
    if (unavailable_.empty()) stop();
}

bool PgServer::run(const std::string& program, const std::string& arguments, bool asServerUser) const {
    std::string command = shellQuoted((binaries_ / program).string()) + " " + arguments + " >>" +
                          shellQuoted((folder_.path() / "log").string()) + " 2>&1";
    if (asServerUser && !serverUser_.empty()) command = "runuser -u " + serverUser_ + " -- sh -c " + shellQuoted(command);
    return std::system(command.c_str()) == 0;
}

bool PgServer::start() {
    const std::string options = "-c listen_addresses='' -c fsync=off -c full_page_writes=off -k " +
                                (folder_.path() / "socket").string();
    return run("pg_ctl", "-D " + shellQuoted((folder_.path() / "data").string()) + " -w -t 30 -o " + shellQuoted(options) +
                             " -l " + shellQuoted((folder_.path() / "server.log").string()) + " start",
               true);
}

bool PgServer::stop() {
    return run("pg_ctl", "-D " + shellQuoted((folder_.path() / "data").string()) + " -m fast -w stop", true);
}

std::string PgServer::newDatabase(const std::string& name) {
    run("createdb", "-h " + shellQuoted((folder_.path() / "socket").string()) + " -U " + SuperUser + " " + shellQuoted(name),
        false);
    return url(name);
}

std::string PgServer::url(const std::string& database) const {
    return std::string("postgresql://") + SuperUser + "@/" + database + "?host=" + (folder_.path() / "socket").string();
}

}  // namespace doxa::test
