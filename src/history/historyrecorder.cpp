#include "history/historyrecorder.h"

#include "platform/steadyclock.h"

#include <QDateTime>

namespace history {

HistoryRecorder::HistoryRecorder(HistoryFile file)
    : m_file(std::move(file)), m_wall(&QDateTime::currentMSecsSinceEpoch),
      m_steady(platform::steadyMilliseconds)
{
}

void HistoryRecorder::setClocks(Clock wall, Clock steady)
{
    m_wall = std::move(wall);
    m_steady = std::move(steady);
}

void HistoryRecorder::started(const QString &album, const QString &record, double position)
{
    if (m_open && m_open->session.album == album && m_open->session.record == record)
        return;
    if (m_open)
        finish(m_open->session.toSeconds);
    m_open = OpenSession{{album, record, position, position, m_wall(), 0}, m_steady()};
}

void HistoryRecorder::progressed(double position)
{
    if (m_open)
        m_open->session.toSeconds = position;
}

void HistoryRecorder::stopped(double position)
{
    if (m_open && finish(position))
        m_file.sync();
}

bool HistoryRecorder::finish(double position)
{
    ListeningSession session = std::move(m_open->session);
    session.toSeconds = position;
    session.lengthMs = m_steady() - m_open->steadyStart;
    m_open.reset();
    return session.lengthMs >= shortestKeptMs && m_file.append(session);
}

} // namespace history
