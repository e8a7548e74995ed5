#pragma once

#include <QObject>

class SleepTimer;

// Every key and click the program gets tells the sleep timer that the listener is awake. When
// that starts the timer again after its pause, the key or click meant just that and does
// nothing else: the sound comes back once it is let go, and a Play button or Space pressed to
// wake does not pause again at once.
class ListenerActivity : public QObject {
    Q_OBJECT
public:
    // Watches the whole application; the timer must outlive it.
    explicit ListenerActivity(SleepTimer &timer, QObject *parent = nullptr);

    // A command from outside the window (a media key, the tray, the desktop's media controls):
    // the command itself is what the listener asked for, so the sound comes back after it.
    void commandArrived();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SleepTimer &m_timer;
    // From the key or button press that woke the timer until its release.
    bool m_swallowing = false;
};
