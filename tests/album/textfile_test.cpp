#include "album/textfile.h"

#include "platform/codepage.h"
#include "platform/fileattributes.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDateTime>
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

using album::readTextFile;
using album::TextWriteOptions;
using album::writeTextFile;

namespace {

class TextFileTest : public testing::Test {
protected:
    void TearDown() override { platform::setAnsiCodePage(0); }

    QString native(const QString &name) const { return m_dir.filePath(name); }
    QString path(const QString &name) const { return platform::fromNativePath(native(name)); }

    QByteArray content(const QString &name) const
    {
        QFile file(native(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void put(const QString &name, const QByteArray &bytes) const
    {
        QFile file(native(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // Moves the file's access and modification times an hour back.
    QDateTime ageFile(const QString &name) const
    {
        const QDateTime old = QDateTime::currentDateTime().addSecs(-3600).addMSecs(-250);
        QFile file(native(name));
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
        EXPECT_TRUE(file.setFileTime(old, QFileDevice::FileAccessTime));
        return QFileInfo(native(name)).lastModified();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TextFileTest, ReadsTheWholeFileInTheAnsiCodePage)
{
    platform::setAnsiCodePage(1252);
    put("a.txt", "caf\xE9\r\nline 2\r\n");
    EXPECT_EQ(readTextFile(path("a.txt")), QString::fromUtf8("caf\u00E9\r\nline 2\r\n"));
}

TEST_F(TextFileTest, MissingFolderOrEmptyPathReadsEmpty)
{
    EXPECT_EQ(readTextFile(path("missing.txt")), "");
    EXPECT_EQ(readTextFile(platform::fromNativePath(m_dir.path())), "");
    EXPECT_EQ(readTextFile(QString()), "");
}

TEST_F(TextFileTest, OversizedFileReadsEmpty)
{
    put("big.txt", QByteArray(album::maxTextFileSize + 1, 'x'));
    EXPECT_EQ(readTextFile(path("big.txt")), "");
    put("fits.txt", QByteArray(album::maxTextFileSize, 'x'));
    EXPECT_EQ(readTextFile(path("fits.txt")).size(), album::maxTextFileSize);
}

TEST_F(TextFileTest, WritesAnsiWithoutOneTrailingLineEnd)
{
    platform::setAnsiCodePage(1252);
    ASSERT_TRUE(writeTextFile(path("a.txt"), QString::fromUtf8("caf\u00E9 \u0416\r\nx\r\n")));
    EXPECT_EQ(content("a.txt"), "caf\xE9 ?\r\nx");
    ASSERT_TRUE(writeTextFile(path("b.txt"), "x\r\n\r\n"));
    EXPECT_EQ(content("b.txt"), "x\r\n");
    ASSERT_TRUE(writeTextFile(path("c.txt"), "x\n\n"));
    EXPECT_EQ(content("c.txt"), "x\n");
    ASSERT_TRUE(writeTextFile(path("d.txt"), "x\r\n\n"));
    EXPECT_EQ(content("d.txt"), "x\r\n");
    ASSERT_TRUE(writeTextFile(path("e.txt"), "x\r"));
    EXPECT_EQ(content("e.txt"), "x\r");
}

TEST_F(TextFileTest, ReplacesAnExistingFileWhole)
{
    put("a.txt", "a much longer old content");
    ASSERT_TRUE(writeTextFile(path("a.txt"), "new"));
    EXPECT_EQ(content("a.txt"), "new");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
}

TEST_F(TextFileTest, CreatesMissingFolders)
{
    ASSERT_TRUE(writeTextFile(path("x/y/z/a.txt"), "t"));
    EXPECT_EQ(content("x/y/z/a.txt"), "t");
}

TEST_F(TextFileTest, FailsWithoutTouchingAnything)
{
    EXPECT_FALSE(writeTextFile(QString(), "t"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    EXPECT_FALSE(writeTextFile(path("folder"), "t"));
    EXPECT_TRUE(QFileInfo(native("folder")).isDir());
    put("file", "x");
    EXPECT_FALSE(writeTextFile(path("file/a.txt"), "t"));
    EXPECT_EQ(content("file"), "x");
}

TEST_F(TextFileTest, CompareFirstLeavesAnEqualFileUntouched)
{
    put("a.txt", "same\r\ntext");
    const QDateTime before = ageFile("a.txt");
    const auto inode = QFileInfo(native("a.txt")).fileTime(QFileDevice::FileMetadataChangeTime);

    ASSERT_TRUE(writeTextFile(path("a.txt"), "same\r\ntext\r\n", {.compareFirst = true}));
    EXPECT_EQ(QFileInfo(native("a.txt")).lastModified(), before);
    EXPECT_EQ(QFileInfo(native("a.txt")).fileTime(QFileDevice::FileMetadataChangeTime), inode);

    ASSERT_TRUE(writeTextFile(path("a.txt"), "other", {.compareFirst = true}));
    EXPECT_EQ(content("a.txt"), "other");
    EXPECT_NE(QFileInfo(native("a.txt")).lastModified(), before);
}

TEST_F(TextFileTest, WithoutCompareFirstAnEqualFileIsRewritten)
{
    put("a.txt", "same");
    const QDateTime before = ageFile("a.txt");
    ASSERT_TRUE(writeTextFile(path("a.txt"), "same"));
    EXPECT_NE(QFileInfo(native("a.txt")).lastModified(), before);
}

TEST_F(TextFileTest, KeepTimesPutsTheOldTimesBack)
{
    put("a.txt", "old");
    const QDateTime before = ageFile("a.txt");
    ASSERT_TRUE(writeTextFile(path("a.txt"), "new", {.keepTimes = true}));
    EXPECT_EQ(QFileInfo(native("a.txt")).lastModified(), before);
    EXPECT_EQ(QFileInfo(native("a.txt")).lastRead(), before);
    EXPECT_EQ(content("a.txt"), "new");
}

TEST_F(TextFileTest, KeepTimesOnANewFileWritesIt)
{
    ASSERT_TRUE(writeTextFile(path("a.txt"), "new", {.keepTimes = true}));
    EXPECT_EQ(content("a.txt"), "new");
}

TEST_F(TextFileTest, AttributesAreKept)
{
    put("a.txt", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(native("a.txt")).constData(), 0444), 0);
    ASSERT_TRUE(writeTextFile(path("a.txt"), "new"));
    EXPECT_EQ(content("a.txt"), "new");
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(native("a.txt")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, mode_t(0444));
}

// Permissions never bite root: the read-only write runs again in a copy of this program as
// "nobody", as one disabled test that only the enabled one starts.
namespace {

constexpr char childFileVariable[] = "SONNALBY_TEST_TEXT_FILE";

// Why the check as "nobody" cannot run here, or empty text when it can.
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

TEST(TextFileAsNobody, ReadOnlyFileIsRewrittenAndStaysReadOnly)
{
    const QString reason = whyNoUnprivilegedRun();
    if (!reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    QTemporaryDir dir;
    const QString native = dir.filePath("index.wpl");
    {
        QFile file(native);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    const passwd *user = getpwnam("nobody");
    const group *grp = getgrnam("nogroup");
    for (const QString &owned : {dir.path(), native})
        ASSERT_EQ(::chown(QFile::encodeName(owned).constData(), user->pw_uid, grp->gr_gid), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(native).constData(), 0444), 0);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(childFileVariable, native);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start("setpriv",
                {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                 QCoreApplication::applicationFilePath(), "--gtest_also_run_disabled_tests",
                 "--gtest_filter=TextFileAsNobody.DISABLED_RewritesReadOnlyFile"});
    ASSERT_TRUE(child.waitForFinished(300000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();

    QFile file(native);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "new");
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(native).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, mode_t(0444));
    EXPECT_EQ(status.st_uid, user->pw_uid);
}

TEST(TextFileAsNobody, DISABLED_RewritesReadOnlyFile)
{
    const QString native = qEnvironmentVariable(childFileVariable);
    QFile direct(native);
    ASSERT_FALSE(direct.open(QIODevice::Append)) << "the file should be read-only for nobody";
    ASSERT_TRUE(writeTextFile(platform::fromNativePath(native), "new"));
    const auto attributes = platform::fileAttributes(platform::fromNativePath(native));
    ASSERT_TRUE(attributes.has_value());
    EXPECT_TRUE(attributes->isReadOnly());
}
