#include "views/report_printer.h"

#include <QFileDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <ctime>

#include "host/dialog_host.h"
#include "views/report.h"
#include "transmitter/device_record.h"

namespace doxa {

namespace {

constexpr int PortraitWidth = 12000;
constexpr int PortraitHeight = 18000;
constexpr QColor FrameColour{128, 0, 0};
constexpr int FrameWidth = 10;

QFont reportFont(int height, int weight) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(height);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

std::tm asTm(const QDate& date) {
    std::tm tm{};
    tm.tm_year = date.year() - 1900;
    tm.tm_mon = date.month() - 1;
    tm.tm_mday = date.day();
    return tm;
}

QString q(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void drawReport(QPainter& painter, QSize pageSize, bool portrait, const DeviceRecord& device,
                const QDate& date) {
    const int W = portrait ? PortraitWidth : PortraitHeight;
    const int H = portrait ? PortraitHeight : PortraitWidth;
    painter.save();
    painter.setWindow(0, 0, W, H);
    painter.setViewport(0, 0, pageSize.width() * 9 / 10, pageSize.height() * 9 / 10);

    const QRect frame = portrait ? QRect(QPoint(600, 900), QPoint(12600, 5400))
                                 : QRect(QPoint(900, 600), QPoint(18900, 3600));
    painter.setPen(QPen(FrameColour, FrameWidth, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.translate(frame.topLeft());

    painter.setFont(reportFont(375, 700));
    painter.setPen(QPen(QColor(255, 0, 0)));
    painter.drawText(QRect(0, 0, W, H / 8), Qt::AlignCenter, q(std::string(ReportTitle)));

    painter.setPen(QPen(FrameColour, FrameWidth, Qt::SolidLine));
    for (int y : {H / 8, H / 8 + H / 16, H / 4}) painter.drawLine(0, y, W, y);

    painter.setPen(QPen(Qt::black));
    painter.setFont(reportFont(270, 400));
    const ReportHeader header = reportHeader(device, asTm(date));
    const int top = H / 8;
    const int middle = H / 8 + H / 16;
    const auto cell = [&](int left, int y0, int right, int y1, Qt::Alignment align, const std::string& text) {
        painter.drawText(QRect(QPoint(left, y0), QPoint(right, y1)), align | Qt::AlignVCenter, q(text));
    };
    cell(150, top, W / 2 + 100, middle, Qt::AlignLeft, header.model);
    cell(W / 2 + 150, top, W, middle, Qt::AlignLeft, header.serial);
    cell(150, middle, W / 3 * 2, H / 4, Qt::AlignLeft, header.date);
    cell(W / 3 * 2 + 150, middle, W, H / 4, Qt::AlignHCenter, header.page);

    // The configuration lines count from a third of the page down.
    painter.translate(0, H / 3 - frame.top());
    painter.setFont(reportFont(300, 400));
    const std::vector<std::string> lines = reportLines(device);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int y = 400 * static_cast<int>(i + 1) + 200;
        painter.drawText(QRect(100, y, W, 400), Qt::AlignLeft | Qt::AlignTop, q(lines[i]));
    }
    painter.restore();
}

bool drawReport(QPagedPaintDevice& device, const DeviceRecord& record, const QDate& date) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QSizeF physical = device.pageLayout().fullRectPoints().size();
    drawReport(painter, QSize(device.width(), device.height()), physical.width() < physical.height(), record, date);
    return painter.end();
}

bool writeReportPdf(const QString& path, const DeviceRecord& device, const QDate& date) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setTitle(QStringLiteral("Konfiguracja przetwornika"));
    writer.setCreator(QStringLiteral("DOXA WIN"));
    return drawReport(writer, device, date);
}

void printReport(QWidget* parent, const DeviceRecord& device) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFromTo(1, 1);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Podgląd wydruku"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&device](QPrinter* target) { drawReport(*target, device, QDate::currentDate()); });
    preview.exec();
}

void exportReportPdf(QWidget* parent, const DeviceRecord& device) {
    const QString suggested = QStringLiteral("DOXA-%1.pdf").arg(device.serialNumber);
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Eksport do PDF"), suggested,
                                                      QStringLiteral("Dokument PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (!writeReportPdf(path, device))
        showMessageBox(parent, ("Nie można zapisać pliku " + path).toStdString(), BoxIcon::Error);
}

}  // namespace doxa
