#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenuBar;
class QWidget;

namespace doxa {

// Builds the main window's menu bar. Every command item carries its command id as the action's
// data, shows its prompt in the status bar while highlighted and calls `run` with its id.
// The window gets the accelerators that have no menu item (F1, Shift+F1). Returns every
// command action, so that their states can be refreshed.
QList<QAction*> buildMainMenu(QMenuBar& bar, QWidget& window, const std::function<void(int)>& run);

// The menu text of a command without mnemonic and accelerator ("Wyświetlanie"); empty for an
// id the menu does not have.
QString commandName(int commandId);
// The status-bar prompt of a command; empty when it has none.
QString commandPrompt(int commandId);

}  // namespace doxa
