#include "platform/filebytes.h"
#include "platform/paths.h"
#include "platform/randomaccessfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

using platform::readFileBytes;
using platform::removeStaleTemporaries;
using platform::writeFileBytes;

namespace {

class FileBytesTest : public testing::Test {
protected:
    QString native(const QString &name) const { return m_dir.filePath(name); }
    void put(const QString &name, const QByteArray &content) const
    {
        QFile file(native(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    mode_t modeOf(const QString &name) const
    {
        struct stat status;
        return ::stat(QFile::encodeName(native(name)).constData(), &status) == 0
                   ? status.st_mode & 07777
                   : 0;
    }
    QStringList names() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
    }

    QTemporaryDir m_dir;
};

// Opening a FIFO for reading would wait for a writer for good: none of the readers opens one.
TEST_F(FileBytesTest, AFifoIsNeverOpened)
{
    const QString fifo = native("chapter.mp3");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    EXPECT_FALSE(readFileBytes(fifo, 1024).has_value());
    const platform::RandomAccessFile file(platform::fromNativePath(fifo));
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(writeFileBytes(fifo, "x"));
}

TEST_F(FileBytesTest, AReplacedFileKeepsItsPermissionsAndLeavesNothingBehind)
{
    for (const mode_t mode : {mode_t(0444), mode_t(0640), mode_t(0600)}) {
        put("sonnalby.dat", "old");
        ASSERT_EQ(::chmod(QFile::encodeName(native("sonnalby.dat")).constData(), mode), 0);
        ASSERT_TRUE(writeFileBytes(native("sonnalby.dat"), "new"));
        EXPECT_EQ(readFileBytes(native("sonnalby.dat"), 100), "new");
        EXPECT_EQ(modeOf("sonnalby.dat"), mode);
        EXPECT_EQ(names(), QStringList{"sonnalby.dat"});
        ::chmod(QFile::encodeName(native("sonnalby.dat")).constData(), 0644);
    }
}

TEST_F(FileBytesTest, AWriteThroughALinkReplacesItsTarget)
{
    put("target.dat", "old");
    ASSERT_TRUE(QFile::link(native("target.dat"), native("link.dat")));
    ASSERT_TRUE(writeFileBytes(native("link.dat"), "new"));
    EXPECT_TRUE(QFileInfo(native("link.dat")).isSymLink());
    EXPECT_EQ(readFileBytes(native("target.dat"), 100), "new");
}

// What a run ended between writing and renaming left: only names of that exact form, and only
// those older than the start, go.
TEST_F(FileBytesTest, StaleTemporaryFilesOfTheFileAreRemoved)
{
    const QStringList stale = {".sonnalby.dat.tmp-Ab3xY9", ".sonnalby.dat.tmp-000000"};
    // The user's own backups, whatever they look like, and what earlier versions left.
    const QStringList kept = {".other.dat.tmp-Ab3xY9",
                              ".sonnalby.dat.tmp-Ab-xY9",
                              ".sonnalby.dat.tmp-Ab3xY",
                              ".sonnalby.dat.tmp-New123",
                              ".sonnalby.dat.tmp-Ab3xY9z",
                              ".sonnalby.dat.tmpAb3xY9",
                              "sonnalby.dat",
                              "sonnalby.dat.202412",
                              "sonnalby.dat.Backup",
                              "sonnalby.dat.backup",
                              "sonnalby.dat.bak001",
                              "sonnalby.dat.saved1",
                              "sonnalby.dat.tmp-Ab3xY9",
                              "x.sonnalby.dat.tmp-Ab3xY9"};
    for (const QString &name : stale + kept) {
        put(name, "x");
        // Older than the start, but the one written after it.
        const time_t when = name == ".sonnalby.dat.tmp-New123" ? 3'000'000'000 : 1'000'000'000;
        const utimbuf times{when, when};
        ASSERT_EQ(::utime(QFile::encodeName(native(name)).constData(), &times), 0);
    }
    removeStaleTemporaries(native("sonnalby.dat"), QDateTime::fromSecsSinceEpoch(2'000'000'000));
    QStringList expected = kept;
    expected.sort();
    QStringList left = names();
    left.sort();
    EXPECT_EQ(left, expected);
}

} // namespace
