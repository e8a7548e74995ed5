#include "shell/menu/menutext.h"

namespace shell {

QString literalMenuText(QStringView caption)
{
    QString text = caption.toString();
    text.replace(u'&', QStringLiteral("&&"));
    return text;
}

QString shownMenuText(QStringView menuText)
{
    QString text;
    text.reserve(menuText.size());
    for (qsizetype i = 0; i < menuText.size(); ++i) {
        if (menuText[i] != u'&') {
            text += menuText[i];
        } else if (i + 1 < menuText.size() && menuText[i + 1] == u'&') {
            text += u'&';
            ++i;
        }
    }
    return text;
}

} // namespace shell
