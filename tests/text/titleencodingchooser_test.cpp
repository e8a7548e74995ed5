#include "text/scriptedtitleencodingchooser.h"
#include "text/titleencodingchooser.h"

#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

using text::ScriptedTitleEncodingChooser;

// "Книга" in code page 1251.
const QByteArray cyrillicTitle("\xCA\xED\xE8\xE3\xE0");

class TitleEncodingChooserTest : public testing::Test {
protected:
    void TearDown() override { platform::setAnsiCodePage(0); }
};

TEST_F(TitleEncodingChooserTest, PreselectsTheAnsiCodePageOnlyWhenOffered)
{
    for (int offered : {874, 1251, 1252, 1258}) {
        platform::setAnsiCodePage(offered);
        EXPECT_EQ(text::preselectedCodePage(), offered);
    }
    for (int notOffered : {437, 65001, 1200, 1361}) {
        platform::setAnsiCodePage(notOffered);
        EXPECT_EQ(text::preselectedCodePage(), 0) << notOffered;
    }
}

TEST_F(TitleEncodingChooserTest, TitleIsDecodedInTheChosenCodePage)
{
    ScriptedTitleEncodingChooser chooser;
    chooser.queueAnswer(1251);
    chooser.queueAnswer(1252);

    const text::TitleEncoding cyrillic = text::chooseTitleEncoding(chooser, cyrillicTitle);
    EXPECT_EQ(cyrillic.codePage, 1251);
    EXPECT_EQ(cyrillic.title, u"&#1050;&#1085;&#1080;&#1075;&#1072;");

    const text::TitleEncoding western = text::chooseTitleEncoding(chooser, cyrillicTitle);
    EXPECT_EQ(western.codePage, 1252);
    EXPECT_EQ(western.title, u"&#202;&#237;&#232;&#227;&#224;");

    EXPECT_EQ(chooser.titlesAsked(), QList<QByteArray>({cyrillicTitle, cyrillicTitle}));
}

TEST_F(TitleEncodingChooserTest, UnscriptedAnswerIsWhatOkOnTheFreshWindowGives)
{
    ScriptedTitleEncodingChooser chooser;
    platform::setAnsiCodePage(1253);
    EXPECT_EQ(chooser.choose("x"), 1253);
    platform::setAnsiCodePage(65001);
    EXPECT_EQ(chooser.choose("x"), 874);
    chooser.queueAnswer(950);
    EXPECT_EQ(chooser.choose("x"), 950);
    EXPECT_EQ(chooser.choose("x"), 874);
}

} // namespace
