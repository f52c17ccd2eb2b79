// Builds the one translation the program loads from the translation sources: every finished
// translation in a single context, since a text is looked up where it reaches the screen, away
// from the class that made it; and the patterns among the texts (those with %1..%9) listed once
// more under their numbers, since a compiled translation cannot be searched.
//
// Usage: flatten_translations OUTPUT.ts SOURCE.ts...

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cstdio>
#include <map>
#include <vector>

namespace {

struct Message {
    QString source;
    QString translation;
    bool finished = false;
};

std::vector<Message> messagesOf(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": ") + file.errorString();
        return {};
    }
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("message")) {
            messages.emplace_back();
        } else if (messages.empty()) {
            continue;
        } else if (xml.name() == QLatin1String("source")) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            // "unfinished", "vanished" and "obsolete" are not translations to show.
            messages.back().finished = !xml.attributes().hasAttribute(QLatin1String("type"));
            messages.back().translation = xml.readElementText();
        }
    }
    if (xml.hasError())
        error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return messages;
}

void writeMessage(QXmlStreamWriter& xml, const QString& source, const QString& translation) {
    xml.writeStartElement(QStringLiteral("message"));
    xml.writeTextElement(QStringLiteral("source"), source);
    xml.writeTextElement(QStringLiteral("translation"), translation);
    xml.writeEndElement();
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: flatten_translations OUTPUT.ts SOURCE.ts...\n");
        return 2;
    }
    std::map<QString, QString> translations;
    for (const QString& path : arguments.mid(2)) {
        QString error;
        for (const Message& message : messagesOf(path, error))
            if (message.finished && !message.translation.isEmpty())
                translations.emplace(message.source, message.translation);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }

    QFile output(arguments[1]);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(arguments[1]), qPrintable(output.errorString()));
        return 1;
    }
    QXmlStreamWriter xml(&output);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    xml.writeStartElement(QStringLiteral("TS"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    xml.writeAttribute(QStringLiteral("language"), QStringLiteral("en"));
    xml.writeAttribute(QStringLiteral("sourcelanguage"), QStringLiteral("pl"));
    xml.writeStartElement(QStringLiteral("context"));
    xml.writeTextElement(QStringLiteral("name"), QStringLiteral("doxa"));
    for (const auto& [source, translation] : translations) writeMessage(xml, source, translation);
    xml.writeEndElement();

    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    xml.writeStartElement(QStringLiteral("context"));
    xml.writeTextElement(QStringLiteral("name"), QStringLiteral("doxa-patterns"));
    int count = 0;
    for (const auto& [source, translation] : translations)
        if (source.contains(placeholder)) writeMessage(xml, QString::number(++count), source);
    writeMessage(xml, QStringLiteral("count"), QString::number(count));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return output.error() == QFile::NoError ? 0 : 1;
}
