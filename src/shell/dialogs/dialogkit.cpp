#include "shell/dialogs/dialogkit.h"

#include "version.h"

MessageResult dismissedResult(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageResult::Ok;
    case MessageButtons::AbortRetryIgnore:
        return MessageResult::Abort;
    case MessageButtons::YesNo:
        return MessageResult::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
    case MessageButtons::RetryCancel:
        break;
    }
    return MessageResult::Cancel;
}

QString htmlHelpFileFor(const QString &helpFile)
{
    if (helpFile.isEmpty())
        return QString();
    const qsizetype nameStart = helpFile.lastIndexOf(u'\\') + 1;
    const qsizetype dot = helpFile.lastIndexOf(u'.');
    const qsizetype baseEnd = dot > nameStart ? dot : helpFile.size();
    return helpFile.left(baseEnd) + QStringLiteral(".html");
}

MessageResult DialogKit::messageBox(const QString &text, MessageButtons buttons, MessageIcon icon,
                                    DefaultButton defaultButton, const QString &caption,
                                    int helpContext)
{
    const QString shownCaption = caption.isEmpty() ? QString::fromUtf8(version::title) : caption;
    return showMessageBox(text, buttons, icon, defaultButton, shownCaption, helpContext);
}

void DialogKit::setOpenResult(const QString &fileName, int filterIndex)
{
    m_fileName = fileName;
    m_filterIndex = filterIndex;
}
