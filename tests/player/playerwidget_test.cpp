#include "doubles/fakeplayer.h"
#include "player/playerwidget.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class PlayerWidgetTest : public testing::Test {
protected:
    PlayerWidgetTest()
    {
        player.setDuration(file, 125);
        player.setUrl(file);
        settle();
        QObject::connect(&player, &PlayerComponent::playStateChange,
                         [this](int state) { states.push_back(state); });
        QObject::connect(&player, &PlayerComponent::mouseDown,
                         [this](int button, int shift, int x, int y) {
                             mouseDowns.push_back({button, shift, x, y});
                         });
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
    }

    template <typename T> T *control(const char *name)
    {
        return widget.findChild<T *>(QString::fromLatin1(name));
    }

    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    const QString file = QStringLiteral("\\album\\chapter.mp3");
    FakePlayer player;
    PlayerWidget widget{&player};
    std::vector<int> states;
    std::vector<std::array<int, 4>> mouseDowns;
};

TEST_F(PlayerWidgetTest, EveryControlIsThereFocusableAndExplained)
{
    EXPECT_EQ(widget.objectName(), "oPlayer");
    const std::vector<QWidget *> controls = {
        control<QToolButton>("playButton"), control<QToolButton>("stopButton"),
        control<QSlider>("seekBar"), control<QToolButton>("muteButton"),
        control<QSlider>("volumeBar")};
    for (QWidget *each : controls) {
        ASSERT_NE(each, nullptr);
        EXPECT_TRUE(each->focusPolicy() & Qt::TabFocus) << each->objectName().toStdString();
        EXPECT_FALSE(each->toolTip().isEmpty()) << each->objectName().toStdString();
        EXPECT_TRUE(each->isEnabled()) << each->objectName().toStdString();
    }
    // The main window gives it one row of 45 pixels.
    EXPECT_LE(widget.minimumSizeHint().height(), 45);
    EXPECT_NE(control<QLabel>("elapsedLabel"), nullptr);
    EXPECT_NE(control<QLabel>("totalLabel"), nullptr);
}

TEST_F(PlayerWidgetTest, ThePlayButtonPlaysAndPausesThroughTheContract)
{
    auto *button = control<QToolButton>("playButton");

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(player.playState(), PlayState::Playing);
    EXPECT_TRUE(states.empty());
    settle();
    EXPECT_EQ(states, std::vector<int>{int(PlayState::Playing)});
    EXPECT_EQ(button->toolTip(), "Pause");

    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    EXPECT_EQ(player.playState(), PlayState::Paused);
    EXPECT_EQ(button->toolTip(), "Play");
}

TEST_F(PlayerWidgetTest, SpaceTogglesPlayFromTheSeekBar)
{
    auto *seekBar = control<QSlider>("seekBar");
    seekBar->setFocus();

    QTest::keyClick(seekBar, Qt::Key_Space);
    EXPECT_EQ(player.playState(), PlayState::Playing);
    QTest::keyClick(seekBar, Qt::Key_Space);
    EXPECT_EQ(player.playState(), PlayState::Paused);
}

TEST_F(PlayerWidgetTest, TheStopButtonStopsWithTheFileKept)
{
    player.play();
    player.advance(30);

    QTest::mouseClick(control<QToolButton>("stopButton"), Qt::LeftButton);
    settle();

    EXPECT_EQ(states.back(), int(PlayState::Stopped));
    EXPECT_EQ(player.currentPosition(), 0.0);
    EXPECT_EQ(player.url(), file);
}

TEST_F(PlayerWidgetTest, ArrowsOnTheSeekBarSeekAndShowTheTime)
{
    auto *seekBar = control<QSlider>("seekBar");
    std::vector<std::pair<double, double>> moves;
    QObject::connect(&player, &PlayerComponent::positionChange,
                     [&](double from, double to) { moves.emplace_back(from, to); });

    QTest::keyClick(seekBar, Qt::Key_Right);
    QTest::keyClick(seekBar, Qt::Key_PageUp);
    EXPECT_EQ(player.currentPosition(), 65.0);
    settle();

    EXPECT_EQ(moves, (std::vector<std::pair<double, double>>{{0, 5}, {5, 65}}));
    EXPECT_EQ(control<QLabel>("elapsedLabel")->text(), "00:01:05");
    EXPECT_EQ(control<QLabel>("totalLabel")->text(), "00:02:05");
}

// A screen reader hears the bar's place as a time; on the focused bar only jumps, not playing.
TEST_F(PlayerWidgetTest, TheSeekBarDescribesItsPlaceAsATimeAndTheFocusedOneOnlyItsJumps)
{
    auto *seekBar = control<QSlider>("seekBar");
    player.setCurrentPosition(61);
    settle();
    EXPECT_EQ(seekBar->accessibleDescription(), "00:01:01 of 00:02:05");
    EXPECT_EQ(control<QSlider>("volumeBar")->accessibleDescription(), "100 percent");

    seekBar->setFocus();
    player.setCurrentPosition(62.9);
    settle();
    EXPECT_EQ(seekBar->accessibleDescription(), "00:01:01 of 00:02:05");
    player.setCurrentPosition(63);
    settle();
    EXPECT_EQ(seekBar->accessibleDescription(), "00:01:03 of 00:02:05");
    player.setCurrentPosition(60);
    settle();
    EXPECT_EQ(seekBar->accessibleDescription(), "00:01:00 of 00:02:05");

    seekBar->clearFocus();
    player.setCurrentPosition(61);
    settle();
    EXPECT_EQ(seekBar->accessibleDescription(), "00:01:01 of 00:02:05");
}

// Drawn in the palette's button text, sharp at a pixel ratio of 2, and a new palette redraws them.
TEST_F(PlayerWidgetTest, ButtonPicturesTakeThePalettesColourAtAnyPixelRatio)
{
    auto *stop = control<QToolButton>("stopButton");
    QPalette dark = widget.palette();
    dark.setColor(QPalette::ButtonText, QColor(250, 240, 0));
    widget.setPalette(dark);

    const QPixmap sharp = stop->icon().pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    const QImage image = sharp.toImage();
    EXPECT_EQ(image.pixelColor(16, 16), QColor(250, 240, 0));
    EXPECT_EQ(image.pixelColor(2, 2).alpha(), 0);

    QPixmap button(stop->size());
    stop->render(&button);
    EXPECT_EQ(button.toImage().pixelColor(button.rect().center()), QColor(250, 240, 0));
}

TEST_F(PlayerWidgetTest, AClickOnTheSeekBarGoesWhereItLandsAndDraggingGoesOn)
{
    auto *seekBar = control<QSlider>("seekBar");
    const int width = seekBar->width();
    QTest::mouseClick(seekBar, Qt::LeftButton, {}, QPoint(width * 3 / 4, seekBar->height() / 2));
    settle();
    EXPECT_NEAR(player.currentPosition(), 125 * 0.75, 125.0 * 16 / width);
    EXPECT_EQ(player.playState(), PlayState::Ready);

    const QPoint from(width / 4, seekBar->height() / 2);
    QTest::mousePress(seekBar, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(width / 2, from.y()),
                     seekBar->mapToGlobal(QPointF(width / 2, from.y())), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(seekBar, &move);
    QTest::mouseRelease(seekBar, Qt::LeftButton, {}, QPoint(width / 2, from.y()));
    settle();
    EXPECT_NEAR(player.currentPosition(), 125 * 0.5, 125.0 * 16 / width);
}

TEST_F(PlayerWidgetTest, TheVolumeControlsFollowAndSetThePlayer)
{
    auto *volumeBar = control<QSlider>("volumeBar");
    // Shown at once: nothing polls the player while it is not playing.
    player.setVolume(40);
    EXPECT_EQ(volumeBar->value(), 40);

    QTest::keyClick(volumeBar, Qt::Key_Left);
    EXPECT_EQ(player.volume(), 35);
    QTest::mouseClick(control<QToolButton>("muteButton"), Qt::LeftButton);
    EXPECT_TRUE(player.isMuted());
    EXPECT_EQ(player.volume(), 35);

    // Above 100 too, up to the player's top.
    player.setVolume(180);
    EXPECT_EQ(volumeBar->value(), 180);
    QTest::keyClick(volumeBar, Qt::Key_End);
    EXPECT_EQ(player.volume(), PlayerComponent::maxVolume);
}

TEST_F(PlayerWidgetTest, ARightButtonAnywhereIsTheComponentsMouseDown)
{
    auto *stopButton = control<QToolButton>("stopButton");
    player.play();
    settle();
    states.clear();

    QTest::mouseClick(&widget, Qt::RightButton, Qt::ShiftModifier, QPoint(3, 4));
    QTest::mouseClick(stopButton, Qt::RightButton, Qt::ControlModifier, QPoint(2, 2));
    settle();

    const QPoint onStop = stopButton->mapTo(&widget, QPoint(2, 2));
    ASSERT_EQ(mouseDowns.size(), 2u);
    EXPECT_EQ(mouseDowns[0], (std::array<int, 4>{2, 1, 3, 4}));
    EXPECT_EQ(mouseDowns[1], (std::array<int, 4>{2, 2, onStop.x(), onStop.y()}));
    EXPECT_TRUE(states.empty());
    EXPECT_EQ(player.playState(), PlayState::Playing);
}

TEST_F(PlayerWidgetTest, ADisabledPlayerDisablesItsControls)
{
    auto *playButton = control<QToolButton>("playButton");

    player.setEnabled(false);
    EXPECT_FALSE(playButton->isEnabled());
    player.setEnabled(true);
    EXPECT_TRUE(playButton->isEnabled());
}

TEST_F(PlayerWidgetTest, WithoutAFileOnlyTheVolumeControlsAreEnabled)
{
    const std::array<const char *, 3> transport{"playButton", "stopButton", "seekBar"};
    const auto transportEnabled = [&](bool enabled) {
        for (const char *name : transport)
            EXPECT_EQ(control<QWidget>(name)->isEnabled(), enabled) << name;
        EXPECT_TRUE(control<QWidget>("muteButton")->isEnabled());
        EXPECT_TRUE(control<QWidget>("volumeBar")->isEnabled());
    };
    const QString broken = QStringLiteral("\\album\\broken.mp3");
    player.setUnloadable(broken);
    player.setUrl(broken);
    transportEnabled(true);
    settle();
    transportEnabled(false);
    player.setUrl(file);
    transportEnabled(true);
    player.setUrl(QString());
    settle();
    transportEnabled(false);
}

} // namespace
