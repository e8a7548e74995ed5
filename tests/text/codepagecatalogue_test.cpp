#include "text/codepagecatalogue.h"

#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using text::codePageCharset;
using text::codePageName;

TEST(CodePageCatalogue, KnowsExactly125CodePages)
{
    int named = 0;
    for (int codePage = -100; codePage <= 70000; ++codePage)
        named += codePageName(codePage).isEmpty() ? 0 : 1;
    EXPECT_EQ(named, 125);
}

TEST(CodePageCatalogue, NamesAreShownAsWritten)
{
    EXPECT_EQ(codePageName(1200), u"Unicode Little Endian");
    EXPECT_EQ(codePageName(1201), u"Unicode Big Endian");
    EXPECT_EQ(codePageName(1252), u"Western");
    EXPECT_EQ(codePageName(874), u"Thai");
    EXPECT_EQ(codePageName(37), u"EBCDIC US Canada");
    EXPECT_EQ(codePageName(20127), u"USA SCII");
    EXPECT_EQ(codePageName(10006), u"Mac Greek1");
    EXPECT_EQ(codePageName(50220), u"ISO2022 JPNo Halfwidth Katakana");
    EXPECT_EQ(codePageName(50935), u"EBCDIC Simplified Chinese Extended And Simplified Chinese");
    EXPECT_EQ(codePageName(65001), u"UTF8");
}

TEST(CodePageCatalogue, UnlistedNumbersHaveNoName)
{
    for (int codePage :
         {0, -1, 65002, 28600, 1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        EXPECT_TRUE(codePageName(codePage).isEmpty()) << codePage;
}

TEST(CodePageCatalogue, TheTwoChineseIso2022PagesHaveOneNameEach)
{
    const QString a = codePageName(50227);
    const QString b = codePageName(50229);
    EXPECT_NE(a, b);
    for (const QString &name : {a, b})
        EXPECT_TRUE(name == u"ISO2022 CN Traditional Chinese" ||
                    name == u"ISO2022 CN Simplified Chinese")
            << name.toStdString();
}

TEST(CodePageCatalogue, CharsetsFollowTheGdiConstants)
{
    const std::vector<std::pair<int, int>> expected = {
        {874, 222},  {932, 128},  {936, 134},  {949, 129},  {950, 136},
        {1250, 238}, {1251, 204}, {1252, 0},   {1253, 161}, {1254, 162},
        {1255, 177}, {1256, 178}, {1257, 186}, {1258, 163}, {1361, 130},
    };
    for (const auto &[codePage, charset] : expected)
        EXPECT_EQ(codePageCharset(codePage), charset) << codePage;
    for (int codePage : {65001, 1200, 0, -1, 437, 99999})
        EXPECT_EQ(codePageCharset(codePage), 0) << codePage;
}

TEST(CodePageCatalogue, OffersTheFourteenAnsiPagesInOrder)
{
    const std::vector<int> expected = {874,  932,  936,  949,  950,  1250, 1251,
                                       1252, 1253, 1254, 1255, 1256, 1257, 1258};
    const auto offered = text::offeredCodePages();
    ASSERT_EQ(offered.size(), 14u);
    EXPECT_EQ(offered.front(), 874);
    EXPECT_EQ(offered.back(), 1258);
    EXPECT_EQ(std::vector<int>(offered.begin(), offered.end()), expected);
    EXPECT_EQ(text::offeredCodePages().data(), offered.data());
}

TEST(CodePageCatalogue, EveryOfferedPageHasANameAndAConverter)
{
    for (int codePage : text::offeredCodePages()) {
        EXPECT_FALSE(codePageName(codePage).isEmpty()) << codePage;
        EXPECT_TRUE(platform::isCodePageAvailable(codePage)) << codePage;
    }
}

} // namespace
