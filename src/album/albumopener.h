#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The rules of opening an album from what the user points at. Paths are internal.
namespace album {

// The caption of File > Open; the Open dialog's title is made from it.
inline constexpr QStringView fileOpenCaption = u"&Open Album...";
// The Open dialog's choices: every accepted audio format, MP3 files, playlists, or a folder (the
// pattern ".").
QString openFilter();
// The stored "FilterIndex" keeps the meaning its first three choices always had (1 MP3, 2
// playlist, 3 folder), so that earlier versions read it the same; the new first choice is
// stored as 4. Between that and the dialog's index, both ways; other values pass unchanged.
int shownFilterIndex(int storedIndex);
int storedFilterIndex(int shownIndex);

// A menu caption as a dialog title: every "&" and every "..." removed.
QString dialogTitleFromCaption(QStringView caption);

// True when the path ends in ".wpl", without regard to case.
bool hasPlaylistExtension(QStringView path);
// True when the path names an existing folder; any error gives false.
bool isFolder(const QString &path);

// False when the path holds the undecipherable character (a name not valid in the system's
// encoding, or with a "\" inside) or a character that the ANSI code page cannot hold (the
// settings file would keep "?" for it).
bool isDecipherablePath(QStringView path);
// The refusal of such a path, shown in native form.
QString undecipherableMessage(const QString &path);

// The playlist a folder stands for: its first ".wpl" file in name order (without regard to
// case, plain visible files only), else folder + "\index.wpl", which may not exist yet.
QString folderPlaylist(const QString &folder);

// The playlist's title element as the file holds it (undecoded bytes); empty when the file is
// missing, oversized or has none.
QByteArray playlistTitleBytes(const QString &playlist);

// The Open dialog's first folder: for a playlist album the folder holding the album's folder,
// for a single-file album the file's folder; with no album the music folder; when that folder
// does not exist, the fallback folder.
QString initialOpenFolder(const QString &activeAlbumPath, const QString &musicFolder,
                          const QString &fallbackFolder);

} // namespace album
