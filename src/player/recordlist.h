#pragma once

#include "media/chapter.h"
#include "settings/fixedpoint.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// The active album's records in playlist order, mirrored by the Record menu one to one.
// An entry is the file path, "|", the duration in whole seconds ("" for a missing file).
struct Record {
    QString entry;
    // The menu caption: "[hh:mm:ss] source" and, with a tag title, TAB "= " title.
    QString caption;
    bool enabled = true;
    // The chapters inside the record's file, in order; empty for most records.
    media::Chapters chapters{};
};

class RecordList : public QObject {
    Q_OBJECT
public:
    using Index = qint16;
    static constexpr Index none = -1;

    int count() const { return int(m_records.size()); }
    const Record &at(Index index) const { return m_records.at(index); }
    const QList<Record> &records() const { return m_records; }
    // The path part of the entry (before the last "|"); empty for an index out of range.
    QString pathOf(Index index) const;
    // The numeric value of the text after the last "|" (0 without one or out of range).
    FixedPoint durationValueOf(Index index) const;
    // That value rounded to whole seconds, halves to even; 0 when unknown, missing or negative.
    qint32 durationOf(Index index) const;

    // Replaces every record at once; the current record becomes none.
    void reset(const QList<Record> &records);
    // Replaces one record (a re-read caption, a learnt duration).
    void setRecord(Index index, const Record &record);

    // The record carrying the check mark; none when no record is current.
    Index current() const { return m_current; }
    // Moves the check mark; an index out of range clears it. Announces the current record even
    // when it stays, so that the menu's and the strip's mirrors are put right again.
    void setCurrent(Index index);

    // FindRecordIndex: the first record whose path equals the path exactly (case-sensitive);
    // none when there is none.
    Index findRecordIndex(const QString &path) const;
    // Whether an enabled record has the path, compared as the file system compares names.
    bool hasPlayableRecord(const QString &path) const;
    // The nearest enabled record after (step 1) or before (step -1) the index that `accepts`
    // (any, without one); none at the list's end.
    Index nextEnabled(Index from, int step,
                      const std::function<bool(Index)> &accepts = nullptr) const;

signals:
    void recordsReset();
    void recordChanged(RecordList::Index index);
    void currentChanged(RecordList::Index index);

private:
    QList<Record> m_records;
    Index m_current = none;
};
