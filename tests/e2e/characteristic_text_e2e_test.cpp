// The user characteristic and the free text go into doxa-sim on a pseudo-terminal through the
// real serial line and the real dialog window, and come back out of it unchanged.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "host/dialog_host.h"
#include "programming/characteristic_dlg.h"
#include "programming/text_dlg.h"
#include "support/sim_on_pty.h"

namespace doxa {
namespace {

constexpr int Patience = 20'000;

QString shown(DialogHost& host, int id) {
    if (auto* label = qobject_cast<QLabel*>(host.control(id))) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(host.control(id))) return edit->text();
    return QStringLiteral("<no c%1>").arg(id);
}

void press(DialogHost& host, int id) {
    auto* button = qobject_cast<QAbstractButton*>(host.control(id));
    ASSERT_NE(button, nullptr) << "c" << id;
    button->click();
}

bool waitForText(DialogHost& host, int id, const QString& text) {
    return QTest::qWaitFor([&] { return shown(host, id) == text; }, Patience);
}

// Runs the dialog in its window while `script` plays the technician.
void runWith(DialogLogic& logic, const std::function<void(DialogHost&)>& script) {
    DialogHost host(logic, nullptr);
    QTimer::singleShot(0, &host, [&] {
        script(host);
        host.end(ResultOk);
    });
    host.run();
}

class CharacteristicAndTextOnPty : public ::testing::Test {
protected:
    test::SimOnPty pty{{"--model", "DOXA-21-U"}};
    Station& station = pty.station;
};

TEST_F(CharacteristicAndTextOnPty, CharacteristicWrittenClearedAndReadBack) {
    ASSERT_TRUE(pty.linked());
    station.device.modelName = "DOXA-21-U";
    Characteristic& table = station.characteristic;
    table.characteristicCount = 3;
    table.x(0) = -1.5F;
    table.x(1) = 20.25F;
    table.x(2) = 300;
    table.y(0) = 0.5F;
    table.y(1) = 7;
    table.y(2) = -12.125F;
    const Characteristic written = table;

    CCharacteristicDlg dialog(station);
    runWith(dialog, [&](DialogHost& host) {
        press(host, CCharacteristicDlg::Send);
        ASSERT_TRUE(waitForText(host, CCharacteristicDlg::StepText, "Koniec zapisu"));
        press(host, CCharacteristicDlg::Clear);
        EXPECT_EQ(shown(host, 150), "0.0");
        press(host, CCharacteristicDlg::Read);
        ASSERT_TRUE(waitForText(host, CCharacteristicDlg::StepText, "Koniec odczytu"));
        EXPECT_EQ(shown(host, 150), "-1.500");
        EXPECT_EQ(shown(host, 172), "-12.125");
        EXPECT_EQ(shown(host, CCharacteristicDlg::CountEdit), "3");
    });
    EXPECT_EQ(table.characteristicCount, 3);
    EXPECT_EQ(table.characteristicTable, written.characteristicTable);
}

TEST_F(CharacteristicAndTextOnPty, TextWrittenAndReadBackInCodePage1250) {
    ASSERT_TRUE(pty.linked());
    const QString text = QStringLiteral("Kocioł nr 2 – zażółć");
    {
        CTextDlg dialog(station);
        runWith(dialog, [&](DialogHost& host) {
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return !shown(host, CTextDlg::Text).isEmpty(); }, Patience))
                << "the simulator's own text is read first";
            auto* edit = qobject_cast<QLineEdit*>(host.control(CTextDlg::Text));
            ASSERT_NE(edit, nullptr);
            edit->setText(text);
            press(host, CTextDlg::Send);
            ASSERT_TRUE(waitForText(host, CTextDlg::Progress, "Tekst został zapisany"));
        });
    }
    CTextDlg again(station);
    runWith(again, [&](DialogHost& host) { EXPECT_TRUE(waitForText(host, CTextDlg::Text, text)); });
}

}  // namespace
}  // namespace doxa
