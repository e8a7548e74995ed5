#include "controls/propertybag.h"
#include "controls/spinbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

class SpinBoxTest : public testing::Test {
protected:
    SpinBoxTest()
    {
        spin.resize(60, 24);
        spin.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&spin));
        QObject::connect(&spin, &SpinBox::change, [this] { seen.append(spin.text()); });
    }

    ~SpinBoxTest() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void type(const QString &keys)
    {
        QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(text, keys);
    }

    // Presses and releases the right button on the text box through the window, as a user does.
    void rightClick(Qt::KeyboardModifiers modifiers)
    {
        const QPoint at = text->mapTo(&spin, QPoint(4, 4));
        QTest::mousePress(spin.windowHandle(), Qt::RightButton, modifiers, at);
        menuOpened = qobject_cast<QMenu *>(QApplication::activePopupWidget()) != nullptr;
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QTest::mouseRelease(spin.windowHandle(), Qt::RightButton, modifiers, at);
    }

    // The wheel turned by delta eighths of a degree over the widget.
    static void turnWheel(QWidget *widget, int delta)
    {
        const QPointF at(2, 2);
        QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }

    SpinBox spin;
    QLineEdit *text = spin.findChild<QLineEdit *>(QStringLiteral("tbSpin"));
    QScrollBar *scroll = spin.findChild<QScrollBar *>(QStringLiteral("vsSpin"));
    QStringList seen;
    bool menuOpened = false;
};

TEST_F(SpinBoxTest, ANewBoxHoldsZeroInZeroToAHundred)
{
    ASSERT_NE(text, nullptr);
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(spin.min(), 0);
    EXPECT_EQ(spin.max(), 100);
    EXPECT_EQ(spin.smallChange(), 1);
    EXPECT_EQ(spin.text(), "0");
    EXPECT_EQ(scroll->value(), 100);
    EXPECT_FALSE(spin.customMenu());
}

TEST_F(SpinBoxTest, TypedNumbersAreHeldWithinTheRange)
{
    type(QStringLiteral("150"));
    EXPECT_EQ(spin.text(), "100");
    EXPECT_EQ(scroll->value(), 0);
    type(QStringLiteral("-"));
    EXPECT_EQ(spin.text(), "0");
    type(QStringLiteral("99999999999999"));
    EXPECT_EQ(spin.text(), "100");
    type(QStringLiteral("37"));
    EXPECT_EQ(spin.value(), 37);
    EXPECT_EQ(scroll->value(), 63);
}

TEST_F(SpinBoxTest, EveryChangeSeesACheckedNumber)
{
    type(QStringLiteral("1x5"));
    type(QStringLiteral("250"));
    ASSERT_FALSE(seen.isEmpty());
    for (const QString &each : seen) {
        const int number = each.toInt();
        EXPECT_EQ(QString::number(number), each);
        EXPECT_TRUE(number >= 0 && number <= 100) << each.toStdString();
    }
    EXPECT_EQ(seen.last(), "100");
}

TEST_F(SpinBoxTest, ATextWithoutANumberBecomesTheMinimum)
{
    spin.setMin(5);
    type(QStringLiteral("abc"));
    EXPECT_EQ(spin.text(), "5");
    spin.setSelText(QStringLiteral("x"));
    EXPECT_EQ(spin.text(), "5");
}

TEST_F(SpinBoxTest, ANewRangeMovesTheNumberIntoIt)
{
    spin.setValue(20);
    spin.setMin(50);
    EXPECT_EQ(spin.value(), 50);
    EXPECT_EQ(scroll->value(), 100);
    spin.setMax(70);
    spin.setValue(90);
    EXPECT_EQ(spin.value(), 70);
    EXPECT_EQ(scroll->value(), 50);
    spin.setMax(60);
    EXPECT_EQ(spin.value(), 60);
    spin.setMin(40000);
    EXPECT_EQ(spin.min(), 50);
}

TEST_F(SpinBoxTest, AltArrowsStepTheOtherWayRoundAndStayInRange)
{
    spin.setSmallChange(5);
    spin.setValue(40);
    QTest::keyClick(text, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(spin.value(), 35);
    QTest::keyClick(text, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(text, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(spin.value(), 45);
    spin.setValue(100);
    QTest::keyClick(text, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(spin.value(), 100);
    spin.setValue(2);
    QTest::keyClick(text, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(spin.value(), 0);
}

TEST_F(SpinBoxTest, KeysReachTheOwnerAfterTheyAreHandled)
{
    QSignalSpy keyDowns(&spin, &ControlFrame::keyDown);
    spin.setValue(40);
    QObject::connect(&spin, &ControlFrame::keyDown, [this] { seen.append(spin.text()); });
    QTest::keyClick(text, Qt::Key_Down, Qt::AltModifier);
    // The Alt key goes down first.
    ASSERT_EQ(keyDowns.size(), 2);
    EXPECT_EQ(keyDowns[1], QVariantList({int(Qt::Key_Down), 4}));
    EXPECT_EQ(seen.last(), "41");
}

TEST_F(SpinBoxTest, CtrlASelectsTheWholeText)
{
    spin.setValue(100);
    spin.setSelStart(1);
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(spin.selStart(), 0);
    EXPECT_EQ(spin.selLength(), 3);
    EXPECT_EQ(spin.selText(), "100");
}

TEST_F(SpinBoxTest, TheUpperArrowRaisesTheNumber)
{
    spin.setSmallChange(3);
    spin.setValue(40);
    seen.clear();
    scroll->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(spin.value(), 43);
    EXPECT_EQ(seen, QStringList({"43"}));
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(spin.value(), 37);
    scroll->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(spin.value(), 100);
}

TEST_F(SpinBoxTest, EachWheelNotchOverTheNumberOrTheArrowsStepsOnceWithinTheRange)
{
    spin.setSmallChange(2);
    spin.setValue(50);
    turnWheel(text, 120);
    EXPECT_EQ(spin.value(), 52);
    turnWheel(scroll, -120);
    EXPECT_EQ(spin.value(), 50);
    // A fine wheel's small turns add up to a notch.
    turnWheel(text, 60);
    EXPECT_EQ(spin.value(), 50);
    turnWheel(scroll, 60);
    EXPECT_EQ(spin.value(), 52);
    turnWheel(text, 120 * 100);
    EXPECT_EQ(spin.value(), 100);
    EXPECT_EQ(seen.last(), "100");
    spin.setEnabled(false);
    turnWheel(text, -120);
    EXPECT_EQ(spin.value(), 100);
}

TEST_F(SpinBoxTest, ARightClickWithCustomMenuOpensNoEditMenuAndKeepsTheSelection)
{
    QSignalSpy downs(&spin, &ControlFrame::mouseDown);
    spin.setCustomMenu(true);
    spin.setValue(100);
    spin.setSelStart(1);
    spin.setSelLength(2);
    rightClick(Qt::NoModifier);
    EXPECT_FALSE(menuOpened);
    EXPECT_EQ(spin.selStart(), 1);
    EXPECT_EQ(spin.selLength(), 2);
    EXPECT_EQ(spin.focusWidget(), text);
    ASSERT_EQ(downs.size(), 1);
    const QPoint at = text->mapTo(&spin, QPoint(4, 4));
    EXPECT_EQ(downs[0], QVariantList({2, 0, at.x(), at.y()}));
}

TEST_F(SpinBoxTest, ARightClickOpensTheEditMenuWithoutCustomMenuOrWithAShiftKey)
{
    QSignalSpy downs(&spin, &ControlFrame::mouseDown);
    rightClick(Qt::NoModifier);
    EXPECT_TRUE(menuOpened);
    spin.setCustomMenu(true);
    rightClick(Qt::ShiftModifier);
    EXPECT_TRUE(menuOpened);
    EXPECT_EQ(downs.size(), 2);
}

TEST_F(SpinBoxTest, TheTextBoxFitsTheDigitsOfMaxAndTheBarSitsBesideIt)
{
    EXPECT_EQ(text->pos(), QPoint(0, 0));
    EXPECT_EQ(scroll->geometry().left(), text->width());
    EXPECT_EQ(scroll->height(), text->height());
    EXPECT_GT(scroll->width(), 0);
    EXPECT_GE(text->height(), text->fontMetrics().height());
    EXPECT_EQ(spin.sizeHint(), QSize(text->width() + scroll->width(), text->height()));

    const int threeDigits = text->width();
    spin.setMax(10000);
    const QFontMetrics metrics = spin.fontMetrics();
    EXPECT_EQ(text->width() - threeDigits, metrics.horizontalAdvance(QStringLiteral("99999")) -
                                               metrics.horizontalAdvance(QStringLiteral("999")));
    spin.setMax(-5);
    EXPECT_GT(text->width(), 0);

    const int oldHeight = text->height();
    QFont larger = spin.font();
    larger.setPixelSize(40);
    spin.setFont(larger);
    EXPECT_GT(text->height(), oldHeight);
    EXPECT_EQ(scroll->height(), text->height());
}

TEST_F(SpinBoxTest, SavesItsPropertiesInOrderAndReadsThemBack)
{
    spin.setMin(-10);
    spin.setMax(300);
    spin.setSmallChange(7);
    spin.setValue(250);
    spin.setCustomMenu(true);
    spin.setBackColor(QColor(1, 2, 3));
    spin.setForeColor(QColor(4, 5, 6));
    spin.setOleDropMode(SpinBox::DropManual);
    spin.setMousePointer(3);
    PropertyBag bag;
    spin.writeProperties(bag);
    EXPECT_EQ(bag.names(), QStringList({"BackColor", "CustomMenu", "Enabled", "Font", "ForeColor",
                                        "Max", "Min", "MouseIcon", "MousePointer", "OLEDragMode",
                                        "OLEDropMode", "SmallChange", "Value"}));

    SpinBox copy;
    copy.readProperties(bag);
    EXPECT_EQ(copy.min(), -10);
    EXPECT_EQ(copy.max(), 300);
    EXPECT_EQ(copy.smallChange(), 7);
    EXPECT_EQ(copy.text(), "250");
    EXPECT_TRUE(copy.customMenu());
    EXPECT_EQ(copy.backColor(), QColor(1, 2, 3));
    EXPECT_EQ(copy.foreColor(), QColor(4, 5, 6));
    EXPECT_EQ(copy.oleDropMode(), SpinBox::DropManual);
    EXPECT_EQ(copy.mousePointer(), 3);
    EXPECT_EQ(copy.findChild<QScrollBar *>(QStringLiteral("vsSpin"))->value(), 300 - 10 - 250);
}

TEST_F(SpinBoxTest, NamesMissingFromTheBagKeepTheRangeAndEmptyTheValue)
{
    spin.setMax(50);
    spin.setMin(10);
    spin.setSmallChange(4);
    spin.setValue(30);
    spin.setCustomMenu(true);
    spin.setBackColor(Qt::red);
    spin.readProperties(PropertyBag());
    EXPECT_EQ(spin.max(), 50);
    EXPECT_EQ(spin.min(), 10);
    EXPECT_EQ(spin.smallChange(), 4);
    EXPECT_FALSE(spin.customMenu());
    EXPECT_EQ(spin.backColor(), QApplication::palette(text).color(QPalette::Base));
    // The empty text reads as 0 and is lifted to Min.
    EXPECT_EQ(spin.text(), "10");
}

TEST_F(SpinBoxTest, ReversedBoundsSettleOnMax)
{
    spin.setMin(80);
    spin.setMax(20);
    type(QStringLiteral("50"));
    EXPECT_EQ(spin.value(), 20);
    scroll->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(spin.value(), 20);
}

TEST_F(SpinBoxTest, ShowingTheBoxPutsTheCaretAtTheEnd)
{
    spin.setValue(42);
    spin.setSelStart(0);
    spin.hide();
    spin.show();
    EXPECT_EQ(spin.selStart(), 2);
    EXPECT_EQ(spin.selLength(), 0);
}

} // namespace
