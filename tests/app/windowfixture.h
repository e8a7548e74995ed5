#pragma once

#include "app/window/mainwindow.h"
#include "doubles/fakeplayer.h"
#include "doubles/scripteddialogkit.h"

#include <QTemporaryDir>

#include <memory>

// A main window with a scripted dialog component, a fake player and a help file in a temporary
// folder.
class WindowFixture {
public:
    explicit WindowFixture(bool withHelpFile = true);

    MainWindow &window() { return *m_window; }
    ScriptedDialogKit &dialogKit() { return m_dialogKit; }
    // The help numbers shown through What's This, in order.
    QList<int> shownHelp() const;
    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    ScriptedDialogKit m_dialogKit;
    FakePlayer m_player;
    std::unique_ptr<MainWindow> m_window;
};
