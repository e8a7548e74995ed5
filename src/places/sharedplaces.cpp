#include "places/sharedplaces.h"

#include "album/albumsession.h"
#include "places/albumkey.h"
#include "places/albumplaces.h"
#include "platform/paths.h"
#include "player/playercomponent.h"
#include "player/playersession.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace places {

namespace {

constexpr qsizetype maxOffers = 20;
constexpr qsizetype maxLogged = 1000;

} // namespace

SharedPlaces::SharedPlaces(album::AlbumSession &albums, PlayerSession &player, QObject *parent)
    : QObject(parent), m_albums(albums), m_player(player)
{
    for (QTimer *timer : {&m_soon, &m_settle}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &SharedPlaces::refresh);
    }
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &SharedPlaces::othersChanged);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &SharedPlaces::othersChanged);
    connect(&albums, &album::AlbumSession::activating, this, &SharedPlaces::mergeActivating);
    // Told at once, so that a profile left right after its save has told its place too.
    connect(&albums, &album::AlbumSession::activeAlbumSaved, this, [this] {
        publish();
        scheduleRefresh(0);
    });
    // Another profile has other places, and perhaps no album to activate.
    connect(&albums, &album::AlbumSession::albumsChanged, this, [this] {
        if (m_albums.profile() != m_profile)
            scheduleRefresh(0);
    });
    connect(&player.player(), &PlayerComponent::playStateChange, this,
            &SharedPlaces::playStateChanged);
}

void SharedPlaces::setShare(const QString &folder, const QString &computer)
{
    if (folder == m_folder && computer == m_computer)
        return;
    m_folder = folder;
    m_computer = computer;
    m_profile.clear();
    m_own.clear();
    m_written.clear();
    if (!m_watcher.files().isEmpty() || !m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.files() + m_watcher.directories());
    if (isSharing()) {
        scheduleRefresh(0);
        return;
    }
    m_soon.stop();
    m_settle.stop();
    if (!m_offers.isEmpty()) {
        m_offers.clear();
        emit offersChanged();
    }
    if (!m_problem.isEmpty()) {
        m_problem.clear();
        emit problemChanged(m_problem);
    }
}

void SharedPlaces::refresh()
{
    update(true);
}

void SharedPlaces::publish()
{
    update(false);
}

// A change of another computer's file waits until the sync tool has been quiet for a while; a
// change here is told at once, whatever the sync tool is doing.
void SharedPlaces::scheduleRefresh(int milliseconds)
{
    if (isSharing())
        (milliseconds == 0 ? m_soon : m_settle).start(milliseconds);
}

// Each change waits for the next, but a tool that never stops writing is not waited for longer
// than longestSettleMilliseconds.
void SharedPlaces::othersChanged()
{
    if (!m_settle.isActive())
        m_settling.start();
    if (m_settling.elapsed() < longestSettleMilliseconds)
        scheduleRefresh(settleMilliseconds);
}

namespace {

// Between two records, or while the next one loads, the album plays on.
bool isAtRest(PlayState state)
{
    return state == PlayState::Paused || state == PlayState::Stopped || state == PlayState::Ready ||
           state == PlayState::Undefined;
}

} // namespace

void SharedPlaces::playStateChanged(int state)
{
    if (m_placeWaiting && isAtRest(PlayState(state)))
        scheduleRefresh(0);
}

bool SharedPlaces::isPlaying() const
{
    return !isAtRest(m_player.player().playState());
}

// The key is read from the playlist and its records' sizes, again only when the playlist changed.
SharedPlaces::KeyCache SharedPlaces::keyOf(const QString &albumPath)
{
    const QFileInfo playlist(platform::toNativePath(albumPath));
    KeyCache &cached = m_keys[albumPath];
    if (cached.modified != playlist.lastModified() || cached.size != playlist.size()) {
        cached = {playlist.lastModified(), playlist.size(), QString(), {}};
        cached.key = albumKey(albumPath, &cached.records);
    }
    return cached;
}

// The own file is read back whenever the profile changes: it holds the stamps of this computer's
// places and bookmarks, and the deletions still to be told.
void SharedPlaces::followProfile()
{
    if (m_albums.profile() == m_profile)
        return;
    m_profile = m_albums.profile();
    m_own.clear();
    m_written.clear();
    const PlacesReading own = readPlacesFile(ownFilePath(m_folder, m_profile, m_computer));
    if (!own.file)
        return;
    for (const SharedAlbum &album : own.file->albums)
        m_own.insert(album.key, album);
    m_written = writePlacesText(*own.file);
}

FolderReading SharedPlaces::readOthers()
{
    const QString own = QFileInfo(ownFilePath(m_folder, m_profile, m_computer)).fileName();
    return readProfileFolder(profileFolderPath(m_folder, m_profile), own);
}

QList<OtherAlbum> SharedPlaces::othersOf(const FolderReading &folder, const QString &key) const
{
    QList<OtherAlbum> others;
    for (const OtherFile &other : folder.others) {
        if (!other.reading.file)
            continue;
        for (const SharedAlbum &album : other.reading.file->albums) {
            if (album.key == key) {
                others.append({other.computer, album});
                break;
            }
        }
    }
    return others;
}

// Album 0 takes the newest place before its records are listed and the player is put there.
void SharedPlaces::mergeActivating()
{
    if (!isSharing())
        return;
    followProfile();
    album::AlbumList &list = m_albums.albums();
    const album::AlbumEntry entry = list.entry(0);
    const KeyCache identity = identityOf(entry);
    if (identity.key.isEmpty())
        return;
    const FolderReading folder = readOthers();
    const EntryMerge result = mergeEntry(entry, identity, folder, now(), false);
    if (result.changed)
        list.setEntry(0, *result.changed);
    m_own.insert(identity.key, result.merged.album);
    report(folder);
    scheduleRefresh(0);
}

SharedPlaces::KeyCache SharedPlaces::identityOf(const album::AlbumEntry &entry)
{
    return album::albumFileExists(entry) ? keyOf(entry.albumPath()) : KeyCache();
}

SharedAlbum SharedPlaces::ownAlbumOf(const album::AlbumEntry &entry, const QString &key,
                                     Stamp time) const
{
    const auto previous = m_own.constFind(key);
    return updatedOwnAlbum(previous == m_own.cend() ? nullptr : &*previous,
                           sharedAlbumOf(entry, key), accessStampOf(entry), time);
}

SharedPlaces::EntryMerge SharedPlaces::mergeEntry(const album::AlbumEntry &entry,
                                                  const KeyCache &identity,
                                                  const FolderReading &folder, Stamp time,
                                                  bool placeLocked)
{
    const SharedAlbum own = ownAlbumOf(entry, identity.key, time);
    EntryMerge result{mergeAlbum(own, othersOf(folder, identity.key), time, placeLocked), {}};
    const MergedAlbum &merged = result.merged;
    log(merged.ignored);
    if (merged.placeTaken || merged.bookmarksChanged)
        result.changed = entryWith(entry, merged.album, merged.placeTaken, identity.records);
    return result;
}

void SharedPlaces::update(bool mergeOthers)
{
    if (!isSharing())
        return;
    if (mergeOthers && m_busy && m_busy()) {
        scheduleRefresh(settleMilliseconds);
        return;
    }
    followProfile();
    const FolderReading folder = mergeOthers ? readOthers() : FolderReading();
    const Stamp time = now();
    const bool playing = m_albums.isAlbumActive() && isPlaying();
    QList<std::pair<album::AlbumList::Index, album::AlbumEntry>> changed;
    bool activePlaceTaken = false;
    m_placeWaiting = m_placeWaiting && !mergeOthers;
    QList<SharedAlbum> albums;
    QSet<QString> keys;
    const album::AlbumList &list = m_albums.albums();
    for (album::AlbumList::Index i = 0; i < list.count(); ++i) {
        const album::AlbumEntry entry = list.entry(i);
        const KeyCache identity = identityOf(entry);
        const QString &key = identity.key;
        if (key.isEmpty() || keys.contains(key))
            continue;
        keys.insert(key);
        if (!mergeOthers) {
            albums.append(ownAlbumOf(entry, key, time));
            continue;
        }
        const EntryMerge result = mergeEntry(entry, identity, folder, time, i == 0 && playing);
        m_placeWaiting = m_placeWaiting || result.merged.placeHeld;
        if (result.changed)
            changed.append({i, *result.changed});
        activePlaceTaken = activePlaceTaken || (i == 0 && result.merged.placeTaken);
        albums.append(result.merged.album);
    }
    m_own.clear();
    for (const SharedAlbum &album : albums)
        m_own.insert(album.key, album);
    m_albums.takeSharedEntries(changed, activePlaceTaken && m_albums.isAlbumActive());
    if (mergeOthers) {
        setOffers(folder, keys);
        report(folder);
    }
    writeOwn(albums);
}

void SharedPlaces::setOffers(const FolderReading &folder, const QSet<QString> &localKeys)
{
    QHash<QString, std::pair<Stamp, Offer>> newest;
    for (const OtherFile &other : folder.others) {
        if (!other.reading.file)
            continue;
        for (const SharedAlbum &album : other.reading.file->albums) {
            auto found = newest.find(album.key);
            if (localKeys.contains(album.key) ||
                (found != newest.end() && found->first >= album.place.stamp))
                continue;
            newest.insert(album.key, {album.place.stamp, Offer{album.title, other.computer}});
        }
    }
    QList<Offer> offers;
    for (const auto &[stamp, offer] : std::as_const(newest))
        offers.append(offer);
    std::sort(offers.begin(), offers.end(), [](const Offer &a, const Offer &b) {
        return std::pair(a.title.toLower(), a.computer) < std::pair(b.title.toLower(), b.computer);
    });
    if (offers.size() > maxOffers)
        offers.resize(maxOffers);
    if (offers != m_offers) {
        m_offers = offers;
        emit offersChanged();
    }
}

void SharedPlaces::writeOwn(const QList<SharedAlbum> &albums)
{
    const QByteArray text = writePlacesText({m_computer, albums});
    // An unmounted share is not made anew on the local disk.
    if (text == m_written || !QFileInfo(m_folder).isDir())
        return;
    const int error = writePlacesFile(ownFilePath(m_folder, m_profile, m_computer), text);
    if (error == 0)
        m_written = text;
    else
        log({QStringLiteral("could not write %1: %2")
                 .arg(ownFilePath(m_folder, m_profile, m_computer),
                      QString::fromLocal8Bit(std::strerror(error)))});
}

// One note at a time in the status line, the same one not again; each new one also in the log.
void SharedPlaces::report(const FolderReading &folder)
{
    QStringList problems;
    if (!QFileInfo(m_folder).isDir())
        problems.append(tr("Shared places folder not found"));
    for (const OtherFile &other : folder.others) {
        if (!other.reading.file)
            problems.append(
                tr("Places from %1 not read: %2").arg(other.computer, other.reading.problem));
    }
    if (!folder.conflictCopies.isEmpty())
        problems.append(tr("Another computer is also named %1").arg(m_computer));
    log(problems);
    const QString problem = problems.value(0);
    if (problem != m_problem) {
        m_problem = problem;
        emit problemChanged(m_problem);
    }
    const QString profileFolder = profileFolderPath(m_folder, m_profile);
    QStringList watched;
    if (QFileInfo(m_folder).isDir())
        watched.append(QFileInfo(profileFolder).isDir() ? profileFolder : m_folder);
    for (const OtherFile &other : folder.others)
        watched.append(QDir(profileFolder).filePath(other.fileName));
    const QStringList current = m_watcher.files() + m_watcher.directories();
    if (!current.isEmpty())
        m_watcher.removePaths(current);
    if (!watched.isEmpty())
        m_watcher.addPaths(watched);
}

void SharedPlaces::log(const QStringList &ignored)
{
    for (const QString &text : ignored) {
        if (m_logged.contains(text))
            continue;
        if (m_logged.size() == maxLogged)
            m_logged.clear();
        m_logged.insert(text);
        qWarning().noquote() << "Shared places:" << text;
    }
}

} // namespace places
