#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

#include <memory>

using platform::SingleInstance;

namespace {

// A key of its own per test, so that no other run meets it.
QString freshKey()
{
    return QUuid::createUuid().toString();
}

// The commands the instance receives while events are processed for at most a second.
QList<QByteArray> receivedWithin(SingleInstance &running, int expected)
{
    QList<QByteArray> received;
    QObject::connect(&running, &SingleInstance::commandReceived,
                     [&received](const QByteArray &command) { received.append(command); });
    const QDeadlineTimer deadline(1000);
    while (received.size() < expected && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return received;
}

} // namespace

TEST(SingleInstance, ALaterStartFindsThePlaceTakenAndHandsItsCommandOver)
{
    const QString key = freshKey();
    SingleInstance running("Corvella", key);
    ASSERT_TRUE(running.claim());
    SingleInstance later("Corvella", key);
    EXPECT_FALSE(later.claim());
    EXPECT_TRUE(later.sendToRunning("/i", 1000));
    EXPECT_EQ(receivedWithin(running, 1), QList<QByteArray>{"/i"});
}

TEST(SingleInstance, ThePlaceIsFreeAgainOnceTheRunningCopyIsGone)
{
    const QString key = freshKey();
    auto running = std::make_unique<SingleInstance>("Corvella", key);
    ASSERT_TRUE(running->claim());
    running.reset();
    SingleInstance next("Corvella", key);
    EXPECT_TRUE(next.claim());
    SingleInstance later("Corvella", key);
    EXPECT_FALSE(later.claim());
    EXPECT_TRUE(later.sendToRunning("/i", 1000));
    EXPECT_EQ(receivedWithin(next, 1), QList<QByteArray>{"/i"});
}

TEST(SingleInstance, WithNobodyRunningTheHandOverGivesUpInTime)
{
    SingleInstance alone("Corvella", freshKey());
    QDeadlineTimer deadline(2000);
    EXPECT_FALSE(alone.sendToRunning("/i", 200));
    EXPECT_FALSE(deadline.hasExpired());
}

TEST(SingleInstance, AnOverlongLineIsNoCommand)
{
    const QString key = freshKey();
    SingleInstance running("Corvella", key);
    ASSERT_TRUE(running.claim());
    SingleInstance later("Corvella", key);
    EXPECT_TRUE(later.sendToRunning(QByteArray(1000, 'x'), 1000));
    EXPECT_TRUE(later.sendToRunning("/i", 1000));
    EXPECT_EQ(receivedWithin(running, 2), QList<QByteArray>{"/i"});
}
