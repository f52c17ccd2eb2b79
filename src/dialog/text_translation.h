#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace doxa {

// Turns the program's Polish texts into another language on their way to the screen. A text is
// looked up as a whole; failing that, as one of the translated patterns ("Port %1 zajęty") with
// the values it holds translated in turn; failing that, line by line. Whatever has no translation
// is shown as it is, so a device's own text or a number is never changed.
class TextTranslation {
public:
    // The translation of one source text, none when there is none.
    using Lookup = std::function<std::optional<std::string>(std::string_view)>;

    TextTranslation(Lookup lookup, const std::vector<std::string>& patterns);

    std::string operator()(std::string_view text) const;

private:
    struct Pattern {
        std::string source;
        std::vector<std::string> literals;  // the text around the placeholders, one more than them
        std::vector<int> placeholders;      // 1..9, in the order they appear
        std::size_t literalLength = 0;
    };
    static std::optional<Pattern> parsed(const std::string& source);
    std::optional<std::string> translatedWhole(std::string_view text) const;
    std::optional<std::string> translatedPattern(std::string_view text) const;

    Lookup lookup_;
    std::vector<Pattern> patterns_;  // the most specific first
};

}  // namespace doxa
