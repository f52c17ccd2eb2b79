// The status bar tells while service records wait for their database, and stops once the
// delivery thread has them in.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "app/main_frame.h"
#include "history/history_store.h"
#include "support/sim_process.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

TEST(HistoryNotice, ShowsHowManyRecordsWaitUntilTheDatabaseTakesThem) {
    test::TempFolder folder;
    const std::filesystem::path shared = folder.path() / "shared";
    // The database's folder is taken by a plain file: it cannot be made.
    std::ofstream(shared) << "in the way";
    HistoryStore history((shared / "history.sqlite").string(), (folder.path() / "local.sqlite").string(),
                         HistoryStore::systemNow, Delivery::InBackground);
    MemorySettingsStore store;
    Station station(store);
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    frame.watchHistory(history);
    frame.show();
    QLabel* notice = frame.historyNotice();
    EXPECT_FALSE(notice->isVisible());

    ServiceRecord identification;
    identification.model = "DOXA-22";
    identification.serial = 4242;
    history.record(identification);
    history.record(identification);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice->isVisible(); }, 3000));
    EXPECT_EQ(notice->text().toStdString(), "Rekordy historii czekają na bazę: 2");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !notice->toolTip().isEmpty(); }, 3000));

    std::filesystem::remove(shared);
    history.record(identification);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !notice->isVisible(); }, 3000));
    EXPECT_EQ(history.waiting(), 0u) << history.problem();
}

}  // namespace
}  // namespace doxa
