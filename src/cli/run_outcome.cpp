#include "cli/run_outcome.h"

#include "cli/exit_codes.h"
#include "cli/session.h"
#include "link/screen_text.h"

namespace doxa::cli {

int reportFailure(ConsoleWindow::End end, Session& session, int timeoutSeconds,
                  const std::string& detail) {
    Console& console = session.console();
    if (session.station().link.portOpen == 0) {
        console.error(session.portFailure());
        return ExitPortFailed;
    }
    if (end == ConsoleWindow::End::Interrupted) {
        console.error(UI_TEXT("przerwano"));
        return ExitInterrupted;
    }
    console.error(formatText(UI_TEXT("brak odpowiedzi od %1 w ciągu %2 s%3"),
                             {session.describe(), std::to_string(timeoutSeconds), detail}));
    return ExitNoAnswer;
}

}  // namespace doxa::cli
