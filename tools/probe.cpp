// sonnalby-probe: prints what the player reads from audio files (format, tag fields, duration
// and chapters, one JSON object a line) or from a playlist (its sources, one absolute path a line).

#include "jsonline.h"

#include "album/playlistreader.h"
#include "media/mediainfo.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/randomaccessfile.h"
#include "platform/regularfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <optional>

namespace {

constexpr int usageError = 2;
// Output leaves in blocks of this size, not a line at a time.
constexpr std::size_t outputBlockSize = 1 << 16;

void print(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

// A command-line path in internal form, made absolute against the working folder.
QString internalPath(const QString &argument, const QDir &workingFolder)
{
    if (platform::isAddress(argument))
        return argument;
    return platform::fromNativePath(QDir::cleanPath(workingFolder.absoluteFilePath(argument)));
}

// Why the file could not be opened, from RandomAccessFile::error().
QString unreadableReason(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return QStringLiteral("no such file");
    if (error == platform::notRegularFileError)
        return QStringLiteral("not a file");
    return qt_error_string(error);
}

QByteArray errorLine(const QString &path, const QString &reason)
{
    return JsonLine().add("path", platform::toNativePath(path)).add("error", reason).text();
}

void addText(JsonLine &line, const char *key, const media::TagText &text)
{
    line.add(key, text.toString());
}

void addFlaggedText(JsonLine &line, const char *key, const media::TagText &text)
{
    addText(line, key, text);
    line.add((QByteArray(key) + "_unicode").constData(), text.isUnicode);
}

// 0 without a tag, else one decimal (2.3).
QByteArray versionText(float version)
{
    return version == 0 ? QByteArray("0") : QByteArray::number(version, 'f', 1);
}

// Each chapter's start in seconds with its milliseconds, and its title.
QList<JsonLine> chapterObjects(const media::Chapters &chapters)
{
    QList<JsonLine> objects;
    for (const media::Chapter &chapter : chapters) {
        JsonLine object;
        object.addNumberText("start", QByteArray::number(double(chapter.startMs) / 1000, 'f', 3));
        object.add("title", chapter.title);
        objects.append(object);
    }
    return objects;
}

// Each file is opened once, and read where the readers need it.
QByteArray fileLine(const QString &path)
{
    const platform::RandomAccessFile file(path);
    if (!file.isOpen())
        return errorLine(path, unreadableReason(file.error()));
    const media::MediaInfo info = media::readMediaInfo(file, path);
    const media::TagRecord &tag = info.tag;
    JsonLine line;
    line.add("path", platform::toNativePath(path));
    line.add("format", info.format);
    addFlaggedText(line, "title", tag.title);
    addFlaggedText(line, "artist", tag.artist);
    addFlaggedText(line, "album", tag.album);
    addText(line, "comment", tag.comment);
    addFlaggedText(line, "genre", tag.genre);
    line.add("year", qint64(tag.year));
    line.add("track", qint64(tag.track));
    line.addNumberText("version", versionText(tag.version));
    line.add("duration", qint64(info.duration));
    line.addObjects("chapters", chapterObjects(tag.chapters));
    return line.text();
}

void printPlaylist(const QString &path)
{
    const platform::RandomAccessFile file(path);
    if (!file.isOpen())
        return print(errorLine(path, unreadableReason(file.error())));
    for (const QString &source : album::readPlaylistSources(path))
        print(QFile::encodeName(platform::toNativePath(source)) + '\n');
}

int wrongArguments(const QString &message)
{
    std::fprintf(stderr, "sonnalby-probe: %s\nTry 'sonnalby-probe --help'.\n",
                 message.toLocal8Bit().constData());
    return usageError;
}

// The code page the option names, nullopt when it is no number or has no converter.
std::optional<int> codePageOption(const QString &value)
{
    bool ok = false;
    const int codePage = value.toInt(&ok);
    if (!ok || codePage <= 0 || !platform::isCodePageAvailable(codePage))
        return std::nullopt;
    return codePage;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Prints the format, tag fields, duration and chapters of each audio file as one JSON "
        "object a line, or the "
        "sources of a playlist as one absolute path a line.");
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption codePageOpt(
        "ansi-codepage",
        "Decode 8-bit tag text in code page N (default: that of the desktop's language).", "N");
    const QCommandLineOption playlistOpt("playlist", "Print the sources of the playlist FILE.",
                                         "FILE.wpl");
    parser.addOption(codePageOpt);
    parser.addOption(playlistOpt);
    parser.addPositionalArgument("files", "Audio files to read.", "[FILE...]");

    if (!parser.parse(app.arguments()))
        return wrongArguments(parser.errorText());
    if (parser.isSet(helpOption)) {
        print(parser.helpText().toLocal8Bit());
        return 0;
    }
    if (parser.isSet(codePageOpt)) {
        const auto codePage = codePageOption(parser.value(codePageOpt));
        if (!codePage)
            return wrongArguments("no such code page: " + parser.value(codePageOpt));
        platform::setTitleCodePage(*codePage);
    }

    const QStringList files = parser.positionalArguments();
    const QStringList playlists = parser.values(playlistOpt);
    if (playlists.size() > 1 || (playlists.size() == 1 && !files.isEmpty()))
        return wrongArguments("give one playlist, or files, not both");
    if (playlists.isEmpty() && files.isEmpty())
        return wrongArguments("no file given");

    std::setvbuf(stdout, nullptr, _IOFBF, outputBlockSize);
    const QDir workingFolder = QDir::current();
    if (!playlists.isEmpty())
        printPlaylist(internalPath(playlists.first(), workingFolder));
    for (const QString &file : files)
        print(fileLine(internalPath(file, workingFolder)));
    return 0;
}
