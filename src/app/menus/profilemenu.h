#pragma once

#include "settings/profilelist.h"

#include <QObject>
#include <QString>

class MainWindow;
class QAction;

namespace album {
class AlbumSession;
}

// The Profile menu at work: the profile list mirrored into the profile items (item 0, the
// active profile, checked) and into Profile > Remove, and the commands that select, add and
// remove profiles, each first offered to What's This. A selection saves the window placement
// of the profile it leaves, then brings up the chosen profile's placement and albums.
class ProfileMenu : public QObject {
    Q_OBJECT
public:
    // commandLinePath (internal) is opened again on every profile switch; empty for none.
    ProfileMenu(MainWindow &window, album::AlbumSession &session, const QString &settingsFile,
                const QString &commandLinePath, QObject *parent = nullptr);

    // Start-up: the stored list, then profile 0 selected.
    void loadProfiles();
    // SelectProfile: profile index becomes the active one at the top of the list, its
    // placement applied and its albums loaded. Choosing the loaded item 0 again does nothing.
    void selectProfile(int index);
    // AddProfile: asks for a name; an existing name (without regard to case) is selected, a new
    // one appended and selected.
    void addProfile();
    // RemoveProfile: after a Yes to the question, profile index (never the active one) leaves
    // the list; its sections stay in the settings file.
    void removeProfile(int index);
    // SaveWindowPlacement for the active profile.
    void saveWindowPlacement();

    const settings::ProfileList &profiles() const { return m_profiles; }

private:
    void connectCommands();
    QAction *removeSubmenu() const;
    // The profile items and SyncRemoveList: Remove item i shows profile i, enabled from 1 on.
    void showProfiles();
    void loadWindowPlacement();

    MainWindow &m_window;
    album::AlbumSession &m_session;
    QString m_settingsFile;
    QString m_commandLinePath;
    settings::ProfileList m_profiles;
    bool m_loaded = false; // item 0 carries the check mark: its data is loaded
};
