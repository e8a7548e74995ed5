#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

// Tests that need the screen of a known size: the offscreen platform with one 1920 x 1080
// screen, whatever the environment asks for.
int main(int argc, char **argv)
{
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(R"({"screens":[{"name":"FullHd","x":0,"y":0,"width":1920,"height":1080,)"
                 R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
