#include "shell/update/updatechecker.h"

#include "shell/update/publishedversion.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace shell {

namespace {

// An update file is a few lines; anything larger is not one.
constexpr qint64 maxDocumentSize = 64 * 1024;

} // namespace

UpdateChecker::UpdateChecker(QObject *parent) : QObject(parent), m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] {
        if (m_reply)
            m_reply->abort();
    });
}

UpdateChecker::~UpdateChecker()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

bool UpdateChecker::check()
{
    if (m_reply)
        return false;
    // Made at the first check: start-up waits for no network set-up.
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request{QUrl(m_remotePath)};
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setMaximumRedirectsAllowed(5);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateChecker::finish);
    // A reply that outgrows an update file is ended at once.
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > maxDocumentSize && m_reply)
            m_reply->abort();
    });
    m_deadline->start(m_timeout);
    return true;
}

void UpdateChecker::finish()
{
    m_deadline->stop();
    QNetworkReply *reply = m_reply;
    m_reply.clear();
    reply->deleteLater();
    const QByteArray document =
        reply->error() == QNetworkReply::NoError ? reply->read(maxDocumentSize + 1) : QByteArray();
    const QString published =
        document.size() <= maxDocumentSize ? publishedVersion(document) : QString();
    if (published.isEmpty()) {
        emit checked(-1, QString());
        return;
    }
    const bool newer = isNewerVersion(m_localVersion, published);
    emit checked(newer ? 1 : 0, newer ? published : QString());
}

} // namespace shell
