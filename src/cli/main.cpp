// doxa-cli: identification and live values of one transmitter from the command line, through
// the dialogs' own logic in a console window.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "cli/watched_thread.h"
#include "link/screen_text.h"

namespace doxa::cli {
namespace {

int usageError(Console& console, const std::string& message, std::string_view command) {
    console.error(message);
    const std::string help = "doxa-cli " + std::string(command) + (command.empty() ? "" : " ") + "--help";
    console.note(formatText(UI_TEXT("Zobacz '%1'."), {help}));
    return ExitBadInput;
}

int runDoxaCli(int argc, char** argv) {
    // Stop signals are taken by the timer wait, so an interrupted exchange still releases the
    // line; a closed pipe shows as a failed write instead of killing the program.
    blockStopSignals();
    std::signal(SIGPIPE, SIG_IGN);

    startDoxaWinLanguage();
    Console console(std::cerr, ::isatty(STDERR_FILENO) == 1);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) return usageError(console, UI_TEXT("nie podano polecenia"), "");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << programHelp();
        return ExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "doxa-cli " << DOXA_VERSION << '\n';
        return ExitOk;
    }
    const Command* command = findCommand(args[0]);
    if (!command) return usageError(console, formatText(UI_TEXT("nieznane polecenie '%1'"), {args[0]}), "");

    const ParsedInvocation parsed = parseInvocation(std::span(args).subspan(1), command->options,
                                                    command->operandCount);
    if (!parsed.error.empty()) return usageError(console, parsed.error, command->name);
    if (parsed.invocation.help) {
        std::cout << commandHelp(*command);
        return ExitOk;
    }

    if (command->runWithoutLine) return command->runWithoutLine(parsed.invocation, console, std::cout);

    RealTime time;
    std::string error;
    const auto session = Session::open(parsed.invocation.line, console, time, error);
    if (!session) return usageError(console, error, command->name);
    if (!session->keepHistory(parsed.invocation.database)) {
        console.error(UI_TEXT("przerwano"));
        return ExitInterrupted;
    }
    return session->exitStatus(command->run(parsed.invocation, *session, std::cout));
}

}  // namespace
}  // namespace doxa::cli

int main(int argc, char** argv) {
    const int status = doxa::cli::runDoxaCli(argc, argv);
    // A database wait a stop signal cut short is not waited for: the process ends without taking
    // the database libraries down under it.
    if (doxa::cli::WatchedThread::anyLeftRunning()) {
        std::cout.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
