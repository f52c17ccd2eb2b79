// The English translation against its sources: every text the program can show is translated,
// each translation keeps its placeholders, the compiled translation gives what the sources say,
// and the documented texts that are not Polish stay as they are.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/shown_language.h"

namespace doxa {
namespace {

struct SourceMessage {
    QString file;
    QString context;
    QString source;
    QString translation;
    QString type;  // "unfinished", "vanished", "obsolete" or none
};

std::vector<SourceMessage> translationSources() {
    std::vector<SourceMessage> messages;
    const QDir folder(QStringLiteral(DOXA_TRANSLATION_SOURCES));
    for (const QString& name : folder.entryList({QStringLiteral("*.ts")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        QXmlStreamReader xml(&file);
        QString context;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("message")) {
                messages.push_back({name, context, {}, {}, {}});
            } else if (xml.name() == QLatin1String("source") && !messages.empty()) {
                messages.back().source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation") && !messages.empty()) {
                messages.back().type = xml.attributes().value(QLatin1String("type")).toString();
                messages.back().translation = xml.readElementText();
            }
        }
        EXPECT_FALSE(xml.hasError()) << name.toStdString() << ": " << xml.errorString().toStdString();
    }
    return messages;
}

std::multiset<QString> placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    std::multiset<QString> found;
    for (auto match = placeholder.globalMatch(text); match.hasNext();)
        found.insert(match.next().captured());
    return found;
}

std::string where(const SourceMessage& message) {
    return (message.file + QStringLiteral(" [") + message.context + QStringLiteral("] \"") +
            message.source + QStringLiteral("\""))
        .toStdString();
}

TEST(Translation, EveryTextHasAFinishedEnglishTranslationWithItsPlaceholders) {
    const std::vector<SourceMessage> messages = translationSources();
    ASSERT_GT(messages.size(), 100u);
    for (const SourceMessage& message : messages) {
        EXPECT_TRUE(message.type.isEmpty()) << where(message) << " is " << message.type.toStdString();
        EXPECT_FALSE(message.translation.trimmed().isEmpty() && !message.source.trimmed().isEmpty())
            << where(message) << " has no translation";
        EXPECT_EQ(placeholders(message.source), placeholders(message.translation))
            << where(message) << " → \"" << message.translation.toStdString() << "\"";
    }
}

// The program finds a text away from the class that wrote it, so one Polish text has one
// English everywhere.
TEST(Translation, OnePolishTextHasOneEnglish) {
    std::map<QString, const SourceMessage*> first;
    const std::vector<SourceMessage> messages = translationSources();
    for (const SourceMessage& message : messages) {
        if (!message.type.isEmpty()) continue;
        const auto [seen, added] = first.emplace(message.source, &message);
        if (added) continue;
        EXPECT_EQ(seen->second->translation.toStdString(), message.translation.toStdString())
            << where(message) << " and " << where(*seen->second);
    }
}

TEST(Translation, TheProgramShowsWhatTheSourcesSayAndPolishUnchanged) {
    const std::vector<SourceMessage> messages = translationSources();
    ASSERT_TRUE(startLanguage(Language::English));
    EXPECT_EQ(shownLanguage(), Language::English);
    for (const SourceMessage& message : messages) {
        if (!message.type.isEmpty()) continue;
        EXPECT_EQ(shownText(message.source.toStdString()), message.translation.toStdString())
            << where(message);
    }

    ASSERT_TRUE(startLanguage(Language::Polish));
    EXPECT_EQ(shownLanguage(), Language::Polish);
    for (const SourceMessage& message : messages)
        EXPECT_EQ(shownText(message.source.toStdString()), message.source.toStdString())
            << where(message);
}

// The C++ string literals (adjacent ones joined) marked UI_TEXT in one source file.
std::vector<QString> markedTexts(const QString& code) {
    static const QRegularExpression mark(
        QStringLiteral(R"re(UI_TEXT\(((?:\s*"(?:[^"\\]|\\.)*")+)\s*\))re"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    std::vector<QString> texts;
    for (auto marked = mark.globalMatch(code); marked.hasNext();) {
        QString text;
        const QString literals = marked.next().captured(1);
        for (auto part = literal.globalMatch(literals); part.hasNext();) {
            const QString escaped = part.next().captured(1);
            for (qsizetype i = 0; i < escaped.size(); ++i) {
                if (escaped[i] != QLatin1Char('\\') || i + 1 == escaped.size()) {
                    text += escaped[i];
                    continue;
                }
                const QChar next = escaped[++i];
                text += next == QLatin1Char('n')   ? QChar('\n')
                        : next == QLatin1Char('t') ? QChar('\t')
                        : next == QLatin1Char('r') ? QChar('\r')
                                                   : next;
            }
        }
        texts.push_back(text);
    }
    return texts;
}

// lupdate takes a marked text only where it can name a context (inside a namespace or a class):
// one outside them would stay Polish for ever, unnoticed.
TEST(Translation, EveryMarkedTextIsInTheSources) {
    std::set<QString> sources;
    for (const SourceMessage& message : translationSources()) sources.insert(message.source);
    QDirIterator files(QStringLiteral(DOXA_PROGRAM_SOURCES), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                       QDir::Files, QDirIterator::Subdirectories);
    int marked = 0;
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        for (const QString& text : markedTexts(QString::fromUtf8(file.readAll()))) {
            ++marked;
            EXPECT_TRUE(sources.contains(text))
                << file.fileName().toStdString() << ": \"" << text.toStdString() << "\"";
        }
    }
    EXPECT_GT(marked, 100);
}

TEST(Translation, DocumentedTextsThatAreNotPolishStayInEnglish) {
    ASSERT_TRUE(startLanguage(Language::English));
    for (const char* kept :
         {"Error OpenComm ", "Error BuildComm", "Error SetComState", "Error CE_BREAK",
          "Error CE_FRAME", "Error CE_OVERRUN", "Error CE_RXPARITY", "DOXA WIN",
          "Failed to open document."})
        EXPECT_EQ(shownText(kept), kept);
    startLanguage(Language::Polish);
}

}  // namespace
}  // namespace doxa
