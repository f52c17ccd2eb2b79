// The main window keeps a forced output in sight, and closing it asks first.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/application.h"
#include "app/main_frame.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

TEST(ForcedOutputNotice, ShowsWhileTheOutputIsForcedAndClosingAsksFirst) {
    MemorySettingsStore store;
    Station station(store);
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    frame.show();
    EXPECT_FALSE(frame.forcedOutputNotice()->isVisible());

    station.outputForced = true;
    frame.attach(application);
    EXPECT_TRUE(frame.forcedOutputNotice()->isVisible());
    EXPECT_EQ(frame.forcedOutputNotice()->text().toStdString(), "UWAGA: wyjście wymuszone");

    // "Anuluj" keeps the program running; "Nie" lets it end without touching the output.
    QString question;
    int answered = 0;
    QTimer technician;
    QObject::connect(&technician, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        question = box->text();
        box->button(answered++ == 0 ? QMessageBox::Cancel : QMessageBox::No)->click();
    });
    technician.start(20);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(question.startsWith(QStringLiteral("Wyjście przetwornika jest nadal ustawione")));
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(answered, 2);
    EXPECT_TRUE(station.outputForced);
}

}  // namespace
}  // namespace doxa
