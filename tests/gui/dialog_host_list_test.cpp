// The entries of list boxes and drop-down lists, set by the logic and picked by the user.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "host/dialog_host.h"

namespace doxa {
namespace {

constexpr int ListLayout = 901;
enum : int { List = 101, Choice = 102 };

void buildListLayout(QDialog& dialog) {
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    list->setObjectName("c101");
    layout->addWidget(list);
    auto* choice = new QComboBox(&dialog);
    choice->setObjectName("c102");
    choice->addItems({"stary"});
    layout->addWidget(choice);
}

LayoutSetup listLayouts(int resource) { return resource == ListLayout ? buildListLayout : nullptr; }

class ListLogic : public DialogLogic {
public:
    int layout() const override { return ListLayout; }
    void onChange(int id) override { changes.push_back({id, window().selection(id)}); }
    DialogWindow& win() { return window(); }
    std::vector<std::pair<int, int>> changes;
};

TEST(DialogHostLists, TheLogicFillsThemAndHearsOnlyWhatTheUserPicks) {
    ListLogic logic;
    DialogHost host(logic, nullptr, listLayouts);
    QTimer::singleShot(0, &host, [&] {
        DialogWindow& w = logic.win();
        w.setItems(List, {"adres 5", "adres 7"});
        w.setItems(Choice, {"COM1", "COM2"});
        auto* list = qobject_cast<QListWidget*>(host.control(List));
        auto* choice = qobject_cast<QComboBox*>(host.control(Choice));
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(1)->text(), "adres 7");
        EXPECT_EQ(choice->count(), 2);
        EXPECT_EQ(w.selection(List), -1);
        EXPECT_EQ(w.selection(Choice), -1);

        w.setSelection(List, 1);
        EXPECT_EQ(w.selection(List), 1);
        w.setSelection(List, 5);
        EXPECT_EQ(w.selection(List), -1);
        EXPECT_TRUE(logic.changes.empty());

        const QRect row = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        EXPECT_EQ(logic.changes, (std::vector<std::pair<int, int>>{{List, 0}}));
        w.setItems(List, {});
        EXPECT_EQ(list->count(), 0);
        EXPECT_EQ(logic.changes.size(), 1u);
        host.end(ResultOk);
    });
    EXPECT_EQ(host.run(), ResultOk);
}

}  // namespace
}  // namespace doxa
