#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/cli_options.h"

namespace doxa::cli {

class Console;
class Session;

// One subcommand: what it takes and the dialog it runs. Each talks to one transmitter, except
// those that only read what the program keeps (runWithoutLine).
struct Command {
    std::string_view name;
    std::string_view summary;
    std::string_view operands;  // shown after the options in the usage line
    std::size_t operandCount;
    std::span<const Opt> options;
    std::string_view description;
    int (*run)(const Invocation& invocation, Session& session, std::ostream& out);
    int (*runWithoutLine)(const Invocation& invocation, Console& console, std::ostream& out);
};

std::span<const Command> commands();
const Command* findCommand(std::string_view name);

std::string programHelp();
std::string commandHelp(const Command& command);

int runIdentify(const Invocation& invocation, Session& session, std::ostream& out);
int runWatch(const Invocation& invocation, Session& session, std::ostream& out);
int runRead(const Invocation& invocation, Session& session, std::ostream& out);
int runWrite(const Invocation& invocation, Session& session, std::ostream& out);
int runFinder(const Invocation& invocation, Session& session, std::ostream& out);
int runHistory(const Invocation& invocation, Console& console, std::ostream& out);
int runPorts(const Invocation& invocation, Console& console, std::ostream& out);
int runInstruments(const Invocation& invocation, Console& console, std::ostream& out);
int runConvert(const Invocation& invocation, Console& console, std::ostream& out);

}  // namespace doxa::cli
