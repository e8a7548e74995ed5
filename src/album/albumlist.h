#pragma once

#include "album/albumentry.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <limits>

class PlayerComponent;

namespace album {

// The active profile's albums in order of most recent activation: index 0 is the active album,
// a newly opened album waits at the end until it is activated.
class AlbumList {
public:
    using Index = qint16;
    static constexpr Index none = -1;
    static constexpr Index capacity = std::numeric_limits<Index>::max();

    Index count() const { return Index(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // The entry at index; an empty entry when there is none.
    AlbumEntry entry(Index index) const;
    // Replaces the entry at index; does nothing when there is none.
    void setEntry(Index index, const AlbumEntry &entry);
    // The decoded path of the entry at index; empty when there is none.
    QString albumPathOf(Index index) const;

    // Replaces the list with the CR LF-separated lines, each with its mark paths made absolute.
    // Empty lines are left out; lines past the capacity are not listed but kept as they were
    // read, and saved after the listed ones, so that no album is ever lost.
    void loadLines(const QString &lines);
    // Replaces the list with the profile's stored album list (empty when there is none).
    void load(const QString &settingsFile, const QString &profile);
    // The new entry's index; none when the list is full.
    Index append(const AlbumEntry &entry);
    // Activation order: entry index becomes 0, the entries above it move down by one.
    void moveToTop(Index index);
    void removeAt(Index index);
    void clear()
    {
        m_entries.clear();
        m_unlisted.clear();
    }

    // Stores the player's file and position (whole seconds, halves to even) as the active
    // album's resume mark, keeping its bookmarks, with now as its access stamp and the player's
    // volume and speed. Does nothing with no album.
    void captureAlbumState(const PlayerComponent &player, const QDateTime &now);
    // Rewrites the active album's line of the profile's section in place (its path is the key).
    void saveActiveAlbum(const QString &settingsFile, const QString &profile) const;
    // Replaces the profile's whole section with every entry, in list order, then the unlisted
    // lines.
    void saveAlbumList(const QString &settingsFile, const QString &profile) const;

private:
    bool contains(Index index) const { return index >= 0 && index < m_entries.size(); }

    QList<AlbumEntry> m_entries;
    QStringList m_unlisted;
};

} // namespace album
