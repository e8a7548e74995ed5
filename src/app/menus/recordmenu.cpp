#include "app/menus/recordmenu.h"

#include "app/window/mainwindow.h"
#include "player/playersession.h"
#include "player/timeformat.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/whatsthis.h"

#include <QMenu>

#include <utility>

RecordMenu::RecordMenu(MainWindow &window, PlayerSession &session, QObject *parent)
    : QObject(parent), m_window(window), m_session(session), m_records(session.records()),
      m_items(*window.menus().recordList)
{
    connect(&m_records, &RecordList::recordsReset, this, &RecordMenu::showRecords);
    connect(&m_records, &RecordList::recordChanged, this, &RecordMenu::showRecord);
    connect(&m_records, &RecordList::currentChanged, this, &RecordMenu::showCurrent);
    connect(window.menus().record, &QMenu::aboutToShow, this, &RecordMenu::arrangeIfPending);
    window.whatsThis().connectArray(&m_items, [this](int item) { choose(item); });
}

namespace {

// "      [00:20:00] Title": indented under its record, with its start.
QString chapterCaption(const media::Chapter &chapter)
{
    return QStringLiteral("      [") + formatSeconds(FixedPoint::fromInt(chapter.startMs / 1000)) +
           QStringLiteral("] ") + chapter.title;
}

} // namespace

RecordMenu::ItemTarget RecordMenu::targetOf(int item) const
{
    return item >= 0 && item < m_targets.size() ? m_targets[item] : ItemTarget();
}

void RecordMenu::choose(int item)
{
    const ItemTarget target = targetOf(item);
    if (target.record < 0 || target.record >= m_records.count())
        return;
    const media::Chapters &chapters = m_records.at(target.record).chapters;
    if (target.chapter < 0 || target.chapter >= chapters.size())
        m_session.selectRecord(target.record);
    else
        m_session.playFrom({target.record, double(chapters[target.chapter].startMs) / 1000});
}

void RecordMenu::setMultiColumn(bool multiColumn)
{
    m_multiColumn = multiColumn;
    arrangeWhenShown();
}

void RecordMenu::showRecords()
{
    m_targets.clear();
    m_recordItems.clear();
    for (int i = 0; i < m_records.count(); ++i) {
        m_recordItems.append(int(m_targets.size()));
        m_targets.append({RecordList::Index(i), -1});
        for (int chapter = 0; chapter < m_records.at(i).chapters.size(); ++chapter)
            m_targets.append({RecordList::Index(i), chapter});
    }
    const int count = int(m_targets.size());
    shell::resizeArray(m_items, count);
    for (int item = 0; item < count; ++item) {
        const ItemTarget &target = m_targets[item];
        if (target.chapter < 0) {
            showRecord(target.record);
            continue;
        }
        const Record &record = m_records.at(target.record);
        shell::MenuItemState state = m_items.item(item);
        state.caption = chapterCaption(record.chapters[target.chapter]);
        state.enabled = record.enabled;
        state.visible = true;
        state.checked = false;
        m_items.setItem(item, state);
    }
    if (count == 0) {
        m_items.setCaption(0, QString());
        m_items.setVisible(0, false);
    }
    showCurrent(m_records.current());
    arrangeWhenShown();
}

void RecordMenu::showRecord(RecordList::Index index)
{
    if (index < 0 || index >= m_recordItems.size())
        return;
    const Record &record = m_records.at(index);
    const int first = m_recordItems[index];
    shell::MenuItemState item = m_items.item(first);
    item.caption = record.caption;
    item.enabled = record.enabled;
    item.visible = true;
    m_items.setItem(first, item);
    // A record disabled after its file failed to load takes its chapters with it.
    for (int chapter = 0; chapter < record.chapters.size(); ++chapter) {
        shell::MenuItemState chapterItem = m_items.item(first + 1 + chapter);
        chapterItem.enabled = record.enabled;
        m_items.setItem(first + 1 + chapter, chapterItem);
    }
    arrangeWhenShown();
}

void RecordMenu::showCurrent(RecordList::Index index)
{
    shell::radioCheckMenuItem(
        m_items, index >= 0 && index < m_recordItems.size() ? m_recordItems[index] : -1);
}

void RecordMenu::arrangeWhenShown()
{
    m_arrangementPending = true;
}

void RecordMenu::arrangeIfPending()
{
    if (!std::exchange(m_arrangementPending, false))
        return;
    m_window.arrangeRecordMenu(m_multiColumn && !m_targets.isEmpty());
}
