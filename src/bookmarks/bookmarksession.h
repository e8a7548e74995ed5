#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <limits>

class DialogKit;
class PlayerSession;

// The active album's bookmarks: the list in album order (by record, then by second), the place
// the last jump left, and the Bookmark menu's commands. The list always has slot 0, empty when
// there is no bookmark. Every change is written into the album's Marks field at once: the
// resume mark first, then the bookmarks, joined with "|". Runs on the UI thread.
class BookmarkSession : public QObject {
    Q_OBJECT
public:
    using Index = qint16;
    static constexpr int capacity = std::numeric_limits<Index>::max();

    // The player session and the dialog component are required and outlive the session.
    struct Collaborators {
        PlayerSession *playerSession = nullptr;
        DialogKit *dialogKit = nullptr;
        // The active album's Marks field; storing it saves the album unless save is false.
        std::function<QString()> marks;
        std::function<void(const QString &marks, bool save)> storeMarks;
    };

    explicit BookmarkSession(Collaborators with, QObject *parent = nullptr);

    // An album's activation: its bookmarks (the Marks items after the resume mark, empty ones
    // left out; the menus list at most capacity, the rest stay in the field) and no place to
    // return to; the field is rewritten in memory only.
    void load(const QStringList &bookmarks);

    // Marks items "path/seconds/title" (album::Mark) in list order; only slot 0, empty, when
    // there is none.
    const QStringList &entries() const { return m_slots; }
    bool hasBookmarks() const { return !m_slots.first().isEmpty(); }
    // "path/seconds/": where the listener was before the last jump; empty after it was used.
    const QString &lastUnmarked() const { return m_lastUnmarked; }
    // A bookmark needs a loaded file.
    bool canDefine() const;

    // Asks for a title (the file and time offered), puts the mark in its place (one at the same
    // record and second is replaced) and jumps to it. Nothing on an empty answer.
    void defineCommand();
    // Remembers where the listener is, then plays bookmark index from its second.
    void jumpCommand(int index);
    // Goes back to where the last jump started, once.
    void lastUnmarkedCommand();
    // Asks for a new title; an empty or unchanged answer changes nothing.
    void renameCommand(int index);
    // No question asked; the only bookmark leaves slot 0 empty.
    void deleteCommand(int index);
    // Every bookmark, after a Yes to the question (No is the default).
    void clearAllCommand();

signals:
    // The list changed: its mirrors show it anew.
    void bookmarksChanged();
    // The player was sent to a bookmark (its title as shown) or, with no title, back to where
    // the last jump started.
    void jumped(const QString &title, double seconds);

private:
    // RebuildBookmarks: slots from keep on dropped (slot 0 stays; negative keeps all), entries
    // padded, the Marks field written and, unless save is false, saved.
    void rebuild(int keep, bool save);
    QString resumeMark() const;
    // Where the player stands as "path/seconds/"; empty with no file.
    QString currentPlace() const;
    // The title of the chapter playing; empty outside chapters.
    QString playingChapterTitle() const;
    // The slot a new mark of that record and second goes to: an existing one to replace, or one
    // made for it; -1 when the list is full.
    int targetSlot(const QString &path, qint64 seconds);
    void jumpTo(const QString &entry);
    QString askTitle(const QString &defaultText);
    bool isBookmark(int index) const;

    Collaborators m_with;
    QStringList m_slots{QString()};
    // Bookmarks past what the menus can list: not shown, but kept in the field as they came.
    QStringList m_beyondCapacity;
    QString m_lastUnmarked;
};
