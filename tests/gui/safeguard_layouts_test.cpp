// The layouts of "Statystyka łącza" and "Kopie zapasowe" carry every control their logic uses.

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "document/backups_dlg.h"
#include "host/dialog_host.h"
#include "service/line_stats_dlg.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

namespace fs = std::filesystem;

TEST(SafeguardLayouts, LineStatisticsShowsEveryCountAndZerujClearsThem) {
    MemorySettingsStore store;
    Station station(store);
    station.lineStatistics.requestSent(std::vector<std::uint8_t>{1, 3, 0, 0}, 0);
    station.lineStatistics.answerRead(7, AnswerFault::Checksum, 0);
    CLineStatsDlg logic(station);
    DialogHost host(logic, nullptr);
    QTimer::singleShot(0, &host, [&] {
        for (int id = CLineStatsDlg::Requests; id <= CLineStatsDlg::Since; ++id)
            EXPECT_NE(host.control(id), nullptr) << id;
        EXPECT_EQ(host.text(CLineStatsDlg::RejectedChecksum), "1");
        QTest::mouseClick(qobject_cast<QPushButton*>(host.control(CLineStatsDlg::Clear)),
                          Qt::LeftButton);
        EXPECT_EQ(host.text(CLineStatsDlg::RejectedChecksum), "0");
        host.reject();
    });
    EXPECT_EQ(host.run(), ResultCancel);
}

TEST(SafeguardLayouts, BackupsListTheCopiesAndOpenOne) {
    std::string pattern = (fs::temp_directory_path() / "doxa-gui-kept-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    BackupStore store(folder);
    ReadConfiguration read;
    read.device.modelName = "DOXA-22";
    read.device.serialNumber = 77;
    read.device.sensorType = 1;  // Pt 100, -50 .. 150 °C
    read.device.rangeMin = -50;
    read.device.rangeMax = 150;
    ASSERT_TRUE(store.keep(read, std::chrono::system_clock::now()));
    CBackupsDlg logic(store);
    DialogHost host(logic, nullptr);
    QTimer::singleShot(0, &host, [&] {
        auto* list = qobject_cast<QListWidget*>(host.control(CBackupsDlg::List));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 1);
        EXPECT_TRUE(list->item(0)->text().startsWith("DOXA-22   nr 77   "));
        QTest::mouseClick(qobject_cast<QPushButton*>(host.control(CBackupsDlg::Open)),
                          Qt::LeftButton);
    });
    EXPECT_EQ(host.run(), ResultOk);
    EXPECT_FALSE(logic.chosen().empty());
    fs::remove_all(folder);
}

}  // namespace
}  // namespace doxa
