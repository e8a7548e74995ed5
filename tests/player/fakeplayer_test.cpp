// What the fake adds for tests; its events are checked with the real player's in the contract
// tests.

#include "doubles/fakeplayer.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

class FakePlayerTest : public testing::Test {
protected:
    FakePlayerTest()
    {
        player.setDuration(file, 10);
        QObject::connect(&player, &PlayerComponent::playStateChange,
                         [this](int state) { states.push_back(state); });
    }

    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    const QString file = QStringLiteral("\\a\\one.mp3");
    FakePlayer player;
    std::vector<int> states;
};

TEST_F(FakePlayerTest, TimePassesOnlyWhilePlaying)
{
    player.setUrl(file);
    settle();
    player.advance(3);
    EXPECT_EQ(player.currentPosition(), 0.0);

    player.play();
    player.advance(3);
    player.pause();
    player.advance(3);

    EXPECT_EQ(player.currentPosition(), 3.0);
}

TEST_F(FakePlayerTest, AFileWithNoDurationEndsOnlyWhenTold)
{
    player.setUrl(QStringLiteral("\\a\\unknown.mp3"));
    player.play();
    settle();
    player.advance(1e6);
    EXPECT_EQ(player.playState(), PlayState::Playing);
    EXPECT_EQ(player.currentItemDuration(), 0.0);
    states.clear();

    player.reachEnd();
    settle();

    EXPECT_EQ(states, (std::vector<int>{8, 1}));
}

TEST_F(FakePlayerTest, ReachingTheEndWhilePausedDoesNothing)
{
    player.setUrl(file);
    settle();
    player.play();
    player.pause();
    settle();
    states.clear();

    player.reachEnd();
    settle();

    EXPECT_TRUE(states.empty());
    EXPECT_EQ(player.playState(), PlayState::Paused);
}

TEST_F(FakePlayerTest, AnEndReportOfAnEarlierFileIsDropped)
{
    player.setDuration(QStringLiteral("\\a\\two.mp3"), 10);
    player.setUrl(file);
    settle();
    player.play();
    player.reachEnd();
    player.setUrl(QStringLiteral("\\a\\two.mp3"));
    player.play();
    settle();

    EXPECT_EQ(player.playState(), PlayState::Playing);
    EXPECT_EQ(states, (std::vector<int>{9, 10, 9, 3, 10, 3}));
}

} // namespace
