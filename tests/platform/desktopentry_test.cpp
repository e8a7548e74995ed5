#include "platform/desktopentry.h"
#include "platform/programinfo.h"
#include "platform/shellregistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

void writeFile(const QString &path, const QByteArray &bytes, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The desktop's folders and the PATH point into a temporary home for the test's time.
class DesktopTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "PATH"})
            saved.append(qgetenv(name));
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        qputenv("XDG_DATA_DIRS", home.filePath("system").toUtf8());
        qputenv("PATH", home.filePath("bin").toUtf8());
    }
    void TearDown() override
    {
        const char *names[] = {"XDG_DATA_HOME", "XDG_DATA_DIRS", "PATH"};
        for (int i = 0; i < 3; ++i)
            qputenv(names[i], saved[i]);
    }

    QTemporaryDir home;
    QList<QByteArray> saved;
};

const QByteArray templateEntry = "[Desktop Entry]\nType=Application\nName=Sonnalby\n"
                                 "Exec=sonnalby %f\nMimeType=audio/mpeg;\n";

} // namespace

TEST(DesktopEntry, TakesTheMainGroupsUnlocalisedKeys)
{
    const DesktopEntry entry = parseDesktopEntry(
        "# comment\n[Desktop Entry]\nName[de]=Texteditor\nName=Text\\sEditor\n"
        "Exec=\"/opt/my editor/run\" %U\nTryExec=run\n[Desktop Action new]\nName=New\n");
    EXPECT_EQ(entry.name, "Text Editor");
    EXPECT_EQ(entry.exec, "\"/opt/my editor/run\" %U");
    EXPECT_EQ(entry.tryExec, "run");
    EXPECT_EQ(execProgram(entry.exec), "/opt/my editor/run");
    EXPECT_TRUE(parseDesktopEntry("Name=outside any group\n").name.isEmpty());
}

TEST(DesktopEntry, TheProgramsEntryNamesThisCopyQuotedAndEscaped)
{
    const QString entry =
        desktopEntryFor(QString::fromUtf8(templateEntry), "/opt/a b/100%/sonnalby");
    EXPECT_EQ(entry, "[Desktop Entry]\nType=Application\nName=Sonnalby\n"
                     "Exec=\"/opt/a b/100%%/sonnalby\" %f\nTryExec=/opt/a b/100%/sonnalby\n"
                     "MimeType=audio/mpeg;\n");
}

TEST_F(DesktopTest, ACopiedProgramIsRegisteredOnceWithTheUsersDesktop)
{
    const QString program = home.filePath("copy/sonnalby");
    writeFile(program, "", true);
    writeFile(home.filePath("copy/sonnalby.desktop"), templateEntry);
    const QString written = home.filePath("data/applications/sonnalby.desktop");
    registerWithShell(program, "sonnalby.desktop");
    EXPECT_EQ(readFile(written),
              desktopEntryFor(QString::fromUtf8(templateEntry), program).toUtf8());
    const QDateTime modified = QFileInfo(written).lastModified();
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    file.setFileTime(modified.addSecs(-100), QFileDevice::FileModificationTime);
    file.close();
    registerWithShell(program, "sonnalby.desktop");
    EXPECT_EQ(QFileInfo(written).lastModified(), modified.addSecs(-100));
}

TEST_F(DesktopTest, TheBuildTreeAndAPrefixOnTheDesktopsDataPathAreNotRegistered)
{
    writeFile(home.filePath("build/sonnalby.desktop"), templateEntry);
    writeFile(home.filePath("build/CMakeCache.txt"), "");
    registerWithShell(home.filePath("build/sonnalby"), "sonnalby.desktop");
    writeFile(home.filePath("usr/share/applications/sonnalby.desktop"), templateEntry);
    qputenv("XDG_DATA_DIRS", home.filePath("usr/share").toUtf8());
    registerWithShell(home.filePath("usr/bin/sonnalby"), "sonnalby.desktop");
    EXPECT_FALSE(QFileInfo::exists(home.filePath("data/applications")));
}

// A portable copy would shadow the installed entry, and hide the program once deleted.
TEST_F(DesktopTest, APortableCopyLeavesAnInstalledEntryAlone)
{
    writeFile(home.filePath("system/applications/sonnalby.desktop"), templateEntry);
    const QString program = home.filePath("copy/sonnalby");
    writeFile(program, "", true);
    writeFile(home.filePath("copy/sonnalby.desktop"), templateEntry);
    registerWithShell(program, "sonnalby.desktop");
    EXPECT_FALSE(QFileInfo::exists(home.filePath("data/applications/sonnalby.desktop")));
}

TEST_F(DesktopTest, TheInstalledProgramRemovesAUserEntryOfADeletedCopy)
{
    const QString userEntry = home.filePath("data/applications/sonnalby.desktop");
    const QString installed = home.filePath("usr/bin/sonnalby");
    writeFile(home.filePath("usr/share/applications/sonnalby.desktop"), templateEntry);
    qputenv("XDG_DATA_DIRS", home.filePath("usr/share").toUtf8());
    // An entry of a copy that still exists stays; one of a deleted copy goes.
    const QString copy = home.filePath("copy/sonnalby");
    writeFile(copy, "", true);
    writeFile(userEntry, desktopEntryFor(QString::fromUtf8(templateEntry), copy).toUtf8());
    registerWithShell(installed, "sonnalby.desktop");
    EXPECT_TRUE(QFileInfo::exists(userEntry));
    QFile::remove(copy);
    registerWithShell(installed, "sonnalby.desktop");
    EXPECT_FALSE(QFileInfo::exists(userEntry));
}

TEST_F(DesktopTest, APrefixTheDesktopDoesNotReadIsRegisteredFromItsOwnEntry)
{
    const QString program = home.filePath("opt/bin/sonnalby");
    writeFile(program, "", true);
    writeFile(home.filePath("opt/share/applications/sonnalby.desktop"), templateEntry);
    registerWithShell(program, "sonnalby.desktop");
    EXPECT_EQ(readFile(home.filePath("data/applications/sonnalby.desktop")),
              desktopEntryFor(QString::fromUtf8(templateEntry), program).toUtf8());
}

TEST_F(DesktopTest, AProgramIsNamedByTheFirstEntryThatStartsIt)
{
    const QString editor = home.filePath("bin/ed-it");
    writeFile(editor, "", true);
    writeFile(home.filePath("system/applications/a.desktop"),
              "[Desktop Entry]\nName=Other\nExec=other %f\n");
    writeFile(home.filePath("system/applications/b.desktop"),
              "[Desktop Entry]\nName=Editing\nExec=ed-it %f\n");
    writeFile(home.filePath("data/applications/c.desktop"),
              "[Desktop Entry]\nName=Mine\nTryExec=" + editor.toUtf8() + "\nExec=x\n");
    EXPECT_EQ(programDescription(editor), "Mine");
    QFile::remove(home.filePath("data/applications/c.desktop"));
    EXPECT_EQ(programDescription(editor), "Editing");
    EXPECT_EQ(programDescription(home.filePath("bin/missing")), "");
}

TEST_F(DesktopTest, WithoutTheDesktopsChoiceTheFirstCommonEditorOnThePathIsTaken)
{
    EXPECT_EQ(defaultTextEditor(), "");
    writeFile(home.filePath("bin/mousepad"), "", true);
    writeFile(home.filePath("bin/gedit"), "", true);
    EXPECT_EQ(defaultTextEditor(), home.filePath("bin/gedit"));
}

TEST_F(DesktopTest, TheDesktopsChoiceForPlainTextComesFirst)
{
    writeFile(home.filePath("bin/gedit"), "", true);
    writeFile(home.filePath("bin/notes"), "", true);
    writeFile(home.filePath("bin/xdg-mime"), "#!/bin/sh\necho org.example.Notes.desktop\n", true);
    writeFile(home.filePath("system/applications/org.example.Notes.desktop"),
              "[Desktop Entry]\nName=Notes\nExec=notes %U\n");
    EXPECT_EQ(defaultTextEditor(), home.filePath("bin/notes"));
}
