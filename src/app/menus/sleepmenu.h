#pragma once

#include <QObject>

class MainWindow;
class SleepTimer;

// Option > Sleep Timer at work: Off, the minutes and End of Record as radio items, the one
// running checked (Off once the timer has paused playback). Choosing a time starts the timer
// anew; Off cancels it.
class SleepMenu : public QObject {
    Q_OBJECT
public:
    SleepMenu(MainWindow &window, SleepTimer &timer, QObject *parent = nullptr);

private:
    void choose(int index);
    void showMode();

    MainWindow &m_window;
    SleepTimer &m_timer;
};
