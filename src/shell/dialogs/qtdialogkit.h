#pragma once

#include "shell/dialogs/dialogkit.h"

#include <QPointer>
#include <QWidget>

namespace shell {
class HelpWindow;
}

// The dialog component on Qt's dialogs, owned by the window that is given as parent of every
// dialog. Help is the HTML help file: it opens in the program's own help window, and What's This
// shows one topic of it in a pop-up whose links open the help window at their topic.
class QtDialogKit : public DialogKit {
public:
    explicit QtDialogKit(QWidget *parent);

    QString inputBox(const QString &prompt, const QString &caption,
                     const QString &defaultText) override;
    // Qt's own file dialog: the folder choice switches it to choosing folders while it is open,
    // which a system dialog cannot do.
    int showOpen() override;
    void showHelpContents() override;
    void showHelpTopic(int helpContext) override;
    void showWhatsThis(int helpContext) override;
    int showButtonMessageBox(const QString &richText, const QString &caption,
                             MessageIcon icon) override;

protected:
    MessageResult showMessageBox(const QString &text, MessageButtons buttons, MessageIcon icon,
                                 DefaultButton defaultButton, const QString &caption,
                                 int helpContext) override;

private:
    QPointer<QWidget> m_parent;
    QPointer<shell::HelpWindow> m_helpWindow;
    QPointer<QObject> m_linkWatcher;
};
