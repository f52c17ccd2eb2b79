#include "support/gui/program_on_pty.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

namespace doxa::test {

ProgramOnPty::ProgramOnPty(std::vector<std::string> simArgs,
                           std::initializer_list<StoredSetting> settings)
    : SimOnPty(std::move(simArgs), settings) {
    frame.attach(application);
    frame.show();
}

void ProgramOnPty::runCommand(int command, const std::function<bool(QWidget*)>& act,
                              int patienceMs) {
    bool over = false;
    QTimer technician;
    QObject::connect(&technician, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && !over) over = act(modal);
    });
    technician.start(20);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        ADD_FAILURE() << "command " << command << " did not finish in time";
        // A window that will not close stays for the next time round.
        for (int window = 0; window < 8; ++window)
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    deadline.start(patienceMs);
    application.onCommand(command);
}

}  // namespace doxa::test
