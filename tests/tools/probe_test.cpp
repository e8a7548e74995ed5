#include "platform/paths.h"
#include "testmp3.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

#include <cmath>

using testmp3::id3v1Block;
using testmp3::id3v2Tag;
using testmp3::mpegFrames;

namespace {

struct ProbeRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QList<QByteArray> lines() const
    {
        QList<QByteArray> result = out.split('\n');
        if (!result.isEmpty() && result.last().isEmpty())
            result.removeLast();
        return result;
    }
};

ProbeRun probe(const QStringList &arguments, const QString &workingFolder = {},
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.setProcessEnvironment(environment);
    process.start(SONNALBY_PROBE, arguments);
    const bool finished = process.waitForFinished(120000);
    EXPECT_TRUE(finished) << "the probe did not end";
    ProbeRun run;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

QJsonObject objectOf(const QByteArray &line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.constData();
    EXPECT_TRUE(document.isObject()) << line.constData();
    return document.object();
}

// The member names of a one-line object in the order they stand (values hold no '": ').
QStringList keysInOrder(const QByteArray &line)
{
    QStringList keys;
    static const QRegularExpression key(R"re("([a-z_]+)": )re");
    for (const auto &match : key.globalMatch(QString::fromUtf8(line)))
        keys.append(match.captured(1));
    return keys;
}

// Length x 8 / 128000 rounded, halves to even: the estimate for these frames.
qint64 cbrSeconds(qint64 length)
{
    return qint64(std::nearbyint(double(length) * 8 / 128000));
}

class ProbeTest : public testing::Test {
protected:
    QString file(const QString &name, const QByteArray &bytes) const
    {
        const QString native = m_dir.filePath(name);
        EXPECT_TRUE(testmp3::writeFile(native, bytes));
        return native;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ProbeTest, Version23FieldsInOrder)
{
    const QByteArray bytes = id3v2Tag(3, {{"TIT2", 0, "Caf\xE9 \"Q\" \\ end"},
                                          {"TPE1", 0, "A/B"},
                                          {"TALB", 0, "Album"},
                                          {"TCON", 0, "(13)"},
                                          {"TYER", 0, "1999"},
                                          {"TRCK", 0, "3/12"}}) +
                             mpegFrames(100) + id3v1Block({.comment = "Hi there"});
    const QString path = file("a.mp3", bytes);

    const ProbeRun run = probe({"--ansi-codepage", "1252", path});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    ASSERT_EQ(run.lines().size(), 1);
    const QByteArray line = run.lines().first();
    EXPECT_EQ(keysInOrder(line),
              QStringList({"path", "format", "title", "title_unicode", "artist", "artist_unicode",
                           "album", "album_unicode", "comment", "genre", "genre_unicode", "year",
                           "track", "version", "duration", "chapters"}));
    EXPECT_TRUE(line.startsWith("{\"path\": \"")) << line.constData();
    EXPECT_TRUE(line.contains("\"artist\": \"A\\r\\nB\", ")) << line.constData();
    EXPECT_TRUE(line.contains("\"version\": 2.3, ")) << line.constData();

    const QJsonObject object = objectOf(line);
    EXPECT_EQ(object["path"].toString(), path);
    EXPECT_EQ(object["title"].toString(), QString::fromUtf8("Caf\u00E9 \"Q\" \\ end"));
    EXPECT_FALSE(object["title_unicode"].toBool(true));
    EXPECT_EQ(object["artist"].toString(), "A\r\nB");
    EXPECT_EQ(object["album"].toString(), "Album");
    EXPECT_EQ(object["comment"].toString(), "Hi there");
    EXPECT_EQ(object["genre"].toString(), "(13)");
    EXPECT_EQ(object["year"].toInt(), 1999);
    EXPECT_EQ(object["track"].toInt(), 3);
    EXPECT_EQ(object["duration"].toInteger(), cbrSeconds(bytes.size()));
    EXPECT_GE(object["duration"].toInteger(), 2);
}

TEST_F(ProbeTest, UnicodeTextIsFlagged)
{
    const QString path =
        file("u.mp3", id3v2Tag(4, {{"TIT2", 3, QString::fromUtf8("\u0416\u0443\u043A").toUtf8()},
                                   {"TPE1", 1, testmp3::utf16Text(QString::fromUtf8("\u00C9mile"))},
                                   {"TALB", 0, "Plain"}}) +
                          mpegFrames(4));
    const ProbeRun run = probe({path});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines().size(), 1);
    EXPECT_TRUE(run.lines().first().contains("\"version\": 2.4, "));
    const QJsonObject object = objectOf(run.lines().first());
    EXPECT_EQ(object["title"].toString(), QString::fromUtf8("\u0416\u0443\u043A"));
    EXPECT_TRUE(object["title_unicode"].toBool());
    EXPECT_EQ(object["artist"].toString(), QString::fromUtf8("\u00C9mile"));
    EXPECT_TRUE(object["artist_unicode"].toBool());
    EXPECT_EQ(object["album"].toString(), "Plain");
    EXPECT_FALSE(object["album_unicode"].toBool(true));
    EXPECT_FALSE(object["genre_unicode"].toBool(true));
}

TEST_F(ProbeTest, EightBitTextIsDecodedInTheChosenCodePage)
{
    const QString path = file("c.mp3", testmp3::mp3WithTitle("\xC0\xE1"));
    const QJsonObject cyrillic = objectOf(probe({"--ansi-codepage", "1251", path}).out.trimmed());
    EXPECT_EQ(cyrillic["title"].toString(), QString::fromUtf8("\u0410\u0431"));
    const QJsonObject western = objectOf(probe({"--ansi-codepage=1252", path}).out.trimmed());
    EXPECT_EQ(western["title"].toString(), QString::fromUtf8("\u00C0\u00E1"));
}

// Without the option, as the player itself reads them: in the code page of the language.
TEST_F(ProbeTest, EightBitTextFollowsTheDesktopLanguage)
{
    const QString path = file("c.mp3", testmp3::mp3WithTitle("\xC0\xE1"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("LC_ALL");
    environment.remove("LC_CTYPE");
    for (const auto &[language, title] :
         {std::pair{"ru_RU.UTF-8", u"\u0410\u0431"}, std::pair{"de_DE.UTF-8", u"\u00C0\u00E1"}}) {
        environment.insert("LANG", language);
        const QJsonObject read = objectOf(probe({path}, {}, environment).out.trimmed());
        EXPECT_EQ(read["title"].toString(), QString::fromUtf16(title)) << language;
    }
}

TEST_F(ProbeTest, Version1AndNoTag)
{
    const QString v1 = file(
        "v1.mp3",
        mpegFrames(4) +
            id3v1Block(
                {.title = "Old", .artist = "Someone", .year = "1987", .track = 7, .genre = 183}));
    const QByteArray plainBytes = mpegFrames(50);
    const QString plain = file("plain.mp3", plainBytes);

    const ProbeRun run = probe({v1, plain});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines().size(), 2);
    EXPECT_TRUE(run.lines()[0].contains("\"version\": 1.1, ")) << run.lines()[0].constData();
    const QJsonObject first = objectOf(run.lines()[0]);
    EXPECT_EQ(first["title"].toString(), "Old");
    EXPECT_EQ(first["artist"].toString(), "Someone");
    EXPECT_EQ(first["genre"].toString(), "Audiobook");
    EXPECT_EQ(first["year"].toInt(), 1987);
    EXPECT_EQ(first["track"].toInt(), 7);

    EXPECT_TRUE(run.lines()[1].contains("\"version\": 0, ")) << run.lines()[1].constData();
    const QJsonObject second = objectOf(run.lines()[1]);
    EXPECT_EQ(second["title"].toString(), "");
    EXPECT_EQ(second["year"].toInt(-1), 0);
    EXPECT_EQ(second["duration"].toInteger(), cbrSeconds(plainBytes.size()));
}

TEST_F(ProbeTest, UnreadableFilesReportAnErrorAndTheRunGoesOn)
{
    const QString good = file("good.mp3", testmp3::mp3WithTitle("Good"));
    const QString missing = m_dir.filePath("missing.mp3");
    const ProbeRun run = probe({missing, m_dir.path(), good});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines().size(), 3);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(keysInOrder(run.lines()[i]), QStringList({"path", "error"}));
        EXPECT_FALSE(objectOf(run.lines()[i])["error"].toString().isEmpty());
    }
    EXPECT_EQ(objectOf(run.lines()[0])["path"].toString(), missing);
    EXPECT_EQ(objectOf(run.lines()[1])["path"].toString(), QDir::cleanPath(m_dir.path()));
    EXPECT_EQ(objectOf(run.lines()[2])["title"].toString(), "Good");
}

TEST_F(ProbeTest, RelativePathsAreMadeAbsolute)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("sub"));
    const QString path = file("sub/r.mp3", testmp3::mp3WithTitle("R"));
    const ProbeRun run = probe({"sub/../sub/r.mp3"}, m_dir.path());
    ASSERT_EQ(run.lines().size(), 1);
    EXPECT_EQ(objectOf(run.lines().first())["path"].toString(), path);
}

TEST_F(ProbeTest, PlaylistSourcesAsAbsoluteNativePaths)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("album/sub"));
    const QString playlist = file("album/index.wpl", "<smil><body><seq>\r\n"
                                                     "<media src=\"sub\\x.mp3\"/>\r\n"
                                                     "<media src=\"..\\y.mp3\"/>\r\n"
                                                     "<MEDIA SRC='z.mp3'/>\r\n"
                                                     "</seq></body></smil>");
    const ProbeRun run = probe({"--playlist", playlist});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.lines(), QList<QByteArray>({m_dir.filePath("album/sub/x.mp3").toUtf8(),
                                              m_dir.filePath("y.mp3").toUtf8(),
                                              m_dir.filePath("album/z.mp3").toUtf8()}));

    const ProbeRun relative = probe({"--playlist", "album/index.wpl"}, m_dir.path());
    EXPECT_EQ(relative.out, run.out);
}

TEST_F(ProbeTest, MissingPlaylistReportsAnError)
{
    const ProbeRun run = probe({"--playlist", m_dir.filePath("none.wpl")});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines().size(), 1);
    EXPECT_EQ(keysInOrder(run.lines().first()), QStringList({"path", "error"}));
}

TEST_F(ProbeTest, WrongArgumentsFail)
{
    const QString path = file("a.mp3", testmp3::mp3WithTitle("A"));
    for (const QStringList &arguments :
         {QStringList{}, QStringList{"--bogus", path}, QStringList{"--ansi-codepage", "abc", path},
          QStringList{"--ansi-codepage", "99999", path}, QStringList{"--ansi-codepage"},
          QStringList{"--playlist", path, path},
          QStringList{"--playlist", path, "--playlist", path}}) {
        const ProbeRun run = probe(arguments);
        EXPECT_NE(run.exitCode, 0) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty()) << arguments.join(' ').toStdString();
    }
    EXPECT_EQ(probe({"--help"}).exitCode, 0);
}

TEST_F(ProbeTest, M4bFormatAndChapters)
{
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed: no M4B file to probe";
    const QString metadata = file("book.ffmetadata", ";FFMETADATA1\ntitle=Probe Book\n"
                                                     "[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\n"
                                                     "END=2500\ntitle=Opening\n"
                                                     "[CHAPTER]\nTIMEBASE=1/1000\nSTART=2500\n"
                                                     "END=4000\ntitle=Closing\n");
    const QString path = m_dir.filePath("book.m4b");
    QProcess process;
    process.start(ffmpeg, {"-v", "error", "-nostdin", "-y", "-f", "lavfi", "-i",
                           "sine=frequency=440:duration=4", "-i", metadata, "-map", "0",
                           "-map_metadata", "1", "-map_chapters", "1", "-c:a", "aac", path});
    ASSERT_TRUE(process.waitForFinished(120000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();

    const ProbeRun run = probe({path});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    ASSERT_EQ(run.lines().size(), 1);
    const QJsonObject object = objectOf(run.lines().first());
    EXPECT_TRUE(object["format"].toString().startsWith("mov")) << run.out.constData();
    EXPECT_EQ(object["title"].toString(), "Probe Book");
    EXPECT_EQ(object["duration"].toInteger(), 4);
    ASSERT_TRUE(object["chapters"].isArray()) << run.out.constData();
    const QJsonArray chapters = object["chapters"].toArray();
    ASSERT_EQ(chapters.size(), 2) << run.out.constData();
    EXPECT_EQ(chapters[0].toObject()["start"].toDouble(), 0.0);
    EXPECT_EQ(chapters[0].toObject()["title"].toString(), "Opening");
    EXPECT_EQ(chapters[1].toObject()["start"].toDouble(), 2.5);
    EXPECT_EQ(chapters[1].toObject()["title"].toString(), "Closing");
}
