#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;

namespace platform {

// One running copy of the program per settings file. The first start takes a lock beside the
// settings file (found through its real path, so every spelling and every session meets the same
// one), listens in a private folder of the user's and writes where into the lock file; a later
// start finds the lock taken and hands its command over. Neither end talks to another user's
// process.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        // This process is now the running copy and listens for commands.
        First,
        // Another copy holds the settings file: hand the command over.
        Taken,
        // The lock could not be made safe; failure() says why.
        Failed,
    };

    // settingsFile is a Qt path; product names the socket.
    SingleInstance(const QString &product, const QString &settingsFile, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Writes none of the user's files; only the lock file, created when missing.
    Claim claim();
    QString failure() const { return m_failure; }
    // For a later start: delivers the command to the running copy, trying for at most timeoutMs
    // (the running copy may have taken the lock a moment ago). False when it could not.
    bool sendToRunning(const QByteArray &command, int timeoutMs);

signals:
    // A later start's command, on the UI thread.
    void commandReceived(const QByteArray &command);

private:
    Claim fail(int error);
    void listen();
    bool sayWhereListening(const QByteArray &text) const;
    QString runningServerPath() const;
    void acceptConnections();

    QString m_product;
    QString m_lockPath;
    QString m_failure;
    int m_lockDescriptor = -1;
    QString m_createdFolder;
    QLocalServer *m_server = nullptr;
};

} // namespace platform
