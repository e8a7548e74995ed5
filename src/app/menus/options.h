#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>

// The four on/off options and the two external programs of the Option menu. Global, not part of
// a profile; kept in section "fwMain" and written at once when changed, never at exit.
class Options : public QObject {
    Q_OBJECT
public:
    enum Switch { AlwaysOnTop, MinimizeOnClose, HideToTray, MultiColumnMenu };
    enum Editor { TextEditor, Mp3Editor };
    static constexpr int switchCount = 4;

    // defaultTextEditor gives the desktop's text editor (an internal path, empty for none); it
    // stands in for a missing stored one and is asked only when the editor is first wanted, so
    // that start-up waits for nothing. None given means none.
    Options(const QString &settingsFile, std::function<QString()> defaultTextEditor,
            QObject *parent = nullptr);

    // Start-up: each option as stored (the first three on for any stored number but 0, a stored
    // value other than 0 and 1 rewritten as 1; the multi-column menu on only for 1) and the
    // editors as stored.
    void load();

    bool isOn(Switch option) const { return m_switches[option]; }
    // Turns the option over and writes it when the stored number differs.
    void toggle(Switch option);

    // Internal paths; empty when none is set.
    QString editor(Editor editor);
    QString textEditor() { return editor(TextEditor); }
    QString mp3Editor() const { return m_editors[Mp3Editor]; }
    // SetEditor: the path held for the editor, not written.
    void setEditor(Editor editor, const QString &path);
    // A program chosen by the user: held and written.
    void chooseEditor(Editor editor, const QString &path);

signals:
    void switchChanged(Options::Switch option, bool on);
    void editorChanged(Options::Editor editor, const QString &path);
    void mp3EditorChanged(const QString &path);

private:
    QString m_settingsFile;
    std::array<bool, switchCount> m_switches{false, true, true, true};
    std::array<QString, 2> m_editors;
    std::function<QString()> m_defaultTextEditor;
    bool m_defaultPending = false; // the stored text editor is missing and not asked for yet
};
