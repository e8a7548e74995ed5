#include "localhttpserver.h"
#include "shell/update/updatechecker.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using shell::UpdateChecker;

namespace {

class UpdateCheckerTest : public testing::Test {
protected:
    // The checker's answer for the local version 1.00 against the remote file at path.
    QList<QVariant> check(const QByteArray &path)
    {
        UpdateChecker checker;
        checker.setRemotePath(server.address(path));
        checker.setLocalVersion("1.00");
        checker.setTimeout(timeout);
        QSignalSpy checked(&checker, &UpdateChecker::checked);
        EXPECT_TRUE(checker.check());
        EXPECT_FALSE(checker.check()) << "one check at a time";
        EXPECT_TRUE(checked.wait(timeout * 4));
        EXPECT_EQ(checked.size(), 1);
        EXPECT_FALSE(checker.isChecking());
        return checked.value(0);
    }

    LocalHttpServer server;
    int timeout = 2000;
};

} // namespace

TEST_F(UpdateCheckerTest, AnOversizedFileIsNoUpdateFile)
{
    server.serve("/big.js", "version = \"9.0\"\n" + QByteArray(200 * 1024, ' '));
    EXPECT_EQ(check("/big.js").value(0), -1);
}

TEST_F(UpdateCheckerTest, AServerThatNeverAnswersGivesUnreachableWithinTheTimeout)
{
    server.setSilent(true);
    timeout = 300; // the answer must come well before four times this
    EXPECT_EQ(check("/sonnalby.js").value(0), -1);
}

TEST_F(UpdateCheckerTest, NoServerAtAllGivesUnreachable)
{
    const QString address = server.address("/sonnalby.js");
    server.close();
    UpdateChecker checker;
    checker.setRemotePath(address);
    QSignalSpy checked(&checker, &UpdateChecker::checked);
    checker.check();
    ASSERT_TRUE(checked.wait(5000));
    EXPECT_EQ(checked.value(0).value(0), -1);
}
