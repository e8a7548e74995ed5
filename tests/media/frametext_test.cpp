#include "media/frametext.h"

#include "tagbytes.h"

#include <gtest/gtest.h>

namespace {

using media::frameNumber;
using media::frameText;
using media::TagText;
using tagbytes::textFrame;

TagText unicode(const QString &text)
{
    return TagText::fromUnicode(text);
}

TagText bytes(const QByteArray &text)
{
    return TagText::fromBytes(text);
}

TEST(FrameText, LittleEndianMarkGivesUnicodeText)
{
    const QByteArray body = textFrame(3, "TIT2", 1, QByteArray("\xFF\xFE\x41\x00\x42\x00", 6));
    EXPECT_EQ(frameText("TIT2", body, 3), unicode("AB"));
}

TEST(FrameText, Version3SlashSeparatesValues)
{
    EXPECT_EQ(frameText("TPE1", textFrame(3, "TPE1", 0, "A/B"), 3), bytes("A\r\nB"));
    EXPECT_EQ(frameText("TPE1", textFrame(4, "TPE1", 0, "A/B"), 4), bytes("A/B"));
    EXPECT_EQ(frameText("TP1", textFrame(2, "TP1", 0, "A/B"), 2), bytes("A/B"));
}

TEST(FrameText, Version3SlashIsSoughtInCharactersNotBytes)
{
    // U+012F is the bytes 2F 01 in UTF-16LE: not a separator.
    const QByteArray text = "\xFF\xFE" + tagbytes::utf16le(u"\u012F1/2");
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 1, text), 3),
              unicode(QStringLiteral("\u012F1\r\n2")));
}

TEST(FrameText, Version4Utf16TitleWithTerminator)
{
    // As mutagen writes it: mark, UTF-16LE, a NUL code unit.
    const QByteArray text = "\xFF\xFE" + tagbytes::utf16le(u"Hello") + QByteArray(2, '\0');
    EXPECT_EQ(frameText("TIT2", textFrame(4, "TIT2", 1, text), 4), unicode("Hello"));
}

TEST(FrameText, Version4NulSeparatesValues)
{
    const QByteArray marked = "\xFF\xFE" + tagbytes::utf16le(QStringView(u"Anna\0", 5)) +
                              "\xFF\xFE" + tagbytes::utf16le(QStringView(u"Ben\0", 4));
    EXPECT_EQ(frameText("TPE1", textFrame(4, "TPE1", 1, marked), 4), unicode("Anna\r\nBen"));
    EXPECT_EQ(frameText("TPE1", textFrame(4, "TPE1", 0, QByteArray("A\0B\0", 4)), 4),
              bytes("A\r\nB"));
    EXPECT_EQ(frameText("TPE1", textFrame(4, "TPE1", 3, QByteArray("\xC3\xA9\0B", 4)), 4),
              unicode(QStringLiteral("é\r\nB")));
}

TEST(FrameText, EndingNulsAreTerminators)
{
    // ffmpeg ends every text with a NUL.
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 0, QByteArray("Title\0", 6)), 3),
              bytes("Title"));
    EXPECT_EQ(frameText("TIT2", textFrame(4, "TIT2", 3, QByteArray("Title\0", 6)), 4),
              unicode("Title"));
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 0, QByteArray("A\0\0\0", 4)), 3), bytes("A"));
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 0, QByteArray("\0\0", 2)), 3), TagText());
}

TEST(FrameText, BigEndianForms)
{
    const QByteArray omega = tagbytes::utf16be(u"Ωmega");
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 2, omega), 3),
              unicode(QStringLiteral("Ωmega")));
    EXPECT_EQ(frameText("TIT2", textFrame(4, "TIT2", 2, omega), 4),
              unicode(QStringLiteral("Ωmega")));
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 1, "\xFE\xFF" + omega), 3),
              unicode(QStringLiteral("Ωmega")));
    // Encoding 2 means nothing to version 2.2.
    EXPECT_EQ(frameText("TT2", textFrame(2, "TT2", 2, "AB"), 2), bytes("AB"));
}

TEST(FrameText, Utf8FormsAndPlainBytes)
{
    EXPECT_EQ(frameText("TT2", textFrame(2, "TT2", 0, "\xEF\xBB\xBF\xC3\xA9"), 2),
              unicode(QStringLiteral("é")));
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 3, "\xC3\xA9"), 3),
              unicode(QStringLiteral("é")));
    EXPECT_EQ(frameText("TT2", textFrame(2, "TT2", 3, "\xC3\xA9"), 2), bytes("\xC3\xA9"));
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 0, "Caf\xE9"), 3), bytes("Caf\xE9"));
    // An odd last byte of UTF-16 is no character.
    EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 1, QByteArray("\xFF\xFE\x41\x00\x42", 5)), 3),
              unicode("A"));
}

TEST(FrameText, FindsTheFirstOccurrenceWithoutRegardToCase)
{
    const QByteArray body = textFrame(3, "TXXX", 0, "x") + textFrame(3, "tit2", 0, "lower") +
                            textFrame(3, "TIT2", 0, "upper");
    EXPECT_EQ(frameText("TIT2", body, 3), bytes("lower"));
    EXPECT_EQ(frameText("TALB", body, 3), TagText());
    // An identifier inside another frame's data is taken where it is found.
    const QByteArray hidden = textFrame(3, "COMM", 0, tagbytes::textFrame(3, "TALB", 0, "inner")) +
                              textFrame(3, "TALB", 0, "outer");
    EXPECT_EQ(frameText("TALB", hidden, 3), bytes("inner"));
}

TEST(FrameText, SizesFollowTheVersion)
{
    // 200 bytes: a 2.4 size as 7-bit groups (01 48) differs from its plain form (00 C8).
    const QByteArray longTitle(199, 'x');
    const QByteArray body4 = textFrame(4, "TIT2", 0, longTitle) + textFrame(4, "TALB", 0, "b");
    EXPECT_EQ(frameText("TIT2", body4, 4), bytes(longTitle));
    const QByteArray body3 = textFrame(3, "TIT2", 0, longTitle) + textFrame(3, "TALB", 0, "b");
    EXPECT_EQ(frameText("TIT2", body3, 3), bytes(longTitle));
    const QByteArray body2 = textFrame(2, "TT2", 0, longTitle) + textFrame(2, "TAL", 0, "b");
    EXPECT_EQ(frameText("TT2", body2, 2), bytes(longTitle));
    EXPECT_EQ(frameText("TAL", body2, 2), bytes("b"));
}

TEST(FrameText, BadSizesGiveNeutralText)
{
    using tagbytes::frameHeader;
    EXPECT_EQ(frameText("TIT2", frameHeader(3, "TIT2", 0) + "\0abc", 3), TagText());
    EXPECT_EQ(frameText("TIT2", frameHeader(3, "TIT2", 1) + "\0abc", 3), TagText());
    // A size past the body takes what the body still holds.
    EXPECT_EQ(frameText("TIT2", frameHeader(3, "TIT2", 0x80000000u) + '\0' + "abc", 3),
              bytes("abc"));
    EXPECT_EQ(frameText("TIT2", frameHeader(4, "TIT2", 0x0FFFFFFFu) + '\0' + "abc", 4),
              bytes("abc"));
    EXPECT_EQ(frameText("TIT2", frameHeader(3, "TIT2", 0xFFFFFFFFu) + '\0' + "abc", 3),
              bytes("abc"));
    // The identifier at the body's end, its size cut off.
    EXPECT_EQ(frameText("TIT2", "xxTIT2\0\0", 3), TagText());
    EXPECT_EQ(frameText("TIT2", "TIT2", 3), TagText());
    EXPECT_EQ(frameText("TIT2", QByteArrayView(), 3), TagText());
    for (int version : {0, 1, 5, 255})
        EXPECT_EQ(frameText("TIT2", textFrame(3, "TIT2", 0, "x"), version), TagText()) << version;
}

TEST(FrameNumber, TakesTheLeadingNumberOfTheDecodedText)
{
    EXPECT_EQ(frameNumber("TRCK", textFrame(3, "TRCK", 0, "3/12"), 3), 3);
    EXPECT_EQ(frameNumber("TRCK", textFrame(4, "TRCK", 0, "05"), 4), 5);
    EXPECT_EQ(frameNumber("TYER", textFrame(3, "TYER", 0, " 2004"), 3), 2004);
    EXPECT_EQ(frameNumber("TYER", textFrame(3, "TYER", 0, "12.7"), 3), 12);
    EXPECT_EQ(frameNumber("TYE", textFrame(2, "TYE", 0, "1999-05-01"), 2), 1999);
    EXPECT_EQ(frameNumber("TYER", textFrame(3, "TYER", 0, "-5"), 3), -5);
    const QByteArray utf16Year = "\xFF\xFE" + tagbytes::utf16le(u"1987") + QByteArray(2, '\0');
    EXPECT_EQ(frameNumber("TYER", textFrame(3, "TYER", 1, utf16Year), 3), 1987);
    EXPECT_EQ(frameNumber("TRCK", textFrame(4, "TRCK", 3, QByteArray("7\0", 2)), 4), 7);
}

TEST(FrameNumber, NoNumberOrOneTooLargeGivesZero)
{
    EXPECT_EQ(frameNumber("TYER", textFrame(3, "TYER", 0, "unknown"), 3), 0);
    EXPECT_EQ(frameNumber("TYER", textFrame(3, "TYER", 0, ""), 3), 0);
    EXPECT_EQ(frameNumber("TYER", textFrame(3, "TYER", 0, "99999"), 3), 0);
    EXPECT_EQ(frameNumber("TYER", textFrame(3, "TYER", 0, "99999999999999999999999"), 3), 0);
    EXPECT_EQ(frameNumber("TRCK", QByteArrayView(), 3), 0);
}

TEST(TagText, ShowsBytesInTheGivenCodePage)
{
    EXPECT_EQ(bytes("Caf\xE9").toString(1252), QStringLiteral("Café"));
    EXPECT_EQ(bytes("Caf\xE9").toString(1251), QStringLiteral("Cafй"));
    EXPECT_EQ(unicode(QStringLiteral("Ωmega")).toString(1251), QStringLiteral("Ωmega"));
    EXPECT_TRUE(TagText().isEmpty());
    EXPECT_TRUE(unicode("").isEmpty());
    EXPECT_FALSE(bytes("x").isEmpty());
}

} // namespace
