#pragma once

#include <QAbstractScrollArea>

#include "views/traffic_view.h"

namespace doxa {

class Station;

// The traffic log pane (CWykres): every request and answer since the log was last reset, one
// line each, drawn only with master access. With master access its context menu copies the
// visible lines or saves the log with the time of every record.
class TrafficLogPane : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TrafficLogPane(Station& station, QWidget* parent = nullptr);
    ~TrafficLogPane() override;

    // The lines now in view, as "Kopiuj" puts them on the clipboard.
    QString visibleText() const;
    const TrafficJournal& journal() const { return journal_; }
    // Writes the journal to `path`; false when the file cannot be written.
    bool saveLog(const QString& path) const;

    // The splitter may close the pane completely, and the small start window must stay small.
    QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void updateScrollBars();
    void logChanged();
    void askAndSave();
    int lineHeight() const;

    Station& station_;
    TrafficJournal journal_;
};

}  // namespace doxa
