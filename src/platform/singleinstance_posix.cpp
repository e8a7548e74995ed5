#include "platform/singleinstance.h"

#include "platform/ownedplaces.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A command is one line: a path, percent-encoded, at most.
constexpr qsizetype commandLimit = 64 * 1024;
// What the lock file may say: where the running copy listens.
constexpr qsizetype serverPathLimit = 4096;
// A connection that says nothing is dropped after this long.
constexpr int quietConnectionMs = 5000;
constexpr int retryPauseMs = 25;

// Beside the settings file's real self, so that every spelling of its path meets one lock.
QString lockPathFor(const QString &settingsFile)
{
    const QFileInfo file(settingsFile);
    QDir().mkpath(file.absolutePath());
    QFileInfo real(file.canonicalFilePath());
    if (real.filePath().isEmpty()) {
        const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
        real = QFileInfo(
            QDir(folder.isEmpty() ? file.absolutePath() : folder).filePath(file.fileName()));
    }
    return QDir(real.absolutePath()).filePath(u'.' + real.fileName() + QStringLiteral(".lock"));
}

QString socketName(const QString &product, const QString &lockPath)
{
    const QByteArray hash =
        QCryptographicHash::hash(lockPath.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return product.toLower() + u'-' + QString::fromLatin1(hash) + QStringLiteral(".socket");
}

// Where the settings file cannot be written, a second copy could lose nothing by saving.
bool isUnwritablePlace(int error)
{
    return error == EROFS || error == EACCES || error == EPERM || error == ENOENT;
}

// Reads one command line from a later start, then lets the connection go.
void readCommand(QLocalSocket *socket, SingleInstance *receiver)
{
    auto buffer = std::make_shared<QByteArray>();
    QTimer::singleShot(quietConnectionMs, socket, &QLocalSocket::abort);
    QObject::connect(socket, &QLocalSocket::readyRead, receiver, [socket, buffer, receiver] {
        buffer->append(socket->read(commandLimit + 1 - buffer->size()));
        const qsizetype end = buffer->indexOf('\n');
        if (end >= 0)
            emit receiver->commandReceived(buffer->left(end));
        if (end >= 0 || buffer->size() > commandLimit)
            socket->abort();
    });
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
}

bool deliver(QLocalSocket &socket, const QByteArray &line, const QDeadlineTimer &deadline)
{
    socket.write(line);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(int(deadline.remainingTime()))) {
    }
    const bool delivered = socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return delivered;
}

} // namespace

SingleInstance::SingleInstance(const QString &product, const QString &settingsFile, QObject *parent)
    : QObject(parent), m_product(product), m_lockPath(lockPathFor(settingsFile))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    if (!m_createdFolder.isEmpty())
        QDir().rmdir(m_createdFolder);
    if (m_lockDescriptor >= 0)
        ::close(m_lockDescriptor);
}

SingleInstance::Claim SingleInstance::claim()
{
    const OwnedFile lock = openOwnedFile(QFile::encodeName(m_lockPath));
    if (lock.descriptor < 0 && isUnwritablePlace(lock.error))
        return Claim::First;
    if (lock.descriptor < 0)
        return fail(lock.error);
    // The lock goes with the process, so a crashed copy leaves no claim behind.
    m_lockDescriptor = lock.descriptor;
    // A file system that cannot lock (NFS without its lock service) leaves this copy unguarded
    // rather than unable to start.
    if (::flock(m_lockDescriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return Claim::Taken;
    // An ended copy's word on where it listened is void; without a channel this copy still runs
    // and a later start is told that it does not answer.
    if (sayWhereListening(QByteArray()))
        listen();
    return Claim::First;
}

SingleInstance::Claim SingleInstance::fail(int error)
{
    m_failure = m_lockPath + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
    return Claim::Failed;
}

void SingleInstance::listen()
{
    bool created = false;
    const QString folder = privateSocketFolder(m_product.toLower(), created);
    if (folder.isEmpty())
        return;
    if (created)
        m_createdFolder = folder;
    const QString serverPath = QDir(folder).filePath(socketName(m_product, m_lockPath));
    // A crashed copy's socket, in a folder that only this user can write.
    QLocalServer::removeServer(serverPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(serverPath))
        return;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    // Short or failed, the later start reads no whole line and says it got no answer.
    sayWhereListening(QFile::encodeName(serverPath) + '\n');
}

// Replaces what the lock file says, through a descriptor open only as long as it takes and only
// on the very file that is locked.
bool SingleInstance::sayWhereListening(const QByteArray &text) const
{
    const int descriptor = ::open(QFile::encodeName(m_lockPath).constData(),
                                  O_WRONLY | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat locked {};
    struct stat opened {};
    const bool same = ::fstat(m_lockDescriptor, &locked) == 0 &&
                      ::fstat(descriptor, &opened) == 0 && locked.st_dev == opened.st_dev &&
                      locked.st_ino == opened.st_ino;
    const bool said =
        same && ::write(descriptor, text.constData(), size_t(text.size())) == text.size();
    return ::close(descriptor) == 0 && said;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (peerIsThisUser(socket->socketDescriptor())) {
            readCommand(socket, this);
            continue;
        }
        socket->abort();
        socket->deleteLater();
    }
}

// Where the running copy said it listens; empty until it has said so.
QString SingleInstance::runningServerPath() const
{
    if (m_lockDescriptor < 0)
        return QString();
    QByteArray text(serverPathLimit, Qt::Uninitialized);
    const ssize_t size = ::pread(m_lockDescriptor, text.data(), size_t(text.size()), 0);
    const qsizetype end = size > 0 ? text.left(size).indexOf('\n') : -1;
    return end > 0 ? QFile::decodeName(text.left(end)) : QString();
}

bool SingleInstance::sendToRunning(const QByteArray &command, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        const QString serverPath = runningServerPath();
        if (!serverPath.isEmpty()) {
            QLocalSocket socket;
            socket.connectToServer(serverPath);
            if (socket.waitForConnected(int(deadline.remainingTime())) &&
                peerIsThisUser(socket.socketDescriptor()))
                return deliver(socket, command + '\n', deadline);
            socket.abort();
        }
        QThread::msleep(retryPauseMs);
    } while (!deadline.hasExpired());
    return false;
}

} // namespace platform
