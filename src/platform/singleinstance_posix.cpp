#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

// A command is one short line; anything longer is not one of ours.
constexpr qsizetype commandLimit = 256;
// A connection that says nothing is dropped after this long.
constexpr int quietConnectionMs = 5000;
constexpr int retryPauseMs = 25;

// The user's private runtime folder where there is one, else the temporary folder.
QString channelFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

QString channelName(const QString &product, const QString &key)
{
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return product.toLower() + u'-' + QString::number(::getuid()) + u'-' +
           QString::fromLatin1(hash);
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

} // namespace

SingleInstance::SingleInstance(const QString &product, const QString &key, QObject *parent)
    : QObject(parent)
{
    const QString base = QDir(channelFolder()).filePath(channelName(product, key));
    m_lockPath = base + QStringLiteral(".lock");
    m_serverPath = base + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    if (m_lockDescriptor >= 0)
        ::close(m_lockDescriptor);
}

bool SingleInstance::claim()
{
    const QByteArray lockPath = QFile::encodeName(m_lockPath);
    // Opened for reading only: a later start must not open anything for writing. The lock goes
    // with the process, so a crashed copy leaves no claim behind.
    m_lockDescriptor = ::open(lockPath.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockDescriptor >= 0 && ::flock(m_lockDescriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_lockDescriptor);
        m_lockDescriptor = -1;
        return false;
    }
    // Without a lock file the running copy can still be found through its server.
    if (m_lockDescriptor < 0) {
        QLocalSocket probe;
        probe.connectToServer(m_serverPath);
        if (probe.waitForConnected(100))
            return false;
    }
    // A crashed copy leaves its socket file behind.
    QLocalServer::removeServer(m_serverPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(m_serverPath);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection())
        readCommand(socket, this);
}

bool SingleInstance::sendToRunning(const QByteArray &command, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    do {
        socket.connectToServer(m_serverPath);
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            socket.write(command + '\n');
            while (socket.bytesToWrite() > 0 &&
                   socket.waitForBytesWritten(int(deadline.remainingTime()))) {
            }
            const bool delivered = socket.bytesToWrite() == 0;
            socket.disconnectFromServer();
            return delivered;
        }
        socket.abort();
        QThread::msleep(retryPauseMs);
    } while (!deadline.hasExpired());
    return false;
}

} // namespace platform
