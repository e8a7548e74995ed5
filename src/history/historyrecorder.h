#pragma once

#include "history/historyfile.h"
#include "history/listeningsession.h"

#include <functional>
#include <optional>

namespace history {

// Turns what the player does into listening sessions, appended to the history file as each one
// ends: a session begins when playback starts and ends at a pause, a stop, a record's end, a
// switch of album and the program's exit. One of under two seconds of listening is not kept.
class HistoryRecorder {
public:
    using Clock = std::function<qint64()>;
    static constexpr qint64 shortestKeptMs = 2000;

    explicit HistoryRecorder(HistoryFile file = HistoryFile());

    // The file of the profile listening now; a session still open goes to the file set when it
    // ends, so a profile switch stops first.
    void setFile(HistoryFile file) { m_file = std::move(file); }
    const HistoryFile &file() const { return m_file; }
    // The wall clock (milliseconds since the epoch) and a steady one (milliseconds); tests give
    // their own.
    void setClocks(Clock wall, Clock steady);

    // Playback of the album's record starts at position (seconds). A session of another record
    // or album still open ends first, where progressed() last put it; a start of the record
    // already playing changes nothing.
    void started(const QString &album, const QString &record, double position);
    // Where the record plays now (each tick): where its session ends when the next record starts
    // without a stop in between.
    void progressed(double position);
    // Playback stops at position: the open session ends and, when long enough, is appended and
    // put on the disk. Nothing when no session is open.
    void stopped(double position);

    bool isRecording() const { return m_open.has_value(); }

private:
    struct OpenSession {
        ListeningSession session;
        qint64 steadyStart = 0;
    };
    // Appends the open session ended at position; true when a line was written.
    bool finish(double position);

    HistoryFile m_file;
    Clock m_wall;
    Clock m_steady;
    std::optional<OpenSession> m_open;
};

} // namespace history
