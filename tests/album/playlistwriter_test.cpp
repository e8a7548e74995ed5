#include "album/playlistwriter.h"

#include "album/playlistreader.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "qstringprint.h"
#include "testmp3.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using album::isAcceptedAudioFile;
using album::PlaylistWriteResult;
using album::readPlaylistSources;
using album::writePlaylistFromFolder;

namespace {

class PlaylistWriterTest : public testing::Test {
protected:
    void TearDown() override { platform::setAnsiCodePage(0); }

    QString native(const QString &name) const { return m_dir.filePath(name); }
    QString path(const QString &name) const { return platform::fromNativePath(native(name)); }
    QString playlist() const { return path("index.wpl"); }

    void mp3(const QString &name, const QByteArray &title) const
    {
        ASSERT_TRUE(testmp3::writeFile(native(name), testmp3::mp3WithTitle(title)));
    }
    void mp3Bytes(const QString &name, const QByteArray &bytes) const
    {
        ASSERT_TRUE(testmp3::writeFile(native(name), bytes));
    }
    QByteArray content(const QString &name = "index.wpl") const
    {
        QFile file(native(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
};

const QByteArray head = "<smil><head><title></title></head><body><seq>\r\n";
const QByteArray tail = "\r\n</seq></body></smil>";

} // namespace

TEST(AcceptedAudioFile, MatchesTheExtensionOnly)
{
    EXPECT_TRUE(isAcceptedAudioFile(u"a.mp3"));
    EXPECT_TRUE(isAcceptedAudioFile(u"B.MP3"));
    EXPECT_TRUE(isAcceptedAudioFile(u"x.y.Mp3"));
    EXPECT_FALSE(isAcceptedAudioFile(u"mp3"));
    EXPECT_FALSE(isAcceptedAudioFile(u"a.mp3.txt"));
    EXPECT_FALSE(isAcceptedAudioFile(u"a.mp"));
    EXPECT_FALSE(isAcceptedAudioFile(u"a.p3"));
    EXPECT_FALSE(isAcceptedAudioFile(u"a.wma"));
    EXPECT_FALSE(isAcceptedAudioFile(u"a."));
    EXPECT_FALSE(isAcceptedAudioFile(u""));
}

TEST_F(PlaylistWriterTest, OnlyMp3FilesInNameOrder)
{
    mp3("B.MP3", "Bee");
    mp3("a.mp3", "Ay");
    mp3("c.wma", "Sea");
    ASSERT_TRUE(testmp3::writeFile(native("notes.txt"), "notes"));

    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head +
                             "<media src=\"a.mp3\" title=\"Ay\"/>\r\n"
                             "<media src=\"B.MP3\" title=\"Bee\"/>" +
                             tail);
}

TEST_F(PlaylistWriterTest, RoundTripGivesTheSameFilesInListingOrder)
{
    const QStringList names = {"10 Ten.mp3",          "01 One.mp3",    "02 two.MP3",
                               "03 Three.mp3",        "02 A -> B.mp3", "new\nline.mp3",
                               "Chapter 4: Four.mp3", "a&amp;b.mp3"};
    for (const QString &name : names)
        mp3(name, name.toUtf8());

    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    const QStringList listed =
        QDir(m_dir.path()).entryList({"*.mp3"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    ASSERT_EQ(listed.size(), names.size());
    QStringList expected;
    for (const QString &name : listed)
        expected.append(path(name));
    EXPECT_EQ(readPlaylistSources(playlist()), expected);
    for (const QString &source : readPlaylistSources(playlist()))
        EXPECT_TRUE(QFile::exists(platform::toNativePath(source))) << source.toStdString();
}

// A title that holds markup must not add a record or end the list early ("</seq>").
TEST_F(PlaylistWriterTest, TitleQuotesBecomeApostrophesAndAnglesEntities)
{
    mp3("a.mp3", "Say \"Hi\" & <bye><media src=\"x.mp3\">");
    mp3("b.mp3", "");
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head +
                             "<media src=\"a.mp3\" title=\"Say 'Hi' & &lt;bye&gt;"
                             "&lt;media src='x.mp3'&gt;\"/>\r\n"
                             "<media src=\"b.mp3\" title=\"\"/>" +
                             tail);
    EXPECT_EQ(readPlaylistSources(playlist()), QStringList({path("a.mp3"), path("b.mp3")}));
}

TEST_F(PlaylistWriterTest, FileWithoutATagHasAnEmptyTitle)
{
    mp3Bytes("a.mp3", testmp3::mpegFrames(3));
    mp3Bytes("empty.mp3", QByteArray());
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head +
                             "<media src=\"a.mp3\" title=\"\"/>\r\n"
                             "<media src=\"empty.mp3\" title=\"\"/>" +
                             tail);
}

TEST_F(PlaylistWriterTest, UnicodeTitleIsWrittenInTheAnsiCodePage)
{
    const QString title = QString::fromUtf8("Caf\u00E9 \u0416\"");
    mp3Bytes("a.mp3", testmp3::id3v2Tag(3, {{"TIT2", 1, testmp3::utf16Text(title)}}) +
                          testmp3::mpegFrames(2));

    platform::setAnsiCodePage(1252);
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"a.mp3\" title=\"Caf\xE9 ?'\"/>" + tail);

    platform::setAnsiCodePage(65001);
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"a.mp3\" title=\"Caf\xC3\xA9 \xD0\x96'\"/>" + tail);
    EXPECT_FALSE(content().contains('\0'));
}

TEST_F(PlaylistWriterTest, EightBitTitleKeepsItsBytes)
{
    // Windows-1251 bytes, whatever the ANSI code page: the album's code page decodes them later.
    mp3("a.mp3", "\xC0\xE1\xE2");
    platform::setAnsiCodePage(65001);
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"a.mp3\" title=\"\xC0\xE1\xE2\"/>" + tail);
}

TEST_F(PlaylistWriterTest, FileNamesInTheAnsiCodePage)
{
    mp3(QString::fromUtf8("\u00C9t\u00E9.mp3"), "Summer");
    platform::setAnsiCodePage(1252);
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"\xC9t\xE9.mp3\" title=\"Summer\"/>" + tail);
    EXPECT_EQ(readPlaylistSources(playlist()),
              QStringList{path(QString::fromUtf8("\u00C9t\u00E9.mp3"))});
}

TEST_F(PlaylistWriterTest, HiddenFilesFoldersAndUnstorableNamesAreLeftOut)
{
    mp3(".hidden.mp3", "H");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.mp3"));
    mp3("quote\".mp3", "Q");
    mp3("back\\slash.mp3", "S");
    mp3("star*.mp3", "S");
    mp3("x<MEDIA y.mp3", "M");
    mp3("ok.mp3", "OK");
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"ok.mp3\" title=\"OK\"/>" + tail);
}

// Written as "?", such a name would list a file that is not there.
TEST_F(PlaylistWriterTest, NamesTheAnsiCodePageCannotHoldAreLeftOut)
{
    mp3(QString::fromUtf8("\u041A\u043D\u0438\u0433\u0430.mp3"), "Book");
    mp3(QString::fromUtf8("\u00C9t\u00E9.mp3"), "Summer");
    platform::setAnsiCodePage(28591);
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(readPlaylistSources(playlist()),
              QStringList{path(QString::fromUtf8("\u00C9t\u00E9.mp3"))});
}

TEST_F(PlaylistWriterTest, FolderWithoutMp3FilesWritesNothing)
{
    mp3("c.wma", "Sea");
    EXPECT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::NoAcceptedFile);
    EXPECT_FALSE(QFile::exists(native("index.wpl")));
    EXPECT_EQ(album::noAcceptedFileMessage(playlist()),
              QDir::cleanPath(m_dir.path()) + "/\r\nhas no file of format *.mp3");
}

TEST_F(PlaylistWriterTest, MissingFolderWritesNothing)
{
    EXPECT_EQ(writePlaylistFromFolder(path("missing/index.wpl")),
              PlaylistWriteResult::NoAcceptedFile);
    EXPECT_FALSE(QFileInfo::exists(native("missing")));
}

TEST_F(PlaylistWriterTest, ExistingPlaylistIsReplacedAndKeepsItsAttributes)
{
    mp3("a.mp3", "A");
    ASSERT_TRUE(testmp3::writeFile(native("index.wpl"), "an old and much longer playlist"));
    ASSERT_EQ(::chmod(QFile::encodeName(native("index.wpl")).constData(), 0444), 0);
    ASSERT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"a.mp3\" title=\"A\"/>" + tail);
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(native("index.wpl")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, mode_t(0444));
}

TEST_F(PlaylistWriterTest, PlaylistThatCannotBeWrittenIsReported)
{
    mp3("a.mp3", "A");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("index.wpl"));
    EXPECT_EQ(writePlaylistFromFolder(playlist()), PlaylistWriteResult::NotWritten);
    EXPECT_TRUE(QFileInfo(native("index.wpl")).isDir());
}
