#pragma once

#include <QScrollArea>
#include <array>

#include "link/status_panel.h"

class QLabel;

namespace doxa {

// The status panel docked at the main window's left edge: the fields of "Błędy kom." and
// "Status", repainted whenever the status decoder changes their texts. It scrolls rather than
// forcing its height on the small main window.
class StatusPanelBar : public QScrollArea {
    Q_OBJECT

public:
    static constexpr int Resource = 122;

    StatusPanelBar(StatusPanel& panel, QWidget* parent);
    ~StatusPanelBar() override;

    // The label of field 149..158.
    QLabel* field(int id) const;

private:
    void showTexts();

    StatusPanel& panel_;
    std::array<QLabel*, StatusPanel::LastField - StatusPanel::FirstField + 1> fields_{};
};

}  // namespace doxa
