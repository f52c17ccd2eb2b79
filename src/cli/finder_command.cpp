#include <string>

#include "cli/commands.h"
#include "cli/console_window.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "link/screen_text.h"
#include "settings/shown_language.h"
#include "service/finder_dlg.h"
#include "transmitter/code_tables.h"

namespace doxa::cli {

int runFinder(const Invocation& invocation, Session& session, std::ostream& out) {
    using Dlg = CFinderDlg;
    ConsoleLoop& loop = session.loop();
    ConsoleWindow window(loop, session.console());
    window.showProgressOf({Dlg::ProgressText});
    std::string refused;
    window.answerBox = [&refused](std::string_view text, BoxButtons buttons) {
        // Whether to take over a found transmitter's settings is a question for doxa-win; here
        // the list is the answer.
        if (buttons == BoxButtons::OkCancel) return Answer::Cancel;
        refused = text;
        return Answer::Ok;
    };
    // The sweep is bounded by its own range; only Ctrl-C ends it early.
    loop.setDeadline(std::nullopt);
    bool started = false;
    Dlg dialog(session.station());
    const ConsoleWindow::End end = window.run(dialog, [&] {
        if (started) return !dialog.searching();
        started = true;
        if (invocation.from) window.setText(Dlg::AddressFrom, std::to_string(*invocation.from));
        if (invocation.to) window.setText(Dlg::AddressTo, std::to_string(*invocation.to));
        window.click(Dlg::SearchStop);
        return false;
    });

    Console& console = session.console();
    if (!refused.empty()) {
        console.error(refused);
        return ExitBadInput;
    }
    if (window.text(Dlg::ProgressText) == PortFailedText) {
        console.error(session.portFailure());
        return ExitPortFailed;
    }
    for (const std::string& found : window.items(Dlg::Results)) out << shownText(found) << '\n';
    out.flush();
    if (end == ConsoleWindow::End::Interrupted) {
        console.error(UI_TEXT("przerwano"));
        return ExitInterrupted;
    }
    if (window.items(Dlg::Results).empty()) {
        console.error(window.text(Dlg::SummaryText));
        return ExitNoAnswer;
    }
    return ExitOk;
}

}  // namespace doxa::cli
