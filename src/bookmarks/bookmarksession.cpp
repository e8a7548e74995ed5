#include "bookmarks/bookmarksession.h"

#include "bookmarks/bookmarkentry.h"
#include "player/playersession.h"
#include "player/timeformat.h"
#include "settings/settingsstore.h"
#include "shell/dialogs/dialogkit.h"

#include <algorithm>

namespace {

// The dialog component's input mode around an input box, and its usual value.
constexpr int inputModeForBox = 64;
constexpr int inputModeUsual = 1;

const QString titlePrompt = QStringLiteral("Enter the text:");
const QString titleCaption = QStringLiteral("Bookmark Title");
const QString fullMenusMessage =
    QStringLiteral("The Bookmark menu of this album is full: delete a bookmark to define another.");
const QString clearAllQuestion = QStringLiteral("All bookmarks for the Album will be lost.\r\n"
                                                "Are you sure you wish to continue?");

} // namespace

BookmarkSession::BookmarkSession(Collaborators with, QObject *parent)
    : QObject(parent), m_with(std::move(with))
{
}

void BookmarkSession::load(const QStringList &bookmarks)
{
    m_lastUnmarked.clear();
    m_slots = {QString()};
    m_beyondCapacity.clear();
    for (const QString &entry : bookmarks) {
        if (entry.isEmpty())
            continue;
        if (m_slots.first().isEmpty())
            m_slots.first() = entry;
        else if (m_slots.size() < capacity)
            m_slots.append(entry);
        else
            m_beyondCapacity.append(entry);
    }
    rebuild(-1, false);
}

bool BookmarkSession::canDefine() const
{
    return !m_with.playerSession->player().url().isEmpty();
}

void BookmarkSession::rebuild(int keep, bool save)
{
    if (keep < 0)
        keep = int(m_slots.size());
    const int kept = std::max(keep, 1);
    if (m_slots.size() > kept)
        m_slots.resize(kept);
    if (hasBookmarks()) {
        for (QString &entry : m_slots)
            entry = album::markText(album::parseMark(entry));
    }
    // The last unmarked position stands in for the resume mark until the next capture; without
    // one the resume mark stays, so that a save now never loses the listener's place.
    const QString first = m_lastUnmarked.isEmpty() ? resumeMark() : m_lastUnmarked;
    QString marks = first + u'|' + m_slots.join(u'|');
    if (!m_beyondCapacity.isEmpty())
        marks += u'|' + m_beyondCapacity.join(u'|');
    m_with.storeMarks(marks, save);
    emit bookmarksChanged();
}

QString BookmarkSession::resumeMark() const
{
    const QString marks = m_with.marks();
    return marks.left(marks.indexOf(u'|'));
}

QString BookmarkSession::currentPlace() const
{
    const PlayerComponent &player = m_with.playerSession->player();
    if (player.url().isEmpty())
        return QString();
    return album::markText(
        {player.url(), QString::number(wholeSeconds(player.currentPosition())), {}});
}

QString BookmarkSession::playingChapterTitle() const
{
    const PlayerSession &session = *m_with.playerSession;
    const int chapter = session.playingChapter();
    if (chapter < 0)
        return QString();
    return session.records().at(session.playingRecord()).chapters.at(chapter).title;
}

void BookmarkSession::defineCommand()
{
    const PlayerComponent &player = m_with.playerSession->player();
    const QString path = player.url();
    if (path.isEmpty())
        return;
    const qint32 seconds = wholeSeconds(player.currentPosition());
    album::Mark mark{path, QString::number(seconds), {}};
    const QString answer = askTitle(bookmarks::newMarkTitle(mark, playingChapterTitle()));
    if (answer.isEmpty())
        return;
    const int target = targetSlot(path, seconds);
    if (target < 0) {
        m_with.dialogKit->messageBox(fullMenusMessage, MessageButtons::Ok,
                                     MessageIcon::Information);
        return;
    }
    mark.title = bookmarks::storedTitle(answer);
    m_slots[target] = album::markText(mark);
    rebuild(-1, true);
    jumpCommand(target);
}

// Album order: a file not in the record list counts as record -1 and so comes first.
int BookmarkSession::targetSlot(const QString &path, qint64 seconds)
{
    if (!hasBookmarks())
        return 0;
    const RecordList &records = m_with.playerSession->records();
    const RecordList::Index record = records.findRecordIndex(path);
    const FixedPoint position = FixedPoint::fromInt(seconds);
    int target = int(m_slots.size());
    for (int i = 0; i < m_slots.size(); ++i) {
        const album::Mark mark = album::parseMark(m_slots[i]);
        const RecordList::Index slotRecord = records.findRecordIndex(mark.path);
        const FixedPoint slotPosition = bookmarks::secondsOf(mark);
        if (slotRecord == record && slotPosition == position)
            return i;
        if (record < slotRecord || (record == slotRecord && slotPosition > position)) {
            target = i;
            break;
        }
    }
    if (m_slots.size() >= capacity)
        return -1;
    m_slots.insert(target, QString());
    return target;
}

void BookmarkSession::jumpCommand(int index)
{
    // A mark whose file is gone (or a hand-made one naming none) is no place to play from.
    if (!isBookmark(index) || !settings::fileExists(album::parseMark(m_slots[index]).path))
        return;
    m_lastUnmarked = currentPlace();
    jumpTo(m_slots[index]);
}

void BookmarkSession::lastUnmarkedCommand()
{
    if (m_lastUnmarked.isEmpty())
        return;
    const QString place = m_lastUnmarked;
    m_lastUnmarked.clear();
    jumpTo(place);
}

void BookmarkSession::jumpTo(const QString &entry)
{
    const album::Mark mark = album::parseMark(entry);
    const double seconds = bookmarks::secondsOf(mark).toDouble();
    m_with.playerSession->jumpToMark(mark.path, seconds);
    emit jumped(bookmarks::shownTitle(mark), seconds);
}

void BookmarkSession::renameCommand(int index)
{
    if (!isBookmark(index))
        return;
    album::Mark mark = album::parseMark(m_slots[index]);
    const QString current = bookmarks::shownTitle(mark);
    const QString answer = askTitle(current);
    if (answer.isEmpty() || answer == current)
        return;
    mark.title = bookmarks::storedTitle(answer);
    m_slots[index] = album::markText(mark);
    rebuild(-1, true);
}

void BookmarkSession::deleteCommand(int index)
{
    if (!isBookmark(index))
        return;
    const int count = int(m_slots.size());
    if (count == 1)
        m_slots.first().clear();
    else
        m_slots.removeAt(index);
    rebuild(count - 1, true);
}

void BookmarkSession::clearAllCommand()
{
    const MessageResult answer = m_with.dialogKit->messageBox(
        clearAllQuestion, MessageButtons::YesNo, MessageIcon::Question, DefaultButton::Second);
    if (answer != MessageResult::Yes)
        return;
    m_slots = {QString()};
    m_beyondCapacity.clear();
    rebuild(0, true);
}

QString BookmarkSession::askTitle(const QString &defaultText)
{
    DialogKit &dialogs = *m_with.dialogKit;
    dialogs.setInputMode(inputModeForBox);
    const QString answer = dialogs.inputBox(titlePrompt, titleCaption, defaultText);
    dialogs.setInputMode(inputModeUsual);
    return answer;
}

bool BookmarkSession::isBookmark(int index) const
{
    return index >= 0 && index < m_slots.size() && !m_slots[index].isEmpty();
}
