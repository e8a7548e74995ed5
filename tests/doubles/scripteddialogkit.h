#pragma once

#include "shell/dialogs/dialogkit.h"

#include <QList>
#include <QQueue>

#include <functional>
#include <utility>

// What a scripted dialog component was asked to do.
enum class DialogCallKind {
    SetInputMode,
    InputBox,
    SetFilter,
    SetFilterIndex,
    SetInitialFolder,
    SetFileName,
    SetDialogTitle,
    ShowOpen,
    SetHelpFile,
    ShowHelpContents,
    ShowHelpTopic,
    ShowWhatsThis,
    ClearButtons,
    AddButton,
    ShowButtonMessageBox,
    MessageBox,
};

// One recorded call. texts holds the text arguments in order; for ShowOpen the settings the
// dialog was shown with (filter, initial folder, file name, title) and number its filter index;
// for ShowButtonMessageBox the rich text and caption, with the button captions in buttons.
struct DialogCall {
    DialogCallKind kind = DialogCallKind::InputBox;
    QStringList texts;
    int number = 0;
    QStringList buttonCaptions;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    DefaultButton defaultButton = DefaultButton::First;
};

// A dialog component for tests: answers come from queues filled beforehand, and every call is
// recorded in order. With its queue empty a call still is recorded and gets the neutral answer:
// empty text, a cancelled Open dialog, the dismissed message box, button 0.
class ScriptedDialogKit : public DialogKit {
public:
    void queueInputBox(const QString &answer);
    // A confirmed Open dialog choosing fileName through choice filterIndex.
    void queueOpenConfirmed(const QString &fileName, int filterIndex);
    void queueOpenCancelled();
    void queueMessageBox(MessageResult answer);
    void queueButtonMessageBox(int buttonNumber);
    // Runs once, as the next input box or message box is shown, before it answers: what happens
    // while the user is being asked.
    void whileNextBoxOpen(std::function<void()> happening) { m_whileOpen = std::move(happening); }

    const QList<DialogCall> &calls() const { return m_calls; }
    // The recorded calls of one kind, in order.
    QList<DialogCall> callsOf(DialogCallKind kind) const;
    void clearCalls() { m_calls.clear(); }

    void setInputMode(int mode) override;
    QString inputBox(const QString &prompt, const QString &caption,
                     const QString &defaultText) override;
    void setFilter(const QString &filter) override;
    void setFilterIndex(int index) override;
    void setInitialFolder(const QString &folder) override;
    void setFileName(const QString &fileName) override;
    void setDialogTitle(const QString &title) override;
    int showOpen() override;
    void setHelpFile(const QString &helpFile) override;
    void showHelpContents() override;
    void showHelpTopic(int helpContext) override;
    void showWhatsThis(int helpContext) override;
    void clearButtons() override;
    void addButton(const QString &caption) override;
    int showButtonMessageBox(const QString &richText, const QString &caption,
                             MessageIcon icon) override;

protected:
    MessageResult showMessageBox(const QString &text, MessageButtons buttons, MessageIcon icon,
                                 DefaultButton defaultButton, const QString &caption,
                                 int helpContext) override;

private:
    struct OpenAnswer {
        bool confirmed = false;
        QString fileName;
        int filterIndex = 0;
    };

    void record(DialogCallKind kind, const QStringList &texts = {}, int number = 0);
    void runWhileOpen();

    QList<DialogCall> m_calls;
    QQueue<QString> m_inputAnswers;
    QQueue<OpenAnswer> m_openAnswers;
    QQueue<MessageResult> m_messageAnswers;
    QQueue<int> m_buttonAnswers;
    std::function<void()> m_whileOpen;
};
