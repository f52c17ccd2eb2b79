// The service history at 100,000 records, in SQLite files filled for the purpose: `doxa-cli
// history --csv` over 100,000 records against 10,000 (time) and its peak memory; the history
// dialog opening on 100,000 records against 100 (time and memory).
// Usage: history_bench [RUNS]

#include <unistd.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "figure.h"
#include "history/history_store.h"

namespace {

using namespace doxa::bench;
namespace fs = std::filesystem;

constexpr double CliTimeTarget = 12;
constexpr double CliMemoryTargetMiB = 25;
constexpr double DialogTimeTarget = 3;
constexpr double DialogMemoryTargetMiB = 40;
constexpr int Transmitters = 100;
constexpr double GiveUpSeconds = 120;

// A history file of `count` records of 100 transmitters, a minute apart: the program makes the
// schema with the first record, plain SQL adds the others in one transaction.
bool fill(const fs::path& file, int count) {
    {
        doxa::HistoryStore store(file.string());
        doxa::ServiceRecord first;
        first.model = "DOXA-22";
        first.serial = 1000;
        store.record(first);
        if (store.waiting() != 0) {
            std::fprintf(stderr, "cannot make %s: %s\n", file.c_str(), store.problem().c_str());
            return false;
        }
    }
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-fill");
        db.setDatabaseName(QString::fromStdString(file.string()));
        QSqlQuery q(db);
        done = db.open() && q.exec("BEGIN") &&
               q.prepare("INSERT INTO records (uid, time, \"user\", kind, outcome, model, serial, address, mode, "
                         "line, backup_file, as_found, as_left, reference) VALUES (?, ?, 'technik', "
                         "'calibration_compensation', 'confirmed', 'DOXA-22', ?, 1, 'HART', 'COM2:1200,o,8,1', '', "
                         "'{\"ambient\":24.5}', '{\"ambient\":25.5}', '{\"ambient\":25.5}')");
        for (int i = 1; done && i < count; ++i) {
            char time[32];
            std::snprintf(time, sizeof time, "2025-%02d-%02dT%02d:%02d:00Z", 1 + i / 43200 % 12, 1 + i / 1440 % 28,
                          i / 60 % 24, i % 60);
            q.addBindValue(QString::fromStdString("bench-" + std::to_string(i)));
            q.addBindValue(QString::fromLatin1(time));
            q.addBindValue(1000 + i % Transmitters);
            done = q.exec();
        }
        done = done && q.exec("COMMIT");
        if (!done) std::fprintf(stderr, "cannot fill %s: %s\n", file.c_str(), q.lastError().text().toUtf8().constData());
        db.close();
    }
    QSqlDatabase::removeDatabase("bench-fill");
    return done;
}

struct Sample {
    double seconds = 0;
    double peakMiB = 0;
};

// Medians of `runs` runs.
bool measure(const std::vector<std::string>& argv, const std::vector<std::string>& environment, int runs,
             Sample& sample) {
    std::vector<double> seconds, peaks;
    for (int i = 0; i < runs; ++i) {
        ChildProcess child(argv, environment);
        const ChildCost cost = child.wait(GiveUpSeconds);
        if (cost.exitStatus != 0) {
            std::fprintf(stderr, "%s %s ended with status %d\n", argv[0].c_str(), argv.back().c_str(), cost.exitStatus);
            return false;
        }
        seconds.push_back(cost.wallSeconds);
        peaks.push_back(cost.peakMiB);
    }
    sample = {median(seconds), median(peaks)};
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char pattern[] = "/tmp/doxa-history-bench-XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    // Settings of their own, without a server; a local file of their own, empty.
    const std::vector<std::string> environment{"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + (folder / "config").string(),
                                               "XDG_DATA_HOME=" + (folder / "data").string()};
    const auto file = [&folder](int count) { return (folder / ("history-" + std::to_string(count) + ".sqlite")).string(); };
    bool ok = fill(file(100), 100) && fill(file(10'000), 10'000) && fill(file(100'000), 100'000);

    Sample cli10k, cli100k, dialog100, dialog100k;
    const auto cli = [&](int count) {
        return std::vector<std::string>{DOXA_CLI_PROGRAM, "history", "--csv", "--db", file(count)};
    };
    const auto dialog = [&](int count) { return std::vector<std::string>{DIALOG_PROBE_PROGRAM, file(count)}; };
    // The first run of each fills the caches that every later one finds warm.
    ok = ok && measure(cli(10'000), environment, 1, cli10k) && measure(dialog(100), environment, 1, dialog100);
    ok = ok && measure(cli(10'000), environment, runs, cli10k) && measure(cli(100'000), environment, runs, cli100k) &&
         measure(dialog(100), environment, runs, dialog100) && measure(dialog(100'000), environment, runs, dialog100k);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    if (!ok) return 2;

    char against[200];
    std::snprintf(against, sizeof against, "100,000 records %.0f ms, 10,000 records %.0f ms (medians of %d)",
                  cli100k.seconds * 1000, cli10k.seconds * 1000, runs);
    const bool cliTime = reportFigure("history --csv time", cli100k.seconds / cli10k.seconds, CliTimeTarget, against);
    std::snprintf(against, sizeof against, "MiB peak resident over 100,000 records (10,000: %.1f MiB)", cli10k.peakMiB);
    const bool cliMemory = reportFigure("history --csv MiB", cli100k.peakMiB, CliMemoryTargetMiB, against);
    std::snprintf(against, sizeof against, "100,000 records %.0f ms, 100 records %.0f ms (medians of %d)",
                  dialog100k.seconds * 1000, dialog100.seconds * 1000, runs);
    const bool dialogTime =
        reportFigure("history dialog time", dialog100k.seconds / dialog100.seconds, DialogTimeTarget, against);
    std::snprintf(against, sizeof against, "MiB more: 100,000 records %.1f MiB, 100 records %.1f MiB peak resident",
                  dialog100k.peakMiB, dialog100.peakMiB);
    const bool dialogMemory =
        reportFigure("history dialog MiB", dialog100k.peakMiB - dialog100.peakMiB, DialogMemoryTargetMiB, against);
    return cliTime && cliMemory && dialogTime && dialogMemory ? 0 : 1;
}
