// The simulator on a pseudo-terminal ends while the live display polls it and is started again
// on the same link: the display tells the technician, lets the dead port go, and carries on by
// itself once the transmitter is back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <vector>
#include <string>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "host/dialog_host.h"
#include "sim/line_factory.h"
#include "app/main_frame.h"
#include "support/sim_process.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

enum : int { PrimaryValue = 101, LineErrorText = 131 };

// A number, not the layout's dots nor the blank of missed answers.
bool showsValue(const std::string& text) {
    return text.find_first_of("0123456789") != std::string::npos;
}

TEST(VanishingPort, LiveDisplayCarriesOnWhenTheSimulatorIsBack) {
    test::TempFolder folder;
    const auto link = folder.path() / "tty";
    const std::vector<std::string> args{"--model", "DOXA-22", "--link", link.string()};
    auto sim = std::make_unique<test::SimProcess>(args);
    ASSERT_TRUE(test::waitForLink(link));

    MemorySettingsStore store;
    store.writeInt("COM", "COM", 2);
    store.writeText("Porty", "COM3", link.string());
    Station station(store);
    station.link.portNumber = 2;
    station.makeLine = makeLineFactory(store);
    std::vector<std::string> messages;
    station.showMessage = [&](std::string_view text) { messages.emplace_back(text); };
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    frame.show();

    enum class Step { Polling, Ended, Restarted, Done } step = Step::Polling;
    bool sawPortError = false;
    QTimer technician;
    QObject::connect(&technician, &QTimer::timeout, [&] {
        // "Sprawdź połączenie z przetwornikiem" may come while the simulator is away.
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->accept();
            return;
        }
        auto* dialog = qobject_cast<DialogHost*>(QApplication::activeModalWidget());
        if (!dialog) return;
        sawPortError = sawPortError || dialog->text(LineErrorText) == "Error CE_IOE";
        const std::string value = dialog->text(PrimaryValue);
        switch (step) {
            case Step::Polling:
                if (!showsValue(value)) return;
                EXPECT_EQ(sim->stop(), 0);
                step = Step::Ended;
                break;
            case Step::Ended:
                // Restarted once the dead port is let go and the value has been blanked.
                if (station.link.portOpen != 0 || showsValue(value)) return;
                sim = std::make_unique<test::SimProcess>(args);
                EXPECT_TRUE(test::waitForLink(link));
                step = Step::Restarted;
                break;
            case Step::Restarted:
                if (!showsValue(value)) return;
                step = Step::Done;
                qobject_cast<QPushButton*>(dialog->control(ResultOk))->click();
                break;
            case Step::Done:
                break;
        }
    });
    technician.start(20);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the display did not come back in time";
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    deadline.start(40000);
    application.onCommand(CmdDisplay);

    EXPECT_EQ(step, Step::Done);
    EXPECT_TRUE(sawPortError);
    EXPECT_EQ(station.link.portOpen, 1);
    EXPECT_TRUE(messages.empty());
    frame.close();
    EXPECT_EQ(sim->stop(), 0);
}

// The simulator ends while a programming sequence writes: the sequence neither hangs nor claims
// success, the technician sees why, and "Wyślij" programs the transmitter once it is back.
TEST(VanishingPort, ProgrammingSaysNotSavedAndSavesOnceTheSimulatorIsBack) {
    enum : int { SendButton = 132, CloseButton = 2, StepText = 142, ReplyText = 143 };
    test::TempFolder folder;
    const auto link = folder.path() / "tty";
    const std::vector<std::string> args{"--model", "DOXA-22", "--link", link.string()};
    auto sim = std::make_unique<test::SimProcess>(args);
    ASSERT_TRUE(test::waitForLink(link));

    MemorySettingsStore store;
    store.writeInt("COM", "COM", 2);
    store.writeText("Porty", "COM3", link.string());
    store.writeInt("BAUD", "BAUD", 3);
    Station station(store);
    station.link.portNumber = 2;
    station.makeLine = makeLineFactory(store);
    std::vector<std::string> messages;
    station.showMessage = [&](std::string_view text) { messages.emplace_back(text); };
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    frame.show();

    enum class Step { Identifying, Writing, Failed, Restarted, Done } step = Step::Identifying;
    std::vector<std::string> boxes;
    bool sawPortError = false;
    const auto ended = [&] { return !boxes.empty() && boxes.back().starts_with("Dane"); };
    QTimer technician;
    QObject::connect(&technician, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes.push_back(box->text().toStdString());
            box->accept();
            return;
        }
        auto* dialog = qobject_cast<DialogHost*>(QApplication::activeModalWidget());
        if (!dialog) return;
        sawPortError = sawPortError || dialog->text(ReplyText) == "Error CE_IOE";
        const auto press = [&](int id) { qobject_cast<QPushButton*>(dialog->control(id))->click(); };
        switch (step) {
            case Step::Identifying:
                if (dialog->text(StepText) != "Przetwornik rozpoznany") return;
                boxes.clear();
                press(SendButton);
                EXPECT_EQ(sim->stop(), 0);
                step = Step::Writing;
                break;
            case Step::Writing:
                if (!ended()) return;
                EXPECT_EQ(boxes.back(), "Dane nie zostały zapisane prawidłowo");
                sim = std::make_unique<test::SimProcess>(args);
                EXPECT_TRUE(test::waitForLink(link));
                step = Step::Failed;
                break;
            case Step::Failed:
                boxes.clear();
                press(SendButton);
                step = Step::Restarted;
                break;
            case Step::Restarted:
                if (!ended()) return;
                EXPECT_EQ(boxes.back(), "Dane zostały zapisane");
                step = Step::Done;
                press(CloseButton);
                break;
            case Step::Done:
                break;
        }
    });
    technician.start(20);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the programming did not come to an end in time";
        while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    deadline.start(60000);
    application.onCommand(CmdProgram);

    EXPECT_EQ(step, Step::Done);
    EXPECT_TRUE(sawPortError);
    EXPECT_TRUE(messages.empty());
    frame.close();
    EXPECT_EQ(sim->stop(), 0);
}

}  // namespace
}  // namespace doxa
