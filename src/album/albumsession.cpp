#include "album/albumsession.h"

#include "album/accessstamp.h"
#include "album/albumopener.h"
#include "album/markpaths.h"
#include "album/pathtext.h"
#include "album/playlistwriter.h"
#include "media/tagreader.h"
#include "platform/codepage.h"
#include "platform/launch.h"
#include "platform/paths.h"
#include "player/playbackspeed.h"
#include "player/playercomponent.h"
#include "player/playersession.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "shell/dialogs/dialogkit.h"
#include "shell/manual/helpcontext.h"
#include "text/characterreferences.h"
#include "text/codepagecatalogue.h"
#include "text/titleencodingchooser.h"
#include "version.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

namespace album {

namespace {

// When the album last played: its access stamp; none before its first capture.
qint64 lastPlayedMsecs(const AlbumEntry &entry)
{
    const QDateTime now = QDateTime::currentDateTime();
    return entry.access.trimmed().isEmpty()
               ? 0
               : readAccessStamp(entry.access, now).toMSecsSinceEpoch();
}

// The dialog component's input mode around an input box, and its usual value.
constexpr int inputModeForBox = 64;
constexpr int inputModeUsual = 1;
constexpr QStringView defaultProfile = u"Default";
constexpr QStringView titleCaption = u"Playlist Title";

QString applicationTitle()
{
    return QString::fromUtf8(version::title);
}

// "=" separates an entry's fields, so a title keeps it as a reference.
QString storedTitle(QString references)
{
    return references.replace(u'=', QStringLiteral("&#61;"));
}

int numberOf(const QString &field)
{
    return int(FixedPoint::parse(field).roundedToInt());
}

// The Marks items after the resume mark, empty ones left out.
QStringList bookmarksOf(const QString &marks)
{
    QStringList items = marks.split(u'|');
    items.removeFirst();
    items.removeAll(QString());
    return items;
}

QString musicFolder()
{
    return platform::fromNativePath(
        QStandardPaths::writableLocation(QStandardPaths::MusicLocation));
}

} // namespace

AlbumSession::AlbumSession(const Collaborators &collaborators, QObject *parent)
    : QObject(parent), m_with(collaborators)
{
}

PlayerComponent &AlbumSession::player() const
{
    return m_with.playerSession->player();
}

RecordList &AlbumSession::records() const
{
    return m_with.playerSession->records();
}

void AlbumSession::saveAlbumList() const
{
    m_albums.saveAlbumList(m_with.settingsFile, m_profile);
}

void AlbumSession::loadProfile(const QString &profile, const QString &commandLinePath)
{
    // The profile being left keeps its listener's place.
    if (profile != m_profile)
        captureAndSave();
    const bool wasActive = m_albumActive;
    m_profile = profile;
    m_profileLoading = true;
    m_with.playerSession->setProfileLoading(true);
    m_albumActive = false;
    emit recordMenuEnabled(false);
    emit bookmarkMenuEnabled(false);
    m_albums.load(m_with.settingsFile, profile);
    AlbumList::Index candidate = AlbumList::none;
    for (AlbumList::Index i = 0; i < m_albums.count() && candidate < 0; ++i) {
        if (albumFileExists(m_albums.entry(i)))
            candidate = i;
    }
    const bool opening = !commandLinePath.isEmpty();
    // An activation shows the list itself: thousands of albums are mirrored once, not twice.
    if (opening || candidate < 0)
        emit albumsChanged();
    if (opening)
        candidate = openAlbum(commandLinePath);
    if (candidate >= 0)
        activate(candidate);
    else if (wasActive)
        emptyPlayer();
    else
        emit windowCaptionChanged(windowCaption(QString()));
    m_with.playerSession->setProfileLoading(false);
    m_profileLoading = false;
}

AlbumList::Index AlbumSession::openAlbum(const QString &path)
{
    if (path.isEmpty())
        return AlbumList::none;
    if (!isDecipherablePath(path)) {
        m_with.dialogKit->messageBox(undecipherableMessage(path), MessageButtons::Ok,
                                     MessageIcon::Warning, DefaultButton::First,
                                     applicationTitle() + QStringLiteral(" Message"),
                                     shell::help::fileOpen);
        return AlbumList::none;
    }
    QString albumPath = path;
    if (isFolder(path)) {
        albumPath = folderPlaylist(path);
        // A folder whose playlist cannot be made is no album: it has said why.
        if (!settings::fileExists(albumPath) &&
            !writePlaylist(albumPath, platform::titleCodePage()))
            return AlbumList::none;
    }
    for (AlbumList::Index i = 0; i < m_albums.count(); ++i) {
        if (platform::samePath(m_albums.albumPathOf(i), albumPath))
            return i;
    }
    if (m_albums.count() == AlbumList::capacity)
        return AlbumList::none;
    const text::TitleEncoding settled = settleTitle(albumPath);
    AlbumEntry entry;
    entry.path = encodeAlbumPath(albumPath);
    entry.title = storedTitle(settled.title);
    entry.codepage = QString::number(settled.codePage);
    const AlbumList::Index index = m_albums.append(entry);
    if (index == 0)
        m_albumActive = false;
    emit albumsChanged();
    emit encodingSelected(settled.codePage);
    return index;
}

// A title is asked about only when it holds bytes that read differently in other code pages: an
// ASCII one reads the same in all. A playlist's records are shown in the title code page
// whatever its title's was; a single file's title comes from its tag.
text::TitleEncoding AlbumSession::settleTitle(const QString &path)
{
    if (hasPlaylistExtension(path)) {
        const QByteArray title = playlistTitleBytes(path);
        const QString settled =
            text::isAscii(title) ? QString::fromLatin1(title) : askAlbumTitle(title).title;
        return {settled, platform::titleCodePage()};
    }
    const media::TagText tagTitle = media::readTag(path).title;
    if (tagTitle.isUnicode && !tagTitle.unicode.isEmpty())
        return {text::toCharacterReferences(tagTitle.unicode), text::unicodeCodePage};
    const QByteArray bytes = tagTitle.isUnicode ? QByteArray() : tagTitle.bytes;
    if (!bytes.isEmpty() && text::isAscii(bytes))
        return {QString::fromLatin1(bytes), platform::titleCodePage()};
    return askAlbumTitle(bytes);
}

text::TitleEncoding AlbumSession::askAlbumTitle(const QByteArray &title)
{
    if (!title.isEmpty())
        return text::chooseTitleEncoding(*m_with.encodingChooser, title);
    const QString answer = askTitleText(QStringLiteral("Enter the text:"), QString());
    return {text::toCharacterReferences(answer), text::unicodeCodePage};
}

QString AlbumSession::askTitleText(const QString &prompt, const QString &defaultText)
{
    DialogKit &dialogs = *m_with.dialogKit;
    dialogs.setInputMode(inputModeForBox);
    const QString answer = dialogs.inputBox(prompt, titleCaption.toString(), defaultText);
    dialogs.setInputMode(inputModeUsual);
    return answer;
}

bool AlbumSession::confirm(const QString &question)
{
    return m_with.dialogKit->messageBox(question, MessageButtons::YesNo, MessageIcon::Question,
                                        DefaultButton::Second) == MessageResult::Yes;
}

bool AlbumSession::writePlaylist(const QString &playlist, int titleCodePage)
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
        m_with.dialogKit->messageBox(message, MessageButtons::Ok, MessageIcon::Information);
    return write.result == PlaylistWriteResult::Written;
}

void AlbumSession::fileOpenCommand()
{
    DialogKit &dialogs = *m_with.dialogKit;
    const FixedPoint filterIndex =
        settings::readSettingNumber(m_with.settingsFile, m_profile, settings::keys::filterIndexKey);
    dialogs.setFilter(openFilter.toString());
    dialogs.setFilterIndex(int(filterIndex.roundedToInt()));
    dialogs.setInitialFolder(initialOpenFolder(m_albums.albumPathOf(0), musicFolder(),
                                               platform::fromNativePath(QDir::homePath())));
    dialogs.setFileName(QString());
    dialogs.setDialogTitle(dialogTitleFromCaption(fileOpenCaption));
    if (dialogs.showOpen() != 1)
        return;
    const AlbumList::Index index = openAlbum(dialogs.fileName());
    if (index >= 0)
        activate(index);
    settings::writeSettingNumber(m_with.settingsFile, m_profile, settings::keys::filterIndexKey,
                                 FixedPoint::fromInt(dialogs.filterIndex()));
}

void AlbumSession::activate(AlbumList::Index index)
{
    if (index < 0 || index >= m_albums.count() || (index == 0 && m_albumActive))
        return;
    if (index > 0) {
        captureActiveAlbum();
        m_albums.moveToTop(index);
    }
    // Until its records are listed the player still holds the previous album's file: nothing
    // may be captured into this entry.
    m_albumActive = false;
    if (!m_profileLoading)
        saveAlbumList();
    emit bookmarkMenuEnabled(true);

    const AlbumEntry chosen = m_albums.entry(0);
    const int codePage = numberOf(chosen.codepage);
    emit encodingSelected(codePage);
    const QString path = chosen.albumPath();
    player().setVolume(chosen.volumeLevel());
    player().setRate(chosen.speed());
    const PlaylistRecords found = listActiveRecords(path, codePage);
    m_albumActive = true;
    // Read again: the entry may have changed while the re-create question was open.
    AlbumEntry entry = m_albums.entry(0);
    entry.records = QString::number(found.count);
    entry.duration = QString::number(found.totalSeconds);
    m_albums.setEntry(0, entry);
    emit albumsChanged();
    emit recordMenuEnabled(found.count >= 1);
    emit windowCaptionChanged(windowCaption(path));
    emit bookmarksLoaded(bookmarksOf(entry.marks));
    m_with.playerSession->setPausedSince(lastPlayedMsecs(entry));
    resume(entry.marks, found.firstPlayable);
    m_with.playerSession->refreshState();
}

// The album's records; a playlist that gives no playable record may be written anew from its
// folder, once, at the user's word. The list is replaced only after the question, so that the
// previous album's end of record, met meanwhile, still goes on in its own list.
PlaylistRecords AlbumSession::listActiveRecords(const QString &path, int codePage)
{
    LoadedRecords loaded = hasPlaylistExtension(path) ? readPlaylistRecords(path, codePage)
                                                      : readSingleFileRecord(path);
    const bool playable = loaded.summary.count >= 1 && loaded.summary.firstPlayable >= 0;
    if (hasPlaylistExtension(path) && !playable &&
        confirm(platform::toNativePath(path) +
                QStringLiteral("\r\nhas an incorrect format. Do you wish to re-create it?"))) {
        writePlaylist(path, codePage);
        loaded = readPlaylistRecords(path, codePage);
    }
    setRecords(loaded);
    return loaded.summary;
}

PlaylistRecords AlbumSession::loadPlaylistRecords(const QString &playlist, int codePage)
{
    const LoadedRecords loaded = readPlaylistRecords(playlist, codePage);
    setRecords(loaded);
    return loaded.summary;
}

void AlbumSession::setRecords(const LoadedRecords &loaded)
{
    records().reset(loaded.records);
}

// At the resume mark's file and second when that file exists, else at the first playable
// record; with none, the player lets the previous album's file go.
void AlbumSession::resume(const QString &marks, qint16 firstPlayable)
{
    const Mark mark = parseMark(textBefore(marks, u"|", false));
    if (!mark.path.isEmpty() && settings::fileExists(mark.path))
        m_with.playerSession->resumeAt(mark.path, FixedPoint::parse(mark.seconds).toDouble());
    else if (firstPlayable >= 0)
        m_with.playerSession->selectRecord(firstPlayable);
    else
        m_with.playerSession->unload();
}

QString AlbumSession::windowCaption(const QString &albumPath) const
{
    QString caption = applicationTitle();
    if (m_profile != defaultProfile)
        caption += QStringLiteral(" [") + m_profile + u']';
    if (!albumPath.isEmpty())
        caption += QStringLiteral(" - ") + platform::toNativePath(albumPath);
    return caption;
}

void AlbumSession::changeEncoding(int codePage)
{
    if (m_albums.isEmpty())
        return;
    AlbumEntry entry = m_albums.entry(0);
    if (numberOf(entry.codepage) == codePage)
        return;
    const QString path = entry.albumPath();
    // The record list is album 0's only while it is active; a single file shows no tag title.
    if (m_albumActive && hasPlaylistExtension(path)) {
        const RecordList::Index current = records().current();
        loadPlaylistRecords(path, codePage);
        records().setCurrent(current);
    }
    entry.codepage = QString::number(codePage);
    m_albums.setEntry(0, entry);
    m_albums.saveActiveAlbum(m_with.settingsFile, m_profile);
    emit encodingSelected(codePage);
}

FileMenuAvailability AlbumSession::fileMenuAvailability() const
{
    FileMenuAvailability available;
    for (AlbumList::Index i = 0; i < m_albums.count() && !available.removeNonFound; ++i)
        available.removeNonFound = !albumFileExists(m_albums.entry(i));
    available.recreatePlaylist = hasPlaylistExtension(m_albums.albumPathOf(0));
    available.textEditor = available.recreatePlaylist && m_textEditor && !m_textEditor().isEmpty();
    available.rename = !m_albums.isEmpty();
    return available;
}

void AlbumSession::renameCommand()
{
    if (m_albums.isEmpty())
        return;
    const AlbumEntry asked = m_albums.entry(0);
    const QString current = text::fromCharacterReferenceText(asked.title);
    const QString answer = askTitleText(QStringLiteral("Enter a new title:"), current);
    // Playback went on while the box was open: only the title of the entry as it is now changes,
    // and only while the same album is active.
    if (answer.isEmpty() || answer == current || m_albums.entry(0).path != asked.path)
        return;
    AlbumEntry entry = m_albums.entry(0);
    entry.title = storedTitle(text::toCharacterReferences(answer));
    m_albums.setEntry(0, entry);
    m_albums.saveActiveAlbum(m_with.settingsFile, m_profile);
    emit albumsChanged();
}

void AlbumSession::recreatePlaylistCommand()
{
    const QString path = m_albums.albumPathOf(0);
    if (!hasPlaylistExtension(path))
        return;
    if (settings::fileExists(path) &&
        !confirm(QStringLiteral("The previous version of the file will be lost.\r\n"
                                "Are you sure you wish to continue?")))
        return;
    writePlaylist(path, numberOf(m_albums.entry(0).codepage));
    emit albumsChanged();
}

void AlbumSession::textEditorCommand()
{
    if (!fileMenuAvailability().textEditor)
        return;
    const QString playlist = platform::toNativePath(m_albums.albumPathOf(0));
    platform::openWithProgram(platform::toNativePath(m_textEditor()), playlist);
}

void AlbumSession::removeNonFoundCommand()
{
    for (AlbumList::Index i = m_albums.count() - 1; i >= 0; --i) {
        if (albumFileExists(m_albums.entry(i)))
            continue;
        m_albums.removeAt(i);
        if (i == 0)
            m_albumActive = false;
    }
    saveAlbumList();
    emit albumsChanged();
}

void AlbumSession::removeFromListCommand(AlbumList::Index index)
{
    if (index < 0 || index >= m_albums.count())
        return;
    if (m_albums.count() == 1) {
        clearSession();
        return;
    }
    m_albums.removeAt(index);
    if (index == 0) {
        m_albumActive = false;
        activate(0);
    } else {
        saveAlbumList();
    }
    emit albumsChanged();
}

// The only album is gone: an empty list and section, no record, no player file.
void AlbumSession::clearSession()
{
    m_albums.clear();
    m_albumActive = false;
    saveAlbumList();
    emit albumsChanged();
    emptyPlayer();
}

// No album is active any more: no record, no player file, the menus that need one disabled, and
// the speed and volume an album starts with rather than the last album's.
void AlbumSession::emptyPlayer()
{
    records().reset({});
    player().close();
    player().setEnabled(false);
    player().setRate(speed::normal);
    player().setVolume(AlbumEntry().volumeLevel());
    emit recordMenuEnabled(false);
    emit bookmarkMenuEnabled(false);
    emit windowCaptionChanged(windowCaption(QString()));
    emit sessionCleared();
}

void AlbumSession::captureAndSave()
{
    if (captureActiveAlbum())
        m_albums.saveActiveAlbum(m_with.settingsFile, m_profile);
}

bool AlbumSession::captureActiveAlbum()
{
    if (!m_albumActive || !playerHoldsActiveRecord())
        return false;
    m_albums.captureAlbumState(player(), QDateTime::currentDateTime());
    return true;
}

bool AlbumSession::playerHoldsActiveRecord() const
{
    return records().hasPlayableRecord(player().url());
}

QString AlbumSession::activeMarks() const
{
    return m_albumActive ? m_albums.entry(0).marks : QString();
}

void AlbumSession::storeActiveMarks(const QString &marks, bool save)
{
    if (!m_albumActive)
        return;
    AlbumEntry entry = m_albums.entry(0);
    entry.marks = marks;
    m_albums.setEntry(0, entry);
    if (save)
        m_albums.saveActiveAlbum(m_with.settingsFile, m_profile);
}

} // namespace album
