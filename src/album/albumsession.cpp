#include "album/albumsession.h"

#include "album/albumcaption.h"
#include "album/albumopener.h"
#include "album/markpaths.h"
#include "album/pathtext.h"
#include "platform/codepage.h"
#include "platform/launch.h"
#include "platform/paths.h"
#include "player/playbackspeed.h"
#include "player/playercomponent.h"
#include "player/playersession.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "text/characterreferences.h"
#include "text/titleencodingchooser.h"

#include <QDateTime>

namespace album {

AlbumSession::AlbumSession(const Collaborators &collaborators, QObject *parent)
    : QObject(parent), m_with(collaborators),
      m_questions(*collaborators.dialogKit, *collaborators.encodingChooser)
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
        emit windowCaptionChanged(windowCaption(m_profile, QString()));
    m_with.playerSession->setProfileLoading(false);
    m_profileLoading = false;
}

AlbumList::Index AlbumSession::openAlbum(const QString &path)
{
    if (path.isEmpty())
        return AlbumList::none;
    if (!isDecipherablePath(path)) {
        m_questions.tellUndecipherable(path);
        return AlbumList::none;
    }
    QString albumPath = path;
    if (isFolder(path)) {
        albumPath = folderPlaylist(path);
        // A folder whose playlist cannot be made is no album: it has said why.
        if (!settings::fileExists(albumPath) &&
            !m_questions.writePlaylist(albumPath, platform::titleCodePage()))
            return AlbumList::none;
    }
    for (AlbumList::Index i = 0; i < m_albums.count(); ++i) {
        if (platform::samePath(m_albums.albumPathOf(i), albumPath))
            return i;
    }
    if (m_albums.count() == AlbumList::capacity)
        return AlbumList::none;
    const text::TitleEncoding settled = m_questions.settleTitle(albumPath);
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

void AlbumSession::fileOpenCommand()
{
    int filterIndex = int(
        settings::readSettingNumber(m_with.settingsFile, m_profile, settings::keys::filterIndexKey)
            .roundedToInt());
    const QString chosen = m_questions.askAlbumToOpen(m_albums.albumPathOf(0), filterIndex);
    if (chosen.isEmpty())
        return;
    const AlbumList::Index index = openAlbum(chosen);
    if (index >= 0)
        activate(index);
    settings::writeSettingNumber(m_with.settingsFile, m_profile, settings::keys::filterIndexKey,
                                 FixedPoint::fromInt(filterIndex));
}

void AlbumSession::activate(AlbumList::Index index)
{
    if (index < 0 || index >= m_albums.count() || (index == 0 && m_albumActive))
        return;
    if (index > 0) {
        captureActiveAlbum();
        m_albums.moveToTop(index);
    }
    emit activating();
    // Until its records are listed the player still holds the previous album's file: nothing
    // may be captured into this entry.
    m_albumActive = false;
    if (!m_profileLoading)
        saveAlbumList();
    emit bookmarkMenuEnabled(true);

    const AlbumEntry chosen = m_albums.entry(0);
    const int codePage = chosen.codePageNumber();
    emit encodingSelected(codePage);
    const QString path = chosen.albumPath();
    applyListening(chosen);
    const PlaylistRecords found = listActiveRecords(path, codePage);
    m_albumActive = true;
    // Read again: the entry may have changed while the re-create question was open.
    AlbumEntry entry = m_albums.entry(0);
    entry.records = QString::number(found.count);
    entry.duration = QString::number(found.totalSeconds);
    m_albums.setEntry(0, entry);
    emit albumsChanged();
    emit recordMenuEnabled(found.count >= 1);
    emit windowCaptionChanged(windowCaption(m_profile, path));
    emit bookmarksLoaded(entry.bookmarks());
    m_with.playerSession->setPausedSince(entry.lastPlayedMsecs());
    resume(entry.marks, found.firstPlayable);
    m_with.playerSession->refreshState();
}

void AlbumSession::applyListening(const AlbumEntry &entry)
{
    const AlbumListening listening = listeningOf(entry);
    player().setVolume(listening.volume);
    player().setVoiceLevelling(listening.levelsVoice);
    player().setRate(entry.speed());
    m_with.playerSession->setSkippedEnds(listening.introSeconds, listening.outroSeconds);
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
        m_questions.confirm(
            platform::toNativePath(path) +
            QStringLiteral("\r\nhas an incorrect format. Do you wish to re-create it?"))) {
        m_questions.writePlaylist(path, codePage);
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
    if (resumeAtMark(marks))
        return;
    if (firstPlayable >= 0)
        m_with.playerSession->selectRecord(firstPlayable);
    else
        m_with.playerSession->unload();
}

bool AlbumSession::resumeAtMark(const QString &marks)
{
    const Mark mark = parseMark(textBefore(marks, u"|", false));
    if (mark.path.isEmpty() || !settings::fileExists(mark.path))
        return false;
    m_with.playerSession->resumeAt(mark.path, FixedPoint::parse(mark.seconds).toDouble());
    return true;
}

void AlbumSession::changeEncoding(int codePage)
{
    if (m_albums.isEmpty())
        return;
    AlbumEntry entry = m_albums.entry(0);
    if (entry.codePageNumber() == codePage)
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
    const QString answer = m_questions.askTitleText(QStringLiteral("Enter a new title:"), current);
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
        !m_questions.confirm(QStringLiteral("The previous version of the file will be lost.\r\n"
                                            "Are you sure you wish to continue?")))
        return;
    m_questions.writePlaylist(path, m_albums.entry(0).codePageNumber());
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
    player().setVoiceLevelling(false);
    m_with.playerSession->setSkippedEnds(0, 0);
    emit recordMenuEnabled(false);
    emit bookmarkMenuEnabled(false);
    emit windowCaptionChanged(windowCaption(m_profile, QString()));
    emit sessionCleared();
}

void AlbumSession::captureAndSave()
{
    if (!captureActiveAlbum())
        return;
    m_albums.saveActiveAlbum(m_with.settingsFile, m_profile);
    emit activeAlbumSaved();
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

AlbumListening AlbumSession::activeListening() const
{
    return m_albumActive ? listeningOf(m_albums.entry(0)) : AlbumListening();
}

void AlbumSession::setSkippedEnds(int introSeconds, int outroSeconds)
{
    if (!m_albumActive)
        return;
    AlbumEntry entry = m_albums.entry(0);
    AlbumListening listening = listeningOf(entry);
    listening.introSeconds = introSeconds;
    listening.outroSeconds = outroSeconds;
    storeListening(entry, listening);
    m_albums.setEntry(0, entry);
    m_with.playerSession->setSkippedEnds(listening.introSeconds, listening.outroSeconds);
    m_albums.saveActiveAlbum(m_with.settingsFile, m_profile);
}

void AlbumSession::storeActiveMarks(const QString &marks, bool save)
{
    if (!m_albumActive)
        return;
    AlbumEntry entry = m_albums.entry(0);
    entry.marks = marks;
    m_albums.setEntry(0, entry);
    if (!save)
        return;
    m_albums.saveActiveAlbum(m_with.settingsFile, m_profile);
    emit activeAlbumSaved();
}

void AlbumSession::takeSharedEntries(const QList<std::pair<AlbumList::Index, AlbumEntry>> &changed,
                                     bool activePlaceTaken)
{
    bool activeChanged = false;
    for (const auto &[index, entry] : changed) {
        m_albums.setEntry(index, entry);
        activeChanged = activeChanged || (index == 0 && m_albumActive);
    }
    if (changed.isEmpty())
        return;
    saveAlbumList();
    emit albumsChanged();
    if (!activeChanged)
        return;
    const AlbumEntry active = m_albums.entry(0);
    emit bookmarksLoaded(active.bookmarks());
    if (!activePlaceTaken || !resumeAtMark(active.marks))
        return;
    applyListening(active);
    m_with.playerSession->refreshState();
}

} // namespace album
