#include "media/containerreader.h"

#include "media/mediainfo.h"
#include "platform/paths.h"
#include "platform/randomaccessfile.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <tuple>
#include <utility>

// Readable failures.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace media {
static void PrintTo(const TagText &text, std::ostream *out)
{
    *out << (text.isUnicode ? "unicode \"" + text.unicode.toStdString() + '"'
                            : "bytes \"" + text.bytes.toStdString() + '"');
}

static void PrintTo(const Chapter &chapter, std::ostream *out)
{
    *out << chapter.startMs << " ms \"" << chapter.title.toStdString() << '"';
}
} // namespace media

// Records of files that ffmpeg makes, in every container format the reader takes.
namespace {

using media::Chapter;
using media::Chapters;
using media::MediaInfo;
using media::TagRecord;
using media::TagText;

// How ffmpeg makes one file: a 440 Hz tone of the given seconds (or the input given instead),
// with the ffmetadata text, when there is one, for its tag and chapters, then the output options.
struct Recipe {
    QString name;
    int seconds = 0;
    QStringList options;
    QString metadata = {};
    QStringList input = {};
    // Whether to hide the QuickTime chapter track, so that only the Nero list stays.
    bool neroOnly = false;
};

void PrintTo(const Recipe &recipe, std::ostream *out)
{
    *out << recipe.name.toStdString();
}

// ffmetadata text with one chapter for each start, in milliseconds, up to the next start or the
// end; an empty title writes no title line.
QString ffmetadata(const QString &title, const QList<std::pair<int, QString>> &chapters, int endMs)
{
    QString text = QStringLiteral(";FFMETADATA1\n");
    if (!title.isEmpty())
        text += QStringLiteral("title=%1\n").arg(title);
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        const int end = i + 1 < chapters.size() ? chapters[i + 1].first : endMs;
        text += QStringLiteral("[CHAPTER]\nTIMEBASE=1/1000\nSTART=%1\nEND=%2\n")
                    .arg(chapters[i].first)
                    .arg(qMax(end, chapters[i].first + 1));
        if (!chapters[i].second.isEmpty())
            text += QStringLiteral("title=%1\n").arg(chapters[i].second);
    }
    return text;
}

// Vorbis comments naming chapters: CHAPTERnnn with the start, CHAPTERnnnNAME with the title
// when there is one.
QStringList chapterComments(const QList<std::pair<QString, QString>> &chapters)
{
    QStringList options;
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        const QString key = QStringLiteral("CHAPTER%1").arg(i, 3, 10, QLatin1Char('0'));
        options << "-metadata" << key + u'=' + chapters[i].first;
        if (!chapters[i].second.isEmpty())
            options << "-metadata" << key + QStringLiteral("NAME=") + chapters[i].second;
    }
    return options;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// No text, number, chapter or length; the format only where the bytes passed for one.
void expectNothingRead(const MediaInfo &info, const QString &what, const QString &format = {})
{
    const TagRecord &tag = info.tag;
    for (const TagText *text : {&tag.title, &tag.artist, &tag.album, &tag.comment, &tag.genre})
        EXPECT_TRUE(text->isEmpty()) << what.toStdString();
    EXPECT_EQ(tag.year, 0) << what.toStdString();
    EXPECT_EQ(tag.track, 0) << what.toStdString();
    EXPECT_EQ(tag.chapters, Chapters()) << what.toStdString();
    EXPECT_EQ(info.duration, 0) << what.toStdString();
    EXPECT_EQ(info.format, format) << what.toStdString();
}

void expectSameRecord(const MediaInfo &read, const MediaInfo &expected, const QString &what)
{
    EXPECT_EQ(read.tag, expected.tag) << what.toStdString();
    EXPECT_EQ(read.duration, expected.duration) << what.toStdString();
    EXPECT_EQ(read.format, expected.format) << what.toStdString();
}

// The files ffmpeg makes, each on its first use, in one folder for the test suite.
class ContainerFiles : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
        s_folder = std::make_unique<QTemporaryDir>();
        s_made.clear();
    }

    static void TearDownTestSuite()
    {
        s_made.clear();
        s_folder.reset();
    }

    void SetUp() override
    {
        if (s_ffmpeg.isEmpty())
            GTEST_SKIP() << "ffmpeg is not installed: no container files to read";
        ASSERT_TRUE(s_folder->isValid());
    }

    static QString nativePath(const QString &name) { return s_folder->filePath(name); }
    static QString path(const QString &name) { return platform::fromNativePath(nativePath(name)); }

    // The file the recipe makes; empty, with the test failed, when ffmpeg could not make it.
    static QString made(const Recipe &recipe)
    {
        if (const auto found = s_made.constFind(recipe.name); found != s_made.cend())
            return *found;
        const QString made = make(recipe);
        s_made.insert(recipe.name, made);
        return made;
    }

    static bool runFfmpeg(const QStringList &arguments)
    {
        QProcess process;
        process.start(s_ffmpeg, QStringList{"-v", "error", "-nostdin", "-y"} + arguments);
        const bool finished = process.waitForFinished(120000);
        const bool made =
            finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        EXPECT_TRUE(made) << "ffmpeg " << arguments.join(u' ').toStdString() << ": "
                          << process.readAllStandardError().toStdString();
        return made;
    }

private:
    static QString make(const Recipe &recipe)
    {
        const QString output = s_folder->filePath(recipe.name);
        QStringList arguments = recipe.input;
        if (arguments.isEmpty())
            arguments = {"-f", "lavfi", "-i",
                         QStringLiteral("sine=frequency=440:duration=%1").arg(recipe.seconds)};
        if (!recipe.metadata.isEmpty()) {
            const QString metadata = output + QStringLiteral(".ffmetadata");
            if (!writeAll(metadata, recipe.metadata.toUtf8())) {
                ADD_FAILURE() << "cannot write " << metadata.toStdString();
                return {};
            }
            arguments += {"-i", metadata, "-map", "0", "-map_metadata", "1", "-map_chapters", "1"};
        }
        if (!runFfmpeg(arguments + recipe.options + QStringList{output}))
            return {};
        if (recipe.neroOnly && !hideChapterTrack(output))
            return {};
        return platform::fromNativePath(output);
    }

    // ffmpeg writes both a Nero list (the "chpl" box) and a chapter track, which the audio
    // track's "tref" box names with the reference type "chap"; another type leaves the track
    // an ordinary text track.
    static bool hideChapterTrack(const QString &file)
    {
        QByteArray bytes = readAll(file);
        const qsizetype tref = bytes.indexOf("tref");
        // The box: size 20, "tref", then its one reference: size 12, "chap", the track's id.
        const bool found = tref >= 4 && bytes.mid(tref - 4, 4) == QByteArray::fromHex("00000014") &&
                           bytes.mid(tref + 4, 8) == QByteArray::fromHex("0000000c") + "chap" &&
                           bytes.contains("chpl");
        EXPECT_TRUE(found) << file.toStdString() << " holds no chapter reference and Nero list";
        if (!found)
            return false;
        bytes.replace(tref + 8, 4, "xxxx");
        return writeAll(file, bytes);
    }

    static inline QString s_ffmpeg;
    static inline std::unique_ptr<QTemporaryDir> s_folder;
    static inline QHash<QString, QString> s_made;
};

// ---- Title, length, format and chapters, one file of each kind ----

struct RecordCase {
    Recipe recipe;
    QString title;
    QString format;
    Chapters chapters;
};

void PrintTo(const RecordCase &recordCase, std::ostream *out)
{
    *out << recordCase.recipe.name.toStdString();
}

const QStringList aac = {"-c:a", "aac", "-b:a", "32k"};
const QStringList opus = {"-c:a", "libopus", "-b:a", "24k"};

const RecordCase recordCases[] = {
    {{"chaptertrack.m4b", 5, aac + QStringList{"-movflags", "disable_chpl"},
      ffmetadata(QStringLiteral("Книга первая"),
                 {{0, QStringLiteral("Вступление")},
                  {2000, QStringLiteral("Part two")},
                  {3500, QStringLiteral("Конец")}},
                 5000)},
     QStringLiteral("Книга первая"),
     "mov/aac",
     {{0, QStringLiteral("Вступление")},
      {2000, QStringLiteral("Part two")},
      {3500, QStringLiteral("Конец")}}},
    // The chapter track cannot hold an untitled chapter; the Nero list can.
    {{"nero.m4b",
      6,
      aac,
      ffmetadata(QStringLiteral("Nero"),
                 {{0, QStringLiteral("Opening")}, {1500, {}}, {4000, QStringLiteral("Último")}},
                 6000),
      {},
      true},
     QStringLiteral("Nero"),
     "mov/aac",
     {{0, QStringLiteral("Opening")}, {1500, "Chapter 2"}, {4000, QStringLiteral("Último")}}},
    // Ogg keeps its comments with the stream, not the container.
    {{"comments.opus", 4,
      opus + QStringList{"-metadata", QStringLiteral("title=Опус")} +
          chapterComments({{"00:00:00.000", QStringLiteral("Один")},
                           {"00:00:01.250", "Two"},
                           {"00:00:02.500", {}}})},
     QStringLiteral("Опус"),
     "ogg/opus",
     {{0, QStringLiteral("Один")}, {1250, "Two"}, {2500, "Chapter 3"}}},
    {{"comments.ogg", 7,
      QStringList{"-c:a", "libvorbis", "-q:a", "0", "-metadata", "title=Vorbis Book"} +
          chapterComments({{"00:00:00.000", "Prologue"}, {"00:00:03.100", "Middle"}})},
     "Vorbis Book",
     "ogg/vorbis",
     {{0, "Prologue"}, {3100, "Middle"}}},
    // Listed out of order: the record has them by start.
    {{"comments.flac", 3,
      QStringList{"-c:a", "flac", "-metadata", "title=Flac Book"} +
          chapterComments({{"00:00:02.000", "Later"}, {"00:00:00.000", "First"}})},
     "Flac Book",
     "flac/flac",
     {{0, "First"}, {2000, "Later"}}},
    {{"chapters.mka", 5, opus,
      ffmetadata(QStringLiteral("Матрёшка"),
                 {{0, "Start"}, {1000, {}}, {2500, QStringLiteral("Fin")}}, 5000)},
     QStringLiteral("Матрёшка"),
     "matroska/opus",
     {{0, "Start"}, {1000, "Chapter 2"}, {2500, "Fin"}}},
    {{"plain.m4a", 8, aac, ffmetadata("Plain", {}, 0)}, "Plain", "mov/aac", {}},
    {{"windows.wma", 4, {"-c:a", "wmav2", "-b:a", "32k", "-metadata", "title=Windows Book"}},
     "Windows Book",
     "asf/wmav2",
     {}},
    // The title from the LIST INFO chunk.
    {{"wave.wav", 3, {"-c:a", "pcm_s16le", "-metadata", "title=Wave Book"}},
     "Wave Book",
     "wav/pcm_s16le",
     {}},
    // No header tells the length: it is estimated from the first frames.
    {{"raw.aac", 9, aac}, {}, "aac/aac", {}},
    // Chapters at or past the end of the audio (the chapter track runs to the last one's end).
    {{"pastend.m4b", 4, aac,
      ffmetadata("Past", {{0, "In"}, {3000, "Late"}, {4000, "At the end"}, {9000, "Far"}}, 10000)},
     "Past",
     "mov/aac",
     {{0, "In"}, {3000, "Late"}}},
    {{"pastend.mka", 4, opus,
      ffmetadata("Past", {{0, "In"}, {3000, "Late"}, {4500, "After"}, {9000, "Far"}}, 10000)},
     "Past",
     "matroska/opus",
     {{0, "In"}, {3000, "Late"}}},
    // The extension is wrong: the reader falls back to what the bytes are.
    {{"mislabelled.m4a",
      4,
      {"-c:a", "libmp3lame", "-b:a", "32k", "-metadata", "title=Really MP3", "-f", "mp3"}},
     "Really MP3",
     "mp3/mp3",
     {}},
    // No audio at all: the container's name alone.
    {{"video.mp4",
      2,
      {"-c:v", "mpeg4"},
      {},
      {"-f", "lavfi", "-i", "testsrc=duration=2:size=64x64:rate=5"}},
     {},
     "mov",
     {}},
};

class ContainerRecords : public ContainerFiles, public testing::WithParamInterface<RecordCase> {};

TEST_P(ContainerRecords, TitleLengthFormatAndChapters)
{
    const RecordCase &expected = GetParam();
    const QString file = made(expected.recipe);
    ASSERT_FALSE(file.isEmpty());
    const MediaInfo info = media::readMediaInfo(file);
    EXPECT_EQ(info.tag.title, TagText::fromUnicode(expected.title));
    EXPECT_LE(std::abs(info.duration - expected.recipe.seconds), 1) << info.duration;
    EXPECT_EQ(info.format, expected.format);
    EXPECT_EQ(info.tag.chapters, expected.chapters);
}

// The recipe of the record case with that name.
Recipe recordRecipe(const QString &name)
{
    for (const RecordCase &recordCase : recordCases) {
        if (recordCase.recipe.name == name)
            return recordCase.recipe;
    }
    return {};
}

INSTANTIATE_TEST_SUITE_P(Formats, ContainerRecords, testing::ValuesIn(recordCases),
                         [](const testing::TestParamInfo<RecordCase> &info) {
                             QString name = info.param.recipe.name;
                             return name.replace(u'.', u'_').toStdString();
                         });

// ---- Every field of the tag ----

const QStringList fullTag = {"-metadata", QStringLiteral("title=Заглавие"),
                             "-metadata", QStringLiteral("artist=Чтец"),
                             "-metadata", "album=Collected",
                             "-metadata", "comment=Read aloud",
                             "-metadata", "genre=Audiobook",
                             "-metadata", "date=20041231",
                             "-metadata", "track=3/12"};

// MP4 keeps the fields in the container, Ogg with the stream, FLAC in its own comment block.
const Recipe tagRecipes[] = {
    {"tagged.m4a", 3, aac + fullTag},
    {"tagged.ogg", 3, QStringList{"-c:a", "libvorbis"} + fullTag},
    {"tagged.flac", 3, QStringList{"-c:a", "flac"} + fullTag},
    {"tagged.mka", 3, opus + fullTag},
};

class ContainerTags : public ContainerFiles, public testing::WithParamInterface<Recipe> {};

TEST_P(ContainerTags, EveryFieldAsUnicode)
{
    const QString file = made(GetParam());
    ASSERT_FALSE(file.isEmpty());
    const TagRecord tag = media::readMediaInfo(file).tag;
    EXPECT_EQ(tag.title, TagText::fromUnicode(QStringLiteral("Заглавие")));
    EXPECT_EQ(tag.artist, TagText::fromUnicode(QStringLiteral("Чтец")));
    EXPECT_EQ(tag.album, TagText::fromUnicode("Collected"));
    EXPECT_EQ(tag.comment, TagText::fromUnicode("Read aloud"));
    EXPECT_EQ(tag.genre, TagText::fromUnicode("Audiobook"));
    // The year of a date in the compact form YYYYMMDD.
    EXPECT_EQ(tag.year, 2004);
    EXPECT_EQ(tag.track, 3);
    EXPECT_EQ(tag.version, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Formats, ContainerTags, testing::ValuesIn(tagRecipes),
                         [](const testing::TestParamInfo<Recipe> &info) {
                             QString name = info.param.name;
                             return name.replace(u'.', u'_').toStdString();
                         });

// ---- Files that hold no readable record ----

// Random bytes; without the byte FF, which begins the frame sync of MPEG audio, AAC and FLAC,
// they hold no frame header either.
QByteArray garbage(qsizetype size, bool withSync = true)
{
    std::mt19937 random(7);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes) {
        byte = char(random());
        if (!withSync && byte == '\xFF')
            byte = 0;
    }
    return bytes;
}

TEST_F(ContainerFiles, UnreadableBytesGiveAnEmptyRecord)
{
    // The FLAC demuxer takes bytes without its header for bare frames, and finds none.
    const std::tuple<QString, QByteArray, QString> files[] = {
        {"garbage.m4b", garbage(64 * 1024), {}},
        {"garbage.opus", garbage(64 * 1024), {}},
        {"garbage.flac", garbage(64 * 1024), "flac/flac"},
        {"garbage.wma", garbage(4096), {}},
        {"garbage.wav", garbage(4096), {}},
        {"garbage.mka", garbage(4096), {}},
        {"nosync.aac", garbage(64 * 1024, false), {}},
        {"empty.m4b", {}, {}},
        {"empty.opus", {}, {}},
        {"empty.flac", {}, "flac/flac"},
        {"empty.aac", {}, {}},
    };
    for (const auto &[name, bytes, format] : files) {
        ASSERT_TRUE(writeAll(nativePath(name), bytes));
        expectNothingRead(media::readMediaInfo(path(name)), name, format);
    }
}

// An MP4 cut short before its index is over (ffmpeg writes the "moov" box after the audio).
TEST_F(ContainerFiles, TruncatedMp4GivesAnEmptyRecord)
{
    const QString file = made({"whole.m4b", 5, aac, ffmetadata("Whole", {{0, "One"}}, 5000)});
    ASSERT_FALSE(file.isEmpty());
    const QByteArray bytes = readAll(platform::toNativePath(file));
    const qsizetype index = bytes.indexOf("moov") - 4;
    ASSERT_GT(index, 0);
    // Up to the index's own header the file still passes for an MP4, with nothing in it.
    const std::pair<qsizetype, QString> cuts[] = {{4, {}},         {12, {}},    {40, {}},
                                                  {index / 2, {}}, {index, {}}, {index + 8, "mov"}};
    for (const auto &[length, format] : cuts) {
        const QString name = QStringLiteral("cut%1.m4b").arg(length);
        ASSERT_TRUE(writeAll(nativePath(name), bytes.left(length)));
        expectNothingRead(media::readMediaInfo(path(name)), name, format);
    }
    EXPECT_EQ(media::readMediaInfo(file).duration, 5);
}

// The duration field of the first box of that type (version 0: after version, flags, two times
// and the time scale), set to 0.
bool zeroDuration(QByteArray &bytes, const QByteArray &box)
{
    const qsizetype type = bytes.indexOf(box);
    if (type < 0 || bytes.at(type + 4) != 0 || bytes.mid(type + 20, 4) == QByteArray(4, 0))
        return false;
    bytes.replace(type + 20, 4, QByteArray(4, 0));
    return true;
}

// Headers that say the length is 0: the next source tells it, down to the packets' own lengths.
TEST_F(ContainerFiles, LengthFromTheNextSourceWhenAHeaderSaysZero)
{
    const QString file = made(recordRecipe("plain.m4a"));
    ASSERT_FALSE(file.isEmpty());
    const QByteArray bytes = readAll(platform::toNativePath(file));
    // The audio track's header ("mdhd"), the whole movie's ("mvhd"), or both.
    const QList<QByteArray> zeroed[] = {{"mdhd"}, {"mvhd"}, {"mdhd", "mvhd"}};
    for (const QList<QByteArray> &boxes : zeroed) {
        QByteArray patched = bytes;
        for (const QByteArray &box : boxes)
            ASSERT_TRUE(zeroDuration(patched, box)) << box.constData();
        const QString name =
            QStringLiteral("zero_%1.m4a").arg(QString::fromLatin1(QByteArrayList(boxes).join('_')));
        ASSERT_TRUE(writeAll(nativePath(name), patched));
        const MediaInfo info = media::readMediaInfo(path(name));
        EXPECT_LE(std::abs(info.duration - 8), 1) << name.toStdString() << ": " << info.duration;
        EXPECT_EQ(info.tag.title, TagText::fromUnicode("Plain")) << name.toStdString();
    }
}

// Samples that all hold no bytes (the sample size table zeroed) give no rate to estimate from.
TEST_F(ContainerFiles, EmptySamplesGiveNoEstimate)
{
    const QString file = made(recordRecipe("plain.m4a"));
    ASSERT_FALSE(file.isEmpty());
    QByteArray bytes = readAll(platform::toNativePath(file));
    ASSERT_TRUE(zeroDuration(bytes, "mdhd"));
    ASSERT_TRUE(zeroDuration(bytes, "mvhd"));
    // "stsz", version and flags, a common size of 0 (each sample's own follows), the count.
    const qsizetype sizes = bytes.indexOf("stsz");
    ASSERT_GT(sizes, 0);
    ASSERT_EQ(bytes.mid(sizes + 8, 4), QByteArray(4, 0));
    const qsizetype count = qFromBigEndian<quint32>(bytes.constData() + sizes + 12);
    ASSERT_GT(count, 0);
    bytes.replace(sizes + 16, 4 * count, QByteArray(4 * count, 0));
    ASSERT_TRUE(writeAll(nativePath("nosizes.m4a"), bytes));
    const MediaInfo info = media::readMediaInfo(path("nosizes.m4a"));
    EXPECT_EQ(info.duration, 0);
    EXPECT_EQ(info.format, "mov/aac");
    EXPECT_EQ(info.tag.title, TagText::fromUnicode("Plain"));
}

// A Matroska file cut short, as a download that stopped, keeps what its head holds.
TEST_F(ContainerFiles, MatroskaCutShortKeepsItsHead)
{
    const QString file = made(recordRecipe("chapters.mka"));
    ASSERT_FALSE(file.isEmpty());
    const QByteArray bytes = readAll(platform::toNativePath(file));
    const MediaInfo whole = media::readMediaInfo(file);
    ASSERT_EQ(whole.tag.chapters.size(), 3);
    for (const qsizetype length : {bytes.size() / 2, bytes.size() / 10}) {
        const QString name = QStringLiteral("cut%1.mka").arg(length);
        ASSERT_TRUE(writeAll(nativePath(name), bytes.left(length)));
        expectSameRecord(media::readMediaInfo(path(name)), whole, name);
    }
}

// A FIFO would block a reader until something writes to it; it is never opened.
TEST_F(ContainerFiles, FifoIsNotRead)
{
    const QString fifo = nativePath("fifo.m4b");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    expectNothingRead(media::readMediaInfo(platform::fromNativePath(fifo)), fifo);
}

// Names that libavformat would take for a protocol are read as the files they are.
TEST_F(ContainerFiles, NamesLikeProtocolsAreReadAsFiles)
{
    const std::pair<QString, QString> files[] = {
        {"nero.m4b", "concat:x.m4b"},
        {"comments.ogg", "http:x.ogg"},
        {"comments.flac", "file:x.flac"},
    };
    for (const auto &[recipe, name] : files) {
        const QString original = made(recordRecipe(recipe));
        ASSERT_FALSE(original.isEmpty());
        ASSERT_TRUE(QFile::copy(platform::toNativePath(original), nativePath(name)));
        const MediaInfo expected = media::readMediaInfo(original);
        ASSERT_GT(expected.duration, 0) << recipe.toStdString();
        expectSameRecord(media::readMediaInfo(path(name)), expected, name);
        const platform::RandomAccessFile file(path(name));
        ASSERT_TRUE(file.isOpen());
        expectSameRecord(media::readContainerInfo(file, name), expected, name);
    }
}

// ---- Raw AAC, whose length is estimated from its frame headers ----

// One ADTS frame: the header (MPEG-4, no CRC, AAC LC, two channels) of the sampling rate's index,
// the frame's length and its count of raw data blocks, then filler up to that length.
QByteArray adtsFrame(int rateIndex, int length, int blocks = 1)
{
    constexpr int fullness = 0x7FF;
    QByteArray frame(length, '\x21');
    frame[0] = char(0xFF);
    frame[1] = char(0xF1);
    frame[2] = char(1 << 6 | rateIndex << 2);
    frame[3] = char(2 << 6 | length >> 11);
    frame[4] = char(length >> 3);
    frame[5] = char((length & 7) << 5 | fullness >> 6);
    frame[6] = char((fullness & 0x3F) << 2 | (blocks - 1));
    return frame;
}

// An ID3v2.3 tag with a title, padded to the size.
QByteArray id3Tag(const QByteArray &title, int size)
{
    const QByteArray text = '\0' + title;
    QByteArray body = "TIT2" + QByteArray(3, 0) + char(text.size()) + QByteArray(2, 0) + text;
    body += QByteArray(size - 10 - body.size(), 0);
    const int length = int(body.size());
    return "ID3" + QByteArray::fromHex("030000") + char(length >> 21 & 0x7F) +
           char(length >> 14 & 0x7F) + char(length >> 7 & 0x7F) + char(length & 0x7F) + body;
}

struct AdtsCase {
    const char *name;
    QByteArray bytes;
    int seconds;
    QString title = {};
};

TEST(RawAac, LengthFromTheFirstFramesHeaders)
{
    // Index 11 is 8000 Hz: 128 ms a block; index 13 names no rate.
    const AdtsCase cases[] = {
        {"plain", adtsFrame(11, 100).repeated(200), 26},
        {"header alone", adtsFrame(11, 7).repeated(200), 26},
        {"four blocks a frame", adtsFrame(11, 400, 4).repeated(100), 51},
        // 100 timed frames, 12.8 s in 10,000 bytes, among 100,000 bytes that tell no time.
        {"frames with no rate", (adtsFrame(11, 100) + adtsFrame(13, 1000)).repeated(100), 141},
        {"no rate at all", adtsFrame(13, 100).repeated(50), 0},
        // 50 frames give 6.4 s for 5,000 bytes; the 51st, of 8,000 bytes, is not looked at.
        {"later frames unread",
         adtsFrame(11, 100).repeated(50) + adtsFrame(0, 8000, 4) + adtsFrame(11, 100).repeated(160),
         37},
        // The tag before the frames is no audio.
        {"tagged", id3Tag("Tagged", 10000) + adtsFrame(11, 100).repeated(200), 26, "Tagged"},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const AdtsCase &adts : cases) {
        const QString native = folder.filePath(QString::fromLatin1(adts.name) + ".aac");
        ASSERT_TRUE(writeAll(native, adts.bytes));
        const MediaInfo info = media::readMediaInfo(platform::fromNativePath(native));
        EXPECT_EQ(info.duration, adts.seconds) << adts.name;
        EXPECT_EQ(info.format, "aac/aac") << adts.name;
        EXPECT_EQ(info.tag.title, TagText::fromUnicode(adts.title)) << adts.name;
    }
}

// ---- File names ----

TEST(ContainerFileName, ExtensionsOfContainerFormats)
{
    const std::pair<const char *, bool> names[] = {
        {"book.m4b", true}, {"BOOK.M4B", true},   {"a.M4a", true},
        {"a.mp4", true},    {"a.aac", true},      {"a.Opus", true},
        {"a.ogg", true},    {"a.oga", true},      {"a.FLAC", true},
        {"a.wma", true},    {"a.wav", true},      {"a.mka", true},
        {"a.webm", true},   {".m4b", true},       {"a.mp3.m4b", true},
        {"/x/y.ogg", true}, {"a.mp3", false},     {"a.MP3", false},
        {"m4b", false},     {"a", false},         {"a.", false},
        {"", false},        {"a.m4b.mp3", false}, {"a.m4bx", false},
        {"a.m4", false},    {"a m4b", false},     {"/books.m4b/part1", false},
    };
    for (const auto &[name, container] : names)
        EXPECT_EQ(media::isContainerFileName(QString::fromUtf8(name)), container) << name;
}

} // namespace
