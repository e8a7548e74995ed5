#include "player/playerbase.h"

#include <QMetaObject>

#include <algorithm>
#include <cmath>

void PlayerBase::setUrl(const QString &path)
{
    if (path.isEmpty()) {
        close();
        return;
    }
    ++m_generation;
    ++m_commands;
    m_url = path;
    m_loaded = false;
    m_state = PlayState::Transitioning;
    emit playStateChange(int(PlayState::Transitioning));
    m_loaded = loadMedia(path);
    m_state = PlayState::Ready;
    emit mediaChange(path);
    emit playStateChange(int(PlayState::Ready));
}

void PlayerBase::play()
{
    if (!m_loaded || m_state == PlayState::Playing)
        return;
    ++m_commands;
    bool atEnd = mediaAtEnd();
    // Asked to play again while its end is being handled: start the file over rather than end
    // it once more.
    if (atEnd && m_state == PlayState::MediaEnded) {
        seekMedia(0);
        atEnd = false;
    }
    resumeMedia();
    m_state = PlayState::Playing;
    raiseQueued(PlayState::Playing);
    if (atEnd)
        mediaReachedEnd();
}

void PlayerBase::pause()
{
    if (m_state != PlayState::Playing)
        return;
    ++m_commands;
    holdMedia();
    m_state = PlayState::Paused;
    raiseQueued(PlayState::Paused);
}

void PlayerBase::close()
{
    if (m_url.isEmpty())
        return;
    ++m_generation;
    ++m_commands;
    unloadMedia();
    m_url.clear();
    m_loaded = false;
    m_state = PlayState::Stopped;
    raiseQueued(PlayState::Stopped);
}

double PlayerBase::currentPosition() const
{
    return m_loaded ? mediaPosition() : 0.0;
}

void PlayerBase::setCurrentPosition(double seconds)
{
    if (!m_loaded)
        return;
    const double old = currentPosition();
    const double target = clampedPosition(seconds);
    seekMedia(target);
    emit positionChange(old, target);
}

double PlayerBase::currentItemDuration() const
{
    return m_loaded ? mediaDuration() : 0.0;
}

void PlayerBase::setEnabled(bool enabled)
{
    m_enabled = enabled;
    emit controlsChanged();
}

void PlayerBase::setVolume(int volume)
{
    m_volume = std::clamp(volume, 0, 100);
    applyVolume(m_volume);
    emit controlsChanged();
}

void PlayerBase::setMuted(bool muted)
{
    m_muted = muted;
    applyMute(muted);
    emit controlsChanged();
}

void PlayerBase::stopFromControls()
{
    if (!m_loaded || m_state == PlayState::Stopped)
        return;
    ++m_commands;
    holdMedia();
    seekMedia(0);
    m_state = PlayState::Stopped;
    raiseQueued(PlayState::Stopped);
}

void PlayerBase::seekFromControls(double seconds)
{
    if (!m_loaded)
        return;
    const double old = currentPosition();
    const double target = clampedPosition(seconds);
    seekMedia(target);
    QMetaObject::invokeMethod(
        this, [this, old, target] { emit positionChange(old, target); }, Qt::QueuedConnection);
}

void PlayerBase::mouseDownOnControls(int button, int shift, int x, int y)
{
    emit mouseDown(button, shift, x, y);
}

void PlayerBase::mediaReachedEnd()
{
    QMetaObject::invokeMethod(
        this, [this, generation = m_generation] { finishMedia(generation); }, Qt::QueuedConnection);
}

void PlayerBase::raiseQueued(PlayState state)
{
    QMetaObject::invokeMethod(
        this, [this, state] { emit playStateChange(int(state)); }, Qt::QueuedConnection);
}

// Media ended, then Stopped at position 0 with the file kept, unless the handler of Media ended
// gave a command of its own (typically: the next file and play).
void PlayerBase::finishMedia(quint64 generation)
{
    if (generation != m_generation || m_state != PlayState::Playing || !mediaAtEnd())
        return;
    m_state = PlayState::MediaEnded;
    const quint64 commands = m_commands;
    emit playStateChange(int(PlayState::MediaEnded));
    if (m_commands != commands)
        return;
    holdMedia();
    seekMedia(0);
    m_state = PlayState::Stopped;
    emit playStateChange(int(PlayState::Stopped));
}

double PlayerBase::clampedPosition(double seconds) const
{
    if (!std::isfinite(seconds) || seconds < 0)
        return 0.0;
    const double duration = mediaDuration();
    return duration > 0 && seconds > duration ? duration : seconds;
}
