#include "controls/slider.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Drives the relay through the strip, which has no input of its own.
class ControlFrameTest : public testing::Test {
protected:
    ControlFrameTest()
    {
        slider.resize(200, 20);
        slider.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&slider));
    }

    void sendMouse(QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        QMouseEvent event(type, at, slider.mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&slider, &event);
    }

    Slider slider;
    QSignalSpy downs{&slider, &ControlFrame::mouseDown};
    QSignalSpy ups{&slider, &ControlFrame::mouseUp};
    QSignalSpy clicks{&slider, &ControlFrame::click};
    QSignalSpy doubleClicks{&slider, &ControlFrame::dblClick};
};

TEST_F(ControlFrameTest, MouseDownCarriesButtonShiftAndPlace)
{
    QTest::mousePress(&slider, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, {15, 4});
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs[0], QVariantList({2, 5, 15, 4}));
    QTest::mouseRelease(&slider, Qt::RightButton, Qt::ControlModifier, {16, 5});
    ASSERT_EQ(ups.size(), 1);
    EXPECT_EQ(ups[0], QVariantList({2, 2, 16, 5}));
    EXPECT_EQ(clicks.size(), 1);
}

TEST_F(ControlFrameTest, AReleaseOutsideTheControlIsNoClick)
{
    QTest::mousePress(&slider, Qt::LeftButton, {}, {10, 4});
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, {250, 4});
    EXPECT_EQ(downs.size(), 1);
    EXPECT_EQ(ups.size(), 1);
    EXPECT_EQ(clicks.size(), 0);
}

TEST_F(ControlFrameTest, ADoubleClickClicksOnceThenDoubleClicks)
{
    const QPoint at(30, 5);
    sendMouse(QEvent::MouseButtonPress, Qt::LeftButton, at);
    sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
    sendMouse(QEvent::MouseButtonDblClick, Qt::LeftButton, at);
    sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
    EXPECT_EQ(downs.size(), 1);
    EXPECT_EQ(ups.size(), 2);
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_EQ(doubleClicks.size(), 1);
}

TEST_F(ControlFrameTest, MovesReportTheButtonsHeld)
{
    QSignalSpy moves(&slider, &ControlFrame::mouseMove);
    QMouseEvent move(QEvent::MouseMove, QPointF(7, 3), slider.mapToGlobal(QPointF(7, 3)),
                     Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(&slider, &move);
    ASSERT_EQ(moves.size(), 1);
    EXPECT_EQ(moves[0], QVariantList({3, 2, 7, 3}));
}

TEST_F(ControlFrameTest, KeysGoDownPressAndUp)
{
    QSignalSpy keyDowns(&slider, &ControlFrame::keyDown);
    QSignalSpy keyPresses(&slider, &ControlFrame::keyPress);
    QSignalSpy keyUps(&slider, &ControlFrame::keyUp);
    QTest::keyClick(&slider, Qt::Key_B);
    ASSERT_EQ(keyDowns.size(), 1);
    EXPECT_EQ(keyDowns[0], QVariantList({int(Qt::Key_B), 0}));
    ASSERT_EQ(keyPresses.size(), 1);
    EXPECT_EQ(keyPresses[0][0].toInt(), int('b'));
    ASSERT_EQ(keyUps.size(), 1);

    // The shift key itself goes down first and up last.
    QTest::keyClick(&slider, Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_EQ(keyDowns.size(), 3);
    EXPECT_EQ(keyDowns[1][0].toInt(), int(Qt::Key_Shift));
    EXPECT_EQ(keyDowns[2], QVariantList({int(Qt::Key_Left), 1}));
    ASSERT_EQ(keyUps.size(), 3);
    EXPECT_EQ(keyUps[1], QVariantList({int(Qt::Key_Left), 1}));
    EXPECT_EQ(keyPresses.size(), 1);
}

TEST_F(ControlFrameTest, AHeldKeyRepeatsItsPressOnly)
{
    QSignalSpy keyDowns(&slider, &ControlFrame::keyDown);
    QSignalSpy keyUps(&slider, &ControlFrame::keyUp);
    for (int i = 0; i < 3; ++i)
        QTest::sendKeyEvent(QTest::Press, &slider, Qt::Key_X, 'x', Qt::NoModifier);
    QKeyEvent repeatedRelease(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"),
                              true);
    QCoreApplication::sendEvent(&slider, &repeatedRelease);
    QTest::sendKeyEvent(QTest::Release, &slider, Qt::Key_X, 'x', Qt::NoModifier);
    EXPECT_EQ(keyDowns.size(), 3);
    EXPECT_EQ(keyUps.size(), 1);
}

TEST_F(ControlFrameTest, TheOwnerTakesADropOffered)
{
    slider.setAcceptDrops(true);
    QObject::connect(&slider, &ControlFrame::oleDragOver,
                     [](QDragMoveEvent *event, ControlFrame::DragState state) {
                         if (state == ControlFrame::DragEnter)
                             event->acceptProposedAction();
                     });
    int drops = 0;
    QObject::connect(&slider, &ControlFrame::oleDragDrop, [&drops] { ++drops; });
    QMimeData data;
    data.setText(QStringLiteral("chapter"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&slider, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&slider, &drop);
    EXPECT_EQ(drops, 1);
}

TEST(ControlFramePointer, MousePointerShowsItsCursorTheIconOrTheInheritedOne)
{
    QWidget owner;
    owner.setCursor(Qt::PointingHandCursor);
    Slider slider(&owner);
    slider.setMousePointer(11);
    EXPECT_EQ(slider.cursor().shape(), Qt::WaitCursor);
    slider.setMousePointer(16);
    EXPECT_EQ(slider.mousePointer(), 11);
    slider.setMousePointer(ControlFrame::customPointer);
    EXPECT_EQ(slider.cursor().shape(), Qt::PointingHandCursor);
    QPixmap icon(16, 16);
    icon.fill(Qt::black);
    slider.setMouseIcon(icon);
    EXPECT_EQ(slider.cursor().shape(), Qt::BitmapCursor);
    slider.setMousePointer(0);
    EXPECT_EQ(slider.cursor().shape(), Qt::PointingHandCursor);
}

TEST(ControlFrameVersion, TheVersionHasThreePartsAndTheAboutTextNamesIt)
{
    const QString oldVersion = QCoreApplication::applicationVersion();
    const QString oldName = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationVersion(QStringLiteral("2.7.13.4"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Strip player"));
    EXPECT_EQ(ControlFrame::version(), "2.7.13");
    EXPECT_EQ(ControlFrame::aboutText(), "Strip player\n\nVersion 2.7.13");
    QCoreApplication::setApplicationVersion(QString());
    EXPECT_EQ(ControlFrame::version(), "0.0.0");
    QCoreApplication::setApplicationVersion(oldVersion);
    QGuiApplication::setApplicationDisplayName(oldName);
}

} // namespace
