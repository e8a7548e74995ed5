#include "platform/resourcefolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Which folders of a prefix hold the manual, and where the program finds its resources.
struct Layout {
    bool besideProgram;
    bool inShare;
    const char *expected; // relative to the prefix
    bool installed;
};

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly);
}

} // namespace

TEST(ResourceFolder, BesideTheProgramFirstThenTheSharedFolderOfItsPrefix)
{
    for (const Layout &layout :
         {Layout{true, true, "bin", false}, Layout{false, true, "share/sonnalby", true},
          Layout{true, false, "bin", false}, Layout{false, false, "bin", false}}) {
        QTemporaryDir prefix;
        if (layout.besideProgram)
            touch(prefix.filePath("bin/sonnalby.html"));
        if (layout.inShare)
            touch(prefix.filePath("share/sonnalby/sonnalby.html"));
        const QString program = prefix.filePath("bin");
        EXPECT_EQ(platform::resourceFolder(program, "sonnalby"),
                  QDir::toNativeSeparators(prefix.filePath(layout.expected)))
            << layout.besideProgram << layout.inShare;
        EXPECT_EQ(platform::isInstalledProgram(program, "sonnalby"), layout.installed);
    }
}

TEST(ResourceFolder, AFolderOfThatNameIsNoManual)
{
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("bin/sonnalby.html");
    QDir(prefix.path()).mkpath("share/sonnalby/sonnalby.html");
    EXPECT_EQ(platform::resourceFolder(prefix.filePath("bin"), "sonnalby"),
              QDir::toNativeSeparators(prefix.filePath("bin")));
}
