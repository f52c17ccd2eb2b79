#include "cli/console.h"

#include <string>

#include "dialog/visible_text.h"
#include "settings/shown_language.h"

namespace doxa::cli {

namespace {

// Errors quote paths, files and what a database or a device holds: none of it may drive the
// terminal. The message's own line breaks stay.
std::string visibleLines(std::string_view text) {
    std::string shown;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        shown += visibleText(text.substr(start, end - start));
        if (end == std::string_view::npos) return shown;
        shown += '\n';
        start = end + 1;
    }
}

}  // namespace

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string shownTrimmed(std::string_view text) {
    std::string shown = shownText(text);
    if (shown == text) shown = shownText(trimmed(text));
    return std::string(trimmed(shown));
}

void Console::error(std::string_view line) {
    endProgress();
    err_ << "doxa-cli: " << visibleLines(shownTrimmed(line)) << '\n' << std::flush;
}

void Console::error(std::string_view subject, std::string_view line) {
    endProgress();
    err_ << "doxa-cli: " << visibleLines(subject) << ": " << visibleLines(shownTrimmed(line)) << '\n'
         << std::flush;
}

void Console::note(std::string_view line) {
    endProgress();
    err_ << visibleLines(shownText(line)) << '\n' << std::flush;
}

void Console::prompt(std::string_view question) {
    endProgress();
    err_ << "doxa-cli: " << visibleLines(shownTrimmed(question)) << ":\n" << std::flush;
}

void Console::progress(std::string_view text) {
    text = trimmed(text);
    if (!terminal_ || text.empty() || text == lastProgress_) return;
    lastProgress_ = text;
    err_ << "\r\033[K" << shownTrimmed(text) << std::flush;
    progressShown_ = true;
}

void Console::endProgress() {
    if (!progressShown_) return;
    err_ << "\r\033[K" << std::flush;
    progressShown_ = false;
    lastProgress_.clear();
}

}  // namespace doxa::cli
