#include "app/window/controlstrip.h"

#include "controls/slider.h"
#include "controls/spinbox.h"
#include "doubles/fakeplayer.h"
#include "player/playerwidget.h"
#include "shell/manual/helpcontext.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ControlStripTest : public testing::Test {
protected:
    ControlStripTest()
    {
        QObject::connect(&strip, &ControlStrip::controlHelpRequested,
                         [this](int helpContext) { requests.push_back(helpContext); });
    }

    // A press of the button on target, as the window system delivers it: a control that
    // ignores it passes it on to its parent.
    static void press(QWidget *target, Qt::MouseButton button)
    {
        const QPointF at(2, 2);
        QMouseEvent event(QEvent::MouseButtonPress, at, target->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    FakePlayer player;
    PlayerWidget *playerWidget = new PlayerWidget(&player);
    ControlStrip strip{playerWidget, &player};
    std::vector<int> requests;
};

TEST_F(ControlStripTest, TakesTheDefaultWidthAndTheSummedHeight)
{
    EXPECT_EQ(strip.size(), QSize(480, 8 + 1 + 45 + 1 + 18));
    EXPECT_EQ(strip.sizeHint(), strip.size());
}

TEST_F(ControlStripTest, PlacesEveryControlAsTheStartUpLayoutSays)
{
    EXPECT_EQ(strip.boxStrip()->geometry(), QRect(0, 0, 480, 8));
    EXPECT_EQ(playerWidget->parentWidget(), &strip);
    EXPECT_EQ(playerWidget->geometry(), QRect(0, 9, 480, 45));

    const QRect volume = strip.volumeBox()->geometry();
    EXPECT_EQ(volume.width(), 40);
    EXPECT_EQ(volume.x() + volume.width(), 480); // right edge on the strip's right edge
    EXPECT_EQ(volume.y() + volume.height(), 54); // bottom on the player's bottom
    EXPECT_GT(volume.height(), 0);
    EXPECT_LE(volume.height(), 45);

    // The row from the right: a pixel inside the edge, two pixels between cells.
    EXPECT_EQ(strip.statusLabel(2)->geometry(), QRect(425, 55, 54, 18));
    EXPECT_EQ(strip.statusLabel(1)->geometry(), QRect(369, 55, 54, 18));
    EXPECT_EQ(strip.positionBox()->geometry(), QRect(313, 55, 54, 18));
    EXPECT_EQ(strip.statusLabel(0)->geometry(), QRect(1, 55, 310, 18));
}

TEST_F(ControlStripTest, KeepsTheRowAndVolumeBoxOnTheRightEdgeWhenWidened)
{
    strip.show();
    strip.resize(600, strip.height());
    EXPECT_EQ(strip.boxStrip()->width(), 600);
    EXPECT_EQ(playerWidget->width(), 600);
    EXPECT_EQ(strip.volumeBox()->geometry().right(), 599);
    EXPECT_EQ(strip.statusLabel(2)->geometry(), QRect(545, 55, 54, 18));
    EXPECT_EQ(strip.positionBox()->geometry(), QRect(433, 55, 54, 18));
    EXPECT_EQ(strip.statusLabel(0)->geometry(), QRect(1, 55, 430, 18));
}

TEST_F(ControlStripTest, TheMediaCaptionShrinksToNothingButNeverBelow)
{
    strip.show();
    strip.resize(strip.minimumSizeHint().width(), strip.height());
    EXPECT_EQ(strip.statusLabel(0)->width(), 0);
    EXPECT_EQ(strip.positionBox()->x(), 3);
    strip.resize(100, strip.height());
    EXPECT_EQ(strip.statusLabel(0)->width(), 0);
}

TEST_F(ControlStripTest, TheVolumeBoxLiesAboveThePlayer)
{
    const QPoint corner = strip.volumeBox()->geometry().center();
    QWidget *top = strip.childAt(corner);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top == strip.volumeBox() || strip.volumeBox()->isAncestorOf(top));
}

TEST_F(ControlStripTest, ThePlayersOwnControlsKeepClearOfTheVolumeBox)
{
    strip.show();
    EXPECT_EQ(playerWidget->contentsMargins().right(), 40);
    for (QWidget *control : playerWidget->findChildren<QWidget *>()) {
        const QRect place(control->mapTo(&strip, QPoint(0, 0)), control->size());
        EXPECT_FALSE(place.intersects(strip.volumeBox()->geometry()))
            << control->objectName().toStdString();
    }
}

TEST_F(ControlStripTest, ControlsCarryTheirNames)
{
    EXPECT_EQ(strip.boxStrip()->objectName(), "pbSlider");
    EXPECT_EQ(strip.volumeBox()->objectName(), "tbVolume");
    EXPECT_EQ(strip.positionBox()->objectName(), "tbPosition");
    EXPECT_EQ(strip.statusLabel(0)->objectName(), "tlStatus0");
    EXPECT_EQ(strip.statusLabel(1)->objectName(), "tlStatus1");
    EXPECT_EQ(strip.statusLabel(2)->objectName(), "tlStatus2");
    EXPECT_EQ(strip.statusLabel(3), nullptr);
    EXPECT_EQ(strip.statusLabel(-1), nullptr);
}

TEST_F(ControlStripTest, TheBoxStripHasItsColoursAndAOnePixelGap)
{
    const Slider *boxes = strip.boxStrip();
    EXPECT_EQ(boxes->foreColor(), QColor(132, 197, 255));
    EXPECT_EQ(boxes->indexColor(), QColor(0, 61, 184));
    EXPECT_EQ(boxes->progressColor(), QColor(0, 61, 184));
    EXPECT_EQ(boxes->gap(), 1);
}

TEST_F(ControlStripTest, TheBoxStripFollowsADarkPaletteAndBack)
{
    const QPalette light = strip.palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(250, 200, 0));
    strip.setPalette(dark);

    const Slider *boxes = strip.boxStrip();
    EXPECT_EQ(boxes->backColor(), QColor(20, 20, 20));
    EXPECT_EQ(boxes->indexColor(), QColor(250, 200, 0));
    EXPECT_EQ(boxes->progressColor(), QColor(250, 200, 0));
    EXPECT_EQ(boxes->foreColor(), QColor(135, 110, 10));

    strip.setPalette(light);
    EXPECT_EQ(boxes->backColor(), light.color(QPalette::Base));
    EXPECT_EQ(boxes->indexColor(), QColor(0, 61, 184));
}

TEST_F(ControlStripTest, TheVolumeBoxRunsFromZeroToTwoHundredAndStartsAtAHundred)
{
    const SpinBox *volume = strip.volumeBox();
    EXPECT_EQ(volume->min(), 0);
    EXPECT_EQ(volume->max(), 200);
    EXPECT_EQ(volume->smallChange(), 1);
    EXPECT_EQ(volume->value(), 100);
    EXPECT_EQ(volume->text(), "100");
    EXPECT_TRUE(volume->customMenu());
}

TEST_F(ControlStripTest, ThePositionBoxShowsZeroTimeThroughItsMask)
{
    QLineEdit *position = strip.positionBox();
    EXPECT_EQ(position->inputMask(), "99:99:99;0");
    EXPECT_EQ(position->displayText(), "00:00:00");
    EXPECT_EQ(position->toolTip(), "Time position in current record");

    position->setText("01:02:03");
    EXPECT_EQ(position->displayText(), "01:02:03");
    // Emptied, the mask still shows its zeros; text() would not.
    position->clear();
    EXPECT_EQ(position->displayText(), "00:00:00");
    // The mask takes digits only.
    position->setText("ab:cd:ef");
    EXPECT_EQ(position->displayText(), "00:00:00");
}

// The room a time has in a cell: the cell less its frame and, in the position box, the box's
// own margin beside the text.
int timeRoom(const QWidget *cell)
{
    if (const auto *label = qobject_cast<const QLabel *>(cell))
        return label->width() - 2 * label->frameWidth();
    return cell->width() - 2 * (1 + 2);
}

TEST_F(ControlStripTest, TimesFitTheirCellsWhateverTheFont)
{
    for (const qreal size : {7.0, 9.0, 14.0}) {
        QFont font = strip.font();
        font.setPointSizeF(size);
        strip.setFont(font);
        const QList<QWidget *> timeCells{strip.positionBox(), strip.statusLabel(1),
                                         strip.statusLabel(2)};
        for (QWidget *cell : timeCells) {
            EXPECT_LE(cell->fontMetrics().horizontalAdvance("00:00:00"), timeRoom(cell))
                << size << " " << cell->objectName().toStdString();
            EXPECT_LE(cell->font().pointSizeF(), size);
        }
        EXPECT_LE(strip.volumeBox()->sizeHint().width(), 40) << size;
        // The whole row shares one font; the strip's font is kept where it fits.
        EXPECT_EQ(strip.statusLabel(0)->font(), strip.positionBox()->font());
        if (size == 7.0) {
            EXPECT_EQ(strip.positionBox()->font().pointSizeF(), 7.0);
        }
        if (size == 14.0) {
            EXPECT_LT(strip.positionBox()->font().pointSizeF(), 14.0);
        }
    }
}

TEST_F(ControlStripTest, StatusLabelsCarryTheirDefaultTooltipsAndStartEmpty)
{
    EXPECT_EQ(strip.statusLabel(0)->toolTip(), "Current media file");
    EXPECT_EQ(strip.statusLabel(1)->toolTip(), "Elapsed time");
    EXPECT_EQ(strip.statusLabel(2)->toolTip(), "Remained time");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(strip.statusLabel(i)->text().isEmpty()) << i;
}

TEST_F(ControlStripTest, AMenuTipCoversTheMediaCaptionUntilItIsWithdrawn)
{
    strip.setMediaCaption("x.mp3");
    strip.showStatusTip("Ctrl+C copies");
    EXPECT_EQ(strip.statusLabel(0)->text(), "Ctrl+C copies");
    strip.showStatusTip(QString());
    EXPECT_EQ(strip.statusLabel(0)->text(), "x.mp3");
}

TEST_F(ControlStripTest, ControlsShowWithTheStrip)
{
    strip.show();
    EXPECT_TRUE(playerWidget->isVisible());
    EXPECT_TRUE(strip.volumeBox()->isVisible());
    EXPECT_TRUE(strip.positionBox()->isVisible());
    EXPECT_TRUE(strip.statusLabel(0)->isVisible());
}

TEST_F(ControlStripTest, ARightButtonOnEachHelpedControlAsksForItsHelp)
{
    press(strip.boxStrip(), Qt::RightButton);
    // On one of the player's own buttons: the button leaves the right button to the player.
    press(playerWidget->findChild<QToolButton *>("playButton"), Qt::RightButton);
    press(strip.volumeBox()->findChild<QLineEdit *>("tbSpin"), Qt::RightButton);
    for (int i = 0; i < 3; ++i)
        press(strip.statusLabel(i), Qt::RightButton);

    namespace help = shell::help;
    EXPECT_EQ(requests, std::vector<int>({help::boxStrip, help::player, help::volume, help::status0,
                                          help::status1, help::status2}));
}

TEST_F(ControlStripTest, OtherButtonsAndThePositionBoxAskForNothing)
{
    press(strip.boxStrip(), Qt::LeftButton);
    press(playerWidget, Qt::LeftButton);
    press(playerWidget, Qt::MiddleButton);
    press(strip.volumeBox()->findChild<QLineEdit *>("tbSpin"), Qt::LeftButton);
    press(strip.statusLabel(1), Qt::LeftButton);
    press(strip.positionBox(), Qt::RightButton);
    EXPECT_TRUE(requests.empty());
}

TEST_F(ControlStripTest, EachHelpNumberHasItsControlsName)
{
    // The numbers the strip sends are the ones the help table gives the controls' names.
    press(strip.boxStrip(), Qt::RightButton);
    press(playerWidget, Qt::RightButton);
    press(strip.volumeBox()->findChild<QLineEdit *>("tbSpin"), Qt::RightButton);
    press(strip.statusLabel(2), Qt::RightButton);
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0], shell::help::helpContextOf(strip.boxStrip()->objectName()));
    EXPECT_EQ(requests[1], shell::help::helpContextOf(playerWidget->objectName()));
    EXPECT_EQ(requests[2], shell::help::helpContextOf(strip.volumeBox()->objectName()));
    EXPECT_EQ(requests[3], shell::help::helpContextOf(strip.statusLabel(2)->objectName()));
}

TEST(ControlStripWithoutPlayer, LaysOutTheOtherControls)
{
    ControlStrip strip(nullptr, nullptr);
    EXPECT_EQ(strip.size(), QSize(480, 73));
    EXPECT_EQ(strip.statusLabel(2)->geometry(), QRect(425, 55, 54, 18));
}

} // namespace

// What Tab reaches from the strip on, in order, by name.
// Real Tab presses: a widget whose focus goes to a proxy is entered where it stands in the
// chain, so a static walk of the chain can miss what Tab skips.
TEST_F(ControlStripTest, TabReachesTheStripThePlayerTheTimeBoxAndTheVolumeBox)
{
    QMainWindow window;
    window.setCentralWidget(&strip);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    strip.boxStrip()->setFocus();
    QStringList reached;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget()->objectName());
    }
    // Without a record the player's play and position controls are disabled.
    EXPECT_EQ(reached, QStringList({"muteButton", "volumeBar", "tbPosition", "tbSpin", "pbSlider",
                                    "muteButton"}));
    window.takeCentralWidget();
}
