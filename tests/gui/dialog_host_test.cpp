#include "host/dialog_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "settings/shown_language.h"

namespace doxa {
namespace {

constexpr int TestLayout = 900;

enum : int {
    Send = 133,
    Address = 101,
    Caption = 102,
    Active = 103,
    First = 104,
    Second = 105,
    Speed = 106,
    Arrows = 107,
    Listing = 108,
    Group = 109,
};

template <typename Widget>
Widget* add(QLayout* layout, QWidget* parent, int id, const QString& text = {}) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QStringLiteral("c%1").arg(id));
    if constexpr (std::is_base_of_v<QAbstractButton, Widget> || std::is_same_v<Widget, QLabel>)
        widget->setText(text);
    layout->addWidget(widget);
    return widget;
}

// A layout with one control of every kind the host handles; "Wyślij" comes before "OK", so
// that Qt would pick it as the default button if the host let it.
void buildTestLayout(QDialog& dialog) {
    auto* layout = new QVBoxLayout(&dialog);
    add<QPushButton>(layout, &dialog, Send, "Wyślij");
    add<QLineEdit>(layout, &dialog, Address);
    add<QLabel>(layout, &dialog, Caption, ".....");
    add<QCheckBox>(layout, &dialog, Active, "aktywny");
    auto* group = add<QGroupBox>(layout, &dialog, Group);
    auto* groupLayout = new QVBoxLayout(group);
    add<QRadioButton>(groupLayout, group, First, "serwis");
    add<QRadioButton>(groupLayout, group, Second, "kalibracja");
    auto* speed = add<QComboBox>(layout, &dialog, Speed);
    speed->addItems({"1200", "4800", "9600"});
    add<QScrollBar>(layout, &dialog, Arrows);
    add<QPlainTextEdit>(layout, &dialog, Listing);
    add<QPushButton>(layout, &dialog, ResultOk, "OK");
    add<QPushButton>(layout, &dialog, ResultCancel, "Anuluj");
    auto* unnamed = new QLineEdit(&dialog);
    unnamed->setObjectName("c12x");
    layout->addWidget(unnamed);
}

LayoutSetup testLayouts(int resource) { return resource == TestLayout ? buildTestLayout : nullptr; }

// Writes down everything the host tells it, in order.
class RecordingLogic : public DialogLogic {
public:
    int layout() const override { return resource; }
    bool canCreate() const override { return creatable; }
    void onInit() override {
        events.push_back("init");
        if (endAtInit) window().end(endAtInit);
    }
    void onCommand(int id) override {
        events.push_back("command " + std::to_string(id));
        if (id == ResultCancel && refuseCancel) return;
        DialogLogic::onCommand(id);
    }
    void onChange(int id) override { events.push_back("change " + std::to_string(id)); }
    void onFocus(int id, bool gained) override {
        events.push_back("focus " + std::to_string(id) + (gained ? " in" : " out"));
    }
    void onScroll(int id, Scroll code) override {
        events.push_back("scroll " + std::to_string(id) + " " + std::to_string(int(code)));
    }
    void onMouseDown(int x, int y) override {
        events.push_back("mouse " + std::to_string(x) + "," + std::to_string(y));
    }
    void onTimer(int timer) override {
        ++ticks[timer];
        if (onTick) onTick(timer);
    }
    void onDestroy() override { ++destroyed; }

    DialogWindow& win() { return window(); }

    int resource = TestLayout;
    bool creatable = true;
    int endAtInit = 0;
    bool refuseCancel = false;
    std::function<void(int)> onTick;
    std::vector<std::string> events;
    std::map<int, int> ticks;
    int destroyed = 0;
};

// Runs the dialog modally while `script` plays the technician from inside its event loop.
int runScripted(RecordingLogic& logic, const std::function<void(DialogHost&)>& script,
                QWidget* parent = nullptr) {
    DialogHost host(logic, parent, testLayouts);
    QTimer::singleShot(0, &host, [&] { script(host); });
    QTimer::singleShot(10000, &host, [&] {
        ADD_FAILURE() << "the dialog was left open";
        host.end(-1);
    });
    return host.run();
}

template <typename Widget>
Widget* control(DialogHost& host, int id) {
    auto* widget = qobject_cast<Widget*>(host.control(id));
    EXPECT_NE(widget, nullptr) << "c" << id;
    return widget;
}

// Answers the message box that is about to open, after noting what it showed.
struct BoxSeen {
    QString title, text, cancelText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
void answerNextBox(BoxSeen& seen, QMessageBox::StandardButton answer) {
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        if (QAbstractButton* cancel = box->button(QMessageBox::Cancel)) seen.cancelText = cancel->text();
        box->button(answer)->click();
    });
}

TEST(DialogHost, ForwardsWhatTheUserDoesAndNothingTheLogicDoes) {
    RecordingLogic logic;
    const int result = runScripted(logic, [&](DialogHost& host) {
        DialogWindow& window = logic.win();
        window.setText(Address, "12");
        window.setSelection(Speed, 2);
        window.setText(Listing, "a");
        window.setChecked(Active, true);
        QTest::keyClicks(control<QLineEdit>(host, Address), "7");
        auto* active = control<QCheckBox>(host, Active);
        QTest::mouseClick(active, Qt::LeftButton, {}, QPoint(6, active->height() / 2));
        QTest::keyClick(control<QComboBox>(host, Speed), Qt::Key_Up);
        control<QPushButton>(host, Send)->click();
        auto* arrows = control<QScrollBar>(host, Arrows);
        arrows->triggerAction(QAbstractSlider::SliderSingleStepSub);
        arrows->triggerAction(QAbstractSlider::SliderSingleStepSub);
        arrows->triggerAction(QAbstractSlider::SliderPageStepAdd);
        // Return in an edit field means OK, not the first button of the layout.
        QTest::keyClick(control<QLineEdit>(host, Address), Qt::Key_Return);
    });
    EXPECT_EQ(result, ResultOk);
    EXPECT_EQ(logic.events, (std::vector<std::string>{
                                "init", "change 101", "command 103", "change 106", "command 133",
                                "scroll 107 0", "scroll 107 0", "scroll 107 3", "command 1"}));
    EXPECT_EQ(logic.destroyed, 1);
}

TEST(DialogHost, ShowsAndReadsBackWhatTheLogicSets) {
    RecordingLogic logic;
    runScripted(logic, [&](DialogHost& host) {
        DialogWindow& window = logic.win();
        window.setTitle("Inicjalizacja");
        EXPECT_EQ(host.windowTitle(), "Inicjalizacja");

        window.setText(Caption, "<b>Próg:</b>");
        EXPECT_EQ(window.text(Caption), "<b>Próg:</b>");
        EXPECT_EQ(control<QLabel>(host, Caption)->textFormat(), Qt::PlainText);
        window.setText(Group, "Konwersja");
        EXPECT_EQ(control<QGroupBox>(host, Group)->title(), "Konwersja");
        window.setText(Send, "Stop");
        EXPECT_EQ(window.text(Send), "Stop");
        window.setText(Listing, "TX: ff\r\nRX: 02");
        EXPECT_EQ(window.text(Listing), "TX: ff\nRX: 02");
        window.setText(Speed, "4800");
        EXPECT_EQ(window.selection(Speed), 1);

        window.setSelection(Speed, 2);
        EXPECT_EQ(window.text(Speed), "9600");
        window.setSelection(Speed, 7);
        EXPECT_EQ(window.selection(Speed), -1);

        window.setEnabled(Address, false);
        window.setReadOnly(Listing, true);
        window.setVisible(Caption, false);
        EXPECT_FALSE(host.control(Address)->isEnabled());
        EXPECT_TRUE(control<QPlainTextEdit>(host, Listing)->isReadOnly());
        EXPECT_TRUE(host.control(Caption)->isHidden());

        // Ids the layout lacks are ignored, and a name that is not c<number> binds nothing.
        window.setText(999, "x");
        EXPECT_EQ(window.text(999), "");
        EXPECT_EQ(host.control(12), nullptr);
        window.end(ResultCancel);
    });
}

// A read-only text box holds the program's own report and is shown in the language chosen; one
// the technician types in keeps what it is given. The logic reads back what it wrote.
TEST(DialogHost, InEnglishAReadOnlyTextBoxIsTranslatedAndATypedOneIsNot) {
    ASSERT_TRUE(startLanguage(Language::English));
    RecordingLogic logic;
    runScripted(logic, [&](DialogHost& host) {
        DialogWindow& window = logic.win();
        const std::string report = "Inicjalizacja portu \r\nKoniec wysyłania";
        window.setText(Listing, report);
        EXPECT_EQ(control<QPlainTextEdit>(host, Listing)->toPlainText().toStdString(),
                  "Inicjalizacja portu \nKoniec wysyłania");
        window.setReadOnly(Listing, true);
        window.setText(Listing, report);
        EXPECT_EQ(control<QPlainTextEdit>(host, Listing)->toPlainText().toStdString(),
                  "Opening port \nSending finished");
        EXPECT_EQ(window.text(Listing), "Inicjalizacja portu \nKoniec wysyłania");
        window.end(ResultCancel);
    });
    startLanguage(Language::Polish);
}

TEST(DialogHost, RadioButtonsCanAllBeCleared) {
    RecordingLogic logic;
    runScripted(logic, [&](DialogHost&) {
        DialogWindow& window = logic.win();
        window.setChecked(First, true);
        window.setChecked(Second, true);
        EXPECT_FALSE(window.isChecked(First));
        window.setChecked(Second, false);
        EXPECT_FALSE(window.isChecked(First));
        EXPECT_FALSE(window.isChecked(Second));
        window.setChecked(First, true);
        EXPECT_TRUE(window.isChecked(First));
        window.end(ResultOk);
    });
}

TEST(DialogHost, EscapeAndTheCloseBoxAskTheLogicWhichMayRefuse) {
    RecordingLogic logic;
    logic.refuseCancel = true;
    const int result = runScripted(logic, [&](DialogHost& host) {
        QTest::keyClick(&host, Qt::Key_Escape);
        host.close();
        EXPECT_TRUE(host.isVisible());
        logic.refuseCancel = false;
        host.close();
    });
    EXPECT_EQ(result, ResultCancel);
    EXPECT_EQ(logic.events,
              (std::vector<std::string>{"init", "command 2", "command 2", "command 2"}));
    EXPECT_EQ(logic.destroyed, 1);
}

TEST(DialogHost, TimersRepeatRestartAndStopWhenTheDialogEnds) {
    RecordingLogic logic;
    int ticksAtEnd = -1;
    logic.onTick = [&](int timer) {
        DialogWindow& window = logic.win();
        if (timer == 1 && logic.ticks[1] == 3) window.startTimer(1, 30);
        if (timer == 1 && logic.ticks[1] == 4) {
            window.startTimer(3, 1);
            window.end(ResultOk);
            ticksAtEnd = logic.ticks[1];
        }
    };
    const int result = runScripted(logic, [&](DialogHost&) {
        logic.win().startTimer(1, 5);
        logic.win().startTimer(2, 5);
        logic.win().stopTimer(2);
    });
    QTest::qWait(80);
    EXPECT_EQ(result, ResultOk);
    EXPECT_EQ(logic.ticks[1], ticksAtEnd);
    EXPECT_EQ(logic.ticks.count(2), 0u);
    EXPECT_EQ(logic.ticks.count(3), 0u);
    EXPECT_EQ(logic.destroyed, 1);
}

TEST(DialogHost, NoWaitEndsBeforeItsTime) {
    // Steps of an exchange: send, turn after replyWait, read 500 ms later, the next request.
    const std::vector<int> schedule{300, 500, 100, 250, 500, 300};
    RecordingLogic logic;
    QElapsedTimer clock;
    std::vector<qint64> waited;
    logic.onTick = [&](int) {
        waited.push_back(clock.nsecsElapsed());
        if (waited.size() == schedule.size()) {
            logic.win().end(ResultOk);
            return;
        }
        clock.restart();
        logic.win().startTimer(1, schedule[waited.size()]);
    };
    runScripted(logic, [&](DialogHost& host) {
        clock.start();
        logic.win().startTimer(1, schedule[0]);
        for (const QTimer* timer : host.findChildren<QTimer*>())
            EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
    });
    ASSERT_EQ(waited.size(), schedule.size());
    for (std::size_t i = 0; i < schedule.size(); ++i)
        EXPECT_GE(waited[i], qint64{schedule[i]} * 1000000) << "wait " << i;
}

TEST(DialogHost, ARefusedOrLayoutlessDialogShowsNothing) {
    RecordingLogic refused;
    refused.creatable = false;
    RecordingLogic layoutless;
    layoutless.resource = 1;
    for (RecordingLogic* logic : {&refused, &layoutless}) {
        DialogHost host(*logic, nullptr, testLayouts);
        EXPECT_EQ(host.run(), ResultCancel);
        EXPECT_TRUE(logic->events.empty());
        EXPECT_EQ(logic->destroyed, 0);
    }
}

TEST(DialogHost, ADialogEndedWhileItStartsIsNeverShown) {
    RecordingLogic logic;
    logic.endAtInit = 77;
    DialogHost host(logic, nullptr, testLayouts);
    bool shown = false;
    QTimer::singleShot(0, &host, [&] { shown = true; });
    EXPECT_EQ(host.run(), 77);
    EXPECT_FALSE(shown);
    EXPECT_EQ(logic.destroyed, 1);
}

TEST(DialogHost, FocusAndMousePressesReachTheLogic) {
    RecordingLogic logic;
    runScripted(logic, [&](DialogHost& host) {
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        host.control(Address)->setFocus();
        host.control(Listing)->setFocus();
        QWidget* caption = host.control(Caption);
        QTest::mouseClick(caption, Qt::LeftButton, {}, QPoint(3, 4));
        QTest::mousePress(host.control(Send), Qt::LeftButton);
        logic.events.push_back("at " + std::to_string(caption->x() + 3) + "," +
                               std::to_string(caption->y() + 4));
        logic.win().end(ResultOk);
    });
    const std::vector<std::string>& events = logic.events;
    const auto count = [&](const std::string& event) {
        return std::count(events.begin(), events.end(), event);
    };
    EXPECT_EQ(count("focus 101 in"), 1);
    EXPECT_EQ(count("focus 101 out"), 1);
    EXPECT_EQ(count("focus 108 in"), 1);
    // The press on the label reaches the dialog in its own coordinates; the one on the button
    // is the button's.
    const std::string labelPress = "mouse " + events.back().substr(3);
    EXPECT_EQ(count(labelPress), 1);
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const std::string& e) { return e.rfind("mouse", 0) == 0; }),
              1);
}

TEST(DialogHost, MessageBoxesAreTitledAndAnswered) {
    RecordingLogic logic;
    BoxSeen seen;
    Answer answer = Answer::Ok;
    runScripted(logic, [&](DialogHost&) {
        answerNextBox(seen, QMessageBox::Cancel);
        answer = logic.win().messageBox("UWAGA! Kalibracja", BoxIcon::Error, BoxButtons::OkCancel);
        logic.win().end(ResultOk);
    });
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(seen.title, "DOXA WIN");
    EXPECT_EQ(seen.text, "UWAGA! Kalibracja");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.cancelText, "Anuluj");
}

// In English the technician reads the translation of the layout's and the logic's texts, while the
// logic reads back its own Polish; what is typed or read from a device is never translated.
TEST(DialogHost, InEnglishShowsTheTranslationAndGivesTheLogicItsOwnTexts) {
    ASSERT_TRUE(startLanguage(Language::English));
    RecordingLogic logic;
    BoxSeen seen;
    runScripted(logic, [&](DialogHost& host) {
        DialogWindow& window = logic.win();
        EXPECT_EQ(control<QPushButton>(host, ResultCancel)->text(), "Cancel");
        EXPECT_EQ(window.text(ResultCancel), "Anuluj");
        window.setTitle("Anuluj");
        EXPECT_EQ(host.windowTitle(), "Cancel");
        window.setText(Caption, "Anuluj");
        EXPECT_EQ(control<QLabel>(host, Caption)->text(), "Cancel");
        EXPECT_EQ(window.text(Caption), "Anuluj");
        window.setText(Caption, "TT-101");
        EXPECT_EQ(window.text(Caption), "TT-101");

        window.setItems(Speed, {"x", "Anuluj"});
        EXPECT_EQ(control<QComboBox>(host, Speed)->itemText(1), "Cancel");
        window.setText(Speed, "Anuluj");
        EXPECT_EQ(window.selection(Speed), 1);
        EXPECT_EQ(window.text(Speed), "Anuluj");

        window.setText(Address, "Anuluj");
        EXPECT_EQ(control<QLineEdit>(host, Address)->text(), "Anuluj");
        window.setText(Listing, "Anuluj");
        EXPECT_EQ(control<QPlainTextEdit>(host, Listing)->toPlainText(), "Anuluj");

        answerNextBox(seen, QMessageBox::Ok);
        window.messageBox("Anuluj", BoxIcon::None, BoxButtons::OkCancel);
        window.end(ResultOk);
    });
    startLanguage(Language::Polish);
    EXPECT_EQ(seen.text, "Cancel");
    EXPECT_EQ(seen.cancelText, "Cancel");
    EXPECT_EQ(seen.title, "DOXA WIN");
}

// The box's own text stays as given; what explains it goes below, and an extra button answers
// for itself.
TEST(DialogHost, MessageBoxesShowTheirInformativeTextBelowAndTheirExtraButton) {
    RecordingLogic logic;
    QString text, informative, extraText;
    int buttons = 0;
    Answer plain = Answer::Cancel;
    Answer extra = Answer::Ok;
    runScripted(logic, [&](DialogHost&) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            informative = box->informativeText();
            buttons = static_cast<int>(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        plain = logic.win().messageBox("Error OpenComm ", BoxIcon::Information, BoxButtons::Ok,
                                       {"Port COM3 (/dev/ttyUSB0) nie został otwarty.", {}});
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == QMessageBox::ActionRole) {
                    extraText = button->text();
                    button->click();
                }
        });
        extra = logic.win().messageBox("Zmień port szeregowy ", BoxIcon::Information,
                                       BoxButtons::Ok, {{}, "Ustawienia portu…"});
        logic.win().end(ResultOk);
    });
    EXPECT_EQ(plain, Answer::Ok);
    EXPECT_EQ(text, "Error OpenComm ");
    EXPECT_EQ(informative, QString::fromUtf8("Port COM3 (/dev/ttyUSB0) nie został otwarty."));
    EXPECT_EQ(buttons, 1) << "OK alone without an extra button";
    EXPECT_EQ(extra, Answer::Extra);
    EXPECT_EQ(extraText, QString::fromUtf8("Ustawienia portu…"));
}

TEST(DialogHost, ChildDialogsRunModallyOverTheirParent) {
    RecordingLogic parent;
    RecordingLogic child;
    child.onTick = [&](int) { child.win().end(5); };
    int childResult = 0;
    runScripted(parent, [&](DialogHost& host) {
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(QApplication::activeModalWidget()->parentWidget(), &host);
            child.win().startTimer(1, 1);
        });
        childResult = parent.win().runChild(child);
        parent.win().end(ResultOk);
    });
    EXPECT_EQ(childResult, 5);
    EXPECT_EQ(child.destroyed, 1);
    EXPECT_EQ(parent.destroyed, 1);
}

}  // namespace
}  // namespace doxa
