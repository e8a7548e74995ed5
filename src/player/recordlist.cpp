#include "player/recordlist.h"

#include "platform/paths.h"
#include "settings/fixedpoint.h"

#include <algorithm>
#include <limits>

namespace {

constexpr QChar fieldMark = u'|';

// The text before the last "|" (a file name may hold one; a duration never does); the whole
// entry when it has none.
QStringView pathPart(const QString &entry)
{
    const qsizetype mark = entry.lastIndexOf(fieldMark);
    return mark < 0 ? QStringView(entry) : QStringView(entry).left(mark);
}

} // namespace

QString RecordList::pathOf(Index index) const
{
    if (index < 0 || index >= count())
        return QString();
    return pathPart(m_records.at(index).entry).toString();
}

FixedPoint RecordList::durationValueOf(Index index) const
{
    if (index < 0 || index >= count())
        return FixedPoint();
    const QString &entry = m_records.at(index).entry;
    const qsizetype mark = entry.lastIndexOf(fieldMark);
    return mark < 0 ? FixedPoint() : FixedPoint::parse(QStringView(entry).mid(mark + 1));
}

qint32 RecordList::durationOf(Index index) const
{
    const qint64 seconds = durationValueOf(index).roundedToInt();
    return qint32(std::clamp<qint64>(seconds, 0, std::numeric_limits<qint32>::max()));
}

void RecordList::reset(const QList<Record> &records)
{
    m_records = records;
    m_current = none;
    emit recordsReset();
}

void RecordList::setRecord(Index index, const Record &record)
{
    if (index < 0 || index >= count())
        return;
    m_records[index] = record;
    emit recordChanged(index);
}

void RecordList::setCurrent(Index index)
{
    m_current = index >= 0 && index < count() ? index : none;
    emit currentChanged(m_current);
}

RecordList::Index RecordList::findRecordIndex(const QString &path) const
{
    const int last = std::min(count(), int(std::numeric_limits<Index>::max()));
    for (int index = 0; index < last; ++index) {
        if (pathPart(m_records.at(index).entry) == path)
            return Index(index);
    }
    return none;
}

bool RecordList::hasPlayableRecord(const QString &path) const
{
    return !path.isEmpty() &&
           std::any_of(m_records.begin(), m_records.end(), [&path](const Record &record) {
               return record.enabled && platform::samePath(pathPart(record.entry), path);
           });
}

RecordList::Index RecordList::nextEnabled(Index from, int step,
                                          const std::function<bool(Index)> &accepts) const
{
    // Only as far as an index can count.
    const int end = std::min(count(), int(std::numeric_limits<Index>::max()));
    for (int i = from + step; i >= 0 && i < end; i += step) {
        const auto candidate = Index(i);
        if (m_records.at(candidate).enabled && (!accepts || accepts(candidate)))
            return candidate;
    }
    return none;
}
