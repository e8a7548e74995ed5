#include "platform/paths.h"
#include "platform/randomaccessfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString internal(const QString &native)
{
    return platform::fromNativePath(native);
}

TEST(RandomAccessFile, ReadsPiecesAtOffsetsAndStopsAtTheEnd)
{
    QTemporaryDir folder;
    const QString native = folder.filePath("x.bin");
    QFile out(native);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("0123456789");
    out.close();

    const platform::RandomAccessFile file(internal(native));
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), 10);
    char piece[8] = {};
    EXPECT_EQ(file.readAt(7, piece, 8), 3);
    EXPECT_EQ(QByteArray(piece, 3), "789");
    EXPECT_EQ(file.readAt(2, piece, 2), 2);
    EXPECT_EQ(QByteArray(piece, 2), "23");
    EXPECT_EQ(file.readAt(10, piece, 1), 0);
    EXPECT_EQ(file.readAt(-1, piece, 1), -1);
}

TEST(RandomAccessFile, MissingFilesAndFoldersAreNotOpened)
{
    QTemporaryDir folder;
    for (const QString &native : {folder.filePath("missing.mp3"), folder.path(), QString()}) {
        const platform::RandomAccessFile file(internal(native));
        EXPECT_FALSE(file.isOpen()) << native.toStdString();
        EXPECT_EQ(file.size(), 0);
        char byte = 0;
        EXPECT_EQ(file.readAt(0, &byte, 1), -1);
    }
}

} // namespace
