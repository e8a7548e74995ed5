// sonnalby-icons: writes the icon files of an install from the window icon's design:
// FOLDER/scalable/apps/NAME.svg and FOLDER/<size>x<size>/apps/NAME.png for each size given.
//
//   sonnalby-icons FOLDER NAME SIZE...

#include "app/window/icondesign.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The design's own square, the SVG's view box.
constexpr int designSide = 64;

bool writePng(const QString &folder, const QString &name, int size)
{
    const QString subfolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintProgramIcon(painter, size);
    painter.end();
    return QDir().mkpath(subfolder) && image.save(subfolder + u'/' + name + ".png", "PNG");
}

bool writeSvg(const QString &folder, const QString &name)
{
    const QString subfolder = folder + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(subfolder))
        return false;
    QSvgGenerator svg;
    svg.setFileName(subfolder + u'/' + name + ".svg");
    svg.setSize(QSize(designSide, designSide));
    svg.setViewBox(QRect(0, 0, designSide, designSide));
    svg.setTitle(name);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintProgramIcon(painter, designSide);
    return painter.end();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: sonnalby-icons FOLDER NAME SIZE...\n");
        return 2;
    }
    const QString folder = arguments[1];
    const QString name = arguments[2];
    bool written = writeSvg(folder, name);
    for (const QString &argument : arguments.mid(3)) {
        const int size = argument.toInt();
        written = size > 0 && writePng(folder, name, size) && written;
    }
    if (!written) {
        std::fprintf(stderr, "sonnalby-icons: cannot write the icons in %s\n", qPrintable(folder));
        return 1;
    }
    return 0;
}
