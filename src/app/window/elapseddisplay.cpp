#include "app/window/elapseddisplay.h"

#include "app/window/controlstrip.h"
#include "player/playercomponent.h"
#include "player/playersession.h"
#include "player/timeformat.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int tickMilliseconds = 1000;
constexpr qint16 ticksPerSave = 60;
const QString zeroTime = QStringLiteral("00:00:00");

QString timeText(qint64 seconds)
{
    return formatSeconds(FixedPoint::fromInt(seconds));
}

struct AlbumTimes {
    qint64 total = 0;
    qint64 before = 0; // the records ahead of the current one
};

AlbumTimes albumTimes(const RecordList &records)
{
    AlbumTimes times;
    bool reached = false;
    for (int i = 0; i < records.count(); ++i) {
        const qint64 duration = records.durationOf(RecordList::Index(i));
        times.total += duration;
        reached = reached || i == records.current();
        if (!reached)
            times.before += duration;
    }
    return times;
}

// "hh:mm:ss" as seconds; -1 for text of another shape or a minute or second above 59.
qint64 typedSeconds(const QString &text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 3)
        return -1;
    bool ok[3] = {};
    const qint64 hours = parts[0].toLongLong(&ok[0]);
    const qint64 minutes = parts[1].toLongLong(&ok[1]);
    const qint64 seconds = parts[2].toLongLong(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || hours < 0 || minutes < 0 || seconds < 0 || minutes > 59 ||
        seconds > 59)
        return -1;
    return hours * 3600 + minutes * 60 + seconds;
}

} // namespace

ElapsedDisplay::ElapsedDisplay(ControlStrip &strip, PlayerSession &session, QObject *parent)
    : QObject(parent), m_strip(strip), m_session(session)
{
    m_timer.setObjectName(QStringLiteral("toElapsed"));
    m_timer.setInterval(tickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &ElapsedDisplay::tick);
    connect(&session, &PlayerSession::elapsedTimerWanted, this, &ElapsedDisplay::setRunning);
    connect(&session, &PlayerSession::positionChanged, this, &ElapsedDisplay::tick);
    connect(strip.positionBox(), &QLineEdit::textChanged, this, &ElapsedDisplay::positionEdited);
}

void ElapsedDisplay::tick()
{
    showTimes();
    m_session.countSecond();
    m_saveTicks = qint16((m_saveTicks + 1) % ticksPerSave);
    if (m_saveTicks == 0)
        m_session.captureAndSave();
}

void ElapsedDisplay::showTimes()
{
    const AlbumTimes times = albumTimes(m_session.records());
    const PlayerComponent &player = m_session.player();
    const qint32 position = wholeSeconds(player.currentPosition());
    m_session.setHeldPosition(QString::number(position));
    const qint64 elapsed = times.before + position;
    m_strip.statusLabel(1)->setText(timeText(elapsed));
    m_strip.statusLabel(2)->setText(times.total > elapsed ? timeText(times.total - elapsed)
                                                          : QString());
    writePositionBox(timeText(position));
    m_acceptedPosition = m_strip.positionBox()->displayText();
}

void ElapsedDisplay::resetPositionBox()
{
    writePositionBox(zeroTime);
}

void ElapsedDisplay::clear()
{
    m_timer.stop();
    m_strip.statusLabel(1)->clear();
    m_strip.statusLabel(2)->clear();
    resetPositionBox();
    m_acceptedPosition = zeroTime;
}

void ElapsedDisplay::setRunning(bool running)
{
    if (running) {
        m_timer.start();
    } else if (m_timer.isActive()) {
        // Up to a second has passed since the last tick: the display shows, and a stop returns
        // to, the second that the pause stores.
        m_timer.stop();
        showTimes();
    }
}

void ElapsedDisplay::writePositionBox(const QString &text)
{
    QLineEdit *box = m_strip.positionBox();
    if (box->displayText() == text)
        return;
    m_writingPosition = true;
    box->setText(text);
    m_writingPosition = false;
}

void ElapsedDisplay::positionEdited()
{
    if (m_writingPosition)
        return;
    const QString text = m_strip.positionBox()->displayText();
    const qint64 seconds = typedSeconds(text);
    PlayerComponent &player = m_session.player();
    if (seconds < 0 || seconds > wholeSeconds(player.currentItemDuration()) || m_timer.isActive()) {
        writePositionBox(m_acceptedPosition);
        return;
    }
    m_acceptedPosition = text;
    player.setCurrentPosition(double(seconds));
}
