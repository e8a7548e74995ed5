#include "media/bytereader.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <limits>

namespace {

using media::ByteReader;

TEST(ByteReader, ReadsNumbersInsideTheBytes)
{
    const QByteArray bytes("\x01\x02\x03\x04\x7F\xFF", 6);
    const ByteReader reader(bytes);
    bool ok = true;
    EXPECT_EQ(reader.u8(5, &ok), 0xFF);
    EXPECT_EQ(reader.u16be(0, &ok), 0x0102);
    EXPECT_EQ(reader.u16le(0, &ok), 0x0201);
    EXPECT_EQ(reader.u24be(1, &ok), 0x020304u);
    EXPECT_EQ(reader.u32be(2, &ok), 0x03047FFFu);
    EXPECT_EQ(reader.u32le(2, &ok), 0xFF7F0403u);
    EXPECT_TRUE(ok);
}

TEST(ByteReader, SevenBitGroupsTakeEachByteWhole)
{
    bool ok = true;
    EXPECT_EQ(ByteReader(QByteArray("\x00\x00\x02\x01", 4)).sevenBitGroups(0, &ok), 257u);
    EXPECT_EQ(ByteReader(QByteArray("\x7F\x7F\x7F\x7F", 4)).sevenBitGroups(0, &ok), (1u << 28) - 1);
    // A byte with its high bit set adds into the next group, as the sum says.
    EXPECT_EQ(ByteReader(QByteArray("\x00\x00\x00\x80", 4)).sevenBitGroups(0, &ok), 128u);
    EXPECT_TRUE(ok);
}

TEST(ByteReader, ReadsPastTheEndGiveZeroAndClearTheFlag)
{
    const QByteArray bytes("\x01\x02\x03", 3);
    const ByteReader reader(bytes);
    const auto failed = [](auto read) {
        bool ok = true;
        const auto value = read(&ok);
        return !ok && value == 0;
    };
    EXPECT_TRUE(failed([&](bool *ok) { return reader.u8(3, ok); }));
    EXPECT_TRUE(failed([&](bool *ok) { return reader.u8(-1, ok); }));
    EXPECT_TRUE(failed([&](bool *ok) { return reader.u16be(2, ok); }));
    EXPECT_TRUE(failed([&](bool *ok) { return reader.u32be(0, ok); }));
    EXPECT_TRUE(failed([&](bool *ok) { return reader.u32le(0, ok); }));
    EXPECT_TRUE(failed([&](bool *ok) { return reader.sevenBitGroups(0, ok); }));
    EXPECT_TRUE(
        failed([&](bool *ok) { return reader.u32be(std::numeric_limits<qsizetype>::max(), ok); }));
    EXPECT_TRUE(failed([&](bool *ok) { return ByteReader({}).u8(0, ok); }));
}

TEST(ByteReader, OneFlagGuardsSeveralReads)
{
    const ByteReader reader(QByteArrayView("\x01\x02", 2));
    bool ok = true;
    reader.u8(5, &ok);
    EXPECT_EQ(reader.u8(0, &ok), 1);
    EXPECT_FALSE(ok);
}

TEST(ByteReader, SlicesAreCutAtTheEnd)
{
    const ByteReader reader(QByteArrayView("abcdef"));
    EXPECT_EQ(reader.slice(2, 3), "cde");
    EXPECT_EQ(reader.slice(4, 100), "ef");
    EXPECT_EQ(reader.slice(4, qint64(1) << 40), "ef");
    EXPECT_TRUE(reader.slice(6, 1).isEmpty());
    EXPECT_TRUE(reader.slice(-1, 2).isEmpty());
    EXPECT_TRUE(reader.slice(1, 0).isEmpty());
    EXPECT_TRUE(reader.slice(1, -5).isEmpty());
}

TEST(ByteReader, FindsNeedlesWithoutRegardToCase)
{
    const ByteReader reader(QByteArrayView("xxtIt2 TIT2 tit"));
    EXPECT_EQ(reader.indexOfIgnoringCase("TIT2"), 2);
    EXPECT_EQ(reader.indexOfIgnoringCase("tit2"), 2);
    EXPECT_EQ(reader.indexOfIgnoringCase("2 T"), 5);
    EXPECT_EQ(reader.indexOfIgnoringCase("TITLE"), -1);
    EXPECT_EQ(reader.indexOfIgnoringCase(""), -1);
    EXPECT_EQ(ByteReader("ab").indexOfIgnoringCase("abc"), -1);
    EXPECT_EQ(ByteReader({}).indexOfIgnoringCase("a"), -1);
    // Bytes outside ASCII are compared as they are.
    EXPECT_EQ(ByteReader("\xC9x\xE9X").indexOfIgnoringCase("\xE9x"), 2);
}

TEST(ByteReader, FindsSeveralNeedlesInOnePass)
{
    const ByteReader reader(QByteArrayView("..talb..TIT2..tit2..Xing..TRCK"));
    const QByteArrayView needles[] = {"TIT2", "TALB", "TYER", "", "xing", "trc", "TRCK"};
    const std::vector<qsizetype> expected = {8, 2, -1, -1, 20, 26, 26};
    EXPECT_EQ(reader.indexesOfIgnoringCase(needles), expected);
    // A needle cut by the end is not there.
    EXPECT_EQ(ByteReader("..TRC").indexesOfIgnoringCase(needles).back(), -1);
}

TEST(ByteReader, OnlyLettersMatchInEitherCase)
{
    // 0x12 and "2", "@" and "`" differ only in the bit that tells a letter's case.
    EXPECT_EQ(ByteReader("TIT\x12 tIt2").indexOfIgnoringCase("TIT2"), 5);
    EXPECT_EQ(ByteReader("a` A@").indexOfIgnoringCase("a@"), 3);
    // Needles longer than eight bytes, and needles that end the bytes.
    EXPECT_EQ(ByteReader("xx comment-Text").indexOfIgnoringCase("COMMENT-TEXT"), 3);
    EXPECT_EQ(ByteReader("xx comment-tex").indexOfIgnoringCase("COMMENT-TEXT"), -1);
    EXPECT_EQ(ByteReader("......tyEr").indexOfIgnoringCase("TYER"), 6);
}

} // namespace
