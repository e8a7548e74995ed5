#pragma once

#include <QString>
#include <QStringView>

namespace album {

// The patterns of the audio files an album folder's playlist takes, ";"-separated.
inline constexpr QStringView acceptedFormats = u"*.mp3";

// True when "." + the name's extension + ";" occurs in the accepted formats followed by ";"
// (without regard to case). A name without "." has no extension and is not accepted.
bool isAcceptedAudioFile(QStringView fileName);

enum class PlaylistWriteResult {
    Written,
    NoAcceptedFile, // nothing written; noAcceptedFileMessage() says so
    NotWritten,     // the file or its folder could not be written
};

// Writes the playlist at playlistPath (an existing one is replaced without asking) for the
// accepted files of its folder: one media line per file in name order, titled from the file's
// tag, in the ANSI code page. Names that a playlist cannot carry and read back ('"', "\", a
// character the ANSI code page cannot hold, ...) are left out.
PlaylistWriteResult writePlaylistFromFolder(const QString &playlistPath);

// The information text for a playlist folder without accepted files, its path in native form.
QString noAcceptedFileMessage(const QString &playlistPath);

} // namespace album
