#include "views/main_view.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "host/dialog_host.h"
#include "views/dump_view.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int LineStep = 10;

// A listing sets a text off from the one before it with blanks; they stay where they are.
QString shownListingText(std::string_view text) {
    const std::size_t indent = std::min(text.find_first_not_of(' '), text.size());
    return QString(qsizetype(indent), QLatin1Char(' ')) + shownQText(text.substr(indent));
}

}  // namespace

QFont viewFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

MainView::MainView(Station& station, QWidget* parent) : QAbstractScrollArea(parent), station_(station) {
    setObjectName(QStringLiteral("mainView"));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setMinimumSize(0, 0);
    horizontalScrollBar()->setSingleStep(LineStep);
    verticalScrollBar()->setSingleStep(LineStep);
    updateScrollBars();
}

void MainView::updateScrollBars() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize half = screen ? screen->size() / 2 : QSize(SurfaceWidth, SurfaceHeight);
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, SurfaceWidth - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, SurfaceHeight - visible.height()));
    horizontalScrollBar()->setPageStep(std::min(half.width(), std::max(visible.width(), 1)));
    verticalScrollBar()->setPageStep(std::min(half.height(), std::max(visible.height(), 1)));
}

void MainView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void MainView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void MainView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.setFont(viewFont());
    const QFontMetrics metrics(painter.font());
    // The height of a text line in this font, as the height of "sample" gives it.
    const int lineHeight = metrics.height();
    for (const ViewText& text : dumpViewTexts(station_)) {
        painter.setPen(QColor(text.colour.r, text.colour.g, text.colour.b));
        painter.drawText(text.x, text.line * lineHeight + metrics.ascent(), shownListingText(text.text));
    }
}

}  // namespace doxa
