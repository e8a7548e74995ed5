#pragma once

#include <QString>

class DialogKit;
namespace text {
class TitleEncodingChooser;
struct TitleEncoding;
} // namespace text

namespace album {

// What opening an album and the File menu's commands ask the listener, or tell them: a new
// album's title (read in a code page, or typed), yes-or-no questions, File > Open's dialog, and
// why a folder's playlist was written without some files or not at all.
class AlbumQuestions {
public:
    // Both outlive the questions.
    AlbumQuestions(DialogKit &dialogs, text::TitleEncodingChooser &encodingChooser)
        : m_dialogs(dialogs), m_encodingChooser(encodingChooser)
    {
    }

    // The title of a new album, as character references, and its code page. Asked only when it
    // holds bytes that read differently in other code pages: an ASCII one reads the same in all.
    // A playlist's records are shown in the title code page whatever its title's was; a single
    // file's title comes from its tag.
    text::TitleEncoding settleTitle(const QString &albumPath);
    // The "Playlist Title" input box; empty when cancelled.
    QString askTitleText(const QString &prompt, const QString &defaultText);
    bool confirm(const QString &question);
    // The "Undecipherable file name" message for a path that opening refused.
    void tellUndecipherable(const QString &path);
    // Writes the folder's playlist and says why when a file could not go in or nothing could;
    // true when it was written.
    bool writePlaylist(const QString &playlist, int titleCodePage);
    // File > Open's dialog on the album's folder (or the music folder), with the filter chosen
    // last time; the chosen path, empty when cancelled. filterIndex, as stored, goes in and comes
    // back.
    QString askAlbumToOpen(const QString &activeAlbumPath, int &filterIndex);

private:
    text::TitleEncoding askAlbumTitle(const QByteArray &title);

    DialogKit &m_dialogs;
    text::TitleEncodingChooser &m_encodingChooser;
};

} // namespace album
