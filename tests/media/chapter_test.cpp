#include "media/chapter.h"

#include <gtest/gtest.h>

using media::Chapter;
using media::Chapters;

namespace {

QString describe(const Chapters &chapters)
{
    QStringList parts;
    for (const Chapter &chapter : chapters)
        parts.append(QString::number(chapter.startMs) + u'=' + chapter.title);
    return parts.join(u' ');
}

} // namespace

TEST(TidyChapters, OrdersDropsNamesAndCuts)
{
    const struct {
        const char *what;
        Chapters given;
        qint64 durationMs;
        const char *expected;
    } cases[] = {
        {"ordered by start", {{2000, "B"}, {0, "A"}}, 5000, "0=A 2000=B"},
        {"a start before 0 is dropped", {{-1, "X"}, {0, "A"}}, 5000, "0=A"},
        {"a start at the end is dropped", {{0, "A"}, {5000, "X"}}, 5000, "0=A"},
        {"a start just before the end stays", {{0, "A"}, {4999, "B"}}, 5000, "0=A 4999=B"},
        {"an unknown length drops nothing late", {{0, "A"}, {900000, "B"}}, 0, "0=A 900000=B"},
        {"one chapter per start, the first kept", {{0, "A"}, {0, "B"}}, 5000, "0=A"},
        {"blank titles named by place", {{0, ""}, {10, " \t"}}, 5000, "0=Chapter 1 10=Chapter 2"},
        {"titles on one line", {{0, "A\tB\r\nC"}}, 5000, "0=A B C"},
        {"nothing left", {{7000, "X"}}, 5000, ""},
    };
    for (const auto &test : cases)
        EXPECT_EQ(describe(media::tidyChapters(test.given, test.durationMs)), test.expected)
            << test.what;
}

TEST(TidyChapters, KeepsAtMostTheLimitAndCutsLongTitles)
{
    Chapters many;
    for (qint64 i = 0; i <= media::maximumChapters; ++i)
        many.append({i, QString(300, u'x')});
    const Chapters tidy = media::tidyChapters(many, 0);
    EXPECT_EQ(tidy.size(), media::maximumChapters);
    EXPECT_EQ(tidy.last().startMs, media::maximumChapters - 1);
    EXPECT_EQ(tidy.first().title.size(), media::maximumChapterTitle);
}

TEST(ChapterAt, TheLastStartAtOrBeforeThePosition)
{
    const Chapters chapters = {{1000, "A"}, {2000, "B"}, {3000, "C"}};
    const struct {
        qint64 position;
        int chapter;
    } cases[] = {{0, 0},    {999, 0},  {1000, 0}, {1999, 0},
                 {2000, 1}, {2999, 1}, {3000, 2}, {999999, 2}};
    for (const auto &test : cases)
        EXPECT_EQ(media::chapterAt(chapters, test.position), test.chapter) << test.position;
    EXPECT_EQ(media::chapterAt({}, 0), -1);
}

TEST(ChapterStatusText, NumberCountAndTitle)
{
    const Chapters chapters = {{0, "A"}, {10, "B"}};
    EXPECT_EQ(media::chapterStatusText(chapters, 1), "Chapter 2/2: B");
    EXPECT_EQ(media::chapterStatusText(chapters, 2), "");
    EXPECT_EQ(media::chapterStatusText(chapters, -1), "");
}
