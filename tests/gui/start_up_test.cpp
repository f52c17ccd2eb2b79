#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <map>
#include <string>

#include "app/application.h"
#include "app/dialog_host.h"
#include "app/line_factory.h"
#include "app/main_frame.h"
#include "sim/transmitter.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

enum : int { ModelText = 132, SerialText = 133, Progress = 143 };

// The program as the demo starts it: COM2 is the simulated DOXA-22 and the stored port is COM2.
TEST(StartUp, IdentifiesTheTransmitterOnTheDemoPortInTheRunningWindow) {
    MemorySettingsStore store;
    store.writeInt("COM", "COM", 1);
    store.writeText("Porty", "COM2", "sim:DOXA-22");
    store.writeInt("Polling_adres", "ADRES", 5);
    Station station(store);
    station.makeLine = makeLineFactory(store);
    MainFrame frame(station);
    std::vector<std::string> messages;
    station.showMessage = [&](std::string_view text) { messages.emplace_back(text); };
    Application application(station, frame);
    frame.attach(application);
    frame.show();

    // Start-up runs the identification dialog modally; the technician waits for "Koniec",
    // reads what it shows and closes it.
    std::map<int, std::string> shown;
    QString title;
    QTimer technician;
    QObject::connect(&technician, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<DialogHost*>(QApplication::activeModalWidget());
        if (!dialog || dialog->text(Progress) != "Koniec") return;
        title = dialog->windowTitle();
        for (int id : {ModelText, SerialText}) shown[id] = dialog->text(id);
        qobject_cast<QPushButton*>(dialog->control(ResultOk))->click();
    });
    technician.start(20);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        ADD_FAILURE() << "no \"Koniec\" in time";
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    deadline.start(30000);

    application.startUp();

    const sim::Transmitter reference(*sim::modelFromName("DOXA-22"));
    EXPECT_EQ(title, "Inicjalizacja");
    EXPECT_EQ(shown[ModelText], " DOXA-22");
    EXPECT_EQ(shown[SerialText], " " + std::to_string(reference.state().serialNumber));
    EXPECT_EQ(station.device.modelName, "DOXA-22");
    EXPECT_TRUE(messages.empty());
    // The address stored by an earlier run does not survive start-up.
    EXPECT_EQ(store.readInt("Polling_adres", "ADRES", -1), 0);
    EXPECT_EQ(station.link.portOpen, 1);

    frame.close();
    EXPECT_EQ(station.link.portOpen, 0);
}

}  // namespace
}  // namespace doxa
