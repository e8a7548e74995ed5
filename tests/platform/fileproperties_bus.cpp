#include "platform/fileproperties.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString fileManagerService = QStringLiteral("org.freedesktop.FileManager1");

// A file manager on a connection of its own, so that the program's call goes through the bus.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QList<QStringList> shown;

public slots:
    void ShowItemProperties(const QStringList &uris, const QString &) { shown.append(uris); }
};

class FilePropertiesBus : public testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus; the test runs under dbus-run-session";
    }
};

} // namespace

TEST_F(FilePropertiesBus, TheFileManagerIsAskedForTheFilesAddress)
{
    QDBusConnection own = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "manager");
    FakeFileManager manager;
    ASSERT_TRUE(own.registerObject("/org/freedesktop/FileManager1", &manager,
                                   QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(own.registerService(fileManagerService));

    bool unanswered = false;
    platform::showFileProperties("\\tmp\\a b\\x#1.mp3", [&unanswered] { unanswered = true; });
    EXPECT_TRUE(QTest::qWaitFor([&manager] { return !manager.shown.isEmpty(); }));
    EXPECT_EQ(manager.shown, QList<QStringList>{{"file:///tmp/a%20b/x%231.mp3"}});
    QTest::qWait(50);
    EXPECT_FALSE(unanswered);

    own.unregisterService(fileManagerService);
    own.unregisterObject("/org/freedesktop/FileManager1");
    QDBusConnection::disconnectFromBus("manager");
}

TEST_F(FilePropertiesBus, WithNoFileManagerTheCallerShowsItsOwn)
{
    ASSERT_FALSE(
        QDBusConnection::sessionBus().interface()->isServiceRegistered(fileManagerService));
    bool unanswered = false;
    platform::showFileProperties("\\tmp\\x.mp3", [&unanswered] { unanswered = true; });
    EXPECT_TRUE(QTest::qWaitFor([&unanswered] { return unanswered; }));
}

TEST_F(FilePropertiesBus, NoBusAnnouncedMeansNoCallAtAll)
{
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("XDG_RUNTIME_DIR");
    bool unanswered = false;
    platform::showFileProperties("\\tmp\\x.mp3", [&unanswered] { unanswered = true; });
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    if (!runtime.isNull())
        qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_TRUE(unanswered);
}

#include "fileproperties_bus.moc"
