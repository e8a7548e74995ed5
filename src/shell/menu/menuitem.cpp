#include "shell/menu/menuitem.h"

#include "shell/menu/shortcuttext.h"

#include <QAction>
#include <QFont>

namespace shell {

namespace {

constexpr char helpContextKey[] = "sonnalbyHelpContext";
constexpr char checkedKey[] = "sonnalbyChecked";
constexpr char checkGuardKey[] = "sonnalbyCheckGuard";
constexpr char headingKey[] = "sonnalbyHeading";

// Qt toggles a checkable entry when it is chosen; the program's own state is put back at once.
void guardCheckMark(QAction *action)
{
    if (action->property(checkGuardKey).toBool())
        return;
    action->setProperty(checkGuardKey, true);
    QObject::connect(action, &QAction::toggled, action, [action](bool checked) {
        const bool wanted = action->property(checkedKey).toBool();
        if (checked != wanted)
            action->setChecked(wanted);
    });
}

} // namespace

int menuItemHelpContext(const QAction *action)
{
    return action->property(helpContextKey).toInt();
}

void setMenuItemHelpContext(QAction *action, int helpContext)
{
    action->setProperty(helpContextKey, helpContext);
}

QString menuItemTag(const QAction *action)
{
    return action->data().toString();
}

void setMenuItemTag(QAction *action, const QString &tag)
{
    action->setData(tag);
}

bool isMenuItemChecked(const QAction *action)
{
    return action->property(checkedKey).toBool();
}

void setMenuItemChecked(QAction *action, bool checked)
{
    guardCheckMark(action);
    action->setProperty(checkedKey, checked);
    if (checked) {
        action->setCheckable(true);
        action->setChecked(true);
    } else {
        action->setChecked(false);
        action->setCheckable(false);
    }
}

void makeHeadingItem(QAction *action)
{
    QFont font = action->font();
    font.setBold(true);
    action->setFont(font);
    action->setEnabled(false);
    action->setProperty(headingKey, true);
}

bool isHeadingItem(const QAction *action)
{
    return action->property(headingKey).toBool();
}

void setShortcutText(QAction *action, const QString &text)
{
    action->setText(withShortcutText(action->text(), text));
}

} // namespace shell
