#include "localhttpserver.h"

#include <QHostAddress>
#include <QTcpSocket>

LocalHttpServer::LocalHttpServer()
{
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString LocalHttpServer::address(const QByteArray &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(QString::fromLatin1(path));
}

void LocalHttpServer::answer(QTcpSocket *socket)
{
    const QByteArray request = socket->peek(8192);
    if (m_silent || !request.contains("\r\n\r\n"))
        return;
    socket->readAll();
    const QByteArray path = request.split(' ').value(1);
    const bool found = m_bodies.contains(path);
    const QByteArray body = found ? m_bodies.value(path) : QByteArray("Not found");
    socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                  QByteArray("Content-Type: application/javascript\r\nContent-Length: ") +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
