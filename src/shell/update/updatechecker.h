#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace shell {

// The update component: fetches the file at the remote path, reads the published version from it
// (see publishedVersion) and compares it with the local version. Works in the background; the
// answer comes as one checked signal per check.
class UpdateChecker : public QObject {
    Q_OBJECT
public:
    explicit UpdateChecker(QObject *parent = nullptr);
    ~UpdateChecker() override;

    void setRemotePath(const QString &address) { m_remotePath = address; }
    QString remotePath() const { return m_remotePath; }
    // The settings file; kept as the component's property, the check does not use it.
    void setLocalPath(const QString &path) { m_localPath = path; }
    QString localPath() const { return m_localPath; }
    void setLocalVersion(const QString &version) { m_localVersion = version; }
    QString localVersion() const { return m_localVersion; }
    // The longest a check may take before it counts as unreachable.
    void setTimeout(int milliseconds) { m_timeout = milliseconds; }

    // Starts a check unless one is running; false when one is.
    bool check();
    bool isChecking() const { return !m_reply.isNull(); }

signals:
    // -1 the remote file could not be read (or holds no version), 0 the local version is current,
    // 1 a newer version is published; publishedVersion is given for 1.
    void checked(int status, const QString &publishedVersion);

private:
    void finish();

    QNetworkAccessManager *m_network = nullptr;
    QTimer *m_deadline;
    QPointer<QNetworkReply> m_reply;
    QString m_remotePath;
    QString m_localPath;
    QString m_localVersion;
    int m_timeout = 5000;
};

} // namespace shell
