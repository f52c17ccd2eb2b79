#include "views/trend_window.h"

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "link/screen_text.h"
#include "host/dialog_host.h"
#include "host/window_memory.h"
#include "settings/settings_keys.h"

namespace doxa {

namespace {

constexpr auto Title = UI_TEXT("Wykres");
constexpr auto PausedTitle = UI_TEXT("Wykres (pauza)");
constexpr auto EndedTitle = UI_TEXT("Wykres (zakończony)");
constexpr auto Waiting = UI_TEXT("Oczekiwanie na pomiary...");
constexpr auto Pause = UI_TEXT("Pauza");
constexpr auto Resume = UI_TEXT("Wznów");
constexpr auto SaveCsv = UI_TEXT("Zapisz CSV...");
constexpr auto Close = UI_TEXT("Zamknij");
constexpr auto SaveCsvTitle = UI_TEXT("Zapisz CSV");
constexpr auto CsvFilter = UI_TEXT("Pliki CSV (*.csv)");
constexpr auto NotWritten = UI_TEXT("Nie można zapisać pliku %1: %2");
constexpr int MinuteMs = 60 * 1000;
constexpr int AxisGap = 6;
constexpr double DotRadius = 1.5;

enum SeriesIndex : int { PrimarySeries, OutputSeries, AmbientSeries, SeriesCount };

struct Series {
    const char* name;
    QColor color;
};
const std::array<Series, SeriesCount> series = {{
    {KEPT_TEXT("PV"), QColor(0, 80, 200)},
    {UI_TEXT("Wyjście"), QColor(200, 40, 40)},
    {UI_TEXT("Temp. otocz."), QColor(0, 130, 60)},
}};

std::optional<double> valueOf(const LiveCycle& cycle, int index) {
    const std::optional<double>& value = index == PrimarySeries  ? cycle.primary
                                         : index == OutputSeries ? cycle.output
                                                                 : cycle.ambient;
    // A value too large for any axis is drawn as missing; the CSV file still has it.
    return value && std::isfinite(*value) ? value : std::nullopt;
}

QString unitOf(const LiveCycle& cycle, int index) {
    const std::string_view unit = index == PrimarySeries  ? std::string_view(cycle.primaryUnit)
                                  : index == OutputSeries ? std::string_view(cycle.outputUnit)
                                                          : AmbientUnit;
    return QString::fromUtf8(unit.data(), qsizetype(unit.size()));
}

// An axis from a round number to a round number in four or five round steps.
struct Scale {
    double low;
    double high;
    double step;
};

Scale niceScale(double low, double high) {
    if (high - low <= std::abs(high) * 1e-9) {
        const double pad = std::max(std::abs(high) * 0.01, 0.5);
        low -= pad;
        high += pad;
    }
    const double rough = (high - low) / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * magnitude;
    for (double multiple : {1.0, 2.0, 2.5, 5.0}) {
        if (multiple * magnitude >= rough) {
            step = multiple * magnitude;
            break;
        }
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

QString tickText(double value, double step) {
    // Rounded to the step, so that 0.1 + 0.2 is labelled 0.3.
    return QString::number(std::round(value / step) * step, 'g', 6);
}

struct Axis {
    int index;
    Scale scale;
    QString title;
    int x = 0;  // where the axis line is drawn
    bool left = false;
};

}  // namespace

TrendPlot::TrendPlot(const TrendRecording& recording, QWidget* parent)
    : QWidget(parent), recording_(recording) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void TrendPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto& samples = recording_.samples();
    const std::int64_t start = endMs_ - TrendRecording::VisibleSpanMs;
    const std::size_t first = recording_.firstAtOrAfter(start);
    const std::size_t last = recording_.firstAtOrAfter(endMs_ + 1);
    if (first >= last) {
        painter.drawText(rect(), Qt::AlignCenter, shownQText(Waiting));
        return;
    }

    // An axis for every series with something to show, in the latest unit it came in.
    std::vector<Axis> axes;
    for (int index = 0; index < SeriesCount; ++index) {
        std::optional<double> low, high;
        QString unit;
        for (std::size_t i = first; i < last; ++i) {
            const std::optional<double> value = valueOf(samples[i].values, index);
            if (!value) continue;
            low = std::min(low.value_or(*value), *value);
            high = std::max(high.value_or(*value), *value);
            if (const QString u = unitOf(samples[i].values, index); !u.isEmpty()) unit = u;
        }
        if (!low) continue;
        // The legend names the series in the same colour; the axis needs only the unit.
        const QString title = unit.isEmpty() ? shownQText(series[index].name)
                                             : QStringLiteral("[%1]").arg(unit);
        axes.push_back({index, niceScale(*low, *high), title});
    }

    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height();
    const int axisWidth = metrics.horizontalAdvance(QStringLiteral("-0000.00")) + 2 * AxisGap;
    const int leftWidth =
        !axes.empty() && axes.front().index == PrimarySeries ? axisWidth : AxisGap;
    const int rightCount = static_cast<int>(axes.size()) - (leftWidth == axisWidth ? 1 : 0);
    const QRect plot =
        rect().adjusted(leftWidth, 2 * lineHeight + AxisGap,
                        -std::max(rightCount * axisWidth, AxisGap), -(lineHeight + AxisGap));
    if (plot.width() < 10 || plot.height() < 10) return;
    const auto xOf = [&](std::int64_t t) {
        return plot.left() + double(t - start) * plot.width() / TrendRecording::VisibleSpanMs;
    };

    // Time: a line every minute, the clock time every second one.
    for (std::int64_t t = (start / MinuteMs + 1) * MinuteMs; t <= endMs_; t += MinuteMs) {
        const double x = xOf(t);
        painter.setPen(QColor(225, 225, 225));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        if ((t / MinuteMs) % 2 == 0) {
            painter.setPen(palette().color(QPalette::Text));
            const QString label =
                QDateTime::fromMSecsSinceEpoch(t).toString(QStringLiteral("HH:mm"));
            painter.drawText(QRectF(x - 40, plot.bottom() + AxisGap / 2, 80, lineHeight),
                             Qt::AlignHCenter | Qt::AlignTop, label);
        }
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(plot);

    int right = 0;
    for (Axis& axis : axes) {
        axis.left = axis.index == PrimarySeries;
        axis.x = axis.left ? plot.left() : plot.right() + right++ * axisWidth;
        const Scale& s = axis.scale;
        const auto yOf = [&](double v) {
            return plot.bottom() - (v - s.low) * plot.height() / (s.high - s.low);
        };
        const QColor color = series[axis.index].color;
        painter.setPen(color);
        painter.drawLine(QPointF(axis.x, plot.top()), QPointF(axis.x, plot.bottom()));
        for (double v = s.low; v <= s.high + s.step / 2; v += s.step) {
            const double y = yOf(v);
            const int tick = axis.left ? -4 : 4;
            painter.drawLine(QPointF(axis.x, y), QPointF(axis.x + tick, y));
            const QRectF box = axis.left
                                   ? QRectF(0, y - lineHeight / 2.0, axis.x - AxisGap, lineHeight)
                                   : QRectF(axis.x + AxisGap, y - lineHeight / 2.0,
                                            axisWidth - AxisGap, lineHeight);
            painter.drawText(box, (axis.left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                             tickText(v, s.step));
        }
        painter.drawText(
            QRectF(axis.left ? 0 : axis.x, lineHeight + AxisGap / 2, axisWidth, lineHeight),
            Qt::AlignLeft | Qt::AlignVCenter, axis.title);

        // The curve: cycles joined by a line unless a value or a stretch of time is missing
        // between them; a cycle with no neighbour to join is a dot.
        painter.save();
        painter.setClipRect(plot.adjusted(-2, -2, 2, 2));
        // One pixel wide: the plot is repainted once per cycle and must stay cheap.
        painter.setPen(QPen(color, 1));
        painter.setBrush(color);
        QPolygonF run;
        // Segment by segment: a stroked polyline that doubles back on itself is slow to fill.
        const auto drawRun = [&] {
            if (run.size() == 1) painter.drawEllipse(run.front(), DotRadius, DotRadius);
            for (qsizetype i = 1; i < run.size(); ++i) painter.drawLine(run[i - 1], run[i]);
            run.clear();
        };
        std::int64_t previousTime = 0;
        for (std::size_t i = first; i < last; ++i) {
            const std::optional<double> value = valueOf(samples[i].values, axis.index);
            if (!value || samples[i].timeMs - previousTime > TrendRecording::GapMs) drawRun();
            if (!value) continue;
            run.append(QPointF(xOf(samples[i].timeMs), yOf(*value)));
            previousTime = samples[i].timeMs;
        }
        drawRun();
        painter.restore();
    }

    // The legend: each series with its latest value, or a dash when the last cycle missed it.
    int x = plot.left();
    const LiveCycle& latest = samples[last - 1].values;
    for (const Axis& axis : axes) {
        const std::optional<double> value = valueOf(latest, axis.index);
        QString text = shownQText(series[axis.index].name) + QStringLiteral(": ");
        text +=
            value ? QString::number(*value, 'g', 6) + QLatin1Char(' ') + unitOf(latest, axis.index)
                  : QStringLiteral("—");
        painter.fillRect(QRect(x, AxisGap / 2 + 3, lineHeight - 6, lineHeight - 6),
                         series[axis.index].color);
        x += lineHeight;
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPoint(x, AxisGap / 2 + metrics.ascent()), text);
        x += metrics.horizontalAdvance(text) + 2 * lineHeight;
    }
}

TrendWindow::TrendWindow(QWidget* owner, SettingsStore& settings)
    : QWidget(owner, Qt::Window), settings_(settings) {
    setWindowTitle(shownQText(Title));
    plot_ = new TrendPlot(recording_, this);
    pause_ = new QPushButton(shownQText(Pause), this);
    auto* save = new QPushButton(shownQText(SaveCsv), this);
    auto* close = new QPushButton(shownQText(Close), this);
    connect(pause_, &QPushButton::clicked, this, &TrendWindow::togglePause);
    connect(save, &QPushButton::clicked, this, &TrendWindow::chooseCsvFile);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pause_);
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plot_, 1);
    layout->addLayout(buttons);
    if (owner) owner->installEventFilter(this);
}

// A plot that goes with its live display is destroyed without being hidden first.
TrendWindow::~TrendWindow() {
    if (isVisible()) rememberPlace(settings_, TrendWindowKey, *this);
}

void TrendWindow::hideEvent(QHideEvent* event) {
    rememberPlace(settings_, TrendWindowKey, *this);
    QWidget::hideEvent(event);
}

bool TrendWindow::eventFilter(QObject* watched, QEvent* event) {
    // A minimised owner hides spontaneously; one that closes is hidden by the program.
    if (watched == parent() && event->type() == QEvent::Hide && !event->spontaneous() &&
        isVisible() && !recording_.empty())
        outliveOwner();
    return QWidget::eventFilter(watched, event);
}

void TrendWindow::outliveOwner() {
    QWidget* owner = parentWidget();
    owner->removeEventFilter(this);
    const QPoint at = pos();
    setParent(owner->parentWidget(), Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    pause_->setEnabled(false);
    setWindowTitle(shownQText(EndedTitle));
    move(at);
    show();
}

void TrendWindow::onLiveCycle(const LiveCycle& cycle) {
    addCycle(QDateTime::currentMSecsSinceEpoch(), cycle);
}

void TrendWindow::addCycle(std::int64_t timeMs, const LiveCycle& cycle) {
    recording_.add(timeMs, cycle);
    // A paused plot stays where it is; the cycle is recorded all the same.
    if (paused_) return;
    plot_->setEnd(timeMs);
    plot_->update();
}

void TrendWindow::showBeside(const QWidget& dialog) {
    if (!isVisible() && !restorePlace(settings_, TrendWindowKey, *this)) {
        resize(sizeHint());
        QPoint at = dialog.frameGeometry().topRight() + QPoint(AxisGap, 0);
        if (const QScreen* screen = dialog.screen()) {
            const QRect available = screen->availableGeometry();
            at.setX(std::clamp(at.x(), available.left(),
                               std::max(available.left(), available.right() - width())));
            at.setY(std::clamp(at.y(), available.top(),
                               std::max(available.top(), available.bottom() - height())));
        }
        move(at);
    }
    show();
    raise();
    activateWindow();
}

bool TrendWindow::saveCsv(const QString& path, QString& error) const {
    QSaveFile file(path);
    const std::string csv = trendCsv(recording_);
    // Written aside and put in place at the end, so that a failure never leaves half a file.
    if (file.open(QIODevice::WriteOnly) &&
        file.write(csv.data(), qint64(csv.size())) == qint64(csv.size()) && file.commit())
        return true;
    error = file.errorString();
    return false;
}

void TrendWindow::togglePause() {
    paused_ = !paused_;
    pause_->setText(shownQText(paused_ ? Resume : Pause));
    setWindowTitle(shownQText(paused_ ? PausedTitle : Title));
    if (!paused_ && !recording_.empty()) {
        plot_->setEnd(recording_.samples().back().timeMs);
        plot_->update();
    }
}

void TrendWindow::chooseCsvFile() {
    RememberedFolder exports(settings_, FileKind::Export);
    const QString folder = exports.folder().isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : exports.folder();
    const QString name =
        QDateTime::currentDateTime().toString(QStringLiteral("'wykres-'yyyyMMdd-HHmmss'.csv'"));
    QFileDialog dialog(this, shownQText(SaveCsvTitle), QDir(folder).filePath(name),
                       shownQText(CsvFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    exports.keep(path);
    QString error;
    if (!saveCsv(path, error))
        showMessageBox(this, formatText(NotWritten, {path.toStdString(), error.toStdString()}),
                       BoxIcon::Error);
}

}  // namespace doxa
