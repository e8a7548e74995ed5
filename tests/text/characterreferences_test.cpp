#include "text/characterreferences.h"

#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

using text::CodeUnits;
using text::codeUnitsToText;
using text::fromCharacterReferences;
using text::toCharacterReferences;

TEST(CharacterReferences, WritesNonAsciiCodeUnitsAsDecimalReferences)
{
    EXPECT_EQ(toCharacterReferences(u"Café"), u"Caf&#233;");
    EXPECT_EQ(toCharacterReferences(u"Жук"), u"&#1046;&#1091;&#1082;");
    EXPECT_EQ(toCharacterReferences(u"a\u007F\u0080"), u"a\u007F&#128;");
    EXPECT_EQ(toCharacterReferences(u"😀"), u"&#55357;&#56832;");
    EXPECT_EQ(toCharacterReferences(u"a=b&c;"), u"a=b&c;");
    EXPECT_EQ(toCharacterReferences(u""), u"");
}

TEST(CharacterReferences, MaximumLengthNeverCutsAReference)
{
    EXPECT_EQ(toCharacterReferences(u"abcdefgh\u04D2", 10), u"abcdefgh");
    EXPECT_EQ(toCharacterReferences(u"abcdefgh\u04D2", 15), u"abcdefgh&#1234;");
    EXPECT_EQ(toCharacterReferences(u"abcdefghij", 9), u"abcdefghi");
    // The output stops at the first piece that does not fit; later short pieces are not added.
    EXPECT_EQ(toCharacterReferences(u"ab\u04D2c", 3), u"ab");
    EXPECT_EQ(toCharacterReferences(u"ab\u04D2c", 0), u"ab&#1234;c");
    EXPECT_EQ(toCharacterReferences(u"ab\u04D2c", -1), u"ab&#1234;c");
}

TEST(CharacterReferences, ReadsDecimalAndLowerCaseHexReferences)
{
    EXPECT_EQ(fromCharacterReferences(u"Caf&#233;"), CodeUnits({67, 97, 102, 233}));
    EXPECT_EQ(fromCharacterReferences(u"&#x41;&#66;"), CodeUnits({65, 66}));
    EXPECT_EQ(fromCharacterReferences(u"&#xe9;&#xE9;"), CodeUnits({233, 233}));
    EXPECT_EQ(fromCharacterReferences(u"&#X41;"), CodeUnits({0}));
    EXPECT_EQ(fromCharacterReferences(u"Rock &#61; Roll"),
              CodeUnits({82, 111, 99, 107, 32, 61, 32, 82, 111, 108, 108}));
    EXPECT_TRUE(fromCharacterReferences(u"").isEmpty());
    EXPECT_EQ(text::fromCharacterReferenceText(u"Caf&#233; &#1050;"), u"Caf\u00E9 \u041A");
}

TEST(CharacterReferences, MalformedReferencesArePlainCharacters)
{
    EXPECT_EQ(fromCharacterReferences(u"a&#1b"), CodeUnits({97, 38, 35, 49, 98}));
    EXPECT_EQ(fromCharacterReferences(u"&#"), CodeUnits({38, 35}));
    EXPECT_EQ(fromCharacterReferences(u"&#12&#34;"), CodeUnits({38, 35, 49, 50, 34}));
    EXPECT_EQ(fromCharacterReferences(u"x;&#65;"), CodeUnits({120, 59, 65}));
    EXPECT_EQ(fromCharacterReferences(u"&x;"), CodeUnits({38, 120, 59}));
}

TEST(CharacterReferences, DigitsAreReadAsFarAsTheyGo)
{
    EXPECT_EQ(fromCharacterReferences(u"&#;"), CodeUnits({0}));
    EXPECT_EQ(fromCharacterReferences(u"&#x;"), CodeUnits({0}));
    EXPECT_EQ(fromCharacterReferences(u"&#12ab;z"), CodeUnits({12, 122}));
    EXPECT_EQ(fromCharacterReferences(u"&#x1fg;"), CodeUnits({31}));
    EXPECT_EQ(fromCharacterReferences(u"&#-5;"), CodeUnits({0}));
    EXPECT_EQ(fromCharacterReferences(u"&# 5;"), CodeUnits({0}));
}

TEST(CharacterReferences, HugeNumbersWrapInsteadOfOverflowing)
{
    EXPECT_EQ(codeUnitsToText(fromCharacterReferences(u"&#99999999999;")),
              QString(QChar(char16_t(99999999999 % 65536))));
    const QString manyNines = QStringLiteral("&#") + QString(40, u'9') + u';';
    EXPECT_EQ(codeUnitsToText(fromCharacterReferences(manyNines)), QString(QChar(0xFFFF)));
    const QString manyFs = QStringLiteral("&#x") + QString(40, u'f') + u';';
    EXPECT_EQ(codeUnitsToText(fromCharacterReferences(manyFs)), QString(QChar(0xFFFF)));
    EXPECT_EQ(codeUnitsToText(fromCharacterReferences(u"&#x1F600;")), QString(QChar(0xF600)));
}

// A stored album title of a megabyte is decoded at every start: this must take linear time
// (the debug build decodes each text here in well under a second).
TEST(CharacterReferences, AMegabyteTitleDecodesInOnePass)
{
    constexpr qsizetype megabyte = 1 << 20;
    const QString unended = QStringLiteral("&#1").repeated(megabyte / 3);
    EXPECT_EQ(fromCharacterReferences(unended).size(), unended.size());
    const QString lateReference = QString(megabyte, u'a') + QStringLiteral("&#66;");
    EXPECT_EQ(fromCharacterReferences(lateReference).last(), 66);
    const QString lateSemicolon = QStringLiteral("&#").repeated(megabyte / 2) + u';';
    EXPECT_EQ(fromCharacterReferences(lateSemicolon).size(), lateSemicolon.size() - 2);
    const QString longDigits = QStringLiteral("&#") + QString(megabyte, u'7') + u';';
    EXPECT_EQ(fromCharacterReferences(longDigits).size(), 1);
}

TEST(CharacterReferences, CharactersOutsideReferencesKeepTheirValue)
{
    EXPECT_EQ(fromCharacterReferences(u"é&#65;Ж"), CodeUnits({233, 65, 1046}));
    EXPECT_EQ(codeUnitsToText(fromCharacterReferences(u"é&#65;Ж")), u"éAЖ");
}

TEST(CharacterReferences, CodeUnitsAreTakenModulo65536)
{
    EXPECT_EQ(codeUnitsToText({65, 65536 + 66, -1, 233, 131072}),
              QStringLiteral("AB") + QChar(0xFFFF) + QStringLiteral("é") + QChar(0));
    EXPECT_EQ(codeUnitsToText({std::numeric_limits<qint32>::min()}), QString(QChar(0)));
    EXPECT_EQ(codeUnitsToText({}), u"");
}

TEST(CharacterReferences, RoundTripsEveryScript)
{
    const QString text = QStringLiteral("Ünïcødé – Жук, 日本語, العربية, 😀 & \"quotes\"; a=b");
    EXPECT_EQ(text::textToCodeUnits(text).size(), text.size());
    EXPECT_EQ(codeUnitsToText(text::textToCodeUnits(text)), text);
    const QString references = toCharacterReferences(text);
    for (QChar c : references)
        EXPECT_LT(c.unicode(), 128);
    EXPECT_EQ(codeUnitsToText(fromCharacterReferences(references)), text);
}

class CodePageToCharacterReferences : public testing::Test {
protected:
    void TearDown() override { platform::setAnsiCodePage(0); }
};

TEST_F(CodePageToCharacterReferences, DecodesInTheGivenCodePage)
{
    using text::codePageToCharacterReferences;
    EXPECT_EQ(codePageToCharacterReferences("Caf\xE9", 1252), u"Caf&#233;");
    EXPECT_EQ(codePageToCharacterReferences("\xC0", 1251), u"&#1040;");
    EXPECT_EQ(codePageToCharacterReferences("\x8A\xBF", 932), u"&#28450;");
    EXPECT_EQ(codePageToCharacterReferences(QByteArray("A\0\x16\x04", 4), 1200), u"A&#1046;");
    EXPECT_EQ(codePageToCharacterReferences("abcdefgh\xC0", 1251, 10), u"abcdefgh");
    EXPECT_EQ(codePageToCharacterReferences("abc", 50001), u"");
    EXPECT_EQ(codePageToCharacterReferences("", 1252), u"");
}

TEST_F(CodePageToCharacterReferences, ZeroIsAnsiAndNegativeTakesTheBytesAsTheyAre)
{
    using text::codePageToCharacterReferences;
    platform::setAnsiCodePage(1251);
    EXPECT_EQ(codePageToCharacterReferences("\xC0", 0), u"&#1040;");
    EXPECT_EQ(codePageToCharacterReferences("\xC0", -1), u"&#192;");
    EXPECT_EQ(codePageToCharacterReferences("\x8A\xBF", -1, 6), u"&#138;");
}

TEST(DecodeCodePage, IsThePlatformConversion)
{
    EXPECT_EQ(text::decodeCodePage("\xE9", 1252), u"é");
    EXPECT_EQ(text::decodeCodePage("\xC3\xA9", 65001), u"é");
    EXPECT_EQ(text::decodeCodePage("", 1252), u"");
    EXPECT_EQ(text::decodeCodePage("abc", 99999), u"");
}

} // namespace
