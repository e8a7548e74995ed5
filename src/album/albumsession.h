#pragma once

#include "album/albumlist.h"
#include "album/albumlistening.h"
#include "album/albumquestions.h"
#include "album/recordloader.h"
#include "player/recordlist.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class DialogKit;
class PlayerComponent;
class PlayerSession;
namespace text {
class TitleEncodingChooser;
struct TitleEncoding;
} // namespace text

namespace album {

// Which File menu commands can run, settled each time the File menu opens.
struct FileMenuAvailability {
    bool rename = false;
    bool recreatePlaylist = false;
    bool textEditor = false;
    bool removeNonFound = false;
};

// The active profile's albums at work: opening, activating, the File menu commands and the
// encoding of record titles. Plain logic over the album list, the record list and the player
// session; the window mirrors what it announces.
class AlbumSession : public QObject {
    Q_OBJECT
public:
    // All three objects are required and outlive the session.
    struct Collaborators {
        DialogKit *dialogKit = nullptr;
        text::TitleEncodingChooser *encodingChooser = nullptr;
        PlayerSession *playerSession = nullptr;
        QString settingsFile; // internal path
    };

    explicit AlbumSession(const Collaborators &collaborators, QObject *parent = nullptr);

    AlbumList &albums() { return m_albums; }
    const AlbumList &albums() const { return m_albums; }
    const QString &profile() const { return m_profile; }
    // True while album 0 is the active album (its File menu item carries the check mark).
    bool isAlbumActive() const { return m_albumActive; }
    // Where File > Open in Text Editor finds its program (an internal path, empty for none),
    // asked each time the command is offered or run.
    void setTextEditor(std::function<QString()> program) { m_textEditor = std::move(program); }

    // Loads the profile's album list, opens the command-line path when given, and activates
    // the album it gave or the first whose playlist exists, without starting playback. The
    // album active until then is saved first; when the profile activates none, the player is
    // emptied.
    void loadProfile(const QString &profile, const QString &commandLinePath);

    // OpenAlbum: the album's index (an existing entry of the same path, compared as the file
    // system compares names, or a new one at the end), -1 when the path was refused or names a
    // folder for which no playlist could be made.
    AlbumList::Index openAlbum(const QString &path);
    // File > Open: the dialog, then open and activate; remembers the filter index of a
    // confirmed dialog in the profile's section.
    void fileOpenCommand();
    // Activation of album index: it moves to the top, its records are listed and the player
    // stands at its resume mark. Nothing when it is already active or out of range.
    void activate(AlbumList::Index index);
    // LoadPlaylistRecords: replaces the record list with the playlist's records, titles decoded
    // in the code page.
    PlaylistRecords loadPlaylistRecords(const QString &playlist, int codePage);
    // View > Encoding: re-reads the record titles in the code page and saves the entry; the
    // code page already in use does nothing.
    void changeEncoding(int codePage);

    FileMenuAvailability fileMenuAvailability() const;
    void renameCommand();
    void recreatePlaylistCommand();
    void textEditorCommand();
    void removeNonFoundCommand();
    void removeFromListCommand(AlbumList::Index index);

    // Shut-down and the periodic save: CaptureAlbumState, then SaveActiveAlbum. Nothing while
    // no album is active or the player's file is none of its playable records, since the
    // player's state then is not the album's.
    void captureAndSave();

    // The bookmarks' share of the active album: its Marks field, and a new one stored and, unless
    // save is false, saved. Empty and nothing while no album is active.
    QString activeMarks() const;
    void storeActiveMarks(const QString &marks, bool save);
    // The active album's listening settings; the defaults while none is active.
    AlbumListening activeListening() const;
    // Sets the seconds the active album skips at each record's start and end, and saves.
    void setSkippedEnds(int introSeconds, int outroSeconds);
    // Entries that another computer's places changed, stored and saved. The active album shows
    // its bookmarks anew and, with activePlaceTaken, stands at its new resume mark with its
    // speed and volume; the caller has made sure that it is not playing.
    void takeSharedEntries(const QList<std::pair<AlbumList::Index, AlbumEntry>> &changed,
                           bool activePlaceTaken);

signals:
    // Album 0 is about to be activated and may still change: its entry is read after this.
    void activating();
    // The active album's place or bookmarks were saved.
    void activeAlbumSaved();
    // The album list or an entry of it changed: the File menu mirror refreshes.
    void albumsChanged();
    // The album's code page, for the check mark of View > Encoding.
    void encodingSelected(int codePage);
    void windowCaptionChanged(const QString &caption);
    // The active album's bookmarks (the Marks items after the resume mark).
    void bookmarksLoaded(const QStringList &bookmarks);
    void recordMenuEnabled(bool enabled);
    void bookmarkMenuEnabled(bool enabled);
    // The only album was removed: no record, no player file, an empty display.
    void sessionCleared();

private:
    PlayerComponent &player() const;
    RecordList &records() const;
    void saveAlbumList() const;
    void setRecords(const LoadedRecords &loaded);
    PlaylistRecords listActiveRecords(const QString &path, int codePage);
    void resume(const QString &marks, qint16 firstPlayable);
    // At the resume mark's file and second; false, and nothing done, when that file is missing.
    bool resumeAtMark(const QString &marks);
    void applyListening(const AlbumEntry &entry);
    void clearSession();
    void emptyPlayer();
    // CaptureAlbumState under captureAndSave's conditions; true when it captured.
    bool captureActiveAlbum();
    bool playerHoldsActiveRecord() const;

    AlbumList m_albums;
    Collaborators m_with;
    AlbumQuestions m_questions;
    QString m_profile;
    std::function<QString()> m_textEditor;
    bool m_profileLoading = false;
    bool m_albumActive = false;
};

} // namespace album
