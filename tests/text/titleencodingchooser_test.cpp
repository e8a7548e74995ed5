#include "doubles/scriptedtitleencodingchooser.h"
#include "text/titleencodingchooser.h"

#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

using text::ScriptedTitleEncodingChooser;

// "Книга" in code page 1251.
const QByteArray cyrillicTitle("\xCA\xED\xE8\xE3\xE0");

class TitleEncodingChooserTest : public testing::Test {
protected:
    void TearDown() override { platform::setTitleCodePage(0); }
};

TEST_F(TitleEncodingChooserTest, PreselectsUtf8OrTheTitleCodePage)
{
    struct Case {
        QByteArray title;
        int titleCodePage;
        int preselected;
    };
    const Case cases[] = {
        {cyrillicTitle, 1251, 1251},
        {cyrillicTitle, 874, 874},
        {cyrillicTitle, 1258, 1258},
        // UTF-8 with a multi-byte character, whatever the title code page.
        {"Caf\xC3\xA9", 1252, 65001},
        {"\xD0\x9A\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xB1\xD0\xBE\xD0\xBA", 1251, 65001},
        // Not UTF-8: a lone continuation byte, a cut sequence, an overlong form, a surrogate.
        {"Caf\xA9", 1252, 1252},
        {"Caf\xC3", 1252, 1252},
        {"\xC0\xAF", 1250, 1250},
        {"\xED\xA0\x80", 1250, 1250},
        // ASCII is valid UTF-8 but reads the same everywhere: no reason to prefer it.
        {"Plain", 1253, 1253},
        // A title code page the chooser does not offer falls to its first option.
        {cyrillicTitle, 437, 874},
    };
    for (const Case &c : cases) {
        platform::setTitleCodePage(c.titleCodePage);
        EXPECT_EQ(text::preselectedCodePage(c.title), c.preselected) << c.title.toHex().constData();
    }
}

TEST(TitleEncoding, AsciiIsTheSameInEveryPage)
{
    EXPECT_TRUE(text::isAscii(""));
    EXPECT_TRUE(text::isAscii("Plain title ~\x7F"));
    EXPECT_FALSE(text::isAscii("Caf\xE9"));
    EXPECT_FALSE(text::isAscii("\x80"));
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
    platform::setTitleCodePage(1253);
    EXPECT_EQ(chooser.choose(cyrillicTitle), 1253);
    EXPECT_EQ(chooser.choose("Caf\xC3\xA9"), 65001);
    chooser.queueAnswer(950);
    EXPECT_EQ(chooser.choose(cyrillicTitle), 950);
    EXPECT_EQ(chooser.choose(cyrillicTitle), 1253);
}

} // namespace
