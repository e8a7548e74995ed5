#include "platform/fileattributes.h"
#include "platform/paths.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using platform::fileAttributes;
using platform::setFileAttributes;

namespace {

mode_t permissionsOf(const QString &nativePath)
{
    struct stat status;
    if (::stat(QFile::encodeName(nativePath).constData(), &status) != 0)
        return 0;
    return status.st_mode & 07777;
}

} // namespace

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
    const QString path = platform::fromNativePath(native);
    QFile file(native);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(::chmod(QFile::encodeName(native).constData(), 0640), 0);

    const auto original = fileAttributes(path);
    ASSERT_TRUE(original.has_value());
    EXPECT_FALSE(original->isDirectory());
    EXPECT_FALSE(original->isReadOnly());

    ASSERT_TRUE(setFileAttributes(path, original->withReadOnly(true)));
    EXPECT_EQ(permissionsOf(native), mode_t(0440));
    const auto readOnly = fileAttributes(path);
    ASSERT_TRUE(readOnly.has_value());
    EXPECT_TRUE(readOnly->isReadOnly());
    EXPECT_EQ(readOnly->cleared(), *original);

    ASSERT_TRUE(setFileAttributes(path, *original));
    EXPECT_EQ(permissionsOf(native), mode_t(0640));
}

TEST(FileAttributes, SettingOnAMissingFileFails)
{
    QTemporaryDir dir;
    const QString native = dir.filePath("x.dat");
    QFile file(native);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const auto attributes = fileAttributes(platform::fromNativePath(native));
    ASSERT_TRUE(attributes.has_value());
    ASSERT_TRUE(QFile::remove(native));
    EXPECT_FALSE(setFileAttributes(platform::fromNativePath(native), *attributes));
    EXPECT_FALSE(QFile::exists(native));
}
