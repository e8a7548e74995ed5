#include "shell/manual/helpwindow.h"

#include "platform/paths.h"
#include "shell/manual/helptopic.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace shell {

HelpWindow::HelpWindow(QWidget *parent) : QMainWindow(parent), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("fwHelp"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_browser->setOpenExternalLinks(true);
    m_browser->setAccessibleName(tr("Manual"));
    setCentralWidget(m_browser);

    QToolBar *tools = addToolBar(tr("Navigation"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QStyle *style = QApplication::style();
    QAction *back = tools->addAction(style->standardIcon(QStyle::SP_ArrowBack), tr("&Back"),
                                     m_browser, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction *forward = tools->addAction(style->standardIcon(QStyle::SP_ArrowForward),
                                        tr("&Forward"), m_browser, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    tools->addAction(style->standardIcon(QStyle::SP_DirHomeIcon), tr("&Contents"), m_browser,
                     &QTextBrowser::home);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(m_browser->documentTitle()); });
    resize(640, 560);
}

bool HelpWindow::showManual(const QString &helpFile, int helpContext)
{
    const QFileInfo file(platform::toNativePath(helpFile));
    if (helpFile.isEmpty() || !file.isFile() || !file.isReadable() || file.size() > maxHelpFileSize)
        return false;
    QUrl address = QUrl::fromLocalFile(file.absoluteFilePath());
    if (helpContext > 0)
        address.setFragment(QStringLiteral("h%1").arg(helpContext));
    m_browser->setSource(address);
    show();
    raise();
    activateWindow();
    return true;
}

} // namespace shell
