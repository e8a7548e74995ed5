#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class ControlStrip;
class PlayerSession;

// The time display of the album: status label 1 the elapsed and label 2 the remaining time of
// the whole album, the position box the position in the current record. The timer toElapsed
// refreshes it once a second while playing and saves the album's state every 60th tick. While
// playback is paused or stopped a time typed into the position box seeks there.
class ElapsedDisplay : public QObject {
    Q_OBJECT
public:
    // Every 60th tick stores the active album's state through the session's capture and save.
    ElapsedDisplay(ControlStrip &strip, PlayerSession &session, QObject *parent = nullptr);

    const QTimer &timer() const { return m_timer; }
    // ElapsedTick: the labels, the held position, the record's seconds, the periodic save and
    // the position box, from the record list and the player's position.
    void tick();
    // The position box back to "00:00:00", written as the program's own text.
    void resetPositionBox();
    // No album: the timer stops, both times are emptied and the position box reads "00:00:00".
    void clear();
    // The last text the program wrote or the listener entered successfully (the box's Tag).
    const QString &acceptedPosition() const { return m_acceptedPosition; }

private:
    void setRunning(bool running);
    // The tick's display share: the labels, the held position and the position box.
    void showTimes();
    // Sets the box's text as the program's own, untouched when it already shows it.
    void writePositionBox(const QString &text);
    // A change of the box's text: the listener's seek, or put back when out of the record or
    // while playing.
    void positionEdited();

    ControlStrip &m_strip;
    PlayerSession &m_session;
    QTimer m_timer;
    qint16 m_saveTicks = 0;
    bool m_writingPosition = false;
    QString m_acceptedPosition;
};
