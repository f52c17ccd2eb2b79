#include "dialog/text_translation.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "link/screen_text.h"

namespace doxa {

namespace {

bool isPlaceholder(std::string_view text, std::size_t at) {
    return text[at] == '%' && at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9';
}

using Captures = std::array<std::optional<std::string_view>, 9>;

// Matches `text` from `at` against the pattern's literals from `index` on; each placeholder takes
// the shortest stretch that lets the rest match, and one that appears twice must take the same.
bool matches(std::string_view text, std::size_t at, const std::vector<std::string>& literals,
             const std::vector<int>& placeholders, std::size_t index, Captures& captures) {
    if (index == placeholders.size()) return at == text.size();
    const std::string& next = literals[index + 1];
    auto& capture = captures[std::size_t(placeholders[index] - 1)];
    for (std::size_t end = text.find(next, at); end != std::string_view::npos;
         end = text.find(next, end + 1)) {
        const std::string_view value = text.substr(at, end - at);
        if (capture && *capture != value) continue;
        const auto before = capture;
        capture = value;
        if (matches(text, end + next.size(), literals, placeholders, index + 1, captures))
            return true;
        capture = before;
    }
    return false;
}

}  // namespace

TextTranslation::TextTranslation(Lookup lookup, const std::vector<std::string>& patterns)
    : lookup_(std::move(lookup)) {
    for (const std::string& source : patterns)
        if (auto pattern = parsed(source)) patterns_.push_back(std::move(*pattern));
    std::stable_sort(patterns_.begin(), patterns_.end(), [](const Pattern& a, const Pattern& b) {
        return a.literalLength > b.literalLength;
    });
}

// A pattern with no letter outside its placeholders ("%1 %2", "%1: %2") would match almost any
// text and take a device's own text apart; it is not one.
std::optional<TextTranslation::Pattern> TextTranslation::parsed(const std::string& source) {
    Pattern pattern{source, {""}, {}, 0};
    bool hasWord = false;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (isPlaceholder(source, i)) {
            pattern.placeholders.push_back(source[i + 1] - '0');
            pattern.literals.emplace_back();
            ++i;
        } else {
            pattern.literals.back() += source[i];
            ++pattern.literalLength;
            const auto byte = static_cast<unsigned char>(source[i]);
            hasWord = hasWord || std::isalpha(byte) || byte >= 0x80;
        }
    }
    if (pattern.placeholders.empty() || !hasWord) return std::nullopt;
    return pattern;
}

std::string TextTranslation::operator()(std::string_view text) const {
    if (text.empty()) return {};
    if (auto whole = translatedWhole(text)) return *whole;
    if (text.find('\n') == std::string_view::npos) return std::string(text);
    std::string shown;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        const bool carriageReturn = line.ends_with('\r');
        if (carriageReturn) line.remove_suffix(1);
        shown += translatedWhole(line).value_or(std::string(line));
        if (carriageReturn) shown += '\r';
        if (end < text.size()) shown += '\n';
        start = end + 1;
    }
    return shown;
}

std::optional<std::string> TextTranslation::translatedWhole(std::string_view text) const {
    if (text.empty()) return std::string();
    if (auto exact = lookup_(text)) return exact;
    return translatedPattern(text);
}

std::optional<std::string> TextTranslation::translatedPattern(std::string_view text) const {
    for (const Pattern& pattern : patterns_) {
        if (pattern.literalLength > text.size()) continue;
        Captures captures;
        if (!text.starts_with(pattern.literals.front()) ||
            !matches(text, pattern.literals.front().size(), pattern.literals,
                     pattern.placeholders, 0, captures))
            continue;
        const auto translated = lookup_(pattern.source);
        if (!translated) continue;
        std::string values[9];
        std::array<std::string_view, 9> views;
        for (std::size_t i = 0; i < captures.size(); ++i) {
            // A value is strictly shorter than the text, so this ends.
            if (captures[i]) values[i] = (*this)(*captures[i]);
            views[i] = values[i];
        }
        return formatText(*translated, {views[0], views[1], views[2], views[3], views[4],
                                        views[5], views[6], views[7], views[8]});
    }
    return std::nullopt;
}

}  // namespace doxa
