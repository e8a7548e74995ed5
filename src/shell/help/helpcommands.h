#pragma once

#include "shell/help/appinfo.h"

#include <QObject>
#include <QString>

#include <functional>

class DialogKit;
class QAction;
class QMenu;
class QWidget;

namespace shell {

class OutsideCommands;
class UpdateChecker;
class WhatsThis;

// The Help menu's commands: Help Topics, Check for Update, Visit the Webpage, Feedback and About.
// Each passes through What's This first. Addresses come from the application information. F1 on
// the window opens the help at the topic of the control that has the focus, while the
// application's help file name is set.
class HelpCommands : public QObject {
    Q_OBJECT
public:
    // helpMenu holds the entries named mHelpTopics ... mHelpAbout; playerVersion gives the media
    // player's version text for the About box; settingsFile is the update component's local path.
    // The update check's answer, which comes from the network, waits in outside.
    HelpCommands(const AppInfo &info, DialogKit &dialogKit, WhatsThis &whatsThis,
                 OutsideCommands &outside, QWidget &window, QMenu &helpMenu,
                 std::function<QString()> playerVersion, const QString &settingsFile,
                 QObject *parent = nullptr);

    UpdateChecker &updateChecker() const { return *m_updateChecker; }

    void helpTopics();
    // Starts the check in the background; its answer is shown when it comes.
    void checkForUpdate();
    void visitWebpage();
    void feedback();
    void about();
    // F1 outside the menus.
    void helpOnFocus();

private:
    void showUpdateAnswer(int status, const QString &publishedVersion);

    AppInfo m_info;
    DialogKit &m_dialogKit;
    WhatsThis &m_whatsThis;
    QWidget &m_window;
    std::function<QString()> m_playerVersion;
    UpdateChecker *m_updateChecker;
    QAction *m_topics;
    QAction *m_update;
};

} // namespace shell
