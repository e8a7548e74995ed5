#pragma once

#include "player/recordlist.h"

#include <QList>
#include <QObject>

class MainWindow;
class PlayerSession;

namespace shell {
class ActionItemArray;
}

// The Record menu as the mirror of the record list: one item per record showing its caption (an
// "&" in a file name or title shows as it is), enabled as the record is, checked when it is the
// current record; under a record with chapters, one indented item per chapter with its start.
// Choosing a record's item plays the record, a chapter's plays the record from its start.
class RecordMenu : public QObject {
    Q_OBJECT
public:
    RecordMenu(MainWindow &window, PlayerSession &session, QObject *parent = nullptr);

    // The multi-column option, applied to the records when the menu next opens.
    void setMultiColumn(bool multiColumn);

    // What an item stands for: a record, or one of its chapters.
    struct ItemTarget {
        RecordList::Index record = RecordList::none;
        int chapter = -1; // -1 for the record itself
    };
    ItemTarget targetOf(int item) const;

private:
    // Every item anew: one per record and chapter (at least one, hidden when there is no record).
    void showRecords();
    void choose(int item);
    void showRecord(RecordList::Index index);
    void showCurrent(RecordList::Index index);
    // Columns are measured as the menu opens: measuring every caption costs the window's start
    // a font for each script the titles use.
    void arrangeWhenShown();
    void arrangeIfPending();

    MainWindow &m_window;
    PlayerSession &m_session;
    const RecordList &m_records;
    QList<ItemTarget> m_targets;
    // The item of each record.
    QList<int> m_recordItems;
    shell::ActionItemArray &m_items;
    bool m_multiColumn = true;
    bool m_arrangementPending = false;
};
