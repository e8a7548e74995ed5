#pragma once

#include <QString>
#include <QStringList>

// Buttons, icons and answers of the program's plain message boxes.
enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MessageIcon { None, Critical, Question, Warning, Information, Application };
enum class DefaultButton { First, Second, Third };
enum class MessageResult { None, Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// The answer of a box that was dismissed rather than answered: Cancel where the box offers it,
// else No, Abort or Ok.
MessageResult dismissedResult(MessageButtons buttons);

// The help file that the component shows for the one the program names: the same folder and
// base name with the extension ".html". Empty stays empty.
QString htmlHelpFileFor(const QString &helpFile);

// The dialog component of the main window: text input, the Open dialog, help and message boxes.
// Every path given or returned is in the internal form ("\" between folders). The property
// values live here; implementations supply the dialogs.
class DialogKit {
public:
    virtual ~DialogKit() = default;

    // A hint before an input box or button message box; its values mean nothing to the program.
    virtual void setInputMode(int mode) { m_inputMode = mode; }
    int inputMode() const { return m_inputMode; }

    // Asks for a line of text; empty when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &caption,
                             const QString &defaultText) = 0;

    // The Open dialog's choices: "label|pattern|label|pattern|..."; the pattern "." chooses a
    // folder.
    virtual void setFilter(const QString &filter) { m_filter = filter; }
    QString filter() const { return m_filter; }
    // 1-based choice; 0 or out of range preselects the first. A confirmed dialog sets it.
    virtual void setFilterIndex(int index) { m_filterIndex = index; }
    int filterIndex() const { return m_filterIndex; }
    virtual void setInitialFolder(const QString &folder) { m_initialFolder = folder; }
    QString initialFolder() const { return m_initialFolder; }
    // Preset before, chosen path (a folder with the folder choice) after a confirmed dialog.
    virtual void setFileName(const QString &fileName) { m_fileName = fileName; }
    QString fileName() const { return m_fileName; }
    virtual void setDialogTitle(const QString &title) { m_dialogTitle = title; }
    QString dialogTitle() const { return m_dialogTitle; }
    // 1 when the user confirmed a choice, 0 otherwise; a cancelled dialog changes no property.
    virtual int showOpen() = 0;

    // Reading back gives the help file this component shows (see htmlHelpFileFor).
    virtual void setHelpFile(const QString &helpFile) { m_helpFile = htmlHelpFileFor(helpFile); }
    QString helpFile() const { return m_helpFile; }
    virtual void showHelpContents() = 0;
    // Shows the help file at the topic of the number (its contents for 0).
    virtual void showHelpTopic(int helpContext) = 0;
    // Shows the help file's topic for the number in a pop-up; nothing when it has none.
    virtual void showWhatsThis(int helpContext) = 0;

    // Buttons of the button message box, numbered from 1 in the order added.
    virtual void clearButtons() { m_buttons.clear(); }
    virtual void addButton(const QString &caption) { m_buttons.append(caption); }
    QStringList buttons() const { return m_buttons; }
    // Rich text (RTF or HTML); returns the chosen button's number, 0 when none was chosen.
    virtual int showButtonMessageBox(const QString &richText, const QString &caption,
                                     MessageIcon icon) = 0;

    // A plain message box; an empty caption gives the application title. A help context above
    // 0 adds a Help button that shows that topic and leaves the box open.
    MessageResult messageBox(const QString &text, MessageButtons buttons = MessageButtons::Ok,
                             MessageIcon icon = MessageIcon::None,
                             DefaultButton defaultButton = DefaultButton::First,
                             const QString &caption = QString(), int helpContext = 0);

protected:
    // Stores what a confirmed Open dialog chose.
    void setOpenResult(const QString &fileName, int filterIndex);
    // The message box itself, its caption settled.
    virtual MessageResult showMessageBox(const QString &text, MessageButtons buttons,
                                         MessageIcon icon, DefaultButton defaultButton,
                                         const QString &caption, int helpContext) = 0;

private:
    int m_inputMode = 0;
    QString m_filter;
    int m_filterIndex = 0;
    QString m_initialFolder;
    QString m_fileName;
    QString m_dialogTitle;
    QString m_helpFile;
    QStringList m_buttons;
};
