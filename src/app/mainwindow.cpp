#include "app/mainwindow.h"

#include "version.h"

#include <QMenuBar>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("fwMain");
    setWindowTitle(QString::fromLatin1(version::title));
    addBarMenu("mFile", tr("&File"));
    addBarMenu("mView", tr("&View"));
    addBarMenu("mRecord", tr("&Record"));
    addBarMenu("mBookmark", tr("&Bookmark"));
    addBarMenu("mProfile", tr("&Profile"));
    addBarMenu("mOption", tr("&Option"));
    addBarMenu("mHelp", tr("&Help"));
    resize(480, 120);
}

QMenu *MainWindow::addBarMenu(const char *name, const QString &caption)
{
    QMenu *menu = menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}
