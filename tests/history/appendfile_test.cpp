#include "history/appendfile.h"
#include "platform/paths.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using history::AppendFile;

TEST(AppendFile, ReadsWhatThereIsPastTheEnd)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("f");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("abc");
    }
    const AppendFile file(platform::fromNativePath(path), AppendFile::Mode::Existing);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), 3);
    EXPECT_EQ(file.readAt(1, 10), "bc");
    EXPECT_EQ(file.readAt(5, 1), "");
}

// Even an open that fails at once would release a writer waiting on the FIFO.
TEST(AppendFile, AFifoIsNeverOpened)
{
    QTemporaryDir folder;
    const QByteArray fifo = QFile::encodeName(folder.filePath("fifo"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, fifo.constData(), IN_OPEN), 0);
    for (const auto mode : {AppendFile::Mode::Existing, AppendFile::Mode::CreateMissing})
        EXPECT_FALSE(AppendFile(platform::fromNativePath(folder.filePath("fifo")), mode).isOpen());
    char event[4096];
    EXPECT_EQ(::read(watch, event, sizeof event), -1);
    EXPECT_EQ(errno, EAGAIN);
    ::close(watch);
}

// A program started with its standard input closed gets descriptor 0 for the first file it opens.
TEST(AppendFile, WorksOnDescriptorZero)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("f");
    const int standardInput = ::dup(0);
    ::close(0);
    {
        const AppendFile file(platform::fromNativePath(path), AppendFile::Mode::CreateMissing);
        EXPECT_TRUE(file.isOpen());
        EXPECT_TRUE(file.write("abc"));
        EXPECT_EQ(file.readAt(0, 3), "abc");
        EXPECT_TRUE(file.sync());
    }
    const bool closed = ::fcntl(0, F_GETFD) == -1;
    ::dup2(standardInput, 0);
    ::close(standardInput);
    EXPECT_TRUE(closed);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "abc");
}
