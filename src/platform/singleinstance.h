#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;

namespace platform {

// One running copy of the program per settings file. The first start claims the place and
// listens; a later start finds it taken and hands its command over. Starts at the same instant
// are settled by a lock that the running copy holds until it ends, so exactly one of them runs.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The channel's name holds the product, the user and a hash of key (the settings file path),
    // so that copies over other settings files never meet.
    SingleInstance(const QString &product, const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running copy and listens for commands; false when
    // another copy holds the place. Writes none of the user's files.
    bool claim();
    // For a later start: delivers the command to the running copy, trying for at most timeoutMs
    // (the running copy may have taken the place a moment ago). False when it could not.
    bool sendToRunning(const QByteArray &command, int timeoutMs);

signals:
    // A later start's command, on the UI thread.
    void commandReceived(const QByteArray &command);

private:
    void acceptConnections();

    QString m_lockPath;
    QString m_serverPath;
    int m_lockDescriptor = -1;
    QLocalServer *m_server = nullptr;
};

} // namespace platform
