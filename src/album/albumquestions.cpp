#include "album/albumquestions.h"

#include "album/albumopener.h"
#include "album/pathtext.h"
#include "album/playlistwriter.h"
#include "media/tagreader.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "shell/dialogs/dialogkit.h"
#include "shell/manual/helpcontext.h"
#include "text/characterreferences.h"
#include "text/codepagecatalogue.h"
#include "text/titleencodingchooser.h"
#include "version.h"

#include <QDir>
#include <QStandardPaths>

namespace album {

namespace {

// The dialog component's input mode around an input box, and its usual value.
constexpr int inputModeForBox = 64;
constexpr int inputModeUsual = 1;
constexpr QStringView titleCaption = u"Playlist Title";

QString musicFolder()
{
    return platform::fromNativePath(
        QStandardPaths::writableLocation(QStandardPaths::MusicLocation));
}

} // namespace

text::TitleEncoding AlbumQuestions::settleTitle(const QString &albumPath)
{
    if (hasPlaylistExtension(albumPath)) {
        const QByteArray title = playlistTitleBytes(albumPath);
        const QString settled =
            text::isAscii(title) ? QString::fromLatin1(title) : askAlbumTitle(title).title;
        return {settled, platform::titleCodePage()};
    }
    const media::TagText tagTitle = media::readTag(albumPath).title;
    if (tagTitle.isUnicode && !tagTitle.unicode.isEmpty())
        return {text::toCharacterReferences(tagTitle.unicode), text::unicodeCodePage};
    const QByteArray bytes = tagTitle.isUnicode ? QByteArray() : tagTitle.bytes;
    if (!bytes.isEmpty() && text::isAscii(bytes))
        return {QString::fromLatin1(bytes), platform::titleCodePage()};
    return askAlbumTitle(bytes);
}

text::TitleEncoding AlbumQuestions::askAlbumTitle(const QByteArray &title)
{
    if (!title.isEmpty())
        return text::chooseTitleEncoding(m_encodingChooser, title);
    const QString answer = askTitleText(QStringLiteral("Enter the text:"), QString());
    return {text::toCharacterReferences(answer), text::unicodeCodePage};
}

QString AlbumQuestions::askTitleText(const QString &prompt, const QString &defaultText)
{
    m_dialogs.setInputMode(inputModeForBox);
    const QString answer = m_dialogs.inputBox(prompt, titleCaption.toString(), defaultText);
    m_dialogs.setInputMode(inputModeUsual);
    return answer;
}

bool AlbumQuestions::confirm(const QString &question)
{
    return m_dialogs.messageBox(question, MessageButtons::YesNo, MessageIcon::Question,
                                DefaultButton::Second) == MessageResult::Yes;
}

void AlbumQuestions::tellUndecipherable(const QString &path)
{
    m_dialogs.messageBox(
        undecipherableMessage(path), MessageButtons::Ok, MessageIcon::Warning, DefaultButton::First,
        QString::fromUtf8(version::title) + QStringLiteral(" Message"), shell::help::fileOpen);
}

bool AlbumQuestions::writePlaylist(const QString &playlist, int titleCodePage)
{
    const PlaylistWrite write = writePlaylistFromFolder(playlist, titleCodePage);
    QString message;
    switch (write.result) {
    case PlaylistWriteResult::Written:
    case PlaylistWriteResult::NoListableFile:
        if (!write.unlisted.isEmpty())
            message = unlistedFilesMessage(playlist, write.unlisted);
        break;
    case PlaylistWriteResult::NoAcceptedFile:
        message = noAcceptedFileMessage(playlist);
        break;
    case PlaylistWriteResult::NotWritten:
        message = notWrittenMessage(playlist);
        break;
    }
    if (!message.isEmpty())
        m_dialogs.messageBox(message, MessageButtons::Ok, MessageIcon::Information);
    return write.result == PlaylistWriteResult::Written;
}

QString AlbumQuestions::askAlbumToOpen(const QString &activeAlbumPath, int &filterIndex)
{
    m_dialogs.setFilter(openFilter());
    m_dialogs.setFilterIndex(shownFilterIndex(filterIndex));
    m_dialogs.setInitialFolder(initialOpenFolder(activeAlbumPath, musicFolder(),
                                                 platform::fromNativePath(QDir::homePath())));
    m_dialogs.setFileName(QString());
    m_dialogs.setDialogTitle(dialogTitleFromCaption(fileOpenCaption));
    const bool chosen = m_dialogs.showOpen() == 1;
    filterIndex = storedFilterIndex(m_dialogs.filterIndex());
    return chosen ? m_dialogs.fileName() : QString();
}

} // namespace album
