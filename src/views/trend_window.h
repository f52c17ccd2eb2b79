#pragma once

#include <QWidget>
#include <cstdint>

#include "transmitter/live_trend.h"

class QPushButton;

namespace doxa {

class SettingsStore;

// The painted plot: the three series of the last ten minutes up to `end`, each on its own axis
// in its own colour, with a gap wherever a value is missing.
class TrendPlot : public QWidget {
public:
    TrendPlot(const TrendRecording& recording, QWidget* parent);

    void setEnd(std::int64_t endMs) { endMs_ = endMs; }
    QSize sizeHint() const override { return {720, 360}; }
    QSize minimumSizeHint() const override { return {360, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TrendRecording& recording_;
    std::int64_t endMs_ = 0;
};

// "Wykres": opened from the live display, beside it, and fed by it once per polling cycle.
// It keeps recording while it is paused or hidden; closing it only hides it, so that "Wykres"
// brings back the same plot with everything recorded meanwhile. When the live display closes
// while the plot is open and holds cycles, the plot stays open on its own, so that nothing
// recorded is lost before it could be saved. It opens where the technician last left it, in this
// run or an earlier one, and saves its CSV files in the folder last chosen for exports.
class TrendWindow : public QWidget, public LiveValuesObserver {
    Q_OBJECT

public:
    TrendWindow(QWidget* owner, SettingsStore& settings);
    ~TrendWindow() override;

    void onLiveCycle(const LiveCycle& cycle) override;
    // A cycle measured at `timeMs` (milliseconds since the epoch).
    void addCycle(std::int64_t timeMs, const LiveCycle& cycle);
    // Shows the window where it was last left, or else at the right of `dialog`, as far as the
    // screen allows.
    void showBeside(const QWidget& dialog);

    // Writes the whole recording; false with `error` telling why.
    bool saveCsv(const QString& path, QString& error) const;
    bool isPaused() const { return paused_; }
    const TrendRecording& recording() const { return recording_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    void togglePause();
    void chooseCsvFile();

private:
    // The owner is going away: the plot becomes a window of the owner's parent.
    void outliveOwner();

    SettingsStore& settings_;
    TrendRecording recording_;
    TrendPlot* plot_;
    QPushButton* pause_;
    bool paused_ = false;
};

}  // namespace doxa
