#include "app/help_window.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTest>
#include <vector>

#include "dialog/command_ids.h"

namespace doxa {
namespace {

QString guideSource(Language language) {
    QFile file(guidePath(language));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << guidePath(language).toStdString();
    return QString::fromUtf8(file.readAll());
}

QSet<QString> captures(const QString& html, const char* pattern) {
    QSet<QString> found;
    const QRegularExpression expression(QString::fromLatin1(pattern));
    for (const QRegularExpressionMatch& match : expression.globalMatch(html))
        found.insert(match.captured(1));
    return found;
}

QSet<QString> anchorsOf(const QString& html) { return captures(html, R"re(<a name="([^"]+)">)re"); }
QSet<QString> linksOf(const QString& html) { return captures(html, R"re(<a href="#([^"]+)">)re"); }

// A heading of the guide, found by its text, lies within the window's visible part.
bool headingIsShown(const QTextBrowser& browser, const QString& heading) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.text() != heading) continue;
        const QRect place = browser.cursorRect(QTextCursor(block));
        return place.top() >= 0 && place.bottom() <= browser.viewport()->height();
    }
    ADD_FAILURE() << "no heading " << heading.toStdString();
    return false;
}

struct CommandSection {
    int commandId;
    const char* polish;
    const char* english;
};

// The commands added beyond the menu's first help, each with the heading of its own part.
constexpr CommandSection CommandSections[] = {
    {CmdHistory, "Historia przetwornika i świadectwo kalibracji",
     "Transmitter history and calibration certificate"},
    {CmdCalibrationProcedure, "Procedura kalibracji", "Calibration procedure"},
    {CmdReferenceInstruments, "Przyrządy wzorcowe i tolerancje",
     "Reference instruments and tolerances"},
    {CmdReferenceInstrument, "Tolerancje świadectwa", "Certificate tolerances"},
    {CmdPort, "Porty szeregowe", "Serial ports"},
    {CmdBackups, "Kopie zapasowe konfiguracji", "Configuration backups"},
    {CmdConfirmWrites, "Kopie zapasowe konfiguracji", "Configuration backups"},
    {CmdFindTransmitter, "Szukanie przetwornika", "Finding a transmitter"},
    {CmdLineStatistics, "Statystyka łącza", "Line statistics"},
    {CmdHelpUsing, "Korzystanie z pomocy", "Using help"},
    {CmdLanguageEnglish, "Język programu", "Program language"},
};

TEST(HelpWindowTest, EachCommandShowsItsOwnPartInEitherLanguage) {
    for (const Language language : {Language::Polish, Language::English}) {
        HelpWindow help(nullptr, language);
        for (const CommandSection& section : CommandSections) {
            const QString heading = QString::fromUtf8(
                language == Language::English ? section.english : section.polish);
            help.showFor(CmdHelpIndex);
            help.showFor(section.commandId);
            auto* browser = help.findChild<QTextBrowser*>();
            EXPECT_GT(browser->verticalScrollBar()->value(), 0) << heading.toStdString();
            EXPECT_TRUE(headingIsShown(*browser, heading)) << heading.toStdString();
        }
    }
}

TEST(HelpWindowTest, TheIndexAndUnknownCommandsShowTheBeginning) {
    HelpWindow help(nullptr, Language::Polish);
    for (const int command : {CmdHelpIndex, CmdHelp, CmdContextHelp, CmdPrint}) {
        help.showFor(CmdLineStatistics);
        help.showFor(command);
        EXPECT_EQ(help.findChild<QTextBrowser*>()->verticalScrollBar()->value(), 0) << command;
    }
}

TEST(HelpWindowTest, SpeaksTheLanguageItIsGiven) {
    HelpWindow polish(nullptr, Language::Polish);
    HelpWindow english(nullptr, Language::English);
    EXPECT_EQ(polish.windowTitle(), "DOXA WIN - Pomoc");
    EXPECT_EQ(english.windowTitle(), "DOXA WIN - Help");
    EXPECT_TRUE(polish.guideText().contains("Podłączenie przetwornika"));
    EXPECT_TRUE(english.guideText().contains("Connecting the transmitter"));
    EXPECT_FALSE(english.guideText().contains("Podłączenie przetwornika"));
}

TEST(HelpWindowTest, BothGuidesHaveTheSameAnchorsAndEveryLinkLeadsToOne) {
    HelpWindow loadsTheResources(nullptr, Language::Polish);
    const QString polish = guideSource(Language::Polish);
    const QString english = guideSource(Language::English);
    const QSet<QString> polishAnchors = anchorsOf(polish);
    EXPECT_EQ(anchorsOf(english), polishAnchors);
    EXPECT_GE(polishAnchors.size(), 18);
    for (const QString& link : linksOf(polish) + linksOf(english))
        EXPECT_TRUE(polishAnchors.contains(link)) << link.toStdString();
    for (const CommandSection& section : CommandSections)
        EXPECT_TRUE(polishAnchors.contains(guideAnchor(section.commandId))) << section.polish;
}

TEST(MenuHelpKeyTest, F1AsksForTheHighlightedCommandAndClosesTheMenu) {
    std::vector<int> asked;
    QMenu menu;
    MenuHelpKey key(&menu, [&](int id) { asked.push_back(id); });
    menu.installEventFilter(&key);
    QAction* history = menu.addAction("Historia przetwornika...");
    history->setData(CmdHistory);
    QMenu* submenu = menu.addMenu("Transmisja");

    menu.popup(QPoint(0, 0));
    menu.setActiveAction(submenu->menuAction());
    QTest::keyClick(&menu, Qt::Key_F1);
    EXPECT_TRUE(asked.empty());
    menu.setActiveAction(history);
    QTest::keyClick(&menu, Qt::Key_F2);
    EXPECT_TRUE(asked.empty());
    QTest::keyClick(&menu, Qt::Key_F1);
    EXPECT_EQ(asked, std::vector<int>{CmdHistory});
    EXPECT_FALSE(menu.isVisible());
}

}  // namespace
}  // namespace doxa
