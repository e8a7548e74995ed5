#include "../album/qstringprint.h"
#include "app/program/settingspath.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char programFolderVariable[] = "SONNALBY_TEST_PROGRAM_FOLDER";
constexpr char configurationFolderVariable[] = "SONNALBY_TEST_CONFIGURATION_FOLDER";

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Why the checks as "nobody" cannot run here, or empty text when they can.
QString whyNoUnprivilegedRun()
{
    if (geteuid() != 0)
        return "switching to the user nobody needs root";
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        return "setpriv is missing";
    if (!getpwnam("nobody") || !getgrnam("nogroup"))
        return "the user nobody or the group nogroup is missing";
    return {};
}

} // namespace

TEST(SettingsPath, AWritableProgramFolderHoldsTheFileAndKeepsNothingElse)
{
    QTemporaryDir program;
    QTemporaryDir configuration;
    const QString path = settingsFilePath(program.path(), "sonnalby", configuration.path());
    EXPECT_EQ(path, platform::fromNativePath(program.filePath("sonnalby.dat")));
    EXPECT_TRUE(entriesOf(program.path()).isEmpty());
    EXPECT_TRUE(entriesOf(configuration.path()).isEmpty());
}

TEST(SettingsPath, AnInstalledProgramUsesTheConfigurationFolderEvenWhereItMayWrite)
{
    QTemporaryDir prefix;
    QTemporaryDir configuration;
    QDir(prefix.path()).mkpath("bin");
    QDir(prefix.path()).mkpath("share/sonnalby");
    writeFile(prefix.filePath("share/sonnalby/sonnalby.html"), "<html></html>");
    const QString path = settingsFilePath(prefix.filePath("bin"), "sonnalby", configuration.path());
    EXPECT_EQ(path, platform::fromNativePath(configuration.filePath("sonnalby.dat")));
    EXPECT_TRUE(entriesOf(prefix.filePath("bin")).isEmpty());
}

// Run by the test below as the user nobody, who cannot write in the program's folder.
TEST(AsNobody, DISABLED_UsesTheConfigurationFolder)
{
    const QString program = qEnvironmentVariable(programFolderVariable);
    const QString configuration = qEnvironmentVariable(configurationFolderVariable);
    ASSERT_FALSE(program.isEmpty());
    const QString path = settingsFilePath(program, "sonnalby", configuration);
    const QString expected = QDir(configuration).filePath("sonnalby.dat");
    EXPECT_EQ(path, platform::fromNativePath(expected));
    EXPECT_EQ(readFile(expected), "[fwMain]\r\nmOptionOnTop=1\r\n");
    QFile copy(expected);
    EXPECT_TRUE(copy.open(QIODevice::ReadWrite));
    copy.close();

    // A later start keeps the copy that holds the changes.
    writeFile(expected, "[fwMain]\r\nmOptionOnTop=0\r\n");
    EXPECT_EQ(settingsFilePath(program, "sonnalby", configuration), path);
    EXPECT_EQ(readFile(expected), "[fwMain]\r\nmOptionOnTop=0\r\n");
}

TEST(SettingsPath, AProgramFolderNobodyCanWriteSendsTheFileToTheConfigurationFolder)
{
    const QString reason = whyNoUnprivilegedRun();
    if (!reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    QTemporaryDir program;
    QTemporaryDir home;
    ASSERT_EQ(::chmod(QFile::encodeName(program.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(home.path()).constData(), 0777), 0);
    writeFile(program.filePath("sonnalby.dat"), "[fwMain]\r\nmOptionOnTop=1\r\n");
    const QString configuration = home.filePath("config/Quorvel/Sonnalby");

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(programFolderVariable, program.path());
    environment.insert(configurationFolderVariable, configuration);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start("setpriv",
                {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                 QCoreApplication::applicationFilePath(), "--gtest_also_run_disabled_tests",
                 "--gtest_filter=AsNobody.DISABLED_UsesTheConfigurationFolder"});
    ASSERT_TRUE(child.waitForFinished(300000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
    EXPECT_EQ(entriesOf(program.path()), QStringList({"sonnalby.dat"}));
    EXPECT_EQ(readFile(program.filePath("sonnalby.dat")), "[fwMain]\r\nmOptionOnTop=1\r\n");
}
