#pragma once

#include <QByteArray>
#include <QHash>
#include <QTcpServer>

// A web server on the loopback for tests: answers GET requests with the bodies it was given
// (404 for others), or stays silent when told to.
class LocalHttpServer : public QTcpServer {
public:
    LocalHttpServer();

    void serve(const QByteArray &path, const QByteArray &body) { m_bodies.insert(path, body); }
    // Takes connections but never answers.
    void setSilent(bool silent) { m_silent = silent; }
    QString address(const QByteArray &path) const;

private:
    void answer(QTcpSocket *socket);

    QHash<QByteArray, QByteArray> m_bodies;
    bool m_silent = false;
};
