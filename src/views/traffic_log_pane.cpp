#include "views/traffic_log_pane.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "link/screen_text.h"
#include "host/dialog_host.h"
#include "host/window_memory.h"
#include "views/main_view.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr auto Copy = UI_TEXT("Kopiuj");
constexpr auto SaveLog = UI_TEXT("Zapisz log...");
constexpr auto SaveLogTitle = UI_TEXT("Zapisz log");
constexpr auto LogFilter = UI_TEXT("Log transmisji (*.txt)");
constexpr auto NotWritten = UI_TEXT("Nie można zapisać pliku %1");

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

}  // namespace

TrafficLogPane::TrafficLogPane(Station& station, QWidget* parent)
    : QAbstractScrollArea(parent), station_(station) {
    setObjectName(QStringLiteral("trafficLogPane"));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setMinimumSize(0, 0);
    TrafficLog& log = station_.trafficLog;
    log.trafficLogPos = 0;
    log.onChange = [this] { logChanged(); };
    log.onRecord = [this](std::uint8_t marker, const std::uint8_t* bytes, int count, bool restarted) {
        journal_.record(marker, bytes, count, restarted);
    };
    updateScrollBars();
}

TrafficLogPane::~TrafficLogPane() {
    station_.trafficLog.onChange = nullptr;
    station_.trafficLog.onRecord = nullptr;
}

int TrafficLogPane::lineHeight() const { return QFontMetrics(viewFont()).height(); }

void TrafficLogPane::updateScrollBars() {
    const QSize screen = screenSize();
    const int halfHeight = screen.height() / 2;
    const QSize total(screen.width(), 15 * halfHeight);
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, total.height() - visible.height()));
    horizontalScrollBar()->setSingleStep(std::max(1, screen.width() / 30));
    verticalScrollBar()->setSingleStep(std::max(1, halfHeight / 30));
    horizontalScrollBar()->setPageStep(std::max(1, screen.width() / 3));
    verticalScrollBar()->setPageStep(std::max(1, halfHeight / 3));
}

void TrafficLogPane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

// The pane follows the traffic: when the newest line would fall below the visible part, the
// view scrolls down to it.
void TrafficLogPane::logChanged() {
    if (station_.hasMasterAccess()) {
        const std::vector<LogCell> cells = trafficCells(station_.trafficLog);
        const int lastLine = cells.empty() ? 0 : cells.back().line;
        const int bottom = (lastLine + 1) * lineHeight();
        QScrollBar* bar = verticalScrollBar();
        if (bottom > bar->value() + viewport()->height())
            bar->setValue(std::min(bar->maximum(), bottom - viewport()->height()));
    }
    viewport()->update();
}

void TrafficLogPane::paintEvent(QPaintEvent*) {
    if (!station_.hasMasterAccess()) return;
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.setFont(viewFont());
    const QFontMetrics metrics(painter.font());
    const int h = metrics.height();
    for (const LogCell& cell : trafficCells(station_.trafficLog)) {
        painter.setPen(QColor(cell.colour.r, cell.colour.g, cell.colour.b));
        painter.drawText(LogCellWidth * cell.column + LogCellOffset, cell.line * h + metrics.ascent(),
                         QString::fromStdString(cell.text));
    }
}

void TrafficLogPane::mousePressEvent(QMouseEvent* event) {
    viewport()->update();
    QAbstractScrollArea::mousePressEvent(event);
}

QString TrafficLogPane::visibleText() const {
    if (!station_.hasMasterAccess()) return {};
    const std::vector<LogCell> cells = trafficCells(station_.trafficLog);
    const int h = lineHeight();
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    std::vector<LogCell> shown;
    std::copy_if(cells.begin(), cells.end(), std::back_inserter(shown), [&](const LogCell& cell) {
        return (cell.line + 1) * h > top && cell.line * h < bottom;
    });
    QStringList lines;
    for (const std::string& line : trafficText(shown)) lines << QString::fromStdString(line);
    return lines.join(QLatin1Char('\n'));
}

bool TrafficLogPane::saveLog(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
    const std::string text = journal_.text();
    return file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}

void TrafficLogPane::contextMenuEvent(QContextMenuEvent* event) {
    if (!station_.hasMasterAccess()) return;
    QMenu menu(this);
    menu.addAction(shownQText(Copy), this,
                   [this] { QApplication::clipboard()->setText(visibleText()); });
    menu.addAction(shownQText(SaveLog), this, [this] { askAndSave(); });
    menu.exec(event->globalPos());
}

void TrafficLogPane::askAndSave() {
    const QString suggested =
        QStringLiteral("doxa-log-%1.txt").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    RememberedFolder folder(station_.settings, FileKind::Export);
    const QString path =
        QFileDialog::getSaveFileName(this, shownQText(SaveLogTitle), folder.place(suggested),
                                     shownQText(LogFilter));
    if (path.isEmpty()) return;
    folder.keep(path);
    if (!saveLog(path))
        showMessageBox(this, formatText(NotWritten, {path.toStdString()}), BoxIcon::Error);
}

}  // namespace doxa
