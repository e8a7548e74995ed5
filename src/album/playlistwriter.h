#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace album {

// The patterns of the audio files an album takes as records, ";"-separated: MP3 and the
// container formats of today's audiobooks.
inline constexpr QStringView acceptedFormats =
    u"*.mp3;*.m4b;*.m4a;*.mp4;*.aac;*.opus;*.ogg;*.oga;*.flac;*.wma;*.wav;*.mka;*.webm";

// True when "." + the name's extension + ";" occurs in the accepted formats followed by ";"
// (without regard to case). A name without "." has no extension and is not accepted.
bool isAcceptedAudioFile(QStringView fileName);

// The audio files an album folder stands for, as paths relative to it in native form: its own
// accepted files in name order; when it has none, those of its sub-folders one level deep
// ("CD1/01.mp3"), the sub-folders in natural order ("CD2" before "CD10"). Hidden files and
// folders are left out.
QStringList albumFolderFiles(const QString &folder);

enum class PlaylistWriteResult {
    Written,
    NoAcceptedFile, // nothing written: the folder holds no audio file; noAcceptedFileMessage()
    NoListableFile, // nothing written: every audio file's name is one a playlist cannot hold
    NotWritten,     // the file or its folder could not be written
};

struct PlaylistWrite {
    PlaylistWriteResult result = PlaylistWriteResult::NotWritten;
    // Audio files left out because the playlist could not name them (native, relative).
    QStringList unlisted;
};

// Writes the playlist at playlistPath (an existing one is replaced without asking) for the audio
// files of its folder (albumFolderFiles): one media line per file, titled from the file's tag,
// the whole text in the ANSI code page. 8-bit tag titles are decoded in titleCodePage first, so
// that the file holds one encoding. A name the playlist cannot carry and read back (a "\", a
// character the ANSI code page cannot hold, both kinds of quote, markup that ends the list) is
// left out and reported.
PlaylistWrite writePlaylistFromFolder(const QString &playlistPath, int titleCodePage);

// The information text for a playlist folder without accepted files, its path in native form.
QString noAcceptedFileMessage(const QString &playlistPath);
// The text naming the files a playlist of the folder could not list; the playlist was written
// without them unless none could be listed.
QString unlistedFilesMessage(const QString &playlistPath, const QStringList &unlisted);
// The text for a playlist that could not be written.
QString notWrittenMessage(const QString &playlistPath);

} // namespace album
