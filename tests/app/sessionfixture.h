#pragma once

#include "app/program/application.h"
#include "doubles/fakeplayer.h"
#include "doubles/scripteddialogkit.h"
#include "doubles/scriptedtitleencodingchooser.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QAction;

// One MP3 file of an album made for a test.
struct TestTrack {
    QString fileName;
    QByteArray title; // the ID3 title, Latin-1; empty for none
    int seconds = 2;
    // Chapter starts in seconds, the chapters titled "Part 1", "Part 2", ...; none for most.
    QList<int> chapterStarts{};
};

// The whole program over a temporary settings file, with a fake player, a scripted dialog
// component and a scripted encoding chooser. Albums are folders of small generated MP3 files.
class SessionFixture {
public:
    SessionFixture();
    ~SessionFixture();

    // A folder of the tracks under the temporary folder; the player knows their lengths.
    // Returns the folder's native path.
    QString makeAlbum(const QString &name, const QList<TestTrack> &tracks);
    // Three tracks of 2, 3 and 4 seconds titled "One", "Two" and "Three".
    QString makeThreeTrackAlbum(const QString &name);

    // A new program (a new window, player and session) over the same settings file, started.
    Application &start(const QString &commandLinePath = QString());
    // Starts the program and opens a new three-track album from its folder, as File > Open does.
    // Returns the folder's native path.
    QString startWithThreeTrackAlbum(const QString &name);
    // Ends the program as File > Exit does and forgets it.
    void exit();

    Application &app() { return *m_app; }
    FakePlayer &player() { return *m_player; }
    ScriptedDialogKit &dialogKit() { return m_dialogKit; }
    text::ScriptedTitleEncodingChooser &chooser() { return m_chooser; }
    QAction *item(const QString &name) const;
    // What the desktop offers as text editor to the programs started from now on.
    void setDefaultTextEditor(std::function<QString()> editor) { m_textEditor = std::move(editor); }

    QString folder() const { return m_folder.path(); }
    QString settingsFile() const; // internal
    QByteArray settingsBytes() const;
    // The Default profile's album lines, in order.
    QStringList albumLines() const;

    // File > Open of a folder (the dialog's folder choice).
    void openFolder(const QString &nativeFolder);
    // Lets the player's queued events arrive.
    static void drainEvents();

private:
    QTemporaryDir m_folder;
    ScriptedDialogKit m_dialogKit;
    text::ScriptedTitleEncodingChooser m_chooser;
    QHash<QString, double> m_durations;
    std::unique_ptr<FakePlayer> m_player;
    std::unique_ptr<Application> m_app;
    std::function<QString()> m_textEditor;
};

// The internal form of a native path.
QString internal(const QString &nativePath);
