#include "album/playlistreader.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "qstringprint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using album::readPlaylistSources;

namespace {

class PlaylistReaderTest : public testing::Test {
protected:
    void TearDown() override { platform::setAnsiCodePage(0); }

    // The playlist's internal path after writing the bytes to it.
    QString playlist(const QByteArray &bytes, const QString &name = "index.wpl")
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return platform::fromNativePath(file.fileName());
    }
    // The internal path of a name in the playlist's folder.
    QString inFolder(const QString &relative) const
    {
        return platform::fromNativePath(m_dir.path()) + u'\\' + relative;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(PlaylistReaderTest, OwnFormReadsInOrder)
{
    const QString path = playlist("<smil><head><title></title></head><body><seq>\r\n"
                                  "<media src=\"b.mp3\" title=\"B\"/>\r\n"
                                  "<media src=\"a.mp3\" title=\"A &\"/>\r\n"
                                  "</seq></body></smil>");
    EXPECT_EQ(readPlaylistSources(path), QStringList({inFolder("b.mp3"), inFolder("a.mp3")}));
}

TEST_F(PlaylistReaderTest, OtherWritersUpperCaseAndSingleQuotes)
{
    const QString path = playlist("<?xml version=\"1.0\"?>\n<SMIL><BODY><SEQ>\n"
                                  "  <MEDIA SRC='x.mp3'>\n  </MEDIA>\n"
                                  "</SEQ></BODY></SMIL>\n");
    EXPECT_EQ(readPlaylistSources(path), QStringList{inFolder("x.mp3")});
    const QString mixed =
        playlist("<seq><media src='a.mp3'/>\n<MEDIA SRC='b.mp3'/></seq>", "m.wpl");
    EXPECT_EQ(readPlaylistSources(mixed), QStringList({inFolder("a.mp3"), inFolder("b.mp3")}));
}

TEST_F(PlaylistReaderTest, UnquotedValues)
{
    const QString path = playlist("<seq><media src=a.mp3 title=A/><media src=b.mp3>"
                                  "<media src=\"c>d.mp3\"/><media src=e.mp3/></seq>");
    EXPECT_EQ(readPlaylistSources(path),
              QStringList({inFolder("a.mp3"), inFolder("b.mp3"), inFolder("c>d.mp3"),
                           inFolder("e.mp3\\")}));
}

TEST_F(PlaylistReaderTest, SrcMentionedBeforeTheAttributeSkipsTheElement)
{
    const QString path = playlist("<seq><media title=\"src of all\" src=\"a.mp3\"/>"
                                  "<media src=\"b.mp3\"/><media/><media src=\"\"/></seq>");
    EXPECT_EQ(readPlaylistSources(path), QStringList{inFolder("b.mp3")});
}

TEST_F(PlaylistReaderTest, OnlyTheFirstSeqIsRead)
{
    const QString path = playlist("<media src=\"before.mp3\"/><seq><media src=\"in.mp3\"/></seq>"
                                  "<seq><media src=\"after.mp3\"/></seq>");
    EXPECT_EQ(readPlaylistSources(path), QStringList{inFolder("in.mp3")});
}

TEST_F(PlaylistReaderTest, MissingEndOfSeqReadsToTheEnd)
{
    const QString path = playlist("<seq><media src=\"a.mp3\"/>\r\n<media src=\"b.mp3\"/>");
    EXPECT_EQ(readPlaylistSources(path), QStringList({inFolder("a.mp3"), inFolder("b.mp3")}));
}

TEST_F(PlaylistReaderTest, MissingSeqOrFileYieldsNothing)
{
    EXPECT_TRUE(readPlaylistSources(playlist("<body><media src=\"a.mp3\"/></body>")).isEmpty());
    EXPECT_TRUE(readPlaylistSources(playlist("")).isEmpty());
    EXPECT_TRUE(readPlaylistSources(inFolder("missing.wpl")).isEmpty());
    EXPECT_TRUE(readPlaylistSources(QString()).isEmpty());
}

TEST_F(PlaylistReaderTest, EntitiesAreKeptLiterally)
{
    const QString path = playlist("<seq><media src=\"Tom &amp; Jerry.mp3\"/></seq>");
    EXPECT_EQ(readPlaylistSources(path), QStringList{inFolder("Tom &amp; Jerry.mp3")});
}

TEST_F(PlaylistReaderTest, AbsoluteSourcesAreUsedAsTheyStand)
{
    const QString path = playlist("<seq><media src=\"C:\\Music\\x.mp3\"/>"
                                  "<media src=\"http://example.com/a/b.mp3\"/>"
                                  "<media src=\"\\srv\\y.mp3\"/></seq>");
    EXPECT_EQ(readPlaylistSources(path),
              QStringList({"C:\\Music\\x.mp3", "http://example.com/a/b.mp3", "\\srv\\y.mp3"}));
}

TEST_F(PlaylistReaderTest, ColonInANameStaysRelative)
{
    const QString path = playlist("<seq><media src=\"Chapter 1: Intro.mp3\"/></seq>");
    EXPECT_EQ(readPlaylistSources(path), QStringList{inFolder("Chapter 1: Intro.mp3")});
}

TEST_F(PlaylistReaderTest, WindowsSourcesResolveAgainstThePlaylistFolder)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("album/sub"));
    const QString path = playlist("<seq><media src=\"sub\\x.mp3\"/>"
                                  "<media src=\".\\y.mp3\"/>"
                                  "<media src=\"..\\other\\z.mp3\"/>"
                                  "<media src=\"..\\..\\w.mp3\"/></seq>",
                                  "album/index.wpl");
    const QString root = platform::fromNativePath(m_dir.path());
    const QString parentOfRoot = root.left(root.lastIndexOf(u'\\') + 1);
    EXPECT_EQ(readPlaylistSources(path),
              QStringList({inFolder("album\\sub\\x.mp3"), inFolder("album\\y.mp3"),
                           inFolder("other\\z.mp3"), parentOfRoot + "w.mp3"}));
    // The same file at the native side: the resolved path names the real file.
    QFile real(m_dir.filePath("album/sub/x.mp3"));
    ASSERT_TRUE(real.open(QIODevice::WriteOnly));
    real.close();
    EXPECT_TRUE(QFile::exists(platform::toNativePath(readPlaylistSources(path).first())));
}

TEST_F(PlaylistReaderTest, SlashesOfOtherSystemsCountAsBackslashes)
{
    const QString path = playlist("<seq><media src=\"../x/a.mp3\"/>"
                                  "<media src=\"/abs/b.mp3\"/></seq>",
                                  "index.wpl");
    const QString root = platform::fromNativePath(m_dir.path());
    const QString parentOfRoot = root.left(root.lastIndexOf(u'\\') + 1);
    EXPECT_EQ(readPlaylistSources(path), QStringList({parentOfRoot + "x\\a.mp3", "\\abs\\b.mp3"}));
}

TEST_F(PlaylistReaderTest, DecodedInTheAnsiCodePage)
{
    platform::setAnsiCodePage(1251);
    const QString path = playlist("<seq><media src=\"\xC0\xE1.mp3\"/></seq>");
    EXPECT_EQ(readPlaylistSources(path),
              QStringList{inFolder(QString::fromUtf8("\u0410\u0431.mp3"))});
}

TEST_F(PlaylistReaderTest, BinaryJunkYieldsNoCrash)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 7919) % 256));
    const QString path = playlist("<seq><media src=\"" + junk + "<media src='" + junk);
    EXPECT_LE(readPlaylistSources(path).size(), 2);
}
