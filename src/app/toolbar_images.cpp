#include "app/toolbar_images.h"

#include <QFont>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace doxa {

namespace {

using Painter = void (*)(QPainter&);

const QColor Ink(40, 40, 40);

QFont boldFont(int pixelSize) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// A seven-segment style read-out showing a temperature.
void paintLiveDisplay(QPainter& p) {
    p.setPen(QPen(Ink, 2));
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(3, 9, 44, 32), 4, 4);
    p.setBrush(QColor(20, 40, 20));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(7, 14, 36, 18));
    p.setPen(QColor(90, 255, 90));
    p.setFont(boldFont(14));
    p.drawText(QRectF(7, 14, 36, 18), Qt::AlignCenter, QStringLiteral("21.5"));
    p.setPen(QColor(255, 80, 60));
    p.setBrush(QColor(255, 80, 60));
    p.drawEllipse(QPointF(40, 36.5), 2, 2);
}

// A transmitter head with a blue arrow writing into it.
void paintProgramming(QPainter& p) {
    p.setPen(QPen(Ink, 2));
    p.setBrush(QColor(190, 190, 200));
    p.drawRoundedRect(QRectF(8, 28, 34, 18), 3, 3);
    p.drawRect(QRectF(21, 46, 8, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 220));
    QPainterPath arrow;
    arrow.moveTo(20, 3);
    arrow.lineTo(30, 3);
    arrow.lineTo(30, 15);
    arrow.lineTo(37, 15);
    arrow.lineTo(25, 27);
    arrow.lineTo(13, 15);
    arrow.lineTo(20, 15);
    arrow.closeSubpath();
    p.drawPath(arrow);
    p.setPen(QPen(QColor(30, 90, 220), 2));
    for (int x = 14; x <= 36; x += 6) p.drawLine(QPointF(x, 37), QPointF(x + 3, 37));
}

// A scale with a pointer set on its mark.
void paintCalibration(QPainter& p) {
    p.setPen(QPen(Ink, 2));
    p.setBrush(QColor(250, 215, 80));
    p.drawRect(QRectF(4, 26, 42, 14));
    p.setPen(QPen(Ink, 1.5));
    for (int i = 0; i <= 8; ++i) {
        const qreal x = 6 + i * 4.75;
        p.drawLine(QPointF(x, 26), QPointF(x, i % 4 == 0 ? 35 : 31));
    }
    p.setPen(QPen(QColor(200, 30, 30), 1.5));
    p.setBrush(QColor(220, 40, 40));
    QPainterPath pointer;
    pointer.moveTo(25, 24);
    pointer.lineTo(17, 8);
    pointer.lineTo(33, 8);
    pointer.closeSubpath();
    p.drawPath(pointer);
}

// A key.
void paintPasswords(QPainter& p) {
    const QColor gold(220, 170, 30);
    p.setPen(QPen(QColor(120, 90, 10), 2));
    p.setBrush(gold);
    p.drawEllipse(QRectF(4, 15, 20, 20));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(9, 21, 7, 7));
    p.setBrush(gold);
    p.drawRect(QRectF(23, 22, 23, 6));
    p.drawRect(QRectF(37, 28, 4, 8));
    p.drawRect(QRectF(30, 28, 4, 6));
}

// A magnifying glass over a question mark: who is on the line?
void paintInitialisation(QPainter& p) {
    p.setPen(QPen(QColor(110, 70, 30), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(31, 31), QPointF(45, 45));
    p.setPen(QPen(Ink, 3));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(4, 4, 30, 30));
    p.setPen(QColor(30, 90, 220));
    p.setFont(boldFont(22));
    p.drawText(QRectF(4, 4, 30, 30), Qt::AlignCenter, QStringLiteral("?"));
}

// A thermometer.
void paintSensor(QPainter& p) {
    p.setPen(QPen(Ink, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(20, 3, 10, 34), 5, 5);
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(QRectF(16, 31, 18, 16));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(23, 14, 4, 20));
    p.setPen(QPen(Ink, 1.5));
    for (int y = 8; y <= 28; y += 5) p.drawLine(QPointF(31, y), QPointF(36, y));
}

// "mA" with the current flowing out.
void paintOutputCurrent(QPainter& p) {
    p.setPen(QColor(20, 110, 40));
    p.setFont(boldFont(22));
    p.drawText(QRectF(0, 2, 50, 28), Qt::AlignCenter, QStringLiteral("mA"));
    p.setPen(QPen(QColor(20, 110, 40), 3));
    p.drawLine(QPointF(6, 38), QPointF(38, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 110, 40));
    QPainterPath head;
    head.moveTo(46, 38);
    head.lineTo(36, 31);
    head.lineTo(36, 45);
    head.closeSubpath();
    p.drawPath(head);
}

// A memory chip with its name on it.
void paintChip(QPainter& p, const QColor& body, const QString& label) {
    p.setPen(QPen(QColor(150, 150, 150), 2));
    for (int i = 0; i < 5; ++i) {
        const qreal x = 11 + i * 7;
        p.drawLine(QPointF(x, 4), QPointF(x, 10));
        p.drawLine(QPointF(x, 40), QPointF(x, 46));
    }
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(6, 10, 38, 30), 3, 3);
    p.setPen(Qt::white);
    p.setFont(boldFont(label.size() > 2 ? 12 : 16));
    p.drawText(QRectF(6, 10, 38, 30), Qt::AlignCenter, label);
}

void paintRam(QPainter& p) { paintChip(p, QColor(40, 40, 60), QStringLiteral("RAM")); }

void paintEeprom(QPainter& p) { paintChip(p, QColor(30, 100, 60), QStringLiteral("EE")); }

constexpr std::array<Painter, ToolbarSlotCount> painters = {
    paintLiveDisplay, paintProgramming, paintCalibration, paintPasswords, paintInitialisation,
    paintSensor,      paintOutputCurrent, paintRam,       paintEeprom,
};

}  // namespace

QImage paintedToolbarStrip() {
    QImage strip(ToolbarImageSize * ToolbarSlotCount, ToolbarImageSize,
                 QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Painter paint : painters) {
        painter.save();
        painter.setClipRect(0, 0, ToolbarImageSize, ToolbarImageSize);
        paint(painter);
        painter.restore();
        painter.translate(ToolbarImageSize, 0);
    }
    return strip;
}

QImage applicationIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Drawn on a 64-pixel grid, scaled to whatever size the desktop asks for.
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient fill(0, 0, 0, 64);
    fill.setColorAt(0, QColor(40, 110, 220));
    fill.setColorAt(1, QColor(20, 60, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setPen(Qt::white);
    p.setFont(boldFont(17));
    p.drawText(QRectF(2, 2, 60, 60), Qt::AlignCenter, QStringLiteral("DOXA"));
    return image;
}

namespace {

// Draws the icon at all its sizes the first time any of them is wanted. A desktop that takes the
// icon from the menu entry never asks, and drawing eight sizes of it was a good part of the time
// the main window took to appear.
class ApplicationIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        drawn().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return drawn().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn().actualSize(size, mode, state);
    }
    // The sizes are known without drawing them: every size was drawn for the normal, off state.
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off)
            for (int size : ApplicationIconSizes) sizes.append(QSize(size, size));
        return sizes;
    }
    QString key() const override { return QStringLiteral("doxa-application"); }
    QIconEngine* clone() const override { return new ApplicationIconEngine; }

private:
    const QIcon& drawn() {
        if (drawn_.isNull())
            for (int size : ApplicationIconSizes)
                drawn_.addPixmap(QPixmap::fromImage(applicationIconImage(size)));
        return drawn_;
    }

    QIcon drawn_;
};

}  // namespace

QIcon applicationIcon() { return QIcon(new ApplicationIconEngine); }

}  // namespace doxa
