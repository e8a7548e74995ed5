#pragma once

#include "app/menus/listeningoptions.h"

#include <QObject>

class MainWindow;
class PlayerSession;
class QAction;

namespace shell {
class ActionItemArray;
}

// Skipping and rewinding at work: Option > Skip Back and Skip Forward choose the seconds (the
// one in use checked), Option > Rewind After Long Pause turns the rewind over, and the tray
// menu's Skip Back and Skip Forward (also Alt+Left and Alt+Right in the window) skip across
// the album's records. The skip entries are enabled while the player holds a record. The tray
// menu's Previous and Next (also Ctrl+Left, Ctrl+Right and the media keys) go by chapter and
// record, each enabled while there is a place to go.
class SkipCommands : public QObject {
    Q_OBJECT
public:
    SkipCommands(MainWindow &window, PlayerSession &session, ListeningOptions &options,
                 QObject *parent = nullptr);

    // Skips back or forward by the set seconds.
    void skip(ListeningOptions::Skip direction);

private:
    // The Option submenu's items for the direction's seconds.
    shell::ActionItemArray &choices(ListeningOptions::Skip direction) const;
    void showOptions();
    void showAvailability();

    MainWindow &m_window;
    PlayerSession &m_session;
    ListeningOptions &m_options;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_rewind;
    QAction *m_previous;
    QAction *m_next;
};

// The seconds offered in Option > Skip Back and Skip Forward, in menu order.
inline constexpr int skipChoices[] = {5, 10, 15, 30, 45, 60};
