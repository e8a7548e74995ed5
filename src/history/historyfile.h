#pragma once

#include "history/listeningsession.h"

#include <QList>
#include <QString>

namespace history {

// A profile's listening history on disk (historyformat.h). Written one whole line at a time and
// never rewritten, so that a kill at any moment costs at most the line being written; reads
// take no more than the end of a large file, and a file that is no regular file of this user,
// or a link, reads as empty and is never written.
class HistoryFile {
public:
    // How much of the file's end is read.
    static constexpr qint64 defaultReadWindow = 16 * 1024 * 1024;

    HistoryFile() = default;
    // The path is internal.
    explicit HistoryFile(const QString &internalPath, qint64 readWindow = defaultReadWindow)
        : m_path(internalPath), m_readWindow(readWindow)
    {
    }

    const QString &path() const { return m_path; }

    // The sessions of the file's whole lines, newest first, each once.
    QList<ListeningSession> read() const;
    // Appends the session's line, the file made (owner-only) when missing. False when nothing
    // could be written: no path, a session out of range, or a file that is not this format's.
    bool append(const ListeningSession &session) const;
    // Puts the appended lines on the disk; false when the file is missing or that failed.
    bool sync() const;

private:
    QString m_path;
    qint64 m_readWindow = defaultReadWindow;
};

} // namespace history
