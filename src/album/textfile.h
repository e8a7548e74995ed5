#pragma once

#include <QByteArray>
#include <QString>

// Whole text files in the system's ANSI code page, as playlists are kept. Paths are internal.
namespace album {

// Larger files read as empty text: no playlist or text file of ours comes near it.
constexpr qsizetype maxTextFileSize = 16 * 1024 * 1024;

struct TextWriteOptions {
    // Leave a file alone whose content already equals the text.
    bool compareFirst = false;
    // Give the rewritten file the access and modification (and, where settable, creation) times
    // it had before.
    bool keepTimes = false;
};

// The whole file decoded from the ANSI code page; empty when the path is no existing file, when
// it cannot be read or when it is larger than maxTextFileSize.
QString readTextFile(const QString &path);

// Writes the text, encoded in the ANSI code page ("?" for what it cannot hold) without one
// trailing line end, through a temporary file and an atomic rename. Missing folders are created;
// an existing file's attributes (read-only included) are kept. False when nothing could be
// written (the file is then as it was) or the path is empty.
bool writeTextFile(const QString &path, const QString &text, TextWriteOptions options = {});
// The same for text already in the ANSI code page (bytes that must reach the file unchanged).
bool writeAnsiTextFile(const QString &path, QByteArray ansiText, TextWriteOptions options = {});

} // namespace album
