#pragma once

#include "album/albumlist.h"
#include "player/recordlist.h"

#include <QObject>
#include <QString>
#include <QStringList>

class DialogKit;
class PlayerSession;
namespace text {
class TitleEncodingChooser;
}

namespace album {

// What reading a playlist into the record list found.
struct PlaylistRecords {
    qint16 count = 0;
    qint16 firstPlayable = -1;
    qint32 totalSeconds = 0;
};

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
    // The text editor for File > Open in Text Editor (empty: none configured).
    void setTextEditor(const QString &program) { m_textEditor = program; }

    // Loads the profile's album list, opens the command-line path when given, and activates
    // the album it gave or the first whose playlist exists, without starting playback.
    void loadProfile(const QString &profile, const QString &commandLinePath);

    // OpenAlbum: the album's index, -1 when the path was refused.
    AlbumList::Index openAlbum(const QString &path);
    // File > Open: the dialog, then open and activate; remembers the filter index.
    void fileOpenCommand();
    // Activation of album index.
    void activate(AlbumList::Index index);
    // LoadPlaylistRecords: the playlist's records, titles decoded in the code page.
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

    // Shut-down and the periodic save: CaptureAlbumState, then SaveActiveAlbum.
    void captureAndSave();

signals:
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
    AlbumList m_albums;
    Collaborators m_with;
    QString m_profile;
    QString m_textEditor;
    bool m_profileLoading = false;
};

} // namespace album
