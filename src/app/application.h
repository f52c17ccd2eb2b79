#pragma once

namespace doxa {

class Station;
class Shell;

// The application's commands, free of any widget: start-up, the menu and toolbar commands with
// their preconditions, and the release of the port at exit. The main frame forwards every
// command here and asks here for enabled states and check marks when a menu opens.
class Application {
public:
    Application(Station& station, Shell& shell);

    // Everything start-up does after the main window exists, ending with "Inicjalizacja".
    void startUp();
    void onCommand(int commandId);
    bool isEnabled(int commandId) const;
    bool isChecked(int commandId) const;
    // The main window is closing: the port is released.
    void shutDown();

private:
    Station& station_;
    Shell& shell_;
};

}  // namespace doxa
