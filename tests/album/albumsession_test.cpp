#include "album/albumsession.h"

#include "album/albumopener.h"
#include "album/pathtext.h"
#include "album/playlistwriter.h"
#include "doubles/fakeplayer.h"
#include "doubles/scripteddialogkit.h"
#include "doubles/scriptedtitleencodingchooser.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "player/playersession.h"
#include "qstringprint.h"
#include "settings/settingsstore.h"
#include "shell/manual/helpcontext.h"
#include "testmp3.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using namespace album;

namespace {

// Scripted answers, with playback going on while a box is open.
class DialogsDuringPlayback : public ScriptedDialogKit {
public:
    std::function<void()> whileOpen;

    QString inputBox(const QString &prompt, const QString &caption,
                     const QString &defaultText) override
    {
        runWhileOpen();
        return ScriptedDialogKit::inputBox(prompt, caption, defaultText);
    }

protected:
    MessageResult showMessageBox(const QString &text, MessageButtons buttons, MessageIcon icon,
                                 DefaultButton defaultButton, const QString &caption,
                                 int helpContext) override
    {
        runWhileOpen();
        return ScriptedDialogKit::showMessageBox(text, buttons, icon, defaultButton, caption,
                                                 helpContext);
    }

private:
    void runWhileOpen()
    {
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
    }
};

const QString section = QStringLiteral("Default\\mFileList");
// "Привет" in code page 1251.
const QByteArray cyrillic1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";

class AlbumSessionTest : public testing::Test {
protected:
    AlbumSessionTest()
    {
        platform::setAnsiCodePage(65001);
        platform::setTitleCodePage(1252);
        testmp3::writeFile(native(u"settings.dat"), "[Scheme]\r\n");
        playerSession.setCaptureAndSave([this] { session.captureAndSave(); });
    }
    ~AlbumSessionTest() override
    {
        platform::setAnsiCodePage(0);
        platform::setTitleCodePage(0);
    }

    QString native(QStringView name) const { return m_dir.filePath(name.toString()); }
    QString path(QStringView name) const { return platform::fromNativePath(native(name)); }

    QString folder(const QString &name) const
    {
        QDir(m_dir.path()).mkpath(name);
        return path(name);
    }
    // An MP3 of about seconds length with an ID3v2 title; returns its internal path.
    QString mp3(const QString &name, const QByteArray &title = {}, int seconds = 2) const
    {
        testmp3::writeFile(native(name), testmp3::mp3WithTitle(title, seconds * 39));
        return path(name);
    }
    QString unicodeMp3(const QString &name, const QString &title) const
    {
        const QByteArray tag = testmp3::id3v2Tag(3, {{"TIT2", 1, testmp3::utf16Text(title)}});
        testmp3::writeFile(native(name), tag + testmp3::mpegFrames(80));
        return path(name);
    }
    QString playlist(const QString &name, const QStringList &sources,
                     const QByteArray &title = {}) const
    {
        QByteArray text = "<smil><head><title>" + title + "</title></head><body><seq>";
        for (const QString &source : sources)
            text += "\r\n<media src=\"" + platform::toAnsi(source) + "\"/>";
        testmp3::writeFile(native(name), text + "\r\n</seq></body></smil>");
        return path(name);
    }
    // An album folder holding two MP3s and its playlist.
    QString album(const QString &name)
    {
        folder(name);
        mp3(name + "/a.mp3");
        mp3(name + "/b.mp3");
        return playlist(name + "/index.wpl", {"a.mp3", "b.mp3"});
    }
    void storeAlbums(const QStringList &lines) const
    {
        settings::writeSectionLines(settingsFile, section, lines.join("\r\n"));
    }
    QStringList storedAlbums() const
    {
        const QString lines = settings::readSectionLines(settingsFile, section);
        return lines.isEmpty() ? QStringList() : lines.split("\r\n");
    }
    QByteArray bytesOf(QStringView name) const
    {
        QFile file(native(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray settingsBytes() const { return bytesOf(u"settings.dat"); }
    QStringList albumPaths() const
    {
        QStringList paths;
        for (AlbumList::Index i = 0; i < session.albums().count(); ++i)
            paths.append(session.albums().albumPathOf(i));
        return paths;
    }
    static void settle()
    {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
    }
    QStringList captions() const
    {
        QStringList texts;
        for (const Record &record : records.records())
            texts.append(record.caption);
        return texts;
    }

    QTemporaryDir m_dir;
    QString settingsFile = path(u"settings.dat");
    FakePlayer player;
    RecordList records;
    PlayerSession playerSession{player, records};
    DialogsDuringPlayback dialogs;
    text::ScriptedTitleEncodingChooser chooser;
    AlbumSession session{{&dialogs, &chooser, &playerSession, settingsFile}};
};

} // namespace

TEST_F(AlbumSessionTest, OpeningTheSameAlbumAgainFindsItsEntryWithoutAsking)
{
    folder("Tale");
    mp3("Tale/a.mp3");
    const QString tale = playlist("Tale/Tale.wpl", {"a.mp3"}, "Caf\xE9");
    chooser.queueAnswer(1252);
    session.loadProfile("Default", {});

    EXPECT_EQ(session.openAlbum(path(u"Tale")), 0);
    EXPECT_EQ(session.albums().albumPathOf(0), tale);
    // The chooser settles the title; the records still read in the title code page.
    EXPECT_EQ(session.albums().entry(0).title, "Caf&#233;");
    EXPECT_EQ(session.albums().entry(0).codepage, "1252");
    EXPECT_EQ(chooser.titlesAsked(), QList<QByteArray>{"Caf\xE9"});

    EXPECT_EQ(session.openAlbum(path(u"Tale")), 0);
    EXPECT_EQ(session.openAlbum(tale), 0);
    EXPECT_EQ(session.albums().count(), 1);
    EXPECT_EQ(chooser.titlesAsked().size(), 1);
    EXPECT_TRUE(dialogs.calls().isEmpty());

    // 0x80 is the lowest byte that needs an encoding.
    folder("Euro");
    chooser.queueAnswer(1252);
    session.openAlbum(playlist("Euro/Euro.wpl", {}, "\x80"));
    EXPECT_EQ(chooser.titlesAsked().value(1), "\x80");
}

TEST_F(AlbumSessionTest, AFolderGivesItsFirstPlaylistOrANewIndex)
{
    folder("Two");
    playlist("Two/b.wpl", {});
    playlist("Two/A.wpl", {});
    folder("Plain");
    mp3("Plain/x.mp3");
    session.loadProfile("Default", {});

    EXPECT_EQ(session.openAlbum(path(u"Two")), 0);
    EXPECT_EQ(session.albums().albumPathOf(0), path(u"Two/A.wpl"));
    EXPECT_EQ(session.openAlbum(path(u"Plain")), 1);
    EXPECT_EQ(session.albums().albumPathOf(1), path(u"Plain/index.wpl"));
    EXPECT_TRUE(QFile::exists(native(u"Plain/index.wpl")));
    EXPECT_TRUE(chooser.titlesAsked().isEmpty());
}

// Names differ by case on this file system: "tale" and "Tale" are two books.
TEST_F(AlbumSessionTest, FoldersDifferingOnlyInCaseAreTwoAlbumsWithTheirOwnLines)
{
    const QString lower = album("books/tale");
    const QString upper = album("books/Tale");
    player.setDuration(path(u"books/tale/a.mp3"), 600);
    player.setDuration(path(u"books/Tale/a.mp3"), 600);
    session.loadProfile("Default", {});
    ASSERT_EQ(session.openAlbum(path(u"books/tale")), 0);
    ASSERT_EQ(session.openAlbum(path(u"books/Tale")), 1);
    EXPECT_EQ(albumPaths(), QStringList({lower, upper}));

    session.activate(0);
    player.setCurrentPosition(11);
    session.captureAndSave();
    session.activate(1);
    player.setCurrentPosition(22);
    session.captureAndSave();
    const QStringList stored = storedAlbums();
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(AlbumEntry::fromText(stored[0]).path, upper);
    EXPECT_EQ(AlbumEntry::fromText(stored[0]).marks, "a.mp3/22/");
    EXPECT_EQ(AlbumEntry::fromText(stored[1]).path, lower);
    EXPECT_EQ(AlbumEntry::fromText(stored[1]).marks, "a.mp3/11/");
}

TEST_F(AlbumSessionTest, AnUndecipherableNameIsRefused)
{
    session.loadProfile("Default", {});
    EXPECT_EQ(session.openAlbum(u"\\books\\Caf\uFFFD.mp3"_qs), -1);
    EXPECT_TRUE(session.albums().isEmpty());
    const QList<DialogCall> messages = dialogs.callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].texts,
              QStringList({u"Undecipherable file name:\r\n/books/Caf\uFFFD.mp3\r\n"
                           u"Rename the file before opening in this application."_qs,
                           "Sonnalby Message"}));
    EXPECT_EQ(messages[0].number, shell::help::fileOpen);
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages[0].icon, MessageIcon::Warning);
}

// Quotes, bars, stars and question marks are ordinary in Linux names: the album opens, plays and
// comes back to its place.
TEST_F(AlbumSessionTest, NamesWithTheStoredFormsOwnCharactersOpenAndResume)
{
    const QString name = QStringLiteral("a \"b\" |c| *d* e? f=g");
    folder(name);
    const QString record = mp3(name + "/Chapter \"1\" | *.mp3");
    player.setDuration(record, 600);
    session.loadProfile("Default", {});
    ASSERT_EQ(session.openAlbum(path(name)), 0);
    session.activate(0);
    ASSERT_EQ(records.count(), 1);
    EXPECT_EQ(records.pathOf(0), record);
    EXPECT_EQ(player.url(), record);
    player.setCurrentPosition(42);
    session.captureAndSave();

    AlbumSession again{{&dialogs, &chooser, &playerSession, settingsFile}};
    again.loadProfile("Default", {});
    EXPECT_EQ(again.albums().albumPathOf(0), path(name + "/index.wpl"));
    EXPECT_EQ(player.url(), record);
    EXPECT_EQ(player.currentPosition(), 42);
    EXPECT_TRUE(dialogs.callsOf(DialogCallKind::MessageBox).isEmpty());
}

// One clear message, and no entry left behind that would ask about an "incorrect format".
TEST_F(AlbumSessionTest, AFolderWithoutAudioGivesOneMessageAndNoEntry)
{
    folder("Empty/Notes");
    testmp3::writeFile(native(u"Empty/readme.txt"), "text");
    session.loadProfile("Default", {});
    EXPECT_EQ(session.openAlbum(path(u"Empty")), -1);
    EXPECT_TRUE(session.albums().isEmpty());
    const QList<DialogCall> messages = dialogs.callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].texts.value(0),
              native(u"Empty") + "/\r\nhas no file of format " + album::acceptedFormats.toString());
    EXPECT_FALSE(QFile::exists(native(u"Empty/index.wpl")));
}

TEST_F(AlbumSessionTest, AFolderOfUnlistableNamesSaysWhichAndMakesNoEntry)
{
    folder("Odd");
    mp3("Odd/back\\slash.mp3");
    session.loadProfile("Default", {});
    EXPECT_EQ(session.openAlbum(path(u"Odd")), -1);
    EXPECT_TRUE(session.albums().isEmpty());
    const QList<DialogCall> messages = dialogs.callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].texts.value(0).contains(u"back\\slash.mp3"));
    EXPECT_FALSE(messages[0].texts.value(0).contains(u"has no file"));
}

TEST_F(AlbumSessionTest, AFolderWhosePlaylistCannotBeWrittenSaysSoAndMakesNoEntry)
{
    folder("Locked");
    mp3("Locked/a.mp3");
    testmp3::writeFile(native(u"Locked/index.wpl"), "");
    ASSERT_TRUE(QFile::remove(native(u"Locked/index.wpl")));
    ASSERT_TRUE(QDir(native(u"Locked")).mkdir("index.wpl"));
    session.loadProfile("Default", {});
    EXPECT_EQ(session.openAlbum(path(u"Locked")), -1);
    EXPECT_TRUE(session.albums().isEmpty());
    const QList<DialogCall> messages = dialogs.callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].texts.value(0).contains(u"could not be written"));
}

TEST_F(AlbumSessionTest, ABookOnDiscFoldersIsOneAlbumInDiscOrder)
{
    for (const char *file :
         {"Book/CD10/a.mp3", "Book/CD2/b.mp3", "Book/CD2/a.mp3", "Book/CD1/z.mp3"}) {
        folder(QFileInfo(QString(file)).path());
        mp3(file);
    }
    session.loadProfile("Default", {});
    ASSERT_EQ(session.openAlbum(path(u"Book")), 0);
    session.activate(0);
    QStringList paths;
    for (RecordList::Index i = 0; i < records.count(); ++i)
        paths.append(records.pathOf(i));
    EXPECT_EQ(paths, QStringList({path(u"Book/CD1/z.mp3"), path(u"Book/CD2/a.mp3"),
                                  path(u"Book/CD2/b.mp3"), path(u"Book/CD10/a.mp3")}));
    EXPECT_EQ(captions().value(0), "[00:00:02] CD1/z.mp3");
    EXPECT_EQ(session.albums().entry(0).records, "4");
    EXPECT_TRUE(dialogs.calls().isEmpty());
}

// Titles made on an old computer under de_DE: Latin-1 bytes read right with no question.
TEST_F(AlbumSessionTest, LegacyTitlesReadInTheTitleCodePageWithoutAQuestion)
{
    folder("Noir");
    testmp3::writeFile(native(u"Noir/a.mp3"),
                       testmp3::mpegFrames(80) + testmp3::id3v1Block({.title = "Caf\xE9 Noir"}));
    session.loadProfile("Default", {});
    ASSERT_EQ(session.openAlbum(path(u"Noir")), 0);
    session.activate(0);
    EXPECT_EQ(captions().value(0), u"[00:00:02] a.mp3\t= Café Noir"_qs);
    EXPECT_EQ(session.albums().entry(0).codepage, "1252");
    EXPECT_TRUE(chooser.titlesAsked().isEmpty());
    EXPECT_TRUE(dialogs.calls().isEmpty());
    EXPECT_TRUE(QString::fromUtf8(bytesOf(u"Noir/index.wpl")).contains(u"title=\"Café Noir\""));
}

// Albums stored with the locale's 65001 before titles had a code page of their own.
TEST_F(AlbumSessionTest, AnOldUtf8AlbumReadsLegacyTitlesInTheTitleCodePage)
{
    folder("A");
    mp3("A/a.mp3", "Caf\xE9");
    mp3("A/b.mp3", "Caf\xC3\xA9");
    storeAlbums({playlist("A/index.wpl", {"a.mp3", "b.mp3"}) + "===65001===="});
    session.loadProfile("Default", {});
    EXPECT_EQ(captions(),
              QStringList({u"[00:00:02] a.mp3\t= Café"_qs, u"[00:00:02] b.mp3\t= Café"_qs}));
}

TEST_F(AlbumSessionTest, AnAsciiTitleAsksNothingAndAUtf8OneOffersUtf8)
{
    const QString plain = mp3("plain.mp3", "Plain Title");
    const QString utf8 = mp3("utf8.mp3", "Caf\xC3\xA9");
    session.loadProfile("Default", {});
    ASSERT_EQ(session.openAlbum(plain), 0);
    EXPECT_EQ(session.albums().entry(0).title, "Plain Title");
    EXPECT_EQ(session.albums().entry(0).codepage, "1252");
    EXPECT_TRUE(chooser.titlesAsked().isEmpty());

    ASSERT_EQ(session.openAlbum(utf8), 1);
    EXPECT_EQ(chooser.titlesAsked(), QList<QByteArray>{"Caf\xC3\xA9"});
    EXPECT_EQ(session.albums().entry(1).title, "Caf&#233;");
    EXPECT_EQ(session.albums().entry(1).codepage, "65001");
}

// Under an ANSI code page such as ISO-8859-1 the name would be stored as "?????".
TEST_F(AlbumSessionTest, ANameTheAnsiCodePageCannotHoldIsRefused)
{
    const QString book = album(QString::fromUtf8("\u041A\u043D\u0438\u0433\u0430"));
    platform::setAnsiCodePage(28591);
    session.loadProfile("Default", {});
    EXPECT_EQ(session.openAlbum(book), -1);
    EXPECT_EQ(session.openAlbum(folderOfPath(book)), -1);
    EXPECT_TRUE(session.albums().isEmpty());
    const QList<DialogCall> messages = dialogs.callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].texts.value(0).startsWith("Undecipherable file name:\r\n"));
}

// A FIFO named like an MP3 would block every read for good: it is never opened, as a record, a
// resume mark or an album of its own.
TEST_F(AlbumSessionTest, AFifoIsNeverOpened)
{
    folder("A");
    const QString a = mp3("A/a.mp3");
    const QString fifo = path(u"A/fifo.mp3");
    ASSERT_EQ(::mkfifo(QFile::encodeName(native(u"A/fifo.mp3")).constData(), 0644), 0);
    const QString list = playlist("A/index.wpl", {"fifo.mp3", "a.mp3"});
    storeAlbums({list + "=======fifo.mp3/5/"});
    session.loadProfile("Default", {});
    EXPECT_FALSE(records.at(0).enabled);
    EXPECT_EQ(player.url(), a);

    const AlbumList::Index single = session.openAlbum(fifo);
    session.activate(single);
    EXPECT_FALSE(records.at(0).enabled);
    EXPECT_NE(player.url(), fifo);
}

TEST_F(AlbumSessionTest, EqualsSignsAreStoredAsReferenceInTheTitleAndStarInThePath)
{
    folder("x=y");
    const QString file = mp3("x=y/one.mp3", "A=B");
    chooser.queueAnswer(1252);
    session.loadProfile("Default", {});

    ASSERT_EQ(session.openAlbum(file), 0);
    const AlbumEntry entry = session.albums().entry(0);
    EXPECT_EQ(entry.path, path(u"x*y/one.mp3"));
    EXPECT_EQ(entry.title, "A&#61;B");
    EXPECT_EQ(entry.codepage, "1252");
    EXPECT_EQ(session.albums().albumPathOf(0), file);

    session.activate(0);
    EXPECT_EQ(storedAlbums(), QStringList{path(u"x*y/one.mp3") + "==A&#61;B=1252===="});
}

TEST_F(AlbumSessionTest, ASingleFileTakesItsTitleFromTheTag)
{
    const QString unicode = unicodeMp3("u.mp3", QStringLiteral("Ünï"));
    const QString untitled = mp3("e.mp3");
    dialogs.queueInputBox("Typed");
    QSignalSpy encodings(&session, &AlbumSession::encodingSelected);
    session.loadProfile("Default", {});

    ASSERT_EQ(session.openAlbum(unicode), 0);
    EXPECT_EQ(session.albums().entry(0).title, "&#220;n&#239;");
    EXPECT_EQ(session.albums().entry(0).codepage, "1200");
    EXPECT_TRUE(dialogs.calls().isEmpty());
    EXPECT_TRUE(chooser.titlesAsked().isEmpty());

    ASSERT_EQ(session.openAlbum(untitled), 1);
    EXPECT_EQ(session.albums().entry(1).toText(), untitled + "==Typed=1200====");
    const QList<DialogCall> calls = dialogs.calls();
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(calls[0].number, 64);
    EXPECT_EQ(calls[1].texts, QStringList({"Enter the text:", "Playlist Title", ""}));
    EXPECT_EQ(calls[2].number, 1);
    ASSERT_EQ(encodings.size(), 2);
    EXPECT_EQ(encodings[1][0].toInt(), 1200);
}

TEST_F(AlbumSessionTest, ActivationMovesTheAlbumToTheTopAndSavesTheList)
{
    QStringList lines;
    for (const char *name : {"A", "B", "C", "D", "E"})
        lines.append(album(QString(name)) + "======35=");
    lines[3] = path(u"D/index.wpl") + "======0=";
    storeAlbums(lines);
    session.loadProfile("Default", {});
    ASSERT_EQ(session.albums().albumPathOf(0), path(u"A/index.wpl"));
    player.setVolume(20);

    session.activate(3);
    EXPECT_EQ(albumPaths(),
              QStringList({path(u"D/index.wpl"), path(u"A/index.wpl"), path(u"B/index.wpl"),
                           path(u"C/index.wpl"), path(u"E/index.wpl")}));
    const QStringList stored = storedAlbums();
    ASSERT_EQ(stored.size(), 5);
    EXPECT_TRUE(stored[0].startsWith(path(u"D/index.wpl") + "======0="));
    EXPECT_EQ(session.albums().entry(0).records, "2");
    EXPECT_EQ(session.albums().entry(0).duration, "4");
    // Album A was captured before it moved down: its volume and resume mark are the player's.
    EXPECT_TRUE(stored[1].contains("=20=a.mp3/0/")) << stored[1].toStdString();
    EXPECT_EQ(player.volume(), 100);

    const QByteArray before = settingsBytes();
    session.activate(0);
    EXPECT_EQ(settingsBytes(), before);
}

TEST_F(AlbumSessionTest, AVolumeBelowOneOrUnreadableGivesFullVolume)
{
    const QString playlistPath = album("A");
    for (const char *volume : {"0", "", "abc"}) {
        storeAlbums({playlistPath + "======" + QString(volume) + "="});
        player.setVolume(30);
        session.loadProfile("Default", {});
        EXPECT_EQ(player.volume(), 100) << volume;
    }
    storeAlbums({playlistPath + "======45="});
    session.loadProfile("Default", {});
    EXPECT_EQ(player.volume(), 45);
}

TEST_F(AlbumSessionTest, AMissingRecordStaysDisabledAndOutOfTheTotal)
{
    folder("A");
    const QString b = mp3("A/b.mp3", "Bee", 2);
    mp3("A/c.mp3", {}, 4);
    const QString list = playlist("A/index.wpl", {"missing.mp3", "b.mp3", "c.mp3"});
    session.loadProfile("Default", {});

    const PlaylistRecords found = session.loadPlaylistRecords(list, 1252);
    EXPECT_EQ(found.count, 3);
    EXPECT_EQ(found.firstPlayable, 1);
    EXPECT_EQ(found.totalSeconds, records.durationOf(1) + records.durationOf(2));
    EXPECT_GT(records.durationOf(1), 0);
    EXPECT_GT(records.durationOf(2), records.durationOf(1));
    EXPECT_EQ(records.at(0).entry, path(u"A/missing.mp3") + "|");
    EXPECT_FALSE(records.at(0).enabled);
    EXPECT_EQ(records.at(1).entry, b + "|" + QString::number(records.durationOf(1)));
    EXPECT_EQ(captions(),
              QStringList({"missing.mp3", "[00:00:02] b.mp3\t= Bee", "[00:00:04] c.mp3"}));
}

TEST_F(AlbumSessionTest, OnlyTheTagTitleIsDecodedInTheAlbumsCodePage)
{
    folder("A");
    mp3(QStringLiteral("A/Ключ.mp3"), cyrillic1251);
    unicodeMp3("A/u.mp3", QString(101, u'Ж'));
    const QString list = playlist("A/index.wpl", {QStringLiteral("Ключ.mp3"), "u.mp3"});
    session.loadProfile("Default", {});

    session.loadPlaylistRecords(list, 1251);
    EXPECT_EQ(captions(), QStringList({QStringLiteral("[00:00:02] Ключ.mp3\t= Привет"),
                                       "[00:00:02] u.mp3\t= " + QString(100, u'Ж')}));
    session.loadPlaylistRecords(list, 1200);
    EXPECT_EQ(captions()[0], QStringLiteral("[00:00:02] Ключ.mp3\t= Ïðèâåò"));
}

TEST_F(AlbumSessionTest, ChangingTheEncodingRereadsTheTitlesAndSavesTheEntry)
{
    folder("A");
    mp3("A/a.mp3", cyrillic1251);
    mp3("A/b.mp3", cyrillic1251);
    const QString list = playlist("A/index.wpl", {"a.mp3", "b.mp3"});
    storeAlbums({list + "===1252===="});
    session.loadProfile("Default", {});
    EXPECT_EQ(records.at(0).caption, QStringLiteral("[00:00:02] a.mp3\t= Ïðèâåò"));
    records.setCurrent(1);
    QSignalSpy encodings(&session, &AlbumSession::encodingSelected);

    session.changeEncoding(1251);
    EXPECT_EQ(records.at(0).caption, QStringLiteral("[00:00:02] a.mp3\t= Привет"));
    EXPECT_EQ(records.current(), 1);
    EXPECT_EQ(session.albums().entry(0).codepage, "1251");
    EXPECT_TRUE(storedAlbums().value(0).startsWith(list + "===1251="));
    ASSERT_EQ(encodings.size(), 1);
    EXPECT_EQ(encodings[0][0].toInt(), 1251);

    session.changeEncoding(1251);
    EXPECT_EQ(encodings.size(), 1);
}

TEST_F(AlbumSessionTest, AProfileLoadActivatesTheFirstPresentAlbumWithoutWritingOrPlaying)
{
    const QString present = album("B");
    storeAlbums({path(u"Gone/index.wpl") + "=====", present + "====9=9=70="});
    const QByteArray before = settingsBytes();
    QSignalSpy captions(&session, &AlbumSession::windowCaptionChanged);

    session.loadProfile("Default", {});
    QCoreApplication::processEvents();
    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(session.albums().albumPathOf(0), present);
    EXPECT_TRUE(session.isAlbumActive());
    EXPECT_EQ(player.url(), path(u"B/a.mp3"));
    EXPECT_NE(player.playState(), PlayState::Playing);
    EXPECT_FALSE(playerSession.isProfileLoading());
    ASSERT_EQ(captions.size(), 1);
    EXPECT_EQ(captions[0][0].toString(), "Sonnalby - " + platform::toNativePath(present));
}

TEST_F(AlbumSessionTest, TheCommandLineAlbumIsOpenedAndActivatedOnAProfileLoad)
{
    const QString kept = album("A");
    const QString given = album("B");
    storeAlbums({kept + "====="});
    QSignalSpy captions(&session, &AlbumSession::windowCaptionChanged);
    session.loadProfile("Anna", given);
    session.loadProfile("Default", given);

    EXPECT_EQ(albumPaths(), QStringList({given, kept}));
    EXPECT_EQ(captions.last()[0].toString(), "Sonnalby - " + platform::toNativePath(given));
    EXPECT_EQ(captions.first()[0].toString(), "Sonnalby [Anna] - " + platform::toNativePath(given));
    // The album that was listed first keeps its resume mark: nothing was playing for it.
    EXPECT_EQ(session.albums().entry(1).marks, "");
}

TEST_F(AlbumSessionTest, TheResumeMarkPositionsTheRecordItNames)
{
    folder("A");
    mp3("A/a.mp3");
    const QString x = mp3("A/x.mp3");
    const QString list = playlist("A/index.wpl", {"a.mp3", "x.mp3"});
    player.setDuration(x, 3600);
    storeAlbums({list + "=======x.mp3/125/|a.mp3/3/First|x.mp3/9/"});
    QSignalSpy bookmarks(&session, &AlbumSession::bookmarksLoaded);

    session.loadProfile("Default", {});
    EXPECT_EQ(player.url(), x);
    EXPECT_EQ(player.currentPosition(), 125);
    EXPECT_EQ(records.current(), 1);
    ASSERT_EQ(bookmarks.size(), 1);
    EXPECT_EQ(bookmarks[0][0].toStringList(),
              QStringList({path(u"A/a.mp3") + "/3/First", x + "/9/"}));
}

TEST_F(AlbumSessionTest, AnUnplayablePlaylistCanBeRecreated)
{
    folder("A");
    mp3("A/a.mp3");
    const QString list = playlist("A/index.wpl", {"gone.mp3"});
    storeAlbums({list + "====="});
    dialogs.queueMessageBox(MessageResult::Yes);

    session.loadProfile("Default", {});
    const QList<DialogCall> messages = dialogs.callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].texts[0],
              platform::toNativePath(list) +
                  "\r\nhas an incorrect format. Do you wish to re-create it?");
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages[0].defaultButton, DefaultButton::Second);
    EXPECT_EQ(records.count(), 1);
    EXPECT_EQ(records.pathOf(0), path(u"A/a.mp3"));
    EXPECT_EQ(session.albums().entry(0).records, "1");
}

TEST_F(AlbumSessionTest, RenameStoresTheTitleAsReferences)
{
    const QString list = album("A");
    storeAlbums({list + "==Old=65001===="});
    session.loadProfile("Default", {});
    const QByteArray before = settingsBytes();

    session.renameCommand();
    dialogs.queueInputBox("Old");
    session.renameCommand();
    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(dialogs.callsOf(DialogCallKind::InputBox)[0].texts,
              QStringList({"Enter a new title:", "Playlist Title", "Old"}));

    dialogs.queueInputBox(QStringLiteral("A=Bé"));
    session.renameCommand();
    EXPECT_EQ(session.albums().entry(0).title, "A&#61;B&#233;");
    EXPECT_TRUE(storedAlbums().value(0).startsWith(list + "==A&#61;B&#233;="));
}

TEST_F(AlbumSessionTest, ACaptureWhileTheRenameBoxIsOpenSurvivesOk)
{
    const QString list = album("A");
    player.setDuration(path(u"A/a.mp3"), 600);
    storeAlbums({list + "==Old=65001=2=4=100="});
    session.loadProfile("Default", {});
    player.play();
    settle();
    dialogs.whileOpen = [this] {
        player.advance(42);
        player.pause();
        settle();
    };

    dialogs.queueInputBox("New");
    session.renameCommand();

    const AlbumEntry stored = AlbumEntry::fromText(storedAlbums().value(0));
    EXPECT_EQ(stored.title, "New");
    EXPECT_EQ(stored.marks, "a.mp3/42/");
    EXPECT_FALSE(stored.access.isEmpty());
}

TEST_F(AlbumSessionTest, SwitchingToAnAlbumWithNoPlayableRecordKeepsItsMarksAndCapturesNothing)
{
    const QString playing = album("A");
    player.setDuration(path(u"A/a.mp3"), 10);
    folder("B");
    const QString unplugged = playlist("B/index.wpl", {"x.mp3"});
    const QString marks = QStringLiteral("x.mp3/1742/|x.mp3/600/Chapter two");
    storeAlbums({playing + "=======", unplugged + "=======" + marks});
    session.loadProfile("Default", {});
    playerSession.selectRecord(0);
    settle();
    player.advance(4);
    // The question is answered No after A's record has ended.
    dialogs.whileOpen = [this] {
        player.reachEnd();
        settle();
    };

    session.activate(1);
    const QByteArray activated = settingsBytes();
    settle();
    session.captureAndSave();

    EXPECT_EQ(dialogs.callsOf(DialogCallKind::MessageBox).size(), 1);
    EXPECT_EQ(settingsBytes(), activated);
    EXPECT_EQ(AlbumEntry::fromText(storedAlbums().value(0)).marks, marks);
    EXPECT_EQ(AlbumEntry::fromText(storedAlbums().value(1)).marks, "a.mp3/4/");
    EXPECT_TRUE(player.url().isEmpty());
}

TEST_F(AlbumSessionTest, RemoveNonFoundKeepsThePresentAlbumsInOrder)
{
    QStringList lines;
    for (const char *name : {"A", "B", "C", "D", "E"})
        lines.append(album(QString(name)) + "=====");
    QFile::remove(native(u"B/index.wpl"));
    QFile::remove(native(u"D/index.wpl"));
    storeAlbums(lines);
    session.loadProfile("Default", {});
    EXPECT_TRUE(session.fileMenuAvailability().removeNonFound);

    session.removeNonFoundCommand();
    const QStringList kept{path(u"A/index.wpl"), path(u"C/index.wpl"), path(u"E/index.wpl")};
    EXPECT_EQ(albumPaths(), kept);
    EXPECT_EQ(storedAlbums().size(), 3);
    EXPECT_TRUE(session.isAlbumActive());
    EXPECT_FALSE(session.fileMenuAvailability().removeNonFound);
}

TEST_F(AlbumSessionTest, RemovingAlbumsFromTheList)
{
    QStringList lines;
    for (const char *name : {"A", "B", "C"})
        lines.append(album(QString(name)) + "=======");
    const QString resumeFile = path(u"B/b.mp3");
    player.setDuration(resumeFile, 600);
    lines[1] += "b.mp3/42/";
    storeAlbums(lines);
    session.loadProfile("Default", {});

    session.removeFromListCommand(2);
    EXPECT_EQ(storedAlbums().size(), 2);
    EXPECT_EQ(player.url(), path(u"A/a.mp3"));

    session.removeFromListCommand(0);
    EXPECT_EQ(albumPaths(), QStringList{path(u"B/index.wpl")});
    EXPECT_TRUE(session.isAlbumActive());
    EXPECT_EQ(player.url(), resumeFile);
    EXPECT_EQ(player.currentPosition(), 42);

    QSignalSpy cleared(&session, &AlbumSession::sessionCleared);
    session.removeFromListCommand(0);
    EXPECT_EQ(cleared.size(), 1);
    EXPECT_TRUE(session.albums().isEmpty());
    EXPECT_FALSE(session.isAlbumActive());
    EXPECT_TRUE(storedAlbums().isEmpty());
    EXPECT_TRUE(settingsBytes().contains("[Default\\mFileList]\r\n"));
    EXPECT_EQ(records.count(), 0);
    EXPECT_TRUE(player.url().isEmpty());
    EXPECT_FALSE(player.isEnabled());
    EXPECT_FALSE(session.fileMenuAvailability().rename);

    session.captureAndSave();
    EXPECT_TRUE(storedAlbums().isEmpty());
    EXPECT_EQ(session.openAlbum(path(u"A")), 0);
}

TEST_F(AlbumSessionTest, RecreatingAPlaylistAsksFirstAndKeepsItWhenTheFolderHasNoAudio)
{
    folder("A");
    const QString list = playlist("A/index.wpl", {"old.mp3"});
    storeAlbums({list + "====="});
    session.loadProfile("Default", {});
    dialogs.clearCalls();
    EXPECT_TRUE(session.fileMenuAvailability().recreatePlaylist);
    EXPECT_FALSE(session.fileMenuAvailability().textEditor);

    session.recreatePlaylistCommand();
    dialogs.queueMessageBox(MessageResult::Yes);
    session.recreatePlaylistCommand();
    const QList<DialogCall> messages = dialogs.callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0].texts[0], "The previous version of the file will be lost.\r\n"
                                    "Are you sure you wish to continue?");
    EXPECT_EQ(messages[0].defaultButton, DefaultButton::Second);
    EXPECT_EQ(messages[2].texts[0], noAcceptedFileMessage(list));
    EXPECT_EQ(messages[2].icon, MessageIcon::Information);
    EXPECT_EQ(session.albums().albumPathOf(0), list);
    EXPECT_TRUE(QFile::exists(native(u"A/index.wpl")));

    session.setTextEditor([] { return QStringLiteral("editor"); });
    EXPECT_TRUE(session.fileMenuAvailability().textEditor);
}

TEST_F(AlbumSessionTest, FileOpenRemembersTheFilterOnlyAfterAConfirmedChoice)
{
    const QString list = album("A");
    settings::writeSettingNumber(settingsFile, "Default", "FilterIndex", FixedPoint::fromInt(2));
    session.loadProfile("Default", {});
    dialogs.queueOpenCancelled();
    session.fileOpenCommand();
    EXPECT_TRUE(session.albums().isEmpty());
    EXPECT_EQ(settings::readSetting(settingsFile, "Default", "FilterIndex"), "2");

    // The dialog's folder choice (4, after the new first one) is stored as the 3 it always was.
    dialogs.queueOpenConfirmed(path(u"A"), 4);
    session.fileOpenCommand();
    EXPECT_EQ(session.albums().albumPathOf(0), list);
    EXPECT_TRUE(session.isAlbumActive());
    EXPECT_EQ(settings::readSetting(settingsFile, "Default", "FilterIndex"), "3");

    const QList<DialogCall> shown = dialogs.callsOf(DialogCallKind::ShowOpen);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].texts[0], "Audiobooks|" + album::acceptedFormats.toString() +
                                     "|Audio File (*.mp3)|*.mp3|Media Playlist (*.wpl)|*.wpl|"
                                     "Folder|.|");
    EXPECT_EQ(shown[0].texts[2], "");
    EXPECT_EQ(shown[0].texts[3], "Open Album");
    EXPECT_EQ(shown[0].number, 3);
}

// The stored index keeps the meaning earlier versions gave it; the new first choice is stored
// after the old ones, and anything else passes through both ways unchanged.
TEST(OpenDialogFilter, StoredIndexesKeepTheirMeaning)
{
    const struct {
        int stored;
        int shown;
    } cases[] = {{0, 0}, {1, 2}, {2, 3}, {3, 4}, {4, 1}, {5, 5}, {-1, -1}};
    for (const auto &test : cases) {
        EXPECT_EQ(album::shownFilterIndex(test.stored), test.shown) << test.stored;
        EXPECT_EQ(album::storedFilterIndex(test.shown), test.stored) << test.shown;
    }
}

TEST(OpenDialogFolder, StartsBesideTheActiveAlbumElseInTheMusicFolder)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Books/Tale");
    const QString root = platform::fromNativePath(dir.path());
    const QString books = root + "\\Books\\";
    EXPECT_EQ(initialOpenFolder(books + "Tale\\index.wpl", {}, "\\fallback"), books);
    EXPECT_EQ(initialOpenFolder(books + "x.mp3", {}, "\\fallback"), books);
    EXPECT_EQ(initialOpenFolder({}, root, "\\fallback"), root);
    EXPECT_EQ(initialOpenFolder({}, root + "\\NoMusic", "\\fallback"), "\\fallback");
    EXPECT_EQ(dialogTitleFromCaption(fileOpenCaption), "Open Album");
}
