#include "historytesting.h"

#include "history/historyformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using history::appendPrefix;
using history::decodeLines;
using history::decodeSession;
using history::encodeSession;
using history::headerLine;
using history::ListeningSession;
using history::maxLineLength;
using history::maxSessions;
using history::maxSpanMs;
using history::maxStartMs;

namespace {

QString allControlCharacters()
{
    QString text;
    for (char16_t unit = 0; unit < 0x20; ++unit)
        text += QChar(unit);
    for (char16_t unit = 0x7f; unit <= 0xa0; ++unit)
        text += QChar(unit);
    return text;
}

// A text of the given number of bytes in a line.
QString albumOfLineLength(qsizetype lineLength)
{
    const ListeningSession empty{"", "r", 0, 0, 0, 0};
    return QString(lineLength - encodeSession(empty)->size(), u'a');
}

// What the line holds that some reader might take for a line's end: control characters but
// the tab between fields, and Unicode's line and paragraph separators.
QString lineBreaksAndControls(const QByteArray &line)
{
    QString found;
    for (const QChar c : QString::fromUtf8(line)) {
        const QChar::Category category = c.category();
        if (c != u'\t' && (category == QChar::Other_Control || category == QChar::Separator_Line ||
                           category == QChar::Separator_Paragraph))
            found += QString::number(c.unicode(), 16) + u' ';
    }
    return found;
}

// A whole line of exactly length bytes.
QByteArray lineOfLength(qsizetype length)
{
    const QByteArray line = checkedLine("1\t2\t3\t4\t" + QByteArray(length - 15, 'a') + "\tr");
    EXPECT_EQ(line.size(), length);
    return line;
}

} // namespace

TEST(HistoryFormat, HostileTextsComeBackAsTheyWere)
{
    const QString texts[] = {
        "",
        "=",
        "key=value=more",
        "tab\there",
        "line\nbreak\r\nand\rreturn",
        "back\\slash\\t\\n\\u0041\\",
        allControlCharacters(),
        QString(1, QChar(0)) + "after a NUL",
        QStringLiteral(u"Ünïcödé 日本語 😀 \uFFFD \u2028 \u2029 \uFEFF"),
        QString(QChar(0xd800)) + "lone high",
        "ends in a lone high" + QString(QChar(0xd800)),
        "lone low" + QString(QChar(0xdc00)),
        QString(QChar(0xdc00)) + QChar(0xd800) + "swapped pair",
        QString::fromLatin1("\xff\xfe caf\xe9"),
        "%41 %u0041 ~",
        QString(4096, u'\\'),
    };
    for (const QString &text : texts) {
        const ListeningSession session{text,          text + "\\01.mp3", 12.345,
                                       999999999.999, maxStartMs,        maxSpanMs};
        const auto line = encodeSession(session);
        ASSERT_TRUE(line);
        EXPECT_EQ(line->count('\n'), 0) << line->constData();
        EXPECT_EQ(line->count('\r'), 0);
        EXPECT_EQ(line->count('\t'), 6);
        EXPECT_TRUE(line->isValidUtf8());
        EXPECT_EQ(lineBreaksAndControls(*line), QString()) << line->constData();
        EXPECT_EQ(decodeSession(*line), session);
    }
}

// The format as the manual describes it, byte for byte.
TEST(HistoryFormat, ALineIsTheNumbersTheTextsAndTheCheck)
{
    const ListeningSession session{"Book\t1", "C:\\a\\01.mp3", 1.5, 62.25, 1700000000000, 4321};
    const QByteArray body = "1700000000000\t4321\t1500\t62250\tBook\\t1\tC:\\\\a\\\\01.mp3";
    EXPECT_EQ(encodeSession(session), checkedLine(body));
    EXPECT_EQ(headerLine.toByteArray(), "sonnalby-history\t1\n");
    EXPECT_EQ(decodeSession(checkedLine("5\t6\t7\t8\t\\u00E9\\u00FF\\u00e9\tr")),
              (ListeningSession{QStringLiteral(u"éÿé"), "r", 0.007, 0.008, 5, 6}));
}

TEST(HistoryFormat, WhatTheFormatCannotHoldIsNotWritten)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    struct Case {
        const char *name;
        ListeningSession session;
        bool written;
    };
    const Case cases[] = {
        {"in range", {"a", "r", 0, 1, 0, 0}, true},
        {"start before the epoch", {"a", "r", 0, 1, -1, 0}, false},
        {"start too late", {"a", "r", 0, 1, maxStartMs + 1, 0}, false},
        {"negative length", {"a", "r", 0, 1, 0, -1}, false},
        {"length too long", {"a", "r", 0, 1, 0, maxSpanMs + 1}, false},
        {"from not a number", {"a", "r", nan, 1, 0, 0}, false},
        {"to not a number", {"a", "r", 0, nan, 0, 0}, false},
        {"to infinite", {"a", "r", 0, infinity, 0, 0}, false},
        {"from negative", {"a", "r", -0.001, 1, 0, 0}, false},
        {"to at the far end", {"a", "r", 0, 999999999.9994, 0, 0}, true},
        {"to just past the far end", {"a", "r", 0, 999999999.9996, 0, 0}, false},
        {"line of the longest length", {albumOfLineLength(maxLineLength), "r", 0, 0, 0, 0}, true},
        {"line too long", {albumOfLineLength(maxLineLength + 1), "r", 0, 0, 0, 0}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(encodeSession(c.session).has_value(), c.written) << c.name;
}

TEST(HistoryFormat, ALineNotExactlyAsWrittenIsSkipped)
{
    struct Case {
        const char *name;
        QByteArray line;
    };
    const Case cases[] = {
        {"five fields", checkedLine("1\t2\t3\t4\ta")},
        {"seven fields", checkedLine("1\t2\t3\t4\ta\tr\tx")},
        {"no check", "1\t2\t3\t4\ta\tr"},
        {"wrong check", checkedLine("1\t2\t3\t4\ta\tr").chopped(1) + 'x'},
        {"check cut short", checkedLine("1\t2\t3\t4\ta\tr").chopped(1)},
        {"check of other bytes", "1\t2\t3\t4\ta\tr\t" + checkedLine("x").right(4)},
        {"empty number", checkedLine("\t2\t3\t4\ta\tr")},
        {"letter in a number", checkedLine("1\t2a\t3\t4\ta\tr")},
        {"signed number", checkedLine("1\t2\t+3\t4\ta\tr")},
        {"negative number", checkedLine("1\t2\t3\t-4\ta\tr")},
        {"nineteen digits", checkedLine("1000000000000000000\t2\t3\t4\ta\tr")},
        {"start past its range",
         checkedLine(QByteArray::number(maxStartMs + 1) + "\t2\t3\t4\ta\tr")},
        {"length past its range",
         checkedLine("1\t" + QByteArray::number(maxSpanMs + 1) + "\t3\t4\ta\tr")},
        {"from past its range",
         checkedLine("1\t2\t" + QByteArray::number(maxSpanMs + 1) + "\t4\ta\tr")},
        {"to past its range",
         checkedLine("1\t2\t3\t" + QByteArray::number(maxSpanMs + 1) + "\ta\tr")},
        {"NUL in a text", checkedLine(QByteArray("1\t2\t3\t4\ta") + '\0' + "b\tr")},
        {"control byte in a text", checkedLine("1\t2\t3\t4\ta\x01\tr")},
        {"DEL in a text", checkedLine("1\t2\t3\t4\ta\tr\x7f")},
        {"carriage return in a text", checkedLine("1\t2\t3\t4\ta\r\tr")},
        {"invalid UTF-8", checkedLine("1\t2\t3\t4\t\xff\xfe\tr")},
        {"overlong UTF-8", checkedLine("1\t2\t3\t4\ta\t\xc0\xaf")},
        {"encoded surrogate", checkedLine("1\t2\t3\t4\t\xed\xa0\x80\tr")},
        {"unknown escape", checkedLine("1\t2\t3\t4\t\\x41\tr")},
        {"backslash at the end", checkedLine("1\t2\t3\t4\ta\tr\\")},
        {"escape cut short", checkedLine("1\t2\t3\t4\ta\tr\\u00e")},
        {"escape with a non-hex digit", checkedLine("1\t2\t3\t4\t\\u00g9\tr")},
        {"line too long", lineOfLength(maxLineLength + 1)},
    };
    for (const Case &c : cases)
        EXPECT_FALSE(decodeSession(c.line)) << c.name;
    EXPECT_TRUE(decodeSession(lineOfLength(maxLineLength)));
}

TEST(HistoryFormat, WholeLinesAreReadLastFirstAndTheLineAfterTheLastLineFeedIsCutShort)
{
    const QByteArray text = *encodeSession(sessionAt(1)) + "\nnot a session\n" +
                            *encodeSession(sessionAt(2)) + '\n' + *encodeSession(sessionAt(3));
    EXPECT_EQ(decodeLines(text), QList<ListeningSession>({sessionAt(2), sessionAt(1)}));
    EXPECT_EQ(decodeLines(text.first(text.lastIndexOf('\n') + 1)),
              QList<ListeningSession>({sessionAt(2), sessionAt(1)}));
    EXPECT_EQ(decodeLines(*encodeSession(sessionAt(1))), QList<ListeningSession>());
}

TEST(HistoryFormat, OnlyTheNewestSessionsAreRead)
{
    const QByteArray oldest = *encodeSession(sessionAt(1, "old")) + '\n';
    const QByteArray newer = *encodeSession(sessionAt(2, "new")) + '\n';
    const QList<ListeningSession> sessions = decodeLines(oldest + newer.repeated(maxSessions));
    ASSERT_EQ(sessions.size(), maxSessions);
    EXPECT_EQ(sessions.last().album, "new");
}

TEST(HistoryFormat, ANewLineFollowsAWholeHeaderAndAWholeLine)
{
    const QByteArray header = headerLine.toByteArray();
    struct Case {
        const char *name;
        QByteArray file;
        std::optional<QByteArray> prefix;
    };
    const Case cases[] = {
        {"empty file", "", header},
        {"header cut short", header.first(4), header.sliced(4)},
        {"header without its line feed", header.chopped(1), "\n"},
        {"whole header", header, ""},
        {"whole line", header + "x\n", ""},
        {"line cut short", header + "x", "\n"},
        {"another version", "sonnalby-history\t2\n", std::nullopt},
        {"another format", "a\tb\n", std::nullopt},
        {"short and foreign", "sox", std::nullopt},
    };
    for (const Case &c : cases) {
        const QByteArray head = c.file.first(qMin(c.file.size(), headerLine.size()));
        EXPECT_EQ(appendPrefix(head, c.file.size(), c.file.isEmpty() ? '\n' : c.file.back()),
                  c.prefix)
            << c.name;
    }
    EXPECT_EQ(appendPrefix("son", 5, 'x'), std::nullopt) << "head shorter than the file";
}
