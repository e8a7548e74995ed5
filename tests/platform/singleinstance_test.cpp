#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using platform::SingleInstance;
using Claim = platform::SingleInstance::Claim;

namespace {

// The commands the instance receives while events are processed for at most two seconds.
QList<QByteArray> receivedWithin(SingleInstance &running, int expected)
{
    QList<QByteArray> received;
    const QMetaObject::Connection connection =
        QObject::connect(&running, &SingleInstance::commandReceived,
                         [&received](const QByteArray &command) { received.append(command); });
    const QDeadlineTimer deadline(2000);
    while (received.size() < expected && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QObject::disconnect(connection);
    return received;
}

// Runtime folder and settings folder of the test's own; XDG_RUNTIME_DIR as it was afterwards.
class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
        m_hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        ASSERT_TRUE(QDir().mkpath(runtimeFolder()));
        ASSERT_TRUE(QFile::setPermissions(runtimeFolder(),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder()));
        ASSERT_TRUE(QDir().mkpath(settingsFolder()));
    }
    void TearDown() override
    {
        if (m_hadRuntime)
            qputenv("XDG_RUNTIME_DIR", m_runtimeBefore);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

    QString runtimeFolder() const { return m_folder.filePath("run"); }
    QString settingsFolder() const { return m_folder.filePath("cfg"); }
    QString settingsFile() const { return settingsFolder() + "/sonnalby.dat"; }
    QString lockFile() const { return settingsFolder() + "/.sonnalby.dat.lock"; }
    QByteArray lockText() const
    {
        QFile lock(lockFile());
        return lock.open(QIODevice::ReadOnly) ? lock.readAll() : QByteArray();
    }

    QTemporaryDir m_folder;

private:
    QByteArray m_runtimeBefore;
    bool m_hadRuntime = false;
};

void expectHandOver(SingleInstance &running, const QString &settingsFile)
{
    SingleInstance later("Corvella", settingsFile);
    ASSERT_EQ(later.claim(), Claim::Taken);
    EXPECT_TRUE(later.sendToRunning("/i", 2000));
    EXPECT_EQ(receivedWithin(running, 1), QList<QByteArray>{"/i"});
}

// A socket file with no one listening, as a killed copy leaves it.
void leaveStaleSocket(const QByteArray &path)
{
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(descriptor, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(descriptor);
}

} // namespace

TEST_F(SingleInstanceTest, ALaterStartFindsTheLockTakenAndHandsItsCommandOver)
{
    SingleInstance running("Corvella", settingsFile());
    ASSERT_EQ(running.claim(), Claim::First);
    expectHandOver(running, settingsFile());
    EXPECT_FALSE(QFile::exists(settingsFile())) << "the lock is a file of its own";
}

// However its path is spelled and whichever runtime folder its session has, one settings file
// is held by one running copy.
TEST_F(SingleInstanceTest, EverySpellingOfOneSettingsFileMeetsTheSameCopy)
{
    ASSERT_TRUE(QFile::link(settingsFolder(), m_folder.filePath("link")));
    const QString root = m_folder.path();
    const QList<std::function<void()>> otherSession = {
        [] {}, [] { qunsetenv("XDG_RUNTIME_DIR"); },
        [this] { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_folder.path())); }};
    const QStringList spellings = {root + "/cfg//sonnalby.dat", root + "//cfg/sonnalby.dat",
                                   root + "/cfg/../cfg/sonnalby.dat", root + "/link/sonnalby.dat"};
    for (const auto &switchSession : otherSession) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder()));
        SingleInstance running("Corvella", settingsFile());
        ASSERT_EQ(running.claim(), Claim::First);
        switchSession();
        for (const QString &spelling : spellings) {
            SCOPED_TRACE(spelling.toStdString());
            expectHandOver(running, spelling);
        }
    }
}

TEST_F(SingleInstanceTest, TheLockIsFreeAgainOnceTheRunningCopyIsGoneEvenIfItsSocketStays)
{
    auto running = std::make_unique<SingleInstance>("Corvella", settingsFile());
    ASSERT_EQ(running->claim(), Claim::First);
    const QByteArray socketPath = lockText().trimmed();
    ASSERT_TRUE(socketPath.startsWith(QFile::encodeName(runtimeFolder())));
    running.reset();
    leaveStaleSocket(socketPath);
    SingleInstance next("Corvella", settingsFile());
    ASSERT_EQ(next.claim(), Claim::First);
    expectHandOver(next, settingsFile());
}

// The running copy took the lock but does not listen yet: the command waits for it.
TEST_F(SingleInstanceTest, AStartBetweenTheLockAndTheListenIsDelivered)
{
    const int lock = ::open(QFile::encodeName(lockFile()).constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    SingleInstance later("Corvella", settingsFile());
    ASSERT_EQ(later.claim(), Claim::Taken);
    bool delivered = false;
    std::thread sender([&later, &delivered] { delivered = later.sendToRunning("/i", 3000); });
    QThread::msleep(300);
    QLocalServer server;
    const QString serverPath = runtimeFolder() + "/late.socket";
    ASSERT_TRUE(server.listen(serverPath));
    const QByteArray where = QFile::encodeName(serverPath) + '\n';
    ASSERT_EQ(::pwrite(lock, where.constData(), size_t(where.size()), 0), where.size());
    ASSERT_TRUE(server.waitForNewConnection(3000));
    QLocalSocket *connection = server.nextPendingConnection();
    QByteArray line;
    while (!line.endsWith('\n') && connection->waitForReadyRead(3000))
        line += connection->readAll();
    sender.join();
    EXPECT_TRUE(delivered);
    EXPECT_EQ(line, "/i\n");
    ::close(lock);
}

// What is at the lock's place is replaced, never followed, written through or waited on.
TEST_F(SingleInstanceTest, ForeignThingsAtTheLockPlaceAreReplaced)
{
    const QString other = m_folder.filePath("notes.txt");
    const QList<std::pair<const char *, std::function<bool()>>> plants = {
        {"a link to a file", [&] { return QFile::link(other, lockFile()); }},
        {"a second name of a file",
         [&] { return ::link(QFile::encodeName(other), QFile::encodeName(lockFile())) == 0; }},
        {"a FIFO", [&] { return ::mkfifo(QFile::encodeName(lockFile()), 0600) == 0; }},
        {"a dangling link", [&] { return QFile::link(m_folder.filePath("gone"), lockFile()); }},
    };
    for (const auto &[what, plant] : plants) {
        SCOPED_TRACE(what);
        QFile::remove(lockFile());
        QFile notes(other);
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("mine") == 4);
        notes.close();
        ASSERT_TRUE(plant());
        SingleInstance running("Corvella", settingsFile());
        ASSERT_EQ(running.claim(), Claim::First);
        expectHandOver(running, settingsFile());
        QFile check(other);
        ASSERT_TRUE(check.open(QIODevice::ReadOnly));
        EXPECT_EQ(check.readAll(), "mine");
        EXPECT_FALSE(QFile::exists(m_folder.filePath("gone")));
    }
}

TEST_F(SingleInstanceTest, AFolderAtTheLockPlaceEndsTheStartWithAReason)
{
    ASSERT_TRUE(QDir().mkpath(lockFile()));
    SingleInstance blocked("Corvella", settingsFile());
    EXPECT_EQ(blocked.claim(), Claim::Failed);
    EXPECT_TRUE(blocked.failure().contains(lockFile()));
}

// A runtime folder that others may enter is not used; the folder made in its stead goes at the
// end.
TEST_F(SingleInstanceTest, AnOpenRuntimeFolderIsPassedOver)
{
    ASSERT_TRUE(QFile::setPermissions(runtimeFolder(), QFile::permissions(runtimeFolder()) |
                                                           QFile::ReadOther | QFile::ExeOther));
    QString socketFolder;
    {
        SingleInstance running("Corvella", settingsFile());
        ASSERT_EQ(running.claim(), Claim::First);
        socketFolder = QFileInfo(QFile::decodeName(lockText().trimmed())).absolutePath();
        EXPECT_NE(socketFolder, runtimeFolder());
        struct stat status {};
        ASSERT_EQ(::stat(QFile::encodeName(socketFolder), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u);
        expectHandOver(running, settingsFile());
    }
    EXPECT_FALSE(QFileInfo::exists(socketFolder));
}

TEST_F(SingleInstanceTest, WithNobodyRunningTheHandOverGivesUpInTime)
{
    SingleInstance alone("Corvella", settingsFile());
    QDeadlineTimer deadline(2000);
    EXPECT_FALSE(alone.sendToRunning("/i", 200));
    EXPECT_FALSE(deadline.hasExpired());
}

TEST_F(SingleInstanceTest, AnOverlongLineIsNoCommand)
{
    SingleInstance running("Corvella", settingsFile());
    ASSERT_EQ(running.claim(), Claim::First);
    SingleInstance later("Corvella", settingsFile());
    ASSERT_EQ(later.claim(), Claim::Taken);
    later.sendToRunning(QByteArray(70 * 1024, 'x'), 300);
    EXPECT_TRUE(later.sendToRunning("/i", 2000));
    EXPECT_EQ(receivedWithin(running, 1), QList<QByteArray>{"/i"});
}
