#include "app/menus/recordmenu.h"

#include "app/window/mainwindow.h"
#include "player/playersession.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/whatsthis.h"

#include <QMenu>

#include <utility>

RecordMenu::RecordMenu(MainWindow &window, PlayerSession &session, QObject *parent)
    : QObject(parent), m_window(window), m_records(session.records()),
      m_items(*window.menus().recordList)
{
    connect(&m_records, &RecordList::recordsReset, this, &RecordMenu::showRecords);
    connect(&m_records, &RecordList::recordChanged, this, &RecordMenu::showRecord);
    connect(&m_records, &RecordList::currentChanged, this, &RecordMenu::showCurrent);
    connect(window.menus().record, &QMenu::aboutToShow, this, &RecordMenu::arrangeIfPending);
    window.whatsThis().connectArray(
        &m_items, [&session](int index) { session.selectRecord(RecordList::Index(index)); });
}

void RecordMenu::setMultiColumn(bool multiColumn)
{
    m_multiColumn = multiColumn;
    arrangeWhenShown();
}

void RecordMenu::showRecords()
{
    const int count = m_records.count();
    shell::resizeArray(m_items, count);
    for (int i = 0; i < count; ++i)
        showRecord(RecordList::Index(i));
    if (count == 0) {
        m_items.setCaption(0, QString());
        m_items.setVisible(0, false);
    }
    showCurrent(m_records.current());
    arrangeWhenShown();
}

void RecordMenu::showRecord(RecordList::Index index)
{
    if (index < 0 || index >= m_records.count() || index >= m_items.count())
        return;
    const Record &record = m_records.at(index);
    shell::MenuItemState item = m_items.item(index);
    item.caption = record.caption;
    item.enabled = record.enabled;
    item.visible = true;
    m_items.setItem(index, item);
    arrangeWhenShown();
}

void RecordMenu::showCurrent(RecordList::Index index)
{
    shell::radioCheckMenuItem(m_items, index);
}

void RecordMenu::arrangeWhenShown()
{
    m_arrangementPending = true;
}

void RecordMenu::arrangeIfPending()
{
    if (!std::exchange(m_arrangementPending, false))
        return;
    m_window.arrangeRecordMenu(m_multiColumn && m_records.count() > 0);
}
