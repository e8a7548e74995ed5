#include "album/playlistwriter.h"

#include "album/pathtext.h"
#include "album/textfile.h"
#include "media/tagreader.h"
#include "platform/codepage.h"
#include "platform/paths.h"

#include <QByteArray>
#include <QDir>
#include <QStringList>

namespace album {

namespace {

constexpr char firstLine[] = "<smil><head><title></title></head><body><seq>";
constexpr char lastLine[] = "</seq></body></smil>";

// The folder's plain files (no folders, hidden or special files). The Windows listing gives
// names in case-insensitive order; other systems list in no useful order, and an album's
// chapters must keep theirs, so the names are sorted that way everywhere.
QStringList listedFiles(const QString &folder)
{
    return QDir(platform::toNativePath(folder))
        .entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

// The tag title in the file's ANSI text: Unicode encoded ("?" for what the code page cannot
// hold), 8-bit bytes as the tag holds them; '"' becomes "'" and NUL a blank, and "<" and ">" are
// written as entities, so that a title can never start an element ("<media ", "</seq>").
QByteArray titleText(const media::TagText &title)
{
    QByteArray text = title.isUnicode ? platform::toAnsi(title.unicode) : title.bytes;
    text.replace('"', '\'');
    text.replace('\0', ' ');
    text.replace('<', "&lt;");
    text.replace('>', "&gt;");
    return text;
}

// The playlist reads a name back only when the ANSI code page holds it, no character of it is
// one the stored forms take for their own, and it cannot be taken for the next element.
bool canBeListed(const QString &name)
{
    return !platform::hasUnstorableCharacter(name) &&
           !name.contains(u"<media ", Qt::CaseInsensitive) && platform::ansiCanHold(name);
}

QByteArray mediaLine(const QString &fileName, const media::TagText &title)
{
    return "<media src=\"" + platform::toAnsi(fileName) + "\" title=\"" + titleText(title) + "\"/>";
}

} // namespace

bool isAcceptedAudioFile(QStringView fileName)
{
    const QString extension = textAfterLast(fileName, u".", true);
    const QString list = acceptedFormats.toString() + u';';
    return list.contains(u'.' + extension + u';', Qt::CaseInsensitive);
}

PlaylistWriteResult writePlaylistFromFolder(const QString &playlistPath)
{
    const QString folder = folderOfPath(playlistPath);
    QByteArray text = firstLine;
    bool hasMedia = false;
    for (const QString &name : listedFiles(folder)) {
        if (!isAcceptedAudioFile(name) || !canBeListed(name))
            continue;
        text += "\r\n" + mediaLine(name, media::readTag(folder + name).title);
        hasMedia = true;
    }
    text += "\r\n";
    text += lastLine;
    if (!hasMedia)
        return PlaylistWriteResult::NoAcceptedFile;
    return writeAnsiTextFile(playlistPath, text) ? PlaylistWriteResult::Written
                                                 : PlaylistWriteResult::NotWritten;
}

QString noAcceptedFileMessage(const QString &playlistPath)
{
    return platform::toNativePath(folderOfPath(playlistPath)) +
           QStringLiteral("\r\nhas no file of format ") + acceptedFormats.toString();
}

} // namespace album
