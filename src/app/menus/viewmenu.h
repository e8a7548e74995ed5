#pragma once

#include <QObject>
#include <QString>

#include <functional>

class MainWindow;
class PlayerSession;
class QAction;

namespace album {
class AlbumSession;
}

// The View menu's commands on the current record: Properties shows the file's properties sheet
// (the desktop's, else the program's own), Open in MP3 Editor starts the MP3 editor with the
// file's path. Each time the menu opens, Properties is enabled while a record is current and
// playable, and Open in MP3 Editor while Properties is and an editor is set.
class ViewMenu : public QObject {
    Q_OBJECT
public:
    // Asks the desktop for a file's properties sheet; calls unanswered when none will show.
    using PropertiesSheet =
        std::function<void(const QString &path, std::function<void()> unanswered)>;

    ViewMenu(MainWindow &window, const PlayerSession &session, const album::AlbumSession &albums,
             QObject *parent = nullptr);

    // The MP3 editor program (empty: none set), read each time it is needed.
    void setMp3Editor(std::function<QString()> editor) { m_editor = std::move(editor); }
    // The desktop's sheet; the platform's unless replaced.
    void setPropertiesSheet(PropertiesSheet sheet) { m_sheet = std::move(sheet); }

private:
    // The current record's path when it is playable; empty otherwise.
    QString currentRecordPath() const;
    QString editor() const;
    void showAvailability();
    void showProperties();
    void openInEditor();
    // The program's own sheet for the file, its tag fields read in the active album's code page.
    void showOwnProperties(const QString &path);

    MainWindow &m_window;
    const PlayerSession &m_session;
    const album::AlbumSession &m_albums;
    QAction *m_properties;
    QAction *m_editorItem;
    std::function<QString()> m_editor;
    PropertiesSheet m_sheet;
};
