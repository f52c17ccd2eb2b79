#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_frame.h"
#include "support/sim_on_pty.h"

class QWidget;

namespace doxa::test {

// The program's main window shown, its station talking to doxa-sim on a pseudo-terminal.
class ProgramOnPty : public SimOnPty {
public:
    explicit ProgramOnPty(std::vector<std::string> simArgs,
                          std::initializer_list<StoredSetting> settings = {});

    // Runs one command and plays the technician: `act` sees the modal window every 20 ms until
    // it says the session is over. A command still running after `patienceMs` fails the test
    // and its windows are closed.
    void runCommand(int command, const std::function<bool(QWidget* modal)>& act, int patienceMs);

    MainFrame frame{station};
    Application application{station, frame};
};

}  // namespace doxa::test
