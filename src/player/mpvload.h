#pragma once

#include <QtGlobal>

#include <optional>

// A load through libmpv as one state. loadfile is sent with a ticket; libmpv answers with the
// playlist entry it made, and that entry starts, loads or ends; the answer and the events may
// come in any order. Plain logic, so that every order can be tried without libmpv.
class MpvLoad {
public:
    enum class Stage {
        // No file and no load.
        Empty,
        // loadfile was sent; its answer is not in.
        Sent,
        // loadfile answered with an entry; it has not loaded or ended yet.
        Answered,
        // The entry is the player's file.
        Loaded,
    };
    struct Outcome {
        quint64 ticket = 0;
        bool loaded = false;
    };

    Stage stage() const { return m_stage; }
    // A file loaded, or a load under way: libmpv holds something that a stop must end.
    bool isBusy() const { return m_stage != Stage::Empty; }
    bool hasFile() const { return m_stage == Stage::Loaded; }
    // libmpv gave the loaded file up on its own (a read error in mid-play).
    bool fileEnded() const { return m_fileEnded; }

    void send(quint64 ticket);
    // libmpv's answer to the command of that ticket: the entry it made, or none (0 or less: the
    // load was refused). False when the answer is not the load's.
    bool answer(quint64 ticket, qint64 entry);
    void noteStarted(qint64 entry) { m_started = entry; }
    void noteFileLoaded() { m_loaded = m_started; }
    // True when it was the loaded file's own entry that ended.
    bool noteEnded(qint64 entry);
    // The load's outcome once the answer and the events tell it: loaded once libmpv has loaded
    // the entry, failed when the load was refused or the entry ended first (a missing file, one
    // that is not audio). Then the stage is Loaded or Empty; nullopt while they do not tell yet.
    std::optional<Outcome> settle();
    // Back to Empty. What libmpv said of earlier entries stays: their events may still come.
    void forget();

private:
    Stage m_stage = Stage::Empty;
    quint64 m_ticket = 0;
    // The entry loadfile made: 0 or less when refused or not told.
    qint64 m_entry = 0;
    bool m_fileEnded = false;
    // The entries libmpv last started, loaded and ended.
    qint64 m_started = 0;
    qint64 m_loaded = 0;
    qint64 m_ended = 0;
};
