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

#include <cstdio>
#include <sys/stat.h>

using album::isAcceptedAudioFile;
using album::PlaylistWriteResult;
using album::readPlaylistSources;
using album::writePlaylistFromFolder;

namespace {

class PlaylistWriterTest : public testing::Test {
protected:
    void TearDown() override
    {
        platform::setAnsiCodePage(0);
        platform::setTitleCodePage(0);
    }

    QString native(const QString &name) const { return m_dir.filePath(name); }
    QString path(const QString &name) const { return platform::fromNativePath(native(name)); }
    QString playlist() const { return path("index.wpl"); }

    void mp3(const QString &name, const QByteArray &title) const
    {
        ASSERT_TRUE(testmp3::writeFile(native(name), testmp3::mp3WithTitle(title)));
    }
    void folder(const QString &name) const { ASSERT_TRUE(QDir(m_dir.path()).mkpath(name)); }
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
    EXPECT_FALSE(isAcceptedAudioFile(u"a.wmv"));
    EXPECT_FALSE(isAcceptedAudioFile(u"a.m4"));
    for (const char16_t *name : {u"a.m4b", u"A.M4A", u"a.mp4", u"a.aac", u"a.opus", u"a.ogg",
                                 u"a.oga", u"a.FLAC", u"a.wma", u"a.wav", u"a.mka", u"a.webm"})
        EXPECT_TRUE(isAcceptedAudioFile(name)) << QString::fromUtf16(name).toStdString();
    EXPECT_FALSE(isAcceptedAudioFile(u"a."));
    EXPECT_FALSE(isAcceptedAudioFile(u""));
}

TEST_F(PlaylistWriterTest, OnlyAudioFilesInNameOrder)
{
    mp3("B.MP3", "Bee");
    mp3("a.mp3", "Ay");
    mp3("c.wmv", "Sea");
    ASSERT_TRUE(testmp3::writeFile(native("notes.txt"), "notes"));

    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
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

    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
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
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
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
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
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
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"a.mp3\" title=\"Caf\xE9 ?'\"/>" + tail);

    platform::setAnsiCodePage(65001);
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"a.mp3\" title=\"Caf\xC3\xA9 \xD0\x96'\"/>" + tail);
    EXPECT_FALSE(content().contains('\0'));
}

// One encoding in the file: 8-bit tag bytes go in as the text they read in the code page.
TEST_F(PlaylistWriterTest, EightBitTitleIsWrittenAsItsDecodedText)
{
    mp3("a.mp3", "\xCA\xEE\xEB\xEE\xE1\xEE\xEA");
    mp3("b.mp3", "Caf\xE9 Noir");
    platform::setAnsiCodePage(65001);
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1251).result, PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head +
                             "<media src=\"a.mp3\" title=\"Колобок\"/>\r\n"
                             "<media src=\"b.mp3\" title=\"Cafй Noir\"/>" +
                             tail);
    // 0 asks for the title code page, 65001 reads bytes that are no UTF-8 in it too.
    platform::setTitleCodePage(1252);
    for (int codePage : {0, 1200, 65001}) {
        ASSERT_EQ(writePlaylistFromFolder(playlist(), codePage).result,
                  PlaylistWriteResult::Written);
        EXPECT_TRUE(QString::fromUtf8(content()).contains(u"title=\"Café Noir\"")) << codePage;
    }
}

TEST_F(PlaylistWriterTest, FileNamesInTheAnsiCodePage)
{
    mp3(QString::fromUtf8("\u00C9t\u00E9.mp3"), "Summer");
    platform::setAnsiCodePage(1252);
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"\xC9t\xE9.mp3\" title=\"Summer\"/>" + tail);
    EXPECT_EQ(readPlaylistSources(playlist()),
              QStringList{path(QString::fromUtf8("\u00C9t\u00E9.mp3"))});
}

// Names that are ordinary on Linux are listed and read back as the files they name.
TEST_F(PlaylistWriterTest, QuotesBarsStarsAndQuestionMarksAreListed)
{
    const QStringList names = {"Chapter \"1\".mp3", "a|b.mp3",   "star*.mp3", "why?.mp3",
                               "tab\there.mp3",     "-dash.mp3", "it's.mp3",  "&#124;.mp3"};
    for (const QString &name : names)
        mp3(name, "T");
    const album::PlaylistWrite write = writePlaylistFromFolder(playlist(), 1252);
    ASSERT_EQ(write.result, PlaylistWriteResult::Written);
    EXPECT_TRUE(write.unlisted.isEmpty());
    EXPECT_TRUE(content().contains("<media src='Chapter \"1\".mp3' title=\"T\"/>"));
    const QStringList sources = readPlaylistSources(playlist());
    ASSERT_EQ(sources.size(), names.size());
    for (const QString &name : names)
        EXPECT_TRUE(sources.contains(path(name))) << name.toStdString();
}

TEST_F(PlaylistWriterTest, NamesThatCannotBeKeptAreReportedNotDropped)
{
    mp3(".hidden.mp3", "H");
    folder("folder.mp3");
    const QStringList unlistable = {"\"it's\".mp3", "back\\slash.mp3", "x<MEDIA y.mp3"};
    for (const QString &name : unlistable)
        mp3(name, "U");
    mp3("ok.mp3", "OK");
    const album::PlaylistWrite write = writePlaylistFromFolder(playlist(), 1252);
    ASSERT_EQ(write.result, PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"ok.mp3\" title=\"OK\"/>" + tail);
    QStringList expected = unlistable;
    expected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(write.unlisted, expected);
}

TEST_F(PlaylistWriterTest, FolderOfOnlyUnlistableNamesWritesNothingAndSaysWhich)
{
    mp3("back\\slash.mp3", "S");
    const album::PlaylistWrite write = writePlaylistFromFolder(playlist(), 1252);
    EXPECT_EQ(write.result, PlaylistWriteResult::NoListableFile);
    EXPECT_EQ(write.unlisted, QStringList{"back\\slash.mp3"});
    EXPECT_FALSE(QFile::exists(native("index.wpl")));
    const QString message = album::unlistedFilesMessage(playlist(), write.unlisted);
    EXPECT_TRUE(message.contains(u"back\\slash.mp3"));
    EXPECT_FALSE(message.contains(u"has no file"));
}

// A name the system's encoding could not decode cannot be opened by that name again.
TEST_F(PlaylistWriterTest, NameInAnotherEncodingIsReported)
{
    const QByteArray latin1Name = QFile::encodeName(m_dir.path()) + "/Caf\xE9.mp3";
    FILE *file = std::fopen(latin1Name.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    mp3("ok.mp3", "OK");
    const album::PlaylistWrite write = writePlaylistFromFolder(playlist(), 1252);
    ASSERT_EQ(write.result, PlaylistWriteResult::Written);
    ASSERT_EQ(write.unlisted.size(), 1);
    EXPECT_TRUE(write.unlisted.first().contains(platform::undecipherableCharacter));
    EXPECT_EQ(readPlaylistSources(playlist()), QStringList{path("ok.mp3")});
    // Qt cannot name the file to remove it with its folder.
    std::remove(latin1Name.constData());
}

// Written as "?", such a name would list a file that is not there.
TEST_F(PlaylistWriterTest, NamesTheAnsiCodePageCannotHoldAreLeftOut)
{
    mp3(QString::fromUtf8("\u041A\u043D\u0438\u0433\u0430.mp3"), "Book");
    mp3(QString::fromUtf8("\u00C9t\u00E9.mp3"), "Summer");
    platform::setAnsiCodePage(28591);
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
    EXPECT_EQ(readPlaylistSources(playlist()),
              QStringList{path(QString::fromUtf8("\u00C9t\u00E9.mp3"))});
}

TEST_F(PlaylistWriterTest, FolderWithoutAudioFilesWritesNothing)
{
    mp3("c.wmv", "Sea");
    folder("empty");
    const album::PlaylistWrite write = writePlaylistFromFolder(playlist(), 1252);
    EXPECT_EQ(write.result, PlaylistWriteResult::NoAcceptedFile);
    EXPECT_TRUE(write.unlisted.isEmpty());
    EXPECT_FALSE(QFile::exists(native("index.wpl")));
    EXPECT_EQ(album::noAcceptedFileMessage(playlist()), QDir::cleanPath(m_dir.path()) +
                                                            "/\r\nhas no file of format " +
                                                            album::acceptedFormats.toString());
}

// A book split into "CD1", "CD2"...: one album of all of them, in the order of the discs.
TEST_F(PlaylistWriterTest, SubFoldersMakeTheAlbumWhenTheFolderHasNoAudio)
{
    for (const QString name : {"CD10/01.mp3", "CD2/02.mp3", "CD2/01.mp3", "cd1/b.MP3",
                               "CD1 extra/a.mp3", ".hidden/a.mp3", "CD3/deeper/a.mp3"}) {
        folder(QFileInfo(name).path());
        mp3(name, QFileInfo(name).path().toUtf8());
    }
    mp3("CD2/notes.txt", "");
    // Read back, the path would end the list early.
    folder("CD4<");
    mp3("CD4</SEQ>.mp3", "");
    const album::PlaylistWrite write = writePlaylistFromFolder(playlist(), 1252);
    ASSERT_EQ(write.result, PlaylistWriteResult::Written);
    EXPECT_EQ(write.unlisted, QStringList{"CD4</SEQ>.mp3"});
    EXPECT_EQ(content().toStdString(), (head +
                                        "<media src=\"cd1\\b.MP3\" title=\"cd1\"/>\r\n"
                                        "<media src=\"CD1 extra\\a.mp3\" title=\"CD1 extra\"/>\r\n"
                                        "<media src=\"CD2\\01.mp3\" title=\"CD2\"/>\r\n"
                                        "<media src=\"CD2\\02.mp3\" title=\"CD2\"/>\r\n"
                                        "<media src=\"CD10\\01.mp3\" title=\"CD10\"/>" +
                                        tail)
                                           .toStdString());
    for (const QString &source : readPlaylistSources(playlist()))
        EXPECT_TRUE(QFile::exists(platform::toNativePath(source))) << source.toStdString();

    // Audio files of its own: the sub-folders are not the album.
    mp3("own.mp3", "Own");
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
    EXPECT_EQ(readPlaylistSources(playlist()), QStringList{path("own.mp3")});
}

TEST(AlbumFolderFiles, SubFoldersInNaturalOrder)
{
    QTemporaryDir dir;
    const QStringList subFolders = {"Disc 10",  "disc 2",  "Disc 1",  "Disc 02b",
                                    "Part 007", "Part 7",  "Part 08", "A",
                                    "a1",       "Disc 00", "Disc 0",  "1 Intro"};
    for (const QString &name : subFolders) {
        ASSERT_TRUE(QDir(dir.path()).mkpath(name));
        ASSERT_TRUE(testmp3::writeFile(dir.filePath(name + "/x.mp3"), QByteArray()));
    }
    const QString folder = platform::fromNativePath(dir.path()) + u'\\';
    EXPECT_EQ(album::albumFolderFiles(folder),
              QStringList({"1 Intro/x.mp3", "A/x.mp3", "a1/x.mp3", "Disc 0/x.mp3", "Disc 00/x.mp3",
                           "Disc 1/x.mp3", "disc 2/x.mp3", "Disc 02b/x.mp3", "Disc 10/x.mp3",
                           "Part 007/x.mp3", "Part 7/x.mp3", "Part 08/x.mp3"}));
}

TEST_F(PlaylistWriterTest, MissingFolderWritesNothing)
{
    EXPECT_EQ(writePlaylistFromFolder(path("missing/index.wpl"), 1252).result,
              PlaylistWriteResult::NoAcceptedFile);
    EXPECT_FALSE(QFileInfo::exists(native("missing")));
}

TEST_F(PlaylistWriterTest, ExistingPlaylistIsReplacedAndKeepsItsAttributes)
{
    mp3("a.mp3", "A");
    ASSERT_TRUE(testmp3::writeFile(native("index.wpl"), "an old and much longer playlist"));
    ASSERT_EQ(::chmod(QFile::encodeName(native("index.wpl")).constData(), 0444), 0);
    ASSERT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::Written);
    EXPECT_EQ(content(), head + "<media src=\"a.mp3\" title=\"A\"/>" + tail);
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(native("index.wpl")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, mode_t(0444));
}

TEST_F(PlaylistWriterTest, PlaylistThatCannotBeWrittenIsReported)
{
    mp3("a.mp3", "A");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("index.wpl"));
    EXPECT_EQ(writePlaylistFromFolder(playlist(), 1252).result, PlaylistWriteResult::NotWritten);
    EXPECT_TRUE(QFileInfo(native("index.wpl")).isDir());
    EXPECT_TRUE(album::notWrittenMessage(playlist()).startsWith(native("index.wpl") + "\r\n"));
}
