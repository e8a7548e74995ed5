#include "app/window/chapterdisplay.h"

#include "app/window/controlstrip.h"
#include "app/window/statusline.h"
#include "controls/slider.h"
#include "player/playersession.h"
#include "player/spokentext.h"
#include "player/timeformat.h"

#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// The title part of a record's caption ("[00:01:00] 01.mp3\t= Title"), else its source.
QString recordTitleOf(const Record &record)
{
    const qsizetype tab = record.caption.indexOf(QStringLiteral("\t= "));
    if (tab >= 0)
        return record.caption.mid(tab + 3);
    const qsizetype bracket = record.caption.indexOf(QStringLiteral("] "));
    return bracket >= 0 ? record.caption.mid(bracket + 2) : record.caption;
}

} // namespace

ChapterDisplay::ChapterDisplay(ControlStrip &strip, StatusLine &statusLine, PlayerSession &session,
                               const QTimer &tick, QObject *parent)
    : QObject(parent), m_strip(strip), m_statusLine(statusLine), m_session(session)
{
    const RecordList &records = session.records();
    connect(&records, &RecordList::recordsReset, this, &ChapterDisplay::showBoxes);
    connect(&records, &RecordList::currentChanged, this, &ChapterDisplay::showBoxes);
    connect(&session, &PlayerSession::chapterChanged, this, &ChapterDisplay::showChapter);
    connect(&session, &PlayerSession::positionChanged, this, &ChapterDisplay::showTimeLeft);
    connect(&tick, &QTimer::timeout, this, &ChapterDisplay::showTimeLeft);
}

bool ChapterDisplay::stripShowsChapters() const
{
    const RecordList &records = m_session.records();
    return records.count() == 1 && !records.at(0).chapters.isEmpty();
}

void ChapterDisplay::showChapter()
{
    const RecordList &records = m_session.records();
    const RecordList::Index record = m_session.playingRecord();
    const int chapter = m_session.playingChapter();
    m_statusLine.setChapter(
        chapter >= 0 ? media::chapterStatusText(records.at(record).chapters, chapter) : QString());
    showBoxes();
    showTimeLeft();
}

void ChapterDisplay::showBoxes()
{
    Slider &boxes = *m_strip.boxStrip();
    const RecordList &records = m_session.records();
    const bool chapters = stripShowsChapters();
    const int count = chapters ? int(records.at(0).chapters.size()) : records.count();
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString title = chapters ? records.at(0).chapters.at(i).title
                                       : recordTitleOf(records.at(RecordList::Index(i)));
        names.append(spoken::box(chapters, i, count, title));
    }
    boxes.setCount(count);
    boxes.setItemNames(names);
    boxes.setAccessibleName(chapters ? tr("Chapters") : tr("Records"));
    boxes.setValue(chapters ? std::max(m_session.playingChapter(), 0) : records.current());
}

void ChapterDisplay::showTimeLeft()
{
    const RecordList &records = m_session.records();
    const RecordList::Index record = m_session.playingRecord();
    const int chapter = m_session.playingChapter();
    if (chapter < 0) {
        m_strip.positionBox()->setToolTip(positionToolTip(-1, 0, 0));
        return;
    }
    const media::Chapters &chapters = records.at(record).chapters;
    const PlayerComponent &player = m_session.player();
    const double end = chapter + 1 < chapters.size() ? double(chapters[chapter + 1].startMs) / 1000
                                                     : player.currentItemDuration();
    m_strip.positionBox()->setToolTip(positionToolTip(
        chapter, int(chapters.size()), std::max(end - player.currentPosition(), 0.0)));
}

QString positionToolTip(int chapter, int chapterCount, double secondsLeft)
{
    QString tip = QStringLiteral("Time position in current record");
    if (chapter < 0 || chapter >= chapterCount)
        return tip;
    const qint64 whole = qint64(std::ceil(secondsLeft));
    return tip + QStringLiteral("\nChapter %1 of %2: %3 left")
                     .arg(chapter + 1)
                     .arg(chapterCount)
                     .arg(formatSeconds(FixedPoint::fromInt(whole)));
}
