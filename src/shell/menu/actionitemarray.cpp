#include "shell/menu/actionitemarray.h"

#include "shell/menu/menuitem.h"
#include "shell/menu/menutext.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <utility>

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

// The state on an entry whose caption is already the state's or is to be replaced.
void applyState(QAction *action, const MenuItemState &state, bool setCaption)
{
    if (setCaption)
        action->setText(literalMenuText(state.caption));
    setMenuItemTag(action, state.tag);
    if (state.checked != isMenuItemChecked(action))
        setMenuItemChecked(action, state.checked);
    action->setProperty(enabledKey, state.enabled);
    action->setEnabled(state.enabled);
    action->setVisible(state.visible);
    setMenuItemHelpContext(action, state.helpContext);
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

void ActionItemArray::deferEntries()
{
    if (m_defers)
        return;
    m_defers = true;
    connect(m_menu, &QMenu::aboutToShow, this, &ActionItemArray::createDeferredEntries);
}

QAction *ActionItemArray::action(int index) const
{
    if (!contains(index))
        return nullptr;
    createDeferredEntries();
    return m_actions[index];
}

void ActionItemArray::createDeferredEntries() const
{
    if (m_deferred.empty())
        return;
    const std::vector<std::optional<MenuItemState>> deferred = std::exchange(m_deferred, {});
    QList<QAction *> created;
    created.reserve(qsizetype(deferred.size()));
    for (const std::optional<MenuItemState> &described : deferred) {
        const int index = int(m_actions.size());
        const MenuItemState state = described ? *described : m_describe(index);
        QAction *action = newAction(index);
        applyState(action, state, !state.caption.isEmpty());
        m_actions.append(action);
        created.append(action);
    }
    // One pass over the menu's entries for all of them.
    m_menu->insertActions(entryAfterLast(created.size()), created);
}

int ActionItemArray::indexOf(const QAction *action) const
{
    return int(m_actions.indexOf(action));
}

void ActionItemArray::describeItems(std::function<MenuItemState(int)> describe)
{
    for (int index = 0; index < m_actions.size(); ++index)
        setItem(index, describe(index));
    std::fill(m_deferred.begin(), m_deferred.end(), std::nullopt);
    m_describe = std::move(describe);
}

int ActionItemArray::addDesignItem(const QString &caption, int helpContext)
{
    createDeferredEntries();
    const int index = count();
    QAction *action = newAction(index);
    m_menu->insertAction(entryAfterLast(0), action);
    m_actions.append(action);
    setDesignCaption(action, caption);
    setMenuItemHelpContext(action, helpContext);
    return index;
}

int ActionItemArray::count() const
{
    return int(m_actions.size() + qsizetype(m_deferred.size()));
}

MenuItemState ActionItemArray::item(int index) const
{
    if (!contains(index))
        return MenuItemState();
    if (index >= m_actions.size())
        return deferredState(index);
    const QAction *action = m_actions[index];
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
    if (!contains(index))
        return;
    if (index >= m_actions.size()) {
        m_deferred[std::size_t(index - m_actions.size())] = state;
        return;
    }
    applyState(m_actions[index], state, state.caption != item(index).caption);
}

int ActionItemArray::grow()
{
    const int index = count();
    MenuItemState state;
    state.helpContext = helpContext(0);
    if (m_defers) {
        m_deferred.push_back(state);
        return index;
    }
    QAction *action = newAction(index);
    setMenuItemHelpContext(action, state.helpContext);
    m_menu->insertAction(entryAfterLast(0), action);
    m_actions.append(action);
    return index;
}

void ActionItemArray::shrink(int count)
{
    const int kept = std::max(count, 1);
    while (this->count() > kept && !m_deferred.empty())
        m_deferred.pop_back();
    while (this->count() > kept) {
        QAction *last = m_actions.takeLast();
        m_menu->removeAction(last);
        delete last;
    }
}

const MenuItemState &ActionItemArray::deferredState(int index) const
{
    std::optional<MenuItemState> &state = m_deferred[std::size_t(index - m_actions.size())];
    if (!state)
        state = m_describe(index);
    return *state;
}

QAction *ActionItemArray::newAction(int index) const
{
    auto *action = new QAction(m_menu);
    action->setObjectName(name() + QString::number(index));
    // Entries are made lazily from const accessors; the array itself is never const.
    auto *array = const_cast<ActionItemArray *>(this);
    connect(action, &QAction::triggered, array, [array, index] { emit array->triggered(index); });
    return action;
}

QAction *ActionItemArray::entryAfterLast(qsizetype notInMenu) const
{
    const qsizetype inMenu = m_actions.size() - notInMenu;
    if (inMenu <= 0)
        return nullptr;
    const QList<QAction *> entries = m_menu->actions();
    const qsizetype next = entries.indexOf(m_actions[inMenu - 1]) + 1;
    return next < entries.size() ? entries[next] : nullptr;
}

} // namespace shell
