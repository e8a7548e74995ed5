#include "album/markuptext.h"

#include <gtest/gtest.h>

using album::attributeValue;
using album::textBetween;

TEST(TextBetween, ExclusiveLeavesBothMarkersOut)
{
    EXPECT_EQ(textBetween(u"a<SEQ>xy</seq>b", u"<seq>", u"</seq>"), "xy");
    EXPECT_EQ(textBetween(u"<seq><seq>x</seq></seq>", u"<seq>", u"</seq>"), "<seq>x");
}

TEST(TextBetween, InclusiveKeepsBothMarkers)
{
    EXPECT_EQ(textBetween(u"a<seq>xy</seq>b", u"<seq>", u"</seq>", Qt::CaseInsensitive, false),
              "<seq>xy</seq>");
}

TEST(TextBetween, MissingEndRunsToTheEnd)
{
    EXPECT_EQ(textBetween(u"a<seq>xy", u"<seq>", u"</seq>"), "xy");
    EXPECT_EQ(textBetween(u"a<seq>xy", u"<seq>", u"</seq>", Qt::CaseInsensitive, false), "<seq>xy");
}

TEST(TextBetween, EndIsSearchedOnlyAfterTheStart)
{
    EXPECT_EQ(textBetween(u"</seq><seq>x</seq>", u"<seq>", u"</seq>"), "x");
    EXPECT_EQ(textBetween(u"<seq>", u"<seq>", u"</seq>"), "");
}

TEST(TextBetween, EmptyOrMissingStartGivesEmptyText)
{
    EXPECT_EQ(textBetween(u"x</seq>", u"<seq>", u"</seq>"), "");
    EXPECT_EQ(textBetween(u"", u"<seq>", u"</seq>"), "");
    EXPECT_EQ(textBetween(u"<seq>x</seq>", u"", u"</seq>"), "");
    EXPECT_EQ(textBetween(u"<seq>x</seq>", u"<seq>", u""), "");
}

TEST(TextBetween, CaseSensitiveModeMissesOtherCase)
{
    EXPECT_EQ(textBetween(u"<SEQ>x</SEQ>", u"<seq>", u"</seq>", Qt::CaseSensitive), "");
}

TEST(AttributeValue, QuotedValues)
{
    EXPECT_EQ(attributeValue(u"src=\"a b.mp3\" title=\"T\"/>", u"src"), "a b.mp3");
    EXPECT_EQ(attributeValue(u"SRC='x.mp3'>", u"src"), "x.mp3");
    EXPECT_EQ(attributeValue(u"src = \"it's.mp3\"/>", u"src"), "it's.mp3");
    EXPECT_EQ(attributeValue(u"src='say \"hi\".mp3'/>", u"src"), "say \"hi\".mp3");
}

TEST(AttributeValue, UnquotedValueEndsAtABlankOrTheClose)
{
    EXPECT_EQ(attributeValue(u"src=a.mp3 title=x/>", u"src"), "a.mp3");
    EXPECT_EQ(attributeValue(u"src=a.mp3>", u"src"), "a.mp3");
    EXPECT_EQ(attributeValue(u"src=a.mp3/> <x y>", u"src"), "a.mp3/");
    EXPECT_EQ(attributeValue(u"src=a.mp3\r\n/>", u"src"), "a.mp3");
    EXPECT_EQ(attributeValue(u"src=a.mp3", u"src"), "a.mp3");
}

// A file "02 A -> B.mp3" is a name like any other; only an unclosed value is rejected.
TEST(AttributeValue, QuotedValueMayHoldACloseButMustBeClosed)
{
    EXPECT_EQ(attributeValue(u"src=\"a>b.mp3\"/>", u"src"), "a>b.mp3");
    EXPECT_EQ(attributeValue(u"src='02 A -> B.mp3' title=\"x\"/>", u"src"), "02 A -> B.mp3");
    EXPECT_EQ(attributeValue(u"src=\"a.mp3/>", u"src"), "");
    EXPECT_EQ(attributeValue(u"src=\"a.mp3", u"src"), "");
}

TEST(AttributeValue, OnlyTheFirstMentionCounts)
{
    EXPECT_EQ(attributeValue(u"title=\"the src\" src=\"x.mp3\"/>", u"src"), "");
    EXPECT_EQ(attributeValue(u"title=\"Src=y\" src=\"x.mp3\"/>", u"src"), "y\"");
}

TEST(AttributeValue, NoValue)
{
    EXPECT_EQ(attributeValue(u"", u"src"), "");
    EXPECT_EQ(attributeValue(u"title=\"x\"/>", u"src"), "");
    EXPECT_EQ(attributeValue(u"src/>", u"src"), "");
    EXPECT_EQ(attributeValue(u"src=", u"src"), "");
    EXPECT_EQ(attributeValue(u"src=\"\"/>", u"src"), "");
    EXPECT_EQ(attributeValue(u"src=\"x\"", u""), "");
}

TEST(AttributeValue, EntitiesStayAsTheyAre)
{
    EXPECT_EQ(attributeValue(u"src=\"Tom &amp; Jerry&#233;.mp3\"/>", u"src"),
              "Tom &amp; Jerry&#233;.mp3");
}
