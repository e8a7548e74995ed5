#include "shell/dialogs/outsidecommands.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

using shell::OutsideCommands;

TEST(OutsideCommands, RunFromTheEventLoopOnceEachInOrder)
{
    OutsideCommands commands;
    QStringList ran;
    QObject context;
    commands.post(&context, [&ran] { ran.append("first"); });
    commands.post(&context, [&ran] { ran.append("second"); });
    EXPECT_TRUE(ran.isEmpty()) << "never inside the caller";
    EXPECT_TRUE(QTest::qWaitFor([&ran] { return ran.size() == 2; }));
    QTest::qWait(20);
    EXPECT_EQ(ran, QStringList({"first", "second"}));
}

TEST(OutsideCommands, WaitWhileAModalWindowIsOpenAndWhileOneRuns)
{
    OutsideCommands commands;
    QStringList ran;
    QObject context;
    commands.post(&context, [&] {
        QDialog question;
        question.setModal(true);
        QTimer::singleShot(0, &question, [&] {
            commands.post(&context, [&ran] { ran.append("during the question"); });
            QTimer::singleShot(150, &question, [&] {
                ran.append("answered");
                question.accept();
            });
        });
        question.exec();
        ran.append("first done");
    });
    EXPECT_TRUE(QTest::qWaitFor([&ran] { return ran.size() == 3; }));
    EXPECT_EQ(ran, QStringList({"answered", "first done", "during the question"}));
    EXPECT_EQ(commands.waiting(), 0);
}

TEST(OutsideCommands, AGoneContextDropsItsCommand)
{
    OutsideCommands commands;
    bool ran = false;
    auto context = std::make_unique<QObject>();
    commands.post(context.get(), [&ran] { ran = true; });
    context.reset();
    QTest::qWait(50);
    EXPECT_FALSE(ran);
    EXPECT_EQ(commands.waiting(), 0);
}

} // namespace
