#pragma once

#include <ostream>

#include "cli/cli_options.h"

namespace doxa::cli {

class ConsoleWindow;
class Session;

// Runs the identification dialog ("Inicjalizacja") in `window` until it has read the whole
// configuration into the station's device record. ExitOk when it did; otherwise the failure has
// been told on standard error and its exit status is returned.
int identifyTransmitter(const Invocation& invocation, Session& session, ConsoleWindow& window);

// The fields the identification showed in `window`, one per line with the dialog's labels.
void printIdentification(const ConsoleWindow& window, const Session& session, std::ostream& out);

}  // namespace doxa::cli
