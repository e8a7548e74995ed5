#pragma once

#include "album/albumentry.h"
#include "places/placesfolder.h"
#include "places/placesmerge.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>
#include <optional>

class PlayerSession;
namespace album {
class AlbumSession;
}

namespace places {

// An album another computer of the household has and this one has not (yet).
struct Offer {
    QString title;
    QString computer;

    friend bool operator==(const Offer &, const Offer &) = default;
};

// The active profile's places shared through a folder that a sync tool keeps alike on every
// computer. This computer writes its own file after each save and reads the others' at start,
// at each activation and when one of them changes (after the sync tool has settled); newer
// places and bookmarks from them are taken into the album list, but never the place of the album
// that is playing, which waits for its next pause.
class SharedPlaces : public QObject {
    Q_OBJECT
public:
    static constexpr int settleMilliseconds = 2000;
    static constexpr int longestSettleMilliseconds = 10000;

    SharedPlaces(album::AlbumSession &albums, PlayerSession &player, QObject *parent = nullptr);

    // Native folder and this computer's name; an empty folder stops sharing.
    void setShare(const QString &folder, const QString &computer);
    bool isSharing() const { return !m_folder.isEmpty(); }
    // While it says true (a question is open) merging waits.
    void setBusy(std::function<bool()> busy) { m_busy = std::move(busy); }
    // The clock, for tests.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    const QList<Offer> &offers() const { return m_offers; }
    const QString &problem() const { return m_problem; }

    // Reads the others' files, merges and writes the own file.
    void refresh();
    // The own file from this computer's albums alone, at the end of the program.
    void publish();

signals:
    void offersChanged();
    // Empty while every shared file reads well.
    void problemChanged(const QString &problem);

private:
    struct KeyCache {
        QDateTime modified;
        qint64 size = -1;
        QString key;
        QStringList records;
    };

    Stamp now() const { return m_clock().toSecsSinceEpoch(); }
    // What this computer's album and the others' make together; the entry to store when that
    // changed it.
    struct EntryMerge {
        MergedAlbum merged;
        std::optional<album::AlbumEntry> changed;
    };

    KeyCache keyOf(const QString &albumPath);
    // The album's key and record names; an empty key for an album not found here.
    KeyCache identityOf(const album::AlbumEntry &entry);
    // The own record of the album brought up to date with the entry.
    SharedAlbum ownAlbumOf(const album::AlbumEntry &entry, const QString &key, Stamp time) const;
    EntryMerge mergeEntry(const album::AlbumEntry &entry, const KeyCache &identity,
                          const FolderReading &folder, Stamp time, bool placeLocked);
    void followProfile();
    void mergeActivating();
    void othersChanged();
    void playStateChanged(int state);
    void scheduleRefresh(int milliseconds);
    FolderReading readOthers();
    QList<OtherAlbum> othersOf(const FolderReading &folder, const QString &key) const;
    void update(bool mergeOthers);
    void setOffers(const FolderReading &folder, const QSet<QString> &localKeys);
    void writeOwn(const QList<SharedAlbum> &albums);
    void report(const FolderReading &folder);
    void log(const QStringList &ignored);
    bool isPlaying() const;

    album::AlbumSession &m_albums;
    PlayerSession &m_player;
    std::function<bool()> m_busy;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTimeUtc(); };
    QString m_folder;
    QString m_computer;
    QString m_profile;
    QHash<QString, SharedAlbum> m_own; // by key
    QByteArray m_written;
    QHash<QString, KeyCache> m_keys; // by album path
    QList<Offer> m_offers;
    QString m_problem;
    QSet<QString> m_logged;
    QFileSystemWatcher m_watcher;
    QTimer m_soon;
    QTimer m_settle;
    QElapsedTimer m_settling;
    bool m_placeWaiting = false;
};

} // namespace places
