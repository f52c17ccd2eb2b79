#include "views/trend_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "host/dialog_host.h"
#include "app/main_frame.h"
#include "app/qt_settings_store.h"
#include "sim/sim_line.h"
#include "transmitter/display_dlg.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

QPushButton* button(const QWidget& window, const QString& text) {
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

LiveCycle cycle(std::optional<double> pv) { return LiveCycle{pv, "°C", 4.0, "mA", 24.0}; }

TEST(TrendWindow, PausesTheViewButKeepsRecordingAndSavesEverything) {
    MemorySettingsStore settings;
    TrendWindow window(nullptr, settings);
    window.show();
    const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
    // Gaps of every kind: a missed value, and a stretch of time without cycles.
    window.addCycle(now - 700000, cycle(20.0));
    window.addCycle(now - 30000, cycle(21.0));
    window.addCycle(now - 28000, cycle(std::nullopt));
    window.addCycle(now - 26000, cycle(22.0));
    EXPECT_FALSE(window.grab().isNull());

    QPushButton* pause = button(window, "Pauza");
    ASSERT_NE(pause, nullptr);
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_TRUE(window.isPaused());
    EXPECT_EQ(pause->text(), "Wznów");
    EXPECT_EQ(window.windowTitle(), "Wykres (pauza)");
    window.addCycle(now, cycle(23.0));
    EXPECT_EQ(window.recording().samples().size(), 5u);
    EXPECT_FALSE(window.grab().isNull());
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_FALSE(window.isPaused());
    EXPECT_EQ(window.windowTitle(), "Wykres");

    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("wykres.csv");
    QString error;
    ASSERT_TRUE(window.saveCsv(path, error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 7);  // the header, five cycles and the end of the last line
    EXPECT_EQ(lines[0], QByteArray("czas,PV [°C],wyjście [mA],temp. otocz. [°C]"));
    EXPECT_TRUE(lines[3].endsWith(",,4,24")) << lines[3].toStdString();

    EXPECT_FALSE(window.saveCsv(QDir(folder.path()).filePath("brak/wykres.csv"), error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TrendWindow, EmptyPlotWaitsForValues) {
    MemorySettingsStore settings;
    TrendWindow window(nullptr, settings);
    window.resize(400, 300);
    EXPECT_FALSE(window.grab().isNull());
}

// "Wykres" in the running live display: the plot opens beside it as its own window, and the
// same plot comes back after it was closed.
TEST(TrendWindow, BelongsToTheLiveDisplayThatOpenedIt) {
    MemorySettingsStore store;
    Station station(store);
    auto transmitter = std::make_shared<sim::Transmitter>(sim::Model::Doxa22);
    station.makeLine = [&](int) {
        return std::make_unique<sim::SimLine>(transmitter,
                                              [] { return QDateTime::currentMSecsSinceEpoch(); });
    };
    MainFrame frame(station);
    CDisplayDlg display(station);
    display.allowTrend([&] { return frame.showTrend(); });

    TrendWindow* first = nullptr;
    TrendWindow* second = nullptr;
    QWidget* host = nullptr;
    QTimer::singleShot(0, [&] {
        host = QApplication::activeModalWidget();
        ASSERT_NE(host, nullptr);
        QPushButton* trend = button(*host, "Wykres");
        ASSERT_NE(trend, nullptr);
        QTest::mouseClick(trend, Qt::LeftButton);
        first = host->findChild<TrendWindow*>();
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(first->isVisible());
        EXPECT_TRUE(first->isWindow());
        first->close();
        QTest::mouseClick(trend, Qt::LeftButton);
        second = host->findChild<TrendWindow*>();
        EXPECT_TRUE(second->isVisible());
        second->addCycle(QDateTime::currentMSecsSinceEpoch(), cycle(20.0));
        host->close();
    });
    DialogHost(display, &frame).run();
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    // What it recorded outlives the live display, until the technician closes it.
    auto* left = frame.findChild<TrendWindow*>();
    ASSERT_EQ(left, second);
    EXPECT_TRUE(left->isVisible());
    EXPECT_EQ(left->windowTitle(), "Wykres (zakończony)");
    EXPECT_EQ(left->recording().samples().size(), 1u);
    QPointer<TrendWindow> watch(left);
    left->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}

TEST(TrendWindow, AnEmptyOrClosedPlotGoesWithTheLiveDisplay) {
    QWidget frame;
    auto* owner = new QDialog(&frame);
    MemorySettingsStore settings;
    auto* trend = new TrendWindow(owner, settings);
    QPointer<TrendWindow> watch(trend);
    owner->show();
    trend->show();
    owner->hide();
    EXPECT_EQ(trend->parentWidget(), owner);
    delete owner;
    EXPECT_TRUE(watch.isNull());
}

// The plot comes back where and as large as the technician left it, at the next start too: it is
// destroyed with its live display without being hidden first.
TEST(TrendWindow, OpensWhereItWasLeftInAnEarlierRun) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("doxa-win.ini"));
    {
        QtSettingsStore settings(file);
        auto* owner = new QDialog;
        owner->show();
        auto* trend = new TrendWindow(owner, settings);
        trend->showBeside(*owner);
        trend->move(300, 200);
        trend->resize(500, 280);
        delete owner;
    }
    QtSettingsStore settings(file);
    QDialog owner;
    owner.show();
    TrendWindow trend(&owner, settings);
    trend.showBeside(owner);
    EXPECT_EQ(trend.pos(), QPoint(300, 200));
    EXPECT_EQ(trend.size(), QSize(500, 280));
}

}  // namespace
}  // namespace doxa
