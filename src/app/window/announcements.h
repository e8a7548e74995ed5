#pragma once

#include <QObject>
#include <QString>

class BookmarkSession;
class QWidget;
class SleepTimer;
class Slider;

// What a screen reader says without being asked: the record or chapter that now plays, where a
// bookmark jump landed, and that the sleep timer has a minute left. Each goes out as a
// notification that shows, which screen readers speak wherever the focus is.
class Announcements : public QObject {
    Q_OBJECT
public:
    // The notification lives in window; the others must outlive this object.
    Announcements(QWidget &window, const Slider &boxStrip, const SleepTimer &sleepTimer,
                  const BookmarkSession &bookmarks, QObject *parent = nullptr);

    // The last text announced; empty before the first.
    QString lastAnnounced() const;

private:
    void announce(const QString &text);
    void announceBox();
    void announceSleep();

    QWidget *m_notice;
    const Slider &m_boxStrip;
    const SleepTimer &m_sleepTimer;
    QString m_announcedBox;
    bool m_lastMinuteAnnounced = false;
};
