#pragma once

#include <QObject>
#include <QString>

class MainWindow;
class QAction;

namespace places {
class SharedPlaces;
}

// Option > Share Places... at work: a folder that a sync tool keeps alike on the household's
// computers, and this computer's name there (the host name unless the listener gives another).
// While on, the entry is checked and asking again offers to change or stop. Both are kept in
// "fwMain"; they take effect at once.
class SharePlacesMenu : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype longestComputerName = 64;

    SharePlacesMenu(MainWindow &window, places::SharedPlaces &places, const QString &settingsFile,
                    QObject *parent = nullptr);

    // The stored folder and name put to work; at start, before the first profile loads.
    void load();
    void ask();

private:
    bool askFolder(QString &folder);
    void apply(const QString &folder, const QString &computer);

    MainWindow &m_window;
    places::SharedPlaces &m_places;
    QString m_settingsFile;
    QAction *m_entry;
    QString m_folder; // internal path; empty while not shared
    QString m_computer;
};

// A typed computer name as it is kept: control characters dropped, blanks around it trimmed, at
// most SharePlacesMenu::longestComputerName characters.
QString keptComputerName(const QString &typed);
