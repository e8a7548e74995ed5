#pragma once

#include "player/recordlist.h"

#include <QObject>

class MainWindow;
class PlayerSession;

namespace shell {
class ActionItemArray;
}

// The Record menu as the mirror of the record list: item i shows record i's caption (an "&" in
// a file name or title shows as it is), is enabled as the record is, and carries the check mark
// when it is the current record. Choosing item i plays record i.
class RecordMenu : public QObject {
    Q_OBJECT
public:
    RecordMenu(MainWindow &window, PlayerSession &session, QObject *parent = nullptr);

    // The multi-column option, applied to the records when the menu next opens.
    void setMultiColumn(bool multiColumn);

private:
    // Every item anew: one per record (at least one, hidden when there is no record).
    void showRecords();
    void showRecord(RecordList::Index index);
    void showCurrent(RecordList::Index index);
    // Columns are measured as the menu opens: measuring every caption costs the window's start
    // a font for each script the titles use.
    void arrangeWhenShown();
    void arrangeIfPending();

    MainWindow &m_window;
    const RecordList &m_records;
    shell::ActionItemArray &m_items;
    bool m_multiColumn = true;
    bool m_arrangementPending = false;
};
