#include "album/albumlist.h"

#include "album/accessstamp.h"
#include "album/albumlistening.h"
#include "album/markpaths.h"
#include "platform/paths.h"
#include "player/playercomponent.h"
#include "player/timeformat.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"

namespace album {

namespace {

constexpr QStringView lineBreak = u"\r\n";

// A line break inside a field (a tag title may hold one) would split the entry's line in the
// settings file; written as references, the character-reference fields read it back unchanged.
QString withoutLineBreaks(QString text)
{
    text.replace(u'\r', QStringLiteral("&#13;"));
    text.replace(u'\n', QStringLiteral("&#10;"));
    return text;
}

// The first mark replaced by where the player stands; the bookmarks after it kept.
QString withResumeMark(const QString &marks, const QString &resumeMark)
{
    const qsizetype bookmarks = marks.indexOf(u'|');
    return bookmarks < 0 ? resumeMark : resumeMark + marks.sliced(bookmarks);
}

} // namespace

AlbumEntry AlbumList::entry(Index index) const
{
    return contains(index) ? m_entries[index] : AlbumEntry();
}

void AlbumList::setEntry(Index index, const AlbumEntry &entry)
{
    if (contains(index))
        m_entries[index] = entry;
}

QString AlbumList::albumPathOf(Index index) const
{
    return contains(index) ? m_entries[index].albumPath() : QString();
}

void AlbumList::loadLines(const QString &lines)
{
    clear();
    for (QStringView line : QStringView(lines).split(lineBreak, Qt::SkipEmptyParts)) {
        if (m_entries.size() == capacity)
            m_unlisted.append(line.toString());
        else
            m_entries.append(convertMarkPaths(AlbumEntry::fromText(line), true));
    }
}

void AlbumList::load(const QString &settingsFile, const QString &profile)
{
    loadLines(settings::readSectionLines(settingsFile, settings::keys::albumListSection(profile)));
}

AlbumList::Index AlbumList::append(const AlbumEntry &entry)
{
    if (m_entries.size() == capacity)
        return none;
    m_entries.append(entry);
    return Index(m_entries.size() - 1);
}

void AlbumList::moveToTop(Index index)
{
    if (index > 0 && contains(index))
        m_entries.move(index, 0);
}

void AlbumList::removeAt(Index index)
{
    if (contains(index))
        m_entries.removeAt(index);
}

void AlbumList::captureAlbumState(const PlayerComponent &player, const QDateTime &now)
{
    if (m_entries.isEmpty())
        return;
    AlbumEntry &active = m_entries.first();
    const qint32 seconds = wholeSeconds(player.currentPosition());
    const QString resumeMark = markText({player.url(), QString::number(seconds), {}});
    active.marks = withResumeMark(active.marks, resumeMark);
    active.access = formatAccessStamp(now);
    active.setSpeed(player.rate());
    AlbumListening listening = listeningOf(active);
    listening.volume = player.volume();
    listening.levelsVoice = player.voiceLevelling();
    storeListening(active, listening);
}

void AlbumList::saveActiveAlbum(const QString &settingsFile, const QString &profile) const
{
    if (m_entries.isEmpty() || m_entries.first().path.isEmpty())
        return;
    const AlbumEntry stored = convertMarkPaths(m_entries.first(), false);
    // Two albums whose paths differ only in case are two lines of their own.
    settings::writeSetting(settingsFile, settings::keys::albumListSection(profile),
                           withoutLineBreaks(stored.path), withoutLineBreaks(stored.valueText()),
                           platform::pathCaseSensitivity());
}

void AlbumList::saveAlbumList(const QString &settingsFile, const QString &profile) const
{
    QStringList lines;
    for (const AlbumEntry &entry : m_entries)
        lines.append(withoutLineBreaks(convertMarkPaths(entry, false).toText()));
    lines.append(m_unlisted);
    settings::writeSectionLines(settingsFile, settings::keys::albumListSection(profile),
                                lines.join(lineBreak));
}

} // namespace album
