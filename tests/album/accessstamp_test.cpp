#include "album/accessstamp.h"

#include <gtest/gtest.h>

using namespace album;

namespace {

const QDateTime now(QDate(2030, 1, 2), QTime(3, 4, 5));

} // namespace

TEST(AccessStamp, PadsEveryPart)
{
    EXPECT_EQ(formatAccessStamp(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))),
              "2024:03:05:14:07:09");
    EXPECT_EQ(formatAccessStamp(QDateTime(QDate(987, 12, 31), QTime(0, 0, 0))),
              "0987:12:31:00:00:00");
}

TEST(AccessStamp, ReadsBackWhatItWrote)
{
    const QDateTime time(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(readAccessStamp(formatAccessStamp(time), now), time);
    EXPECT_EQ(readAccessStamp(u"  2024:3:5:14:7:9 ", now), time);
}

TEST(AccessStamp, AnyOtherShapeReadsAsNow)
{
    for (const char16_t *stamp :
         {u"", u"2024:03:05", u"2024:03:05:14:07:09:00", u"2024:03:05:14:07:x9",
          u"2024:13:05:14:07:09", u"2024:02:30:14:07:09", u"2024:03:05:24:07:09",
          u"2024:03:05:14:07:", u"-2024:03:05:14:07:09", u"99999999999:03:05:14:07:09",
          u"2024-03-05 14:07:09"})
        EXPECT_EQ(readAccessStamp(stamp, now), now) << QString::fromUtf16(stamp).toStdString();
}
