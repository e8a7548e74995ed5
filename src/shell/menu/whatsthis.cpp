#include "shell/menu/whatsthis.h"

#include "shell/menu/actionitemarray.h"
#include "shell/dialogs/dialogkit.h"
#include "shell/manual/helpcontext.h"
#include "shell/menu/menuitem.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

namespace shell {

namespace {

// More open menus than this cannot be: a guard against a menu that refuses to close.
constexpr int maximumMenuDepth = 32;

} // namespace

WhatsThis::WhatsThis(DialogKit &dialogKit, QMenuBar *menuBar, const QList<QMenu *> &menus,
                     QMenu *popup, QObject *parent)
    : QObject(parent), m_dialogKit(dialogKit), m_menuBar(menuBar), m_popup(popup)
{
    for (QMenu *menu : menus) {
        m_menus.append(menu);
        coverUnhandledCommands(menu);
    }
    // Dismissed without a choice: the flag would otherwise stop menu tracking for good. A choice
    // is handled before this runs.
    connect(popup, &QMenu::aboutToHide, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (m_contextHelpOpen) {
                m_contextHelpOpen = false;
                m_auxiliaryHelp = 0;
            }
        });
    });
}

WhatsThis::~WhatsThis()
{
    if (m_mode)
        leaveWhatsThisMode();
}

bool WhatsThis::whatsThisMenuCommand(QAction *action)
{
    if (m_armed < 0)
        return false;
    m_armed = -1;
    leaveMenuMode();
    showHelp(action ? menuItemHelpContext(action) : 0);
    return true;
}

void WhatsThis::connectCommand(QAction *action, std::function<void()> command)
{
    m_commands.append(action);
    connect(action, &QAction::triggered, this, [this, action, command] {
        if (!whatsThisMenuCommand(action))
            command();
    });
}

void WhatsThis::connectArray(ActionItemArray *array, std::function<void(int)> command)
{
    m_commandArrays.append(array);
    connect(array, &ActionItemArray::triggered, this, [this, array, command](int index) {
        if (!whatsThisMenuCommand(array->action(index)))
            command(index);
    });
}

void WhatsThis::enterWhatsThisMode()
{
    if (m_mode)
        return;
    m_mode = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    updateApplicationFilter();
}

void WhatsThis::leaveWhatsThisMode()
{
    m_mode = false;
    updateApplicationFilter();
    QApplication::restoreOverrideCursor();
}

// The application's events are watched only while the mode or a control's help waits for them.
void WhatsThis::updateApplicationFilter()
{
    if (m_mode || m_controlHelpPending)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

// An entry without a command of its own still passes through What's This: chosen from an armed
// menu it shows its help. Entries with a command are left to it, which runs after this.
void WhatsThis::coverUnhandledCommands(QMenu *menu)
{
    connect(menu, &QMenu::triggered, this, [this](QAction *action) {
        if (!hasCommand(action))
            whatsThisMenuCommand(action);
    });
    for (QAction *action : menu->actions()) {
        if (QMenu *submenu = action->menu())
            coverUnhandledCommands(submenu);
    }
}

bool WhatsThis::hasCommand(const QAction *action) const
{
    if (m_commands.contains(action))
        return true;
    for (const QPointer<ActionItemArray> &array : m_commandArrays) {
        if (array && array->indexOf(action) >= 0)
            return true;
    }
    return false;
}

void WhatsThis::useComponentHelpFile()
{
    m_applicationHelpFile = m_dialogKit.helpFile();
}

int WhatsThis::menuBarPosition(const QMenu *menu) const
{
    for (int i = 0; i < m_menus.size(); ++i) {
        if (menu && m_menus[i] == menu)
            return i;
    }
    return -1;
}

void WhatsThis::menuOpened(QMenu *menu)
{
    m_applicationHelpFile.clear();
    const int position = menuBarPosition(menu);
    if (m_mode && position >= 0) {
        m_armed = position;
        leaveWhatsThisMode();
    }
    if (m_armed >= 0)
        menu->setCursor(Qt::WhatsThisCursor);
    else
        menu->unsetCursor();
}

void WhatsThis::menuLoopEnded()
{
    m_armed = -1;
}

void WhatsThis::showHelp(int helpContext)
{
    m_auxiliaryHelp = helpContext;
    showAuxiliaryHelp();
}

void WhatsThis::showAuxiliaryHelp()
{
    if (m_auxiliaryHelp >= 1)
        m_dialogKit.showWhatsThis(m_auxiliaryHelp);
    m_auxiliaryHelp = 0;
    m_contextHelpOpen = false;
}

void WhatsThis::showControlHelpMenu(int helpContext)
{
    if (!m_popup)
        return;
    m_auxiliaryHelp = helpContext;
    m_contextHelpOpen = true;
    m_controlHelpPending = QGuiApplication::mouseButtons().testFlag(Qt::RightButton);
    if (m_controlHelpPending)
        updateApplicationFilter();
    else
        openControlHelpMenu();
}

void WhatsThis::openControlHelpMenu()
{
    m_controlHelpPending = false;
    updateApplicationFilter();
    if (m_popup)
        m_popup->popup(QCursor::pos());
}

void WhatsThis::leaveMenuMode()
{
    for (int depth = 0; depth < maximumMenuDepth; ++depth) {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        menu->close();
    }
}

bool WhatsThis::eventFilter(QObject *watched, QEvent *event)
{
    if (m_controlHelpPending && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        openControlHelpMenu();
        return true;
    }
    if (!m_mode)
        return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        leaveWhatsThisMode();
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress || isMenuWidget(watched))
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    leaveWhatsThisMode();
    showWidgetHelp(widget);
    return true;
}

bool WhatsThis::isMenuWidget(const QObject *object) const
{
    for (; object; object = object->parent()) {
        if (object == m_menuBar || qobject_cast<const QMenu *>(object))
            return true;
    }
    return false;
}

void WhatsThis::showWidgetHelp(QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (const int number = help::helpContextOf(widget->objectName())) {
            showHelp(number);
            return;
        }
    }
}

} // namespace shell
