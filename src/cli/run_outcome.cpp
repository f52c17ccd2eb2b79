#include "cli/run_outcome.h"

#include "cli/exit_codes.h"
#include "cli/session.h"

namespace doxa::cli {

int reportFailure(ConsoleWindow::End end, Session& session, int timeoutSeconds,
                  const std::string& detail) {
    Console& console = session.console();
    if (session.station().link.portOpen == 0) {
        console.error(session.portFailure());
        return ExitPortFailed;
    }
    if (end == ConsoleWindow::End::Interrupted) {
        console.error("interrupted");
        return ExitInterrupted;
    }
    console.error("no answer from " + session.describe() + " within " +
                  std::to_string(timeoutSeconds) + " s" + detail);
    return ExitNoAnswer;
}

}  // namespace doxa::cli
