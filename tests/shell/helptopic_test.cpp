#include "platform/paths.h"
#include "shell/manual/helptopic.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString helpFile = QStringLiteral("<html><head><title>Help</title></head><body>\n"
                                        "<h1>Contents</h1>\n"
                                        "<h2><a id=\"h12\"></a>Open Album</h2>\n"
                                        "<p>Opens a folder, playlist or file.</p>\n"
                                        "<h2 id=\"h120\">Exit</h2>\n"
                                        "<p>Ends the program.</p>\n"
                                        "</body></html>\n");

} // namespace

TEST(HelpTopic, AnchorInsideAHeadingStartsAtTheHeading)
{
    EXPECT_EQ(helpTopicHtml(helpFile, 12),
              "<h2><a id=\"h12\"></a>Open Album</h2>\n<p>Opens a folder, playlist or file.</p>");
}

TEST(HelpTopic, LastTopicEndsAtTheBody)
{
    EXPECT_EQ(helpTopicHtml(helpFile, 120), "<h2 id=\"h120\">Exit</h2>\n<p>Ends the program.</p>");
}

TEST(HelpTopic, MissingNumberGivesNothing)
{
    EXPECT_EQ(helpTopicHtml(helpFile, 1), "");
    EXPECT_EQ(helpTopicHtml(helpFile, 0), "");
    EXPECT_EQ(helpTopicHtml(helpFile, -12), "");
    EXPECT_EQ(helpTopicHtml(QString(), 12), "");
}

TEST(HelpTopic, AcceptsOtherQuotingAndLetterCase)
{
    EXPECT_EQ(helpTopicHtml(u"<P ID='h5'>five</P><p id=h6>six</p>", 5), "<P ID='h5'>five</P>");
    EXPECT_EQ(helpTopicHtml(u"<P ID='h5'>five</P><p id=h6>six</p>", 6), "<p id=h6>six</p>");
}

TEST(HelpTopic, OtherIdsNeitherStartNorEndTopics)
{
    const QString html = "<h2 id=\"h3\">A</h2><div id=\"header\">B</div><p id=\"h\">C</p>"
                         "<p id=\"hx1\">D</p><h2 id=\"h4\">E</h2>";
    EXPECT_EQ(helpTopicHtml(html, 3),
              "<h2 id=\"h3\">A</h2><div id=\"header\">B</div><p id=\"h\">C</p><p id=\"hx1\">D</p>");
}

TEST(HelpTopic, AnchorOutsideAHeadingStartsAtItself)
{
    EXPECT_EQ(helpTopicHtml(u"<p>See <a id=\"h9\">this</a> text</p><p id=\"h10\">x</p>", 9),
              "<a id=\"h9\">this</a> text</p>");
}

TEST(HelpTopic, CommentsAreNotTopics)
{
    const QString html = "<!-- <a id=\"h7\"> --><p id=\"h8\">eight</p><!-- <p id=\"h9\"> -->"
                         "<p>more</p>";
    EXPECT_EQ(helpTopicHtml(html, 7), "");
    EXPECT_EQ(helpTopicHtml(html, 8), "<p id=\"h8\">eight</p><!-- <p id=\"h9\"> --><p>more</p>");
}

TEST(HelpTopic, BrokenMarkupGivesNoTopicOrAShortOne)
{
    EXPECT_EQ(helpTopicHtml(u"<p id=\"h5\"", 5), "");
    EXPECT_EQ(helpTopicHtml(u"<p id=\"h5>text", 5), "");
    EXPECT_EQ(helpTopicHtml(u"<!-- <p id=\"h5\">text", 5), "");
    EXPECT_EQ(helpTopicHtml(u"<<>< p id=h5>x", 5), "");
    EXPECT_EQ(helpTopicHtml(u"<p id=\"h99999999999999999999\">x", 5), "");
    EXPECT_EQ(helpTopicHtml(u"< <p id=h5>text", 5), "<p id=h5>text");
}

TEST(HelpTopic, EveryTruncationOfAFileIsSafe)
{
    for (qsizetype length = 0; length <= helpFile.size(); ++length) {
        const QString topic = helpTopicHtml(QStringView(helpFile).left(length), 12);
        EXPECT_LE(topic.size(), length);
        if (!topic.isEmpty()) {
            EXPECT_TRUE(topic.startsWith("<h2><a id=\"h12\">")) << length;
        }
    }
}

TEST(HelpTopic, ReadsTopicsFromTheHelpFile)
{
    QTemporaryDir dir;
    QFile html(dir.filePath("prog.html"));
    ASSERT_TRUE(html.open(QIODevice::WriteOnly));
    ASSERT_EQ(html.write(helpFile.toUtf8()), helpFile.toUtf8().size());
    html.close();
    const QString file = platform::fromNativePath(html.fileName());

    EXPECT_EQ(readHelpTopic(file, 120), "<h2 id=\"h120\">Exit</h2>\n<p>Ends the program.</p>");
    EXPECT_EQ(readHelpTopic(file, 14), "");
    EXPECT_EQ(readHelpTopic(file + "x", 12), "");
    EXPECT_EQ(readHelpTopic(platform::fromNativePath(dir.path()), 12), "");
    EXPECT_EQ(readHelpTopic("", 12), "");
}
