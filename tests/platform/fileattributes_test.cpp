#include "platform/fileattributes.h"
#include "platform/paths.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using platform::fileAttributes;

TEST(FileAttributes, MissingFileHasNone)
{
    QTemporaryDir dir;
    const QString missing = platform::fromNativePath(dir.filePath("missing.dat"));
    EXPECT_FALSE(fileAttributes(missing).has_value());
    EXPECT_FALSE(fileAttributes(QString()).has_value());
}

TEST(FileAttributes, FolderIsADirectory)
{
    QTemporaryDir dir;
    const auto attributes = fileAttributes(platform::fromNativePath(dir.path()));
    ASSERT_TRUE(attributes.has_value());
    EXPECT_TRUE(attributes->isDirectory());
}

TEST(FileAttributes, ReadOnlyIsTheOwnersMissingWritePermission)
{
    QTemporaryDir dir;
    const QString native = dir.filePath("x.dat");
    QFile file(native);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const mode_t mode : {mode_t(0640), mode_t(0440), mode_t(0460)}) {
        ASSERT_EQ(::chmod(QFile::encodeName(native).constData(), mode), 0);
        const auto attributes = fileAttributes(platform::fromNativePath(native));
        ASSERT_TRUE(attributes.has_value());
        EXPECT_EQ(attributes->isReadOnly(), (mode & S_IWUSR) == 0) << mode;
        EXPECT_TRUE(attributes->isRegularFile());
        EXPECT_FALSE(attributes->isDirectory());
    }
}

TEST(FileAttributes, AFifoIsNoRegularFile)
{
    QTemporaryDir dir;
    const QString native = dir.filePath("chapter.mp3");
    ASSERT_EQ(::mkfifo(QFile::encodeName(native).constData(), 0644), 0);
    const auto attributes = fileAttributes(platform::fromNativePath(native));
    ASSERT_TRUE(attributes.has_value());
    EXPECT_FALSE(attributes->isRegularFile());
    EXPECT_FALSE(attributes->isDirectory());
}
