#pragma once

#include <QFont>
#include <QObject>
#include <QString>

class ControlStrip;
class PlayerComponent;
class SleepTimer;

// Status label 0: the current media file's caption, after the notes that apply: a save that
// failed ("[Could not save to ...: reason] ", until one succeeds), a shared places file that
// could not be read ("[Places from Kitchen not read: cut short] ", until all read well), the speed
// when it is not 1
// ("[1.5x] ") and the sleep timer's time left ("[Sleep 00:14:32] ").
class StatusLine : public QObject {
    Q_OBJECT
public:
    StatusLine(ControlStrip &strip, const QFont &windowFont, const PlayerComponent &player,
               const SleepTimer &sleepTimer, QObject *parent = nullptr);

    void setMediaCaption(const QString &caption);
    // "Chapter 3/42: Title" shows in the caption's place while a record with chapters plays;
    // empty gives the caption back.
    void setChapter(const QString &chapter);
    // Empty once saving works again.
    void setSaveProblem(const QString &problem);
    void setSharingProblem(const QString &problem);

private:
    QString notes() const;
    void show();

    ControlStrip &m_strip;
    QFont m_font;
    const PlayerComponent &m_player;
    const SleepTimer &m_sleepTimer;
    QString m_caption;
    QString m_chapter;
    QString m_saveProblem;
    QString m_sharingProblem;
    QString m_shown;
};

// The sleep timer's note: "[Sleep hh:mm:ss] " with the time left rounded up to whole seconds,
// "[Sleep: end of record] " when that time is not known; empty while off.
QString sleepNote(const SleepTimer &timer);
