#include "cli/console.h"

namespace doxa::cli {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

void Console::error(std::string_view line) {
    endProgress();
    err_ << "doxa-cli: " << trimmed(line) << '\n' << std::flush;
}

void Console::progress(std::string_view text) {
    text = trimmed(text);
    if (!terminal_ || text.empty() || text == lastProgress_) return;
    lastProgress_ = text;
    err_ << "\r\033[K" << text << std::flush;
    progressShown_ = true;
}

void Console::endProgress() {
    if (!progressShown_) return;
    err_ << "\r\033[K" << std::flush;
    progressShown_ = false;
    lastProgress_.clear();
}

}  // namespace doxa::cli
