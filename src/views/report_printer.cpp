#include "views/report_printer.h"

#include <QFileDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>
#include <ctime>

#include "link/screen_text.h"
#include "host/dialog_host.h"
#include "views/report.h"
#include "transmitter/device_record.h"

namespace doxa {

namespace {

constexpr int PortraitWidth = 12000;
constexpr int PortraitHeight = 18000;
constexpr QColor FrameColour{128, 0, 0};
constexpr int FrameWidth = 10;
constexpr auto PreviewTitle = UI_TEXT("Podgląd wydruku");
constexpr auto ExportPdfTitle = UI_TEXT("Eksport do PDF");
constexpr auto PdfFilter = UI_TEXT("Dokument PDF (*.pdf)");
constexpr auto NotWritten = UI_TEXT("Nie można zapisać pliku %1");
constexpr auto ReportPdfTitle = UI_TEXT("Konfiguracja przetwornika");

std::tm asTm(const QDate& date) {
    std::tm tm{};
    tm.tm_year = date.year() - 1900;
    tm.tm_mon = date.month() - 1;
    tm.tm_mday = date.day();
    return tm;
}

QString q(const std::string& utf8) { return QString::fromStdString(utf8); }

bool isPortrait(const QPagedPaintDevice& device) {
    const QSizeF physical = device.pageLayout().fullRectPoints().size();
    return physical.width() < physical.height();
}

}  // namespace

QSize mapLogicalPage(QPainter& painter, QSize pageSize, bool portrait, int tenths) {
    const QSize logical = portrait ? QSize(PortraitWidth, PortraitHeight) : QSize(PortraitHeight, PortraitWidth);
    painter.setWindow(QRect(QPoint(0, 0), logical));
    painter.setViewport(0, 0, pageSize.width() * tenths / 10, pageSize.height() * tenths / 10);
    return logical;
}

QFont reportFont(int height, int weight) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(height);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

bool drawPages(QPagedPaintDevice& device, const PageDrawing& draw) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    draw(painter, device);
    return painter.end();
}

bool writePdf(const QString& path, const QString& title, const PageDrawing& draw) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("DOXA WIN"));
    return drawPages(writer, draw);
}

void printPreview(QWidget* parent, const PageDrawing& draw, const std::function<void()>& exportPdf) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(shownQText(PreviewTitle));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&draw](QPrinter* target) { drawPages(*target, draw); });
    auto* toolbar = preview.findChild<QToolBar*>();
    if (exportPdf && toolbar)
        QObject::connect(toolbar->addAction(shownQText(ExportPdfTitle)), &QAction::triggered, &preview, exportPdf);
    preview.exec();
}

void exportPdf(QWidget* parent, RememberedFolder folder, const QString& suggested,
               const QString& title, const PageDrawing& draw) {
    exportPdf(parent, folder, suggested,
              [&title, &draw](const QString& path) { return writePdf(path, title, draw); });
}

void exportPdf(QWidget* parent, RememberedFolder folder, const QString& suggested,
               const std::function<bool(const QString&)>& write) {
    const QString path = QFileDialog::getSaveFileName(parent, shownQText(ExportPdfTitle),
                                                      folder.place(suggested), shownQText(PdfFilter));
    if (path.isEmpty()) return;
    folder.keep(path);
    if (!write(path)) showMessageBox(parent, formatText(NotWritten, {path.toStdString()}), BoxIcon::Error);
}

void drawReport(QPainter& painter, QSize pageSize, bool portrait, const DeviceRecord& device,
                const QDate& date) {
    painter.save();
    const QSize logical = mapLogicalPage(painter, pageSize, portrait);
    const int W = logical.width();
    const int H = logical.height();

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
        painter.drawText(QRect(QPoint(left, y0), QPoint(right, y1)), align | Qt::AlignVCenter, shownQText(text));
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
        painter.drawText(QRect(100, y, W, 400), Qt::AlignLeft | Qt::AlignTop, shownQText(lines[i]));
    }
    painter.restore();
}

namespace {

PageDrawing reportPage(const DeviceRecord& device, const QDate& date) {
    return [&device, date](QPainter& painter, QPagedPaintDevice& target) {
        drawReport(painter, QSize(target.width(), target.height()), isPortrait(target), device, date);
    };
}

}  // namespace

bool drawReport(QPagedPaintDevice& device, const DeviceRecord& record, const QDate& date) {
    return drawPages(device, reportPage(record, date));
}

bool writeReportPdf(const QString& path, const DeviceRecord& device, const QDate& date) {
    return writePdf(path, shownQText(ReportPdfTitle), reportPage(device, date));
}

void printReport(QWidget* parent, const DeviceRecord& device) {
    printPreview(parent, reportPage(device, QDate::currentDate()));
}

void exportReportPdf(QWidget* parent, const DeviceRecord& device, RememberedFolder folder) {
    exportPdf(parent, folder, QStringLiteral("DOXA-%1.pdf").arg(device.serialNumber),
              shownQText(ReportPdfTitle), reportPage(device, QDate::currentDate()));
}

}  // namespace doxa
