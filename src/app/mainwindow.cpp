#include "app/mainwindow.h"

#include "app/albummenu.h"
#include "app/windowicon.h"
#include "settings/settingsstore.h"
#include "shell/dialogkit.h"
#include "shell/menucolumnlayout.h"
#include "shell/menuhook.h"
#include "shell/menustyle.h"
#include "shell/qtdialogkit.h"
#include "shell/whatsthis.h"
#include "version.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>

MainWindow::MainWindow(const MainWindowSetup &setup, QWidget *parent)
    : QMainWindow(parent),
      m_ownDialogKit(setup.dialogKit ? nullptr : std::make_unique<QtDialogKit>(this)),
      m_dialogKit(setup.dialogKit ? *setup.dialogKit : *m_ownDialogKit), m_player(setup.player),
      m_settingsFile(setup.settingsFile)
{
    setObjectName("fwMain");
    setWindowTitle(QString::fromLatin1(version::title));
    setWindowIcon(drawWindowIcon());
    // Text measured in the window's font then has the width it has in a menu.
    setFont(QApplication::font("QMenu"));
    const QFontMetrics metrics = fontMetrics();
    m_monthNames = album::buildMonthNames(
        QLocale(), [&metrics](const QString &text) { return metrics.horizontalAdvance(text); });

    m_menus = buildMenuTree(menuBar(), this);
    applyMenuStyle();
    m_whatsThis =
        new shell::WhatsThis(m_dialogKit, menuBar(), m_menus.barTable(), m_menus.popup, this);
    m_menuHook = new shell::MenuHook(*m_whatsThis, m_menus.barTable(), m_menus.arrays(), this);
    m_albumMenu = std::make_unique<AlbumMenu>(
        AlbumMenu::Entries{m_menus.fileList, m_menus.fileRemoveList, m_menus.fileListSeparator,
                           menuItem("mFileRemove")},
        m_monthNames);
    m_albumMenu->showAlbumList(album::AlbumList());
    applyHelpFile(setup.helpFile);
    connectHelpCommands();
    resize(480, minimumSizeHint().height());
}

MainWindow::~MainWindow() = default;

void MainWindow::setControlStrip(QWidget *strip)
{
    setCentralWidget(strip);
}

QAction *MainWindow::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

shell::MenuColumns MainWindow::arrangeRecordMenu(bool enabled)
{
    return m_recordColumns->arrange(enabled, *this);
}

void MainWindow::showControlHelpMenu(int helpContext)
{
    m_whatsThis->showControlHelpMenu(helpContext);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    emit closing();
    QMainWindow::closeEvent(event);
}

void MainWindow::applyMenuStyle()
{
    m_menuStyle = new shell::MenuStyle(true, this);
    for (QMenu *menu : m_menus.allMenus())
        menu->setStyle(m_menuStyle);
    m_recordColumns = new shell::MenuColumnLayout(*m_menus.recordList, this);
}

// The dialog component names the help file it shows; Help Topics and the pop-up's What's This
// are offered only when that file exists.
void MainWindow::applyHelpFile(const QString &helpFile)
{
    if (!helpFile.isEmpty())
        m_dialogKit.setHelpFile(helpFile);
    const bool exists =
        !m_dialogKit.helpFile().isEmpty() && settings::fileExists(m_dialogKit.helpFile());
    menuItem("mHelpTopics")->setEnabled(exists);
    menuItem("mPopupWhatsThis")->setEnabled(exists);
}

void MainWindow::connectHelpCommands()
{
    m_whatsThis->connectCommand(menuItem("mHelpWhatsThis"),
                                [this] { m_whatsThis->enterWhatsThisMode(); });
    QAction *popupWhatsThis = menuItem("mPopupWhatsThis");
    m_whatsThis->connectCommand(popupWhatsThis, [this, popupWhatsThis] {
        if (popupWhatsThis->isEnabled())
            m_whatsThis->showAuxiliaryHelp();
    });
}
