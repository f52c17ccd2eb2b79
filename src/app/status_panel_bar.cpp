#include "app/status_panel_bar.h"

#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>

#include "host/dialog_host.h"
#include "ui_status_panel_bar.h"

namespace doxa {

StatusPanelBar::StatusPanelBar(StatusPanel& panel, QWidget* parent)
    : QScrollArea(parent), panel_(panel) {
    auto* content = new QWidget;
    Ui::StatusPanelBar form;
    form.setupUi(content);
    for (QGroupBox* group : content->findChildren<QGroupBox*>())
        group->setTitle(shownQText(group->title().toStdString()));
    for (int id = StatusPanel::FirstField; id <= StatusPanel::LastField; ++id)
        fields_[std::size_t(id - StatusPanel::FirstField)] =
            content->findChild<QLabel*>(QStringLiteral("c%1").arg(id));
    setObjectName(QStringLiteral("c%1").arg(Resource));
    setWidget(content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(content->sizeHint().width() + verticalScrollBar()->sizeHint().width());
    // The small main window leaves the panel only a few pixels; it scrolls instead.
    setMinimumHeight(1);
    panel_.onChange = [this] { showTexts(); };
    showTexts();
}

StatusPanelBar::~StatusPanelBar() { panel_.onChange = nullptr; }

QLabel* StatusPanelBar::field(int id) const {
    if (id < StatusPanel::FirstField || id > StatusPanel::LastField) return nullptr;
    return fields_[std::size_t(id - StatusPanel::FirstField)];
}

void StatusPanelBar::showTexts() {
    for (int id = StatusPanel::FirstField; id <= StatusPanel::LastField; ++id)
        if (QLabel* label = field(id)) label->setText(shownQText(panel_.text(id)));
}

}  // namespace doxa
