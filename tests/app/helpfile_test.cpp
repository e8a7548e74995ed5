#include "platform/paths.h"
#include "shell/manual/helpcontext.h"
#include "shell/manual/helptopic.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// The help file the program is shipped with, in the internal path form.
QString helpFilePath()
{
    return platform::fromNativePath(
        QDir::cleanPath(QStringLiteral(SONNALBY_FIXTURES "/../../resources/sonnalby.html")));
}

QString helpFileText()
{
    QFile file(platform::toNativePath(helpFilePath()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The topic's lines as a reader sees them, blank ones left out.
QStringList visibleLines(const QString &topicHtml)
{
    QTextDocument document;
    document.setHtml(topicHtml);
    QStringList lines;
    for (const QString &line : document.toPlainText().split(u'\n')) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    return lines;
}

QString nameOf(const shell::help::NamedHelpContext &entry)
{
    return QString::fromLatin1(entry.objectName.data(), qsizetype(entry.objectName.size()));
}

TEST(HelpFile, EveryHelpNumberHasATopicWithATitleAndText)
{
    ASSERT_FALSE(helpFileText().isEmpty());
    for (const shell::help::NamedHelpContext &entry : shell::help::table) {
        const QString topic = readHelpTopic(helpFilePath(), entry.number);
        ASSERT_FALSE(topic.isEmpty()) << nameOf(entry).toStdString() << " " << entry.number;
        const QStringList lines = visibleLines(topic);
        // A heading and at least one sentence under it.
        ASSERT_GE(lines.size(), 2) << entry.number;
        EXPECT_GE(lines.mid(1).join(u' ').split(u' ').size(), 8) << entry.number;
    }
}

TEST(HelpFile, HoldsNoTopicWithoutAHelpNumberAndNoNumberTwice)
{
    QSet<int> known;
    for (const shell::help::NamedHelpContext &entry : shell::help::table)
        known.insert(entry.number);
    const QRegularExpression anchor(QStringLiteral("id=\"h(\\d+)\""));
    QSet<int> seen;
    for (const QRegularExpressionMatch &match : anchor.globalMatch(helpFileText())) {
        const int number = match.captured(1).toInt();
        EXPECT_TRUE(known.contains(number)) << number;
        EXPECT_FALSE(seen.contains(number)) << number;
        seen.insert(number);
    }
    EXPECT_EQ(seen, known);
}

TEST(HelpFile, ATopicEndsWhereTheNextBegins)
{
    // Each topic is read alone: no other topic's heading leaks into it.
    const QString open = readHelpTopic(helpFilePath(), shell::help::fileOpen);
    const QString rename = readHelpTopic(helpFilePath(), shell::help::fileRename);
    ASSERT_FALSE(open.isEmpty());
    ASSERT_FALSE(rename.isEmpty());
    EXPECT_FALSE(open.contains(QStringLiteral("id=\"h%1\"").arg(shell::help::fileRename)));
    EXPECT_FALSE(visibleLines(open).contains(visibleLines(rename).first()));
}

TEST(HelpFile, NamesTheMenuCaptionsTheListenerSees)
{
    // Spot checks that the topics speak of the items as the menus show them.
    const struct {
        int number;
        const char *words;
    } checks[] = {
        {shell::help::fileOpen, "Open Album"},
        {shell::help::fileNonFound, "Remove non-found Albums"},
        {shell::help::viewEncoding, "Encoding"},
        {shell::help::bookmarkLast, "Last Unmarked Position"},
        {shell::help::optionSysTray, "Hide To System Tray"},
        {shell::help::helpWhatsThis, "What's This?"},
        {shell::help::position, "pause"},
    };
    for (const auto &check : checks) {
        const QString text = visibleLines(readHelpTopic(helpFilePath(), check.number)).join(u' ');
        EXPECT_TRUE(text.contains(QLatin1StringView(check.words))) << check.number;
    }
}

} // namespace
