#pragma once

#include <QObject>

class MainWindow;
class SleepTimer;

// Option > Sleep Timer at work: Off, the minutes, End of Record and End of Chapter as radio items,
// the one running checked (Off once the timer has paused playback). Choosing a time starts the
// timer anew; Off cancels it. The entry last chosen is remembered in the settings file and shown
// as the menu's default (bold), so that the next night's timer is one key away.
class SleepMenu : public QObject {
    Q_OBJECT
public:
    SleepMenu(MainWindow &window, SleepTimer &timer, const QString &settingsFile,
              QObject *parent = nullptr);

private:
    void showRemembered(int index);
    void choose(int index);
    void showMode();

    MainWindow &m_window;
    SleepTimer &m_timer;
    QString m_settingsFile;
};
