#include "settings/shown_language.h"

#include <QString>
#include <QTranslator>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "dialog/text_translation.h"

// The translation is compiled into a static library, whose resource nothing else refers to: the
// linker would leave it out of the programs unless it is initialised by name.
static void initEnglishResource() { Q_INIT_RESOURCE(english_translation); }

namespace doxa {

namespace {

// The compiled translation keeps every text in one context, and the patterns among them (texts
// with %1..%9) once more, numbered, so that they can be listed.
constexpr auto TextContext = "doxa";
constexpr auto PatternContext = "doxa-patterns";
constexpr auto PatternCount = "count";
constexpr auto EnglishFile = ":/translations/doxa_en.qm";

struct StartedLanguage {
    Language language = Language::Polish;
    std::unique_ptr<QTranslator> translator;
    std::optional<TextTranslation> translation;
};

// Never destroyed: at the process's end Qt's own data goes first, and a translator taken down
// after it corrupts the heap (doxa-cli's history, whose database thread made that data, aborted).
StartedLanguage& started() {
    static auto* const language = new StartedLanguage;
    return *language;
}

std::optional<std::string> looked(const QTranslator& translator, const char* context,
                                  std::string_view source) {
    const QString translated =
        translator.translate(context, std::string(source).c_str());
    if (translated.isEmpty()) return std::nullopt;
    return translated.toStdString();
}

std::vector<std::string> patternsOf(const QTranslator& translator) {
    std::vector<std::string> patterns;
    const int count = QString::fromStdString(
                          looked(translator, PatternContext, PatternCount).value_or("0"))
                          .toInt();
    for (int i = 1; i <= count; ++i)
        if (auto pattern = looked(translator, PatternContext, std::to_string(i)))
            patterns.push_back(std::move(*pattern));
    return patterns;
}

// Loaded on a thread of its own: doxa-cli has no application object, and a Qt object made on
// its main thread would tie Qt's data for that thread to the process's end.
std::unique_ptr<QTranslator> loadedEnglish() {
    std::unique_ptr<QTranslator> translator;
    std::thread([&translator] {
        initEnglishResource();
        auto loading = std::make_unique<QTranslator>();
        if (loading->load(QString::fromLatin1(EnglishFile))) translator = std::move(loading);
    }).join();
    return translator;
}

}  // namespace

bool startLanguage(Language language) {
    StartedLanguage& state = started();
    state = StartedLanguage{};
    if (language == Language::Polish) return true;
    state.translator = loadedEnglish();
    if (!state.translator) return false;
    const QTranslator& translator = *state.translator;
    state.translation.emplace(
        [&translator](std::string_view text) { return looked(translator, TextContext, text); },
        patternsOf(translator));
    state.language = language;
    return true;
}

bool startChosenLanguage(const SettingsStore& settings) {
    return startLanguage(chosenLanguage(settings, processEnvironment()));
}

Language shownLanguage() { return started().language; }

std::string shownText(std::string_view polish) {
    const StartedLanguage& state = started();
    return state.translation ? (*state.translation)(polish) : std::string(polish);
}

}  // namespace doxa
