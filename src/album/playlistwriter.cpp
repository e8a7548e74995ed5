#include "album/playlistwriter.h"

#include "album/pathtext.h"
#include "album/textfile.h"
#include "media/tagreader.h"
#include "platform/codepage.h"
#include "platform/folderlisting.h"
#include "platform/paths.h"

#include <algorithm>

namespace album {

namespace {

constexpr QStringView firstLine = u"<smil><head><title></title></head><body><seq>";
constexpr QStringView lastLine = u"</seq></body></smil>";

// The folder's visible accepted files in case-insensitive name order, as the Windows listing
// gives them; other systems list in no useful order, and an album's chapters must keep theirs.
QStringList acceptedFiles(const QString &folder)
{
    QStringList files = platform::listFolder(folder).files;
    files.removeIf([](const QString &name) { return !isAcceptedAudioFile(name); });
    files.sort(Qt::CaseInsensitive);
    return files;
}

// The run of digits that starts at `at`.
QStringView digitsAt(QStringView text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size() && text[end].isDigit())
        ++end;
    return text.sliced(at, end - at);
}

// Two runs of digits by their value, whatever their leading zeros: < 0, 0 or > 0.
int compareNumbers(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == u'0')
        a = a.sliced(1);
    while (b.size() > 1 && b.front() == u'0')
        b = b.sliced(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

// Numbers compared by their value, the rest without regard to case: "CD2" before "CD10".
bool naturalLess(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const QStringView numberA = digitsAt(a, i);
            const QStringView numberB = digitsAt(b, j);
            if (const int order = compareNumbers(numberA, numberB))
                return order < 0;
            i += numberA.size();
            j += numberB.size();
            continue;
        }
        const QChar foldedA = a[i++].toCaseFolded();
        const QChar foldedB = b[j++].toCaseFolded();
        if (foldedA != foldedB)
            return foldedA < foldedB;
    }
    // Equal so far: the shorter first, then any order that is fixed ("01" and "1").
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}

QStringList subFolderFiles(const QString &folder)
{
    QStringList subFolders = platform::listFolder(folder).folders;
    std::stable_sort(subFolders.begin(), subFolders.end(), naturalLess);
    QStringList files;
    for (const QString &subFolder : subFolders) {
        for (const QString &name : acceptedFiles(folder + platform::fromNativePath(subFolder)))
            files.append(subFolder + u'/' + name);
    }
    return files;
}

// The playlist names a file only when the name reads back as itself: no "" inside a name
// (the stored paths' separator) or U+FFFD (a name the system's encoding could not decode),
// characters the ANSI code page holds, a quote the value can be written in, and no markup that
// ends the list or starts an element.
bool canBeListed(const QString &relativePath)
{
    return !platform::hasUnstorableCharacter(relativePath) &&
           !(relativePath.contains(u'"') && relativePath.contains(u'\'')) &&
           !relativePath.contains(u"<media ", Qt::CaseInsensitive) &&
           !relativePath.contains(u"</seq>", Qt::CaseInsensitive) &&
           platform::ansiCanHold(relativePath);
}

// The title as the file's text: '"' becomes "'" and NUL a blank, and "<" and ">" are written
// as entities, so that a title can never start an element ("<media ", "</seq>").
QString titleText(const media::TagText &title, int codePage)
{
    QString text = title.toString(codePage);
    text.replace(u'"', u'\'');
    text.replace(QChar(0), u' ');
    text.replace(u'<', QStringLiteral("&lt;"));
    text.replace(u'>', QStringLiteral("&gt;"));
    return text;
}

// A name with a double quote is written between single quotes, which every reader of the
// format takes as well.
QString mediaLine(const QString &source, const QString &title)
{
    const QChar quote = source.contains(u'"') ? u'\'' : u'"';
    return QStringLiteral("<media src=") + quote + source + quote + QStringLiteral(" title=\"") +
           title + QStringLiteral("\"/>");
}

} // namespace

bool isAcceptedAudioFile(QStringView fileName)
{
    const QString extension = textAfterLast(fileName, u".", true);
    const QString list = acceptedFormats.toString() + u';';
    return list.contains(u'.' + extension + u';', Qt::CaseInsensitive);
}

QStringList albumFolderFiles(const QString &folder)
{
    const QStringList own = acceptedFiles(folder);
    return own.isEmpty() ? subFolderFiles(folder) : own;
}

PlaylistWrite writePlaylistFromFolder(const QString &playlistPath, int titleCodePage)
{
    const QString folder = folderOfPath(playlistPath);
    PlaylistWrite write;
    QString text = firstLine.toString();
    bool hasMedia = false;
    const QStringList files = albumFolderFiles(folder);
    for (const QString &file : files) {
        if (!canBeListed(file)) {
            write.unlisted.append(file);
            continue;
        }
        const QString source = platform::fromNativePath(file);
        const media::TagText title = media::readTag(folder + source).title;
        text += QStringLiteral("\r\n") + mediaLine(source, titleText(title, titleCodePage));
        hasMedia = true;
    }
    text += QStringLiteral("\r\n") + lastLine.toString();
    if (files.isEmpty())
        write.result = PlaylistWriteResult::NoAcceptedFile;
    else if (!hasMedia)
        write.result = PlaylistWriteResult::NoListableFile;
    else
        write.result = writeTextFile(playlistPath, text) ? PlaylistWriteResult::Written
                                                         : PlaylistWriteResult::NotWritten;
    return write;
}

QString noAcceptedFileMessage(const QString &playlistPath)
{
    return platform::toNativePath(folderOfPath(playlistPath)) +
           QStringLiteral("\r\nhas no file of format ") + acceptedFormats.toString();
}

QString unlistedFilesMessage(const QString &playlistPath, const QStringList &unlisted)
{
    return platform::toNativePath(folderOfPath(playlistPath)) +
           QStringLiteral("\r\nholds audio files whose names a playlist cannot keep:\r\n") +
           unlisted.join(QStringLiteral("\r\n")) +
           QStringLiteral("\r\nRename them to play them in this application.");
}

QString notWrittenMessage(const QString &playlistPath)
{
    return platform::toNativePath(playlistPath) +
           QStringLiteral("\r\ncould not be written. Check that the folder can be written to.");
}

} // namespace album
