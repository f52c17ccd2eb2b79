#include "history/uncertainty_text.h"

#include <charconv>
#include <chrono>
#include <regex>
#include <sstream>

namespace doxa {

namespace {

// A number with a decimal point or comma; the range may go below zero, an uncertainty not.
constexpr const char* Number = "([0-9]+(?:[.,][0-9]+)?)";
constexpr const char* SignedNumber = "(-?[0-9]+(?:[.,][0-9]+)?)";

const std::regex& uncertaintyForm() {
    static const std::regex form(std::string("^\\s*(?:±|\\+/-)?\\s*") + Number +
                                 "\\s*(°C|Ohm|ohm|Ω|mV|mA|V)"
                                 "\\s*(?:\\(\\s*k\\s*=\\s*" + Number + "\\s*\\))?"
                                 "\\s*(?:od\\s+" + SignedNumber + "\\s+do\\s+" + SignedNumber + ")?\\s*$");
    return form;
}

double number(std::string text) {
    if (const auto comma = text.find(','); comma != std::string::npos) text[comma] = '.';
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string unitOf(const std::string& typed) {
    if (typed == "ohm" || typed == "Ω") return "Ohm";
    return typed;
}

std::string shortest(double value) {
    std::ostringstream text;
    text.precision(10);
    text << value;
    return text.str();
}

}  // namespace

std::optional<InstrumentUncertainty> parseUncertainty(std::string_view text) {
    std::match_results<std::string_view::const_iterator> parts;
    if (!std::regex_match(text.begin(), text.end(), parts, uncertaintyForm())) return std::nullopt;
    InstrumentUncertainty u;
    u.expanded = number(parts[1].str());
    u.unit = unitOf(parts[2].str());
    u.coverage = parts[3].matched ? number(parts[3].str()) : 1.0;
    if (parts[4].matched) {
        u.from = number(parts[4].str());
        u.to = number(parts[5].str());
    }
    if (u.expanded <= 0 || u.coverage <= 0 || (u.from && *u.from >= *u.to)) return std::nullopt;
    return u;
}

std::string uncertaintyText(const InstrumentUncertainty& u) {
    std::string text = shortest(u.expanded) + " " + u.unit + " (k=" + shortest(u.coverage) + ")";
    if (u.from && u.to) text += " od " + shortest(*u.from) + " do " + shortest(*u.to);
    return text;
}

bool isDueDate(std::string_view text) {
    static const std::regex form("^([0-9]{4})-([0-9]{2})-([0-9]{2})$");
    std::match_results<std::string_view::const_iterator> parts;
    if (!std::regex_match(text.begin(), text.end(), parts, form)) return false;
    const std::chrono::year_month_day day{std::chrono::year(std::stoi(parts[1].str())),
                                          std::chrono::month(unsigned(std::stoi(parts[2].str()))),
                                          std::chrono::day(unsigned(std::stoi(parts[3].str())))};
    return day.ok();
}

}  // namespace doxa
