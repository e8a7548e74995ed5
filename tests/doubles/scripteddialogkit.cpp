#include "doubles/scripteddialogkit.h"

void ScriptedDialogKit::queueInputBox(const QString &answer)
{
    m_inputAnswers.enqueue(answer);
}

void ScriptedDialogKit::queueOpenConfirmed(const QString &fileName, int filterIndex)
{
    m_openAnswers.enqueue({true, fileName, filterIndex});
}

void ScriptedDialogKit::queueOpenCancelled()
{
    m_openAnswers.enqueue({});
}

void ScriptedDialogKit::queueMessageBox(MessageResult answer)
{
    m_messageAnswers.enqueue(answer);
}

void ScriptedDialogKit::queueButtonMessageBox(int buttonNumber)
{
    m_buttonAnswers.enqueue(buttonNumber);
}

QList<DialogCall> ScriptedDialogKit::callsOf(DialogCallKind kind) const
{
    QList<DialogCall> result;
    for (const DialogCall &call : m_calls) {
        if (call.kind == kind)
            result.append(call);
    }
    return result;
}

void ScriptedDialogKit::record(DialogCallKind kind, const QStringList &texts, int number)
{
    DialogCall call;
    call.kind = kind;
    call.texts = texts;
    call.number = number;
    m_calls.append(call);
}

void ScriptedDialogKit::setInputMode(int mode)
{
    record(DialogCallKind::SetInputMode, {}, mode);
    DialogKit::setInputMode(mode);
}

QString ScriptedDialogKit::inputBox(const QString &prompt, const QString &caption,
                                    const QString &defaultText)
{
    record(DialogCallKind::InputBox, {prompt, caption, defaultText});
    runWhileOpen();
    return m_inputAnswers.isEmpty() ? QString() : m_inputAnswers.dequeue();
}

void ScriptedDialogKit::runWhileOpen()
{
    if (m_whileOpen)
        std::exchange(m_whileOpen, nullptr)();
}

void ScriptedDialogKit::setFilter(const QString &filter)
{
    record(DialogCallKind::SetFilter, {filter});
    DialogKit::setFilter(filter);
}

void ScriptedDialogKit::setFilterIndex(int index)
{
    record(DialogCallKind::SetFilterIndex, {}, index);
    DialogKit::setFilterIndex(index);
}

void ScriptedDialogKit::setInitialFolder(const QString &folder)
{
    record(DialogCallKind::SetInitialFolder, {folder});
    DialogKit::setInitialFolder(folder);
}

void ScriptedDialogKit::setFileName(const QString &fileName)
{
    record(DialogCallKind::SetFileName, {fileName});
    DialogKit::setFileName(fileName);
}

void ScriptedDialogKit::setDialogTitle(const QString &title)
{
    record(DialogCallKind::SetDialogTitle, {title});
    DialogKit::setDialogTitle(title);
}

int ScriptedDialogKit::showOpen()
{
    record(DialogCallKind::ShowOpen, {filter(), initialFolder(), fileName(), dialogTitle()},
           filterIndex());
    if (m_openAnswers.isEmpty())
        return 0;
    const OpenAnswer answer = m_openAnswers.dequeue();
    if (!answer.confirmed)
        return 0;
    setOpenResult(answer.fileName, answer.filterIndex);
    return 1;
}

void ScriptedDialogKit::setHelpFile(const QString &helpFile)
{
    record(DialogCallKind::SetHelpFile, {helpFile});
    DialogKit::setHelpFile(helpFile);
}

void ScriptedDialogKit::showHelpContents()
{
    record(DialogCallKind::ShowHelpContents, {helpFile()});
}

void ScriptedDialogKit::showHelpTopic(int helpContext)
{
    record(DialogCallKind::ShowHelpTopic, {helpFile()}, helpContext);
}

void ScriptedDialogKit::showWhatsThis(int helpContext)
{
    record(DialogCallKind::ShowWhatsThis, {helpFile()}, helpContext);
}

void ScriptedDialogKit::clearButtons()
{
    record(DialogCallKind::ClearButtons);
    DialogKit::clearButtons();
}

void ScriptedDialogKit::addButton(const QString &caption)
{
    record(DialogCallKind::AddButton, {caption});
    DialogKit::addButton(caption);
}

int ScriptedDialogKit::showButtonMessageBox(const QString &richText, const QString &caption,
                                            MessageIcon icon)
{
    record(DialogCallKind::ShowButtonMessageBox, {richText, caption});
    m_calls.last().buttonCaptions = buttons();
    m_calls.last().icon = icon;
    if (m_buttonAnswers.isEmpty())
        return 0;
    return m_buttonAnswers.dequeue();
}

MessageResult ScriptedDialogKit::showMessageBox(const QString &text, MessageButtons buttons,
                                                MessageIcon icon, DefaultButton defaultButton,
                                                const QString &caption, int helpContext)
{
    record(DialogCallKind::MessageBox, {text, caption}, helpContext);
    m_calls.last().buttons = buttons;
    m_calls.last().icon = icon;
    m_calls.last().defaultButton = defaultButton;
    runWhileOpen();
    if (m_messageAnswers.isEmpty())
        return dismissedResult(buttons);
    return m_messageAnswers.dequeue();
}
