#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "host/dialog_host.h"
#include "programming/characteristic_dlg.h"
#include "support/sim_station.h"

namespace doxa {
namespace {

using Dlg = CCharacteristicDlg;

void runWith(Dlg& logic, const std::function<void(DialogHost&)>& script) {
    DialogHost host(logic, nullptr);
    QTimer::singleShot(0, &host, [&] {
        script(host);
        host.end(ResultOk);
    });
    QTimer::singleShot(10000, &host, [&] {
        ADD_FAILURE() << "the dialog was left open";
        host.end(-1);
    });
    host.run();
}

QString shown(DialogHost& host, int id) {
    auto* label = qobject_cast<QLabel*>(host.control(id));
    return label ? label->text() : QStringLiteral("<no c%1>").arg(id);
}

// The logic finds a row by where the dialog was clicked, so the layout must put each row
// where the logic expects it: a click on any value of a row selects that row's point.
TEST(CharacteristicLayout, AClickOnARowsValuesSelectsItsPoint) {
    test::SimStation sim;
    for (int i = 0; i < 32; ++i) sim.station.characteristic.y(i) = static_cast<float>(i + 1);
    Dlg logic(sim.station);
    runWith(logic, [&](DialogHost& host) {
        for (int id :
             {+Dlg::XEdit, +Dlg::YEdit, +Dlg::CountEdit, +Dlg::ScrollBar, +Dlg::Send, +Dlg::Read,
              +Dlg::Clear, +Dlg::Close, +Dlg::StepText, +Dlg::ReplyText, +Dlg::SelectedNumber})
            EXPECT_NE(host.control(id), nullptr) << "c" << id;
        for (int row = 0; row < Dlg::VisibleRows; ++row) {
            const auto r = static_cast<std::size_t>(row);
            for (int id : {Dlg::XColumn[r], Dlg::YColumn[r]}) {
                QWidget* cell = host.control(id);
                ASSERT_NE(cell, nullptr) << "c" << id;
                QTest::mouseClick(cell, Qt::LeftButton, {}, cell->rect().center());
                EXPECT_EQ(shown(host, Dlg::SelectedNumber), QString::number(row + 1)) << "c" << id;
            }
            EXPECT_EQ(shown(host, Dlg::RowNumbers[r]), QString::number(row + 1));
        }
        auto* bar = qobject_cast<QScrollBar*>(host.control(Dlg::ScrollBar));
        ASSERT_NE(bar, nullptr);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(shown(host, Dlg::RowNumbers[0]), "6");
        EXPECT_EQ(shown(host, Dlg::YColumn[0]), "6.00");
        QWidget* last = host.control(Dlg::XColumn[9]);
        QTest::mouseClick(last, Qt::LeftButton, {}, last->rect().center());
        EXPECT_EQ(shown(host, Dlg::SelectedNumber), "15");
    });
}

}  // namespace
}  // namespace doxa
