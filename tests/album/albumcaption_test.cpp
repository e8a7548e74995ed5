#include "album/albumcaption.h"

#include "platform/paths.h"

#include <gtest/gtest.h>

using namespace album;

namespace {

const QDateTime now(QDate(2030, 1, 2), QTime(3, 4, 5));

MonthNames plainMonths()
{
    return {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}

AlbumEntry albumAt(const QString &path)
{
    return AlbumEntry::fromText(encodeAlbumPath(path));
}

QString nativeOf(const QString &path)
{
    return platform::toNativePath(path);
}

} // namespace

TEST(AlbumCaption, DateAndPathAloneWithoutTitleOrDuration)
{
    AlbumEntry entry = albumAt("C:\\A\\index.wpl");
    entry.access = "2024:03:05:14:07:09";
    const AlbumCaption caption = albumCaption(entry, plainMonths(), now);
    EXPECT_EQ(caption.caption, "[2024 Mar 05] " + nativeOf("C:\\A\\index.wpl"));
    EXPECT_EQ(caption.text, caption.caption);
}

TEST(AlbumCaption, DurationWithoutTitleFollowsATab)
{
    AlbumEntry entry = albumAt("\\home\\u\\A\\index.wpl");
    entry.access = "2024:11:25:01:02:03";
    entry.duration = "3725";
    EXPECT_EQ(albumCaption(entry, plainMonths(), now).text,
              "[2024 Nov 25] " + nativeOf("\\home\\u\\A\\index.wpl") + "\t= [01:02:05] ");
}

TEST(AlbumCaption, ShowsThePathInNativeFormWithItsEqualsSigns)
{
    const AlbumEntry entry = albumAt("\\home\\u\\A=B\\index.wpl");
    EXPECT_EQ(entry.path, "\\home\\u\\A*B\\index.wpl");
    EXPECT_EQ(albumCaption(entry, plainMonths(), now).text, nativeOf("\\home\\u\\A=B\\index.wpl"));
}

TEST(AlbumCaption, AnUnreadableStampShowsToday)
{
    AlbumEntry entry = albumAt("C:\\A\\index.wpl");
    entry.access = "yesterday";
    EXPECT_TRUE(albumCaption(entry, plainMonths(), now).text.startsWith("[2030 Jan 02] "));
    entry.access = "   ";
    EXPECT_EQ(albumCaption(entry, plainMonths(), now).text, nativeOf("C:\\A\\index.wpl"));
}

TEST(AlbumCaption, DecodesTheTitleAfterTheCaption)
{
    AlbumEntry entry = albumAt("C:\\A\\index.wpl");
    entry.title = "Caf&#233; A&#61;B";
    const AlbumCaption caption = albumCaption(entry, plainMonths(), now);
    EXPECT_EQ(caption.caption, nativeOf("C:\\A\\index.wpl") + "\t= ");
    EXPECT_EQ(caption.text, caption.caption + QString::fromUtf8("Café A=B"));
}

TEST(AlbumCaption, CutsTheTitleAtOneHundredCodeUnits)
{
    AlbumEntry entry = albumAt("C:\\A\\index.wpl");
    entry.duration = "60";
    const QString prefix = albumCaption(entry, plainMonths(), now).caption;
    const QString hundred = QString(99, u'a') + "&#233;";
    entry.title = hundred;
    EXPECT_EQ(albumCaption(entry, plainMonths(), now).text,
              prefix + QString(99, u'a') + QChar(233));
    entry.title = hundred + "z";
    EXPECT_EQ(albumCaption(entry, plainMonths(), now).text,
              prefix + QString(99, u'a') + QChar(233));
}

TEST(AlbumCaption, ASurrogatePairCountsAsTwoCodeUnits)
{
    AlbumEntry entry = albumAt("C:\\A\\index.wpl");
    entry.title = QString(99, u'a') + "&#55357;&#56832;";
    const AlbumCaption caption = albumCaption(entry, plainMonths(), now);
    EXPECT_EQ(caption.text.size() - caption.caption.size(), 100);
}

TEST(AlbumCaption, AFractionOfASecondShowsNoTab)
{
    AlbumEntry entry = albumAt("C:\\A\\index.wpl");
    entry.duration = "0.4";
    EXPECT_EQ(albumCaption(entry, plainMonths(), now).text,
              nativeOf("C:\\A\\index.wpl") + "[00:00:00] ");
    entry.duration = "-5";
    EXPECT_EQ(albumCaption(entry, plainMonths(), now).text, nativeOf("C:\\A\\index.wpl"));
}

TEST(MonthNames, TakesTheLocalesAbbreviations)
{
    const QLocale locale(QLocale::German, QLocale::Germany);
    const MonthNames names = buildMonthNames(locale, [](const QString &) { return 10; });
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(names[month - 1], locale.toString(QDate(2000, month, 1), "MMM")) << month;
}

TEST(MonthNames, PadsEveryNameToTheWidestWithBlanksRoundedToEven)
{
    // Blanks are 2 wide, the widest name 17: Feb lacks 5 (2.5 blanks, 2), Mar 7 (3.5, 4), Apr 3
    // (1.5, 2).
    const auto width = [](const QString &text) {
        if (text == " ")
            return 2;
        return text == "Feb" ? 12 : text == "Mar" ? 10 : text == "Apr" ? 14 : 17;
    };
    const MonthNames names =
        buildMonthNames(QLocale(QLocale::English, QLocale::UnitedStates), width);
    EXPECT_EQ(names[0], "Jan");
    EXPECT_EQ(names[1], "Feb  ");
    EXPECT_EQ(names[2], "Mar    ");
    EXPECT_EQ(names[3], "Apr  ");
    EXPECT_EQ(names[11], "Dec");
}

TEST(MonthNames, ABlankOfNoWidthAddsNoBlanks)
{
    const auto width = [](const QString &text) { return text == " " ? 0 : int(text.size()) * 7; };
    const MonthNames names =
        buildMonthNames(QLocale(QLocale::English, QLocale::UnitedStates), width);
    EXPECT_EQ(names[4], "May");
}

TEST(WindowCaption, NamesTheProfileButDefaultAndTheActiveAlbum)
{
    EXPECT_EQ(windowCaption("Default", QString()), "Sonnalby");
    EXPECT_EQ(windowCaption("Anna", QString()), "Sonnalby [Anna]");
    EXPECT_EQ(windowCaption("Anna", "\\books\\Tale\\index.wpl"),
              "Sonnalby [Anna] - /books/Tale/index.wpl");
    EXPECT_EQ(windowCaption("Default", "\\books\\Tale\\index.wpl"),
              "Sonnalby - /books/Tale/index.wpl");
}
