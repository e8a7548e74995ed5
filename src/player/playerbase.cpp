#include "player/playerbase.h"

#include "player/playbackspeed.h"

#include <QMetaObject>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A position that can be written before the file's length is known.
double positionFromStart(double seconds)
{
    return std::isfinite(seconds) && seconds > 0 ? seconds : 0.0;
}

} // namespace

void PlayerBase::setUrl(const QString &path)
{
    if (path.isEmpty()) {
        close();
        return;
    }
    const quint64 ticket = ++m_generation;
    ++m_commands;
    m_url = path;
    m_loaded = false;
    m_loading = true;
    m_playWanted = false;
    m_pendingPositions.clear();
    m_state = PlayState::Transitioning;
    emit playStateChange(int(PlayState::Transitioning));
    if (ticket == m_generation)
        loadMedia(path, ticket);
}

void PlayerBase::loadFinished(quint64 ticket, bool loaded)
{
    QMetaObject::invokeMethod(
        this,
        [this, ticket, loaded] {
            if (ticket != m_generation || !m_loading)
                return;
            m_loading = false;
            if (loaded)
                completeLoad(ticket);
            else
                failLoad();
        },
        Qt::QueuedConnection);
}

// The load's events in the order of the calls made while it ran; a handler that loads another
// file or closes ends this one's events.
void PlayerBase::completeLoad(quint64 ticket)
{
    m_loaded = true;
    QList<std::pair<double, double>> moves;
    double position = 0;
    for (const double written : std::exchange(m_pendingPositions, {})) {
        const double target = clampedPosition(written);
        moves.append({position, target});
        position = target;
    }
    if (!moves.isEmpty())
        seekMedia(position);
    m_state = PlayState::Ready;
    emit mediaChange(m_url);
    if (ticket != m_generation)
        return;
    emit playStateChange(int(PlayState::Ready));
    for (const auto &[from, to] : moves) {
        if (ticket != m_generation)
            return;
        emit positionChange(from, to);
    }
    if (ticket != m_generation || !std::exchange(m_playWanted, false) ||
        m_state != PlayState::Ready)
        return;
    const bool atEnd = startPlaying();
    emit playStateChange(int(PlayState::Playing));
    if (atEnd)
        mediaReachedEnd();
}

void PlayerBase::failLoad()
{
    m_playWanted = false;
    m_pendingPositions.clear();
    m_state = PlayState::Stopped;
    const quint64 commands = m_commands;
    emit mediaError(m_url);
    if (m_commands == commands)
        emit playStateChange(int(PlayState::Stopped));
}

void PlayerBase::play()
{
    if (m_loading) {
        ++m_commands;
        m_playWanted = true;
        return;
    }
    if (!m_loaded || m_state == PlayState::Playing)
        return;
    ++m_commands;
    const bool atEnd = startPlaying();
    raiseQueued(PlayState::Playing);
    if (atEnd)
        mediaReachedEnd();
}

bool PlayerBase::startPlaying()
{
    bool atEnd = mediaAtEnd();
    // Asked to play again while its end is being handled: start the file over rather than end
    // it once more.
    if (atEnd && m_state == PlayState::MediaEnded) {
        seekMedia(0);
        atEnd = false;
    }
    resumeMedia();
    m_state = PlayState::Playing;
    return atEnd;
}

void PlayerBase::pause()
{
    if (m_loading) {
        ++m_commands;
        m_playWanted = false;
        return;
    }
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
    m_loading = false;
    m_playWanted = false;
    m_pendingPositions.clear();
    m_state = PlayState::Stopped;
    raiseQueued(PlayState::Stopped);
}

double PlayerBase::currentPosition() const
{
    if (m_loading)
        return m_pendingPositions.isEmpty() ? 0.0 : positionFromStart(m_pendingPositions.last());
    return m_loaded ? mediaPosition() : 0.0;
}

void PlayerBase::setCurrentPosition(double seconds)
{
    if (m_loading) {
        m_pendingPositions.append(seconds);
        return;
    }
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
    m_volume = std::clamp(volume, 0, maxVolume);
    applyVolume(m_volume * m_fade);
    emit controlsChanged();
}

void PlayerBase::setRate(double rate)
{
    const double clamped = clampedSpeed(rate);
    if (clamped == m_rate)
        return;
    m_rate = clamped;
    applyRate(m_rate);
    emit rateChanged(m_rate);
}

void PlayerBase::setFadeLevel(double level)
{
    const double clamped = std::isfinite(level) ? std::clamp(level, 0.0, 1.0) : 1.0;
    if (clamped == m_fade)
        return;
    m_fade = clamped;
    applyVolume(m_volume * m_fade);
}

void PlayerBase::setVoiceLevelling(bool on)
{
    if (on == m_voiceLevelling)
        return;
    m_voiceLevelling = on;
    applyVoiceLevelling(on);
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
    const double position = positionFromStart(seconds);
    const double duration = mediaDuration();
    return duration > 0 && position > duration ? duration : position;
}
