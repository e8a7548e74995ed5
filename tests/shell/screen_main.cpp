#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

// Tests that need the screen of a known size: the offscreen platform with one screen of
// SONNALBY_SCREEN_WIDTH x SONNALBY_SCREEN_HEIGHT, whatever the environment asks for.
int main(int argc, char **argv)
{
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(QStringLiteral(R"({"screens":[{"name":"Test","x":0,"y":0,"width":%1,)"
                                R"("height":%2,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                     .arg(SONNALBY_SCREEN_WIDTH)
                     .arg(SONNALBY_SCREEN_HEIGHT)
                     .toUtf8());
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
