#include "player/mpvload.h"

#include <utility>

void MpvLoad::send(quint64 ticket)
{
    m_stage = Stage::Sent;
    m_ticket = ticket;
    m_entry = 0;
    m_fileEnded = false;
}

bool MpvLoad::answer(quint64 ticket, qint64 entry)
{
    if (m_stage != Stage::Sent || ticket != m_ticket)
        return false;
    // An answer without an entry (0 or less) could never be told loaded: settle fails it.
    m_entry = entry;
    m_stage = Stage::Answered;
    return true;
}

bool MpvLoad::noteEnded(qint64 entry)
{
    m_ended = entry;
    if (m_stage != Stage::Loaded || entry != m_entry)
        return false;
    m_fileEnded = true;
    return true;
}

std::optional<MpvLoad::Outcome> MpvLoad::settle()
{
    if (m_stage != Stage::Answered)
        return std::nullopt;
    const bool loaded = m_entry > 0 && m_loaded == m_entry;
    if (!loaded && m_entry > 0 && m_ended != m_entry)
        return std::nullopt;
    m_stage = loaded ? Stage::Loaded : Stage::Empty;
    m_fileEnded = loaded && m_ended == m_entry;
    return Outcome{std::exchange(m_ticket, 0), loaded};
}

void MpvLoad::forget()
{
    m_stage = Stage::Empty;
    m_ticket = 0;
    m_entry = 0;
    m_fileEnded = false;
}
