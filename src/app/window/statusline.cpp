#include "app/window/statusline.h"

#include "app/window/controlstrip.h"
#include "app/window/mediacaption.h"
#include "player/playbackspeed.h"
#include "player/playercomponent.h"
#include "player/sleeptimer.h"
#include "player/timeformat.h"

StatusLine::StatusLine(ControlStrip &strip, const QFont &windowFont, const PlayerComponent &player,
                       const SleepTimer &sleepTimer, QObject *parent)
    : QObject(parent), m_strip(strip), m_font(windowFont), m_player(player),
      m_sleepTimer(sleepTimer)
{
    connect(&player, &PlayerComponent::rateChanged, this, &StatusLine::show);
    connect(&sleepTimer, &SleepTimer::changed, this, &StatusLine::show);
}

void StatusLine::setMediaCaption(const QString &caption)
{
    m_caption = caption;
    show();
}

void StatusLine::setChapter(const QString &chapter)
{
    m_chapter = chapter;
    show();
}

void StatusLine::setSaveProblem(const QString &problem)
{
    m_saveProblem = problem;
    show();
}

void StatusLine::setSharingProblem(const QString &problem)
{
    m_sharingProblem = problem;
    show();
}

QString StatusLine::notes() const
{
    QString text;
    for (const QString &problem : {m_saveProblem, m_sharingProblem}) {
        if (!problem.isEmpty())
            text += u'[' + problem + QStringLiteral("] ");
    }
    if (!sameSpeed(m_player.rate(), speed::normal))
        text += u'[' + speedCaption(m_player.rate()) + QStringLiteral("] ");
    return text + sleepNote(m_sleepTimer);
}

// The timer ticks five times a second: the label is set only when its text changes.
void StatusLine::show()
{
    const QString line = notes() + (m_chapter.isEmpty() ? m_caption : m_chapter);
    if (line == m_shown)
        return;
    m_shown = line;
    showMediaCaption(m_strip, m_font, line);
}

QString sleepNote(const SleepTimer &timer)
{
    if (timer.mode() == SleepTimer::Mode::Off)
        return QString();
    const qint64 remaining = timer.remainingMilliseconds();
    if (remaining < 0)
        return QStringLiteral("[Sleep: end of record] ");
    const qint64 seconds = (remaining + 999) / 1000;
    return QStringLiteral("[Sleep ") + formatSeconds(FixedPoint::fromInt(seconds)) +
           QStringLiteral("] ");
}
