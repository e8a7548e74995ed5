#pragma once

#include "app/menus/options.h"

#include <QHash>
#include <QObject>

class MainWindow;
class QAction;

// The Option menu at work: check marks mirror the four options, choosing one turns it over, and
// the editor items show their program's name in the right-hand column and open the program
// chooser. Every command is first offered to What's This.
class OptionMenu : public QObject {
    Q_OBJECT
public:
    OptionMenu(MainWindow &window, Options &options, QObject *parent = nullptr);

    // The program chooser for the editor: a confirmed choice is held and written; the album
    // Open dialog's filter and filter index are put back in any case.
    void chooseProgram(Options::Editor editor);

private:
    QAction *switchAction(Options::Switch option) const;
    void showSwitch(Options::Switch option, bool on);
    // The right-hand notes, settled when the menu opens: naming a program reads the desktop's
    // application entries.
    void showEditorNotes();
    QString noteFor(const QString &path);

    MainWindow &m_window;
    Options &m_options;
    QHash<QString, QString> m_descriptions; // by internal path
};
