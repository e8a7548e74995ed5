#pragma once

#include <QObject>

class ControlStrip;
class PlayerSession;
class QTimer;
class StatusLine;

// What the window shows of the chapters of the record playing: "Chapter 3/42: Title" in the
// status line, the time left in the chapter in the position box's tooltip, and, when the album
// is a single record with chapters, one box per chapter in the box strip (else one per record).
class ChapterDisplay : public QObject {
    Q_OBJECT
public:
    // The tick refreshes the time left.
    ChapterDisplay(ControlStrip &strip, StatusLine &statusLine, PlayerSession &session,
                   const QTimer &tick, QObject *parent = nullptr);

    // Whether the box strip stands for the chapters of the album's only record.
    bool stripShowsChapters() const;

private:
    void showChapter();
    void showBoxes();
    void showTimeLeft();

    ControlStrip &m_strip;
    StatusLine &m_statusLine;
    PlayerSession &m_session;
};

// The position box's tooltip: "Time position in current record", and while a chapter plays,
// a second line "Chapter 3 of 42: 00:12:34 left".
QString positionToolTip(int chapter, int chapterCount, double secondsLeft);
