#include "support/gui/start_up_driver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "app/application.h"
#include "host/dialog_host.h"

namespace doxa::test {

namespace {
constexpr int ProgressText = 143;
constexpr int TitleKey = 0;
}  // namespace

std::map<int, std::string> startUpUntilIdentified(Application& application,
                                                  std::initializer_list<int> fields) {
    std::map<int, std::string> shown;
    QTimer technician;
    QObject::connect(&technician, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<DialogHost*>(QApplication::activeModalWidget());
        if (!dialog || dialog->text(ProgressText) != "Koniec") return;
        shown[TitleKey] = dialog->windowTitle().toStdString();
        for (int id : fields) shown[id] = dialog->text(id);
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
    // Start-up runs the identification dialog modally; the timers above act inside it.
    application.startUp();
    return shown;
}

}  // namespace doxa::test
