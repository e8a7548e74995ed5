// The least any Qt and libmpv player can cost at start-up: an empty main window with a menu bar
// and an idle libmpv handle with no sound output, shown and left running until it is ended.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <mpv/client.h>

#include <clocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle *mpv = mpv_create();
    if (mpv) {
        mpv_set_option_string(mpv, "ao", "null");
        mpv_set_option_string(mpv, "idle", "yes");
        mpv_initialize(mpv);
    }
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.resize(480, 100);
    window.show();
    const int status = app.exec();
    if (mpv)
        mpv_terminate_destroy(mpv);
    return status;
}
