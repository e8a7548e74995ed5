#include "shell/manual/richtext.h"

#include <gtest/gtest.h>

TEST(RichText, UpdateMessageShowsTheAddressUnderlinedInBlue)
{
    const QString rtf = "{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue255;}\\f0\\fs16 Version "
                        "2.01 is now available to download:\\par "
                        "\\cf1{\\ul https://www.example.com/corvella//Products/Sonnalby/"
                        "sonnalby_Setup.exe}}";
    EXPECT_TRUE(isRtf(rtf));
    EXPECT_EQ(rtfToHtml(rtf),
              "Version 2.01 is now available to download:<br>"
              "<span style=\"text-decoration:underline;color:#0000ff;\">"
              "https://www.example.com/corvella//Products/Sonnalby/sonnalby_Setup.exe</span>");
}

TEST(RichText, RecognisesOnlyRtfDocuments)
{
    EXPECT_FALSE(isRtf(u"Version 2"));
    EXPECT_FALSE(isRtf(u"<b>{\\rtf1}</b>"));
    EXPECT_FALSE(isRtf(u""));
}

TEST(RichText, EscapesAndCharacters)
{
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 a\\\\b\\{c\\}d}"), "a\\b{c}d");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 caf\\'e9 \\u8364?5}"), QString::fromUtf8("café €5"));
    EXPECT_EQ(rtfToHtml(u"{\\rtf1\\uc2 \\u8364xy5}"), QString::fromUtf8("€5"));
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 <a> & \"b\"}"), "&lt;a&gt; &amp; &quot;b&quot;");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 one\r\ntwo\\line three\\tab four}"), "onetwo<br>three&#9;four");
}

TEST(RichText, StylesFollowGroups)
{
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 a{\\b b\\i c}d\\i e\\i0 f\\plain g}"),
              "a<span style=\"font-weight:bold;\">b</span>"
              "<span style=\"font-weight:bold;font-style:italic;\">c</span>d"
              "<span style=\"font-style:italic;\">e</span>fg");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 \\ul a\\ulnone b\\ul c\\ul0 d}"),
              "<span style=\"text-decoration:underline;\">a</span>b"
              "<span style=\"text-decoration:underline;\">c</span>d");
}

TEST(RichText, TablesAndIgnorableGroupsAreDropped)
{
    EXPECT_EQ(rtfToHtml(u"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\generator Pad;}{\\info{\\title T}}"
                        "\\f0 Text\\par}"),
              "Text<br>");
}

TEST(RichText, ColoursOutsideTheTableAreAutomatic)
{
    EXPECT_EQ(rtfToHtml(u"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf0 a\\cf1 b\\cf7 c}"),
              "a<span style=\"color:#ff0000;\">b</span>c");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1{\\colortbl;\\red999;}\\cf1 a}"),
              "<span style=\"color:#ff0000;\">a</span>");
}

TEST(RichText, BrokenDocumentsEndQuietly)
{
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 a}}}b{"), "ab");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 a\\"), "a");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 a\\'"), "a");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 a\\'4"), "a");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 a\\'zz b"), "a b");
    EXPECT_EQ(rtfToHtml(u"{\\rtf1 \\cf99999999999999999 a\\u}"), "a");
    EXPECT_EQ(rtfToHtml(u"{{{{{{{{{{"), "");
}
