#include "shell/actionitemarray.h"

#include "shell/menuitem.h"
#include "shell/menutext.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace shell {

namespace {

const QString separatorCaption = QStringLiteral("-");
// Qt disables a hidden entry and forgets the enabled state it was given: the array keeps it.
constexpr char enabledKey[] = "sonnalbyEnabled";

bool isItemEnabled(const QAction *action)
{
    const QVariant enabled = action->property(enabledKey);
    return enabled.isValid() ? enabled.toBool() : action->isEnabled();
}

void setDesignCaption(QAction *action, const QString &caption)
{
    if (caption == separatorCaption)
        action->setSeparator(true);
    else
        action->setText(caption);
}

} // namespace

ActionItemArray::ActionItemArray(QMenu *menu, const QString &name, const QString &caption,
                                 int helpContext)
    : QObject(menu), m_menu(menu)
{
    setObjectName(name);
    addDesignItem(caption, helpContext);
}

QAction *ActionItemArray::action(int index) const
{
    return contains(index) ? m_actions[index] : nullptr;
}

int ActionItemArray::indexOf(const QAction *action) const
{
    return int(m_actions.indexOf(action));
}

int ActionItemArray::addDesignItem(const QString &caption, int helpContext)
{
    const int index = count();
    QAction *action = createAction(index);
    setDesignCaption(action, caption);
    setMenuItemHelpContext(action, helpContext);
    return index;
}

MenuItemState ActionItemArray::item(int index) const
{
    const QAction *action = this->action(index);
    if (!action)
        return MenuItemState();
    MenuItemState state;
    state.caption = action->isSeparator() ? separatorCaption : shownMenuText(action->text());
    state.tag = menuItemTag(action);
    state.checked = isMenuItemChecked(action);
    state.visible = action->isVisible();
    state.enabled = isItemEnabled(action);
    state.helpContext = menuItemHelpContext(action);
    return state;
}

void ActionItemArray::setItem(int index, const MenuItemState &state)
{
    QAction *action = this->action(index);
    if (!action)
        return;
    if (state.caption != item(index).caption)
        action->setText(literalMenuText(state.caption));
    setMenuItemTag(action, state.tag);
    if (state.checked != isMenuItemChecked(action))
        setMenuItemChecked(action, state.checked);
    action->setProperty(enabledKey, state.enabled);
    action->setEnabled(state.enabled);
    action->setVisible(state.visible);
    setMenuItemHelpContext(action, state.helpContext);
}

int ActionItemArray::grow()
{
    const int index = count();
    QAction *action = createAction(index);
    setMenuItemHelpContext(action, helpContext(0));
    return index;
}

void ActionItemArray::shrink(int count)
{
    const int kept = std::max(count, 1);
    while (this->count() > kept) {
        QAction *last = m_actions.takeLast();
        m_menu->removeAction(last);
        delete last;
    }
}

QAction *ActionItemArray::createAction(int index)
{
    auto *action = new QAction(m_menu);
    action->setObjectName(name() + QString::number(index));
    QAction *before = nullptr;
    if (!m_actions.isEmpty()) {
        const QList<QAction *> entries = m_menu->actions();
        const qsizetype next = entries.indexOf(m_actions.constLast()) + 1;
        before = next < entries.size() ? entries[next] : nullptr;
    }
    m_menu->insertAction(before, action);
    m_actions.append(action);
    connect(action, &QAction::triggered, this, [this, index] { emit triggered(index); });
    return action;
}

} // namespace shell
