#include "doubles/fakeplayer.h"

void FakePlayer::setDuration(const QString &path, double seconds)
{
    m_durations.insert(path, seconds);
}

void FakePlayer::setUnloadable(const QString &path)
{
    m_unloadable.insert(path);
}

void FakePlayer::advance(double seconds)
{
    if (!m_running)
        return;
    m_position += seconds * rate();
    if (m_duration > 0 && m_position >= m_duration)
        reachEnd();
}

void FakePlayer::reachEnd()
{
    if (!m_running)
        return;
    // Like the real player, which pauses on the file's last moment and keeps it loaded.
    m_position = m_duration;
    m_atEnd = true;
    m_running = false;
    mediaReachedEnd();
}

void FakePlayer::loadMedia(const QString &path, quint64 ticket)
{
    unloadMedia();
    const bool loadable = !m_unloadable.contains(path);
    if (loadable)
        m_duration = m_durations.value(path, 0.0);
    loadFinished(ticket, loadable);
}

void FakePlayer::unloadMedia()
{
    m_position = 0;
    m_duration = 0;
    m_running = false;
    m_atEnd = false;
}

void FakePlayer::seekMedia(double seconds)
{
    m_position = seconds;
    m_atEnd = false;
    if (m_duration <= 0 || seconds < m_duration)
        return;
    if (m_running)
        reachEnd();
    else
        m_atEnd = true;
}
