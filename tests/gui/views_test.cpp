#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "views/main_view.h"
#include "views/report_printer.h"
#include "views/traffic_log_pane.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

// Pixels of one colour in a part of an image.
int count(const QImage& image, QRect area, QColor colour, int tolerance = 0) {
    int n = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance &&
                 std::abs(c.blue() - colour.blue()) <= tolerance;
        }
    return n;
}

DeviceRecord knownRecord() {
    DeviceRecord d;
    d.modelName = "DOXA-22";
    d.serialNumber = 1193046;
    d.sensorType = 1;
    d.rangeMin = 100;
    d.rangeMax = 300;
    return d;
}

// The report drawn on an A4-proportioned image at 100 pixels per logical 1000 x 1000 units.
TEST(ReportDrawing, FramedHeaderAndLinesLieWhereThePageLayoutPutsThem) {
    QImage page(1333, 2000, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    drawReport(painter, page.size(), true, knownRecord(), QDate(2026, 12, 6));
    painter.end();
    // Logical x to pixels: 1333 * 0.9 / 12000; y: 2000 * 0.9 / 18000 = 0.1.
    const auto px = [](int x) { return x * 1333 * 9 / 10 / 12000; };
    const auto py = [](int y) { return y / 10; };
    const QColor frame(128, 0, 0);
    EXPECT_GT(count(page, QRect(px(3000), py(900) - 1, px(6000), 3), frame), px(6000) - 5) << "top edge";
    EXPECT_GT(count(page, QRect(px(600) - 1, py(1500), 3, py(3000)), frame), py(3000) - 5) << "left edge";
    EXPECT_GT(count(page, QRect(px(3000), py(900 + 2250) - 1, px(6000), 3), frame), px(6000) - 5) << "line under the title";
    EXPECT_GT(count(page, QRect(px(600), py(900), px(12000), py(2250)), QColor(255, 0, 0), 60), 200) << "red title";
    EXPECT_EQ(count(page, QRect(0, py(5500), page.width(), py(6000 - 5500)), Qt::white, 0),
              page.width() * py(500))
        << "a gap between the header and the lines";
    EXPECT_GT(count(page, QRect(px(700), py(6000 + 600), px(4000), py(400)), Qt::black, 100), 50) << "line 1";
    EXPECT_GT(count(page, QRect(px(700), py(6000 + 3400), px(4000), py(400)), Qt::black, 100), 50) << "line 8";
    EXPECT_EQ(count(page, QRect(0, py(6000 + 4000), page.width(), page.height() - py(10000)), Qt::white, 0),
              page.width() * (page.height() - py(10000)))
        << "nothing below the eighth line";
}

TEST(ReportDrawing, PdfExportWritesOnePageOfTheSameDrawing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("raport.pdf"));
    ASSERT_TRUE(writeReportPdf(path, knownRecord(), QDate(2026, 12, 6)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
    EXPECT_GT(pdf.size(), 2000);
    EXPECT_FALSE(writeReportPdf(dir.filePath(QStringLiteral("missing/raport.pdf")), knownRecord()));
}

struct Panes {
    MemorySettingsStore settings;
    Station station{settings};
};

QImage grab(QAbstractScrollArea& area) {
    area.resize(700, 300);
    area.show();
    return area.viewport()->grab().toImage();
}

TEST(TrafficLogPaneView, DrawsOnlyWithMasterAccessAndCopiesWhatIsInView) {
    Panes p;
    p.station.trafficLog.trafficLogPos = 77;
    TrafficLogPane pane(p.station);
    EXPECT_EQ(p.station.trafficLog.trafficLogPos, 0) << "the pane starts the log";
    const std::uint8_t request[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80, 0x00, 0x00, 0x82};
    p.station.trafficLog.append('T', false, request, sizeof request);

    QImage image = grab(pane);
    EXPECT_EQ(count(image, image.rect(), Qt::white), image.width() * image.height()) << "blank without master access";
    EXPECT_EQ(pane.visibleText(), QString());

    p.station.enteredPassword = "qvzr";
    image = grab(pane);
    EXPECT_GT(count(image, image.rect(), QColor(100, 100, 250), 40), 10) << "the TX tag";
    EXPECT_GT(count(image, image.rect(), QColor(168, 50, 22), 40), 10) << "the preambles";
    EXPECT_EQ(pane.visibleText(), QStringLiteral("TX:     ff ff ff ff ff ff 02 80 00 00 82"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    ASSERT_TRUE(pane.saveLog(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith(" TX: ff ff ff ff ff ff 02 80 00 00 82\n"));

    for (int i = 0; i < 60; ++i) p.station.trafficLog.append('R', false, request, sizeof request);
    EXPECT_GT(pane.verticalScrollBar()->value(), 0) << "the view follows the newest line";
    EXPECT_TRUE(pane.visibleText().endsWith(QStringLiteral("RX:     ff ff ff ff ff ff 02 80 00 00 82")));
}

TEST(MainViewPainting, GridColoursFollowTheDump) {
    Panes p;
    MainView view(p.station);
    QImage image = grab(view);
    EXPECT_GT(count(image, image.rect(), QColor(33, 161, 97), 30), 500) << "256 green zeros before any dump";
    EXPECT_EQ(count(image, image.rect(), QColor(0, 0, 255), 30), 0);
    p.station.dumpBuffer.fill(0xFF);
    image = grab(view);
    EXPECT_GT(count(image, image.rect(), QColor(0, 0, 255), 30), 500);
    EXPECT_EQ(count(image, image.rect(), QColor(33, 161, 97), 30), 0);
}

}  // namespace
}  // namespace doxa
