#pragma once

#include <string>

#include "cli/console_window.h"

namespace doxa::cli {

class Session;

// Tells on standard error why a dialog ended before the command had what it needed, and gives
// the exit status for it.
int reportFailure(ConsoleWindow::End end, Session& session, int timeoutSeconds,
                  const std::string& detail = {});

}  // namespace doxa::cli
