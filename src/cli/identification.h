#pragma once

#include <ostream>
#include <string>

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

// The same fields for scripts, as the members of a JSON object: numbers as numbers with their
// units under keys of their own, ids that no language of the program changes, and null for
// what the transmitter did not tell or sent as no number.
std::string identificationValuesJson(const ConsoleWindow& window, const Session& session);

}  // namespace doxa::cli
