#pragma once

#include <QAbstractScrollArea>

namespace doxa {

class Station;

// The main view (CDoxaView): the last memory dump as a colour-coded 16 x 16 grid with the
// listing that decodes it, on a 640 x 480 scrolled surface.
class MainView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit MainView(Station& station, QWidget* parent = nullptr);

    static constexpr int SurfaceWidth = 640;
    static constexpr int SurfaceHeight = 480;

    // The splitter may close the pane completely, and the small start window must stay small.
    QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateScrollBars();

    Station& station_;
};

// The screen font of both views: a sans-serif face with 12-pixel characters.
QFont viewFont();

}  // namespace doxa
