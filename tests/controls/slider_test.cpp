#include "controls/propertybag.h"
#include "controls/slider.h"

#include <QImage>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor darkBlue(0, 0, 128);
const QColor white(255, 255, 255);

class SliderTest : public testing::Test {
protected:
    SliderTest()
    {
        QObject::connect(&slider, &ControlFrame::propertyChanged,
                         [this](const QString &name) { changed.append(name); });
        slider.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&slider));
    }

    // The colour painted at the middle of box i.
    QColor paintedColor(int i)
    {
        const QImage image = slider.grab().toImage();
        return image.pixelColor(slider.boxGeometry(i).center());
    }

    Slider slider;
    QStringList changed;
};

TEST_F(SliderTest, ANewStripHasOneBoxAndTheDefaults)
{
    EXPECT_EQ(slider.count(), 1);
    EXPECT_TRUE(slider.isBoxVisible(0));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.gap(), 1);
    EXPECT_FALSE(slider.autoSize());
    EXPECT_EQ(slider.borderStyle(), 0);
    EXPECT_EQ(slider.orientation(), 0);
    EXPECT_EQ(slider.backColor(), white);
    EXPECT_EQ(slider.foreColor(), darkBlue);
    EXPECT_EQ(slider.indexColor(), darkBlue);
    EXPECT_EQ(slider.progressColor(), darkBlue);
    EXPECT_EQ(slider.mousePointer(), 0);
}

TEST_F(SliderTest, BoxesFillTheInnerWidthWithTheLeftoverAfterTheFirstBox)
{
    slider.resize(300, 8);
    slider.setCount(10);
    EXPECT_EQ(slider.boxGeometry(0), QRect(0, 0, 29, 8));
    EXPECT_EQ(slider.boxGeometry(1), QRect(31, 0, 29, 8));
    EXPECT_EQ(slider.boxGeometry(9), QRect(271, 0, 29, 8));
    EXPECT_TRUE(slider.boxGeometry(10).isEmpty());
    EXPECT_TRUE(slider.boxGeometry(-1).isEmpty());

    slider.resize(299, 8);
    EXPECT_EQ(slider.boxGeometry(1), QRect(30, 0, 29, 8));
    EXPECT_EQ(slider.boxGeometry(9), QRect(270, 0, 29, 8));
}

TEST_F(SliderTest, TheBorderTakesItsWidthFromTheInnerArea)
{
    slider.resize(304, 12);
    slider.setCount(10);
    slider.setBorderStyle(2);
    // Inner 300 x 8 inside a 2-pixel raised border.
    EXPECT_EQ(slider.boxGeometry(0), QRect(2, 2, 29, 8));
    EXPECT_EQ(slider.boxGeometry(9), QRect(273, 2, 29, 8));
    slider.setBorderStyle(1);
    EXPECT_EQ(slider.boxGeometry(0), QRect(1, 1, 29, 10));
    slider.setBorderStyle(3);
    EXPECT_EQ(slider.borderStyle(), 1);
    EXPECT_EQ(changed, QStringList({"Count", "BorderStyle", "BorderStyle"}));
}

TEST_F(SliderTest, AutoSizeFitsTheWidthToTheBoxes)
{
    slider.setBorderStyle(1);
    slider.resize(105, 10);
    slider.setAutoSize(true);
    slider.setCount(5);
    EXPECT_EQ(slider.width(), 101);
    EXPECT_EQ(slider.contentsRect().width(), 99);
    EXPECT_EQ(slider.boxGeometry(4), QRect(81, 1, 19, 8));
    slider.resize(160, 10);
    EXPECT_EQ(slider.width(), 156);
}

TEST(SliderAutoSize, AStripSizedBeforeItIsShownKeepsItsFittedWidth)
{
    Slider slider;
    slider.setAutoSize(true);
    slider.setGap(1);
    slider.resize(103, 8);
    slider.setCount(5);
    EXPECT_EQ(slider.width(), 99);
    slider.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&slider));
    EXPECT_EQ(slider.width(), 99);
    EXPECT_EQ(slider.boxGeometry(4), QRect(80, 0, 19, 8));
}

TEST_F(SliderTest, ValueOutsideTheBoxesIsIgnored)
{
    slider.setCount(5);
    slider.setValue(3);
    slider.setValue(-1);
    EXPECT_EQ(slider.value(), 3);
    slider.setValue(5);
    EXPECT_EQ(slider.value(), 3);
    slider.setValue(3);
    slider.setValue(4);
    EXPECT_EQ(slider.value(), 4);
    EXPECT_EQ(changed, QStringList({"Count", "Value", "Value"}));
}

TEST_F(SliderTest, FewerBoxesClampTheValueToTheLastOne)
{
    slider.setCount(8);
    slider.setValue(6);
    slider.setCount(4);
    EXPECT_EQ(slider.count(), 4);
    EXPECT_EQ(slider.value(), 3);
    slider.setCount(-2);
    EXPECT_EQ(slider.count(), 4);
    slider.setCount(40000);
    EXPECT_EQ(slider.count(), 4);
}

TEST_F(SliderTest, CountZeroKeepsTheFirstBoxHidden)
{
    slider.setCount(3);
    slider.setValue(2);
    slider.setCount(0);
    EXPECT_EQ(slider.count(), 1);
    EXPECT_FALSE(slider.isBoxVisible(0));
    EXPECT_EQ(slider.value(), 0);
    slider.setCount(1);
    EXPECT_TRUE(slider.isBoxVisible(0));
    EXPECT_EQ(changed, QStringList({"Count", "Value", "Count", "Count"}));
}

TEST_F(SliderTest, BoxesBeforeTheValueShowProgressAndAfterItForeColor)
{
    slider.resize(300, 8);
    slider.setCount(10);
    slider.setForeColor(QColor(132, 197, 255));
    slider.setIndexColor(QColor(0, 61, 184));
    slider.setProgressColor(QColor(200, 0, 0));
    slider.setBackColor(QColor(0, 255, 0));
    slider.setValue(4);
    EXPECT_EQ(paintedColor(0), QColor(200, 0, 0));
    EXPECT_EQ(paintedColor(3), QColor(200, 0, 0));
    EXPECT_EQ(paintedColor(4), QColor(0, 61, 184));
    EXPECT_EQ(paintedColor(5), QColor(132, 197, 255));
    EXPECT_EQ(paintedColor(9), QColor(132, 197, 255));
    // The gap after box 1 shows the background.
    const QImage image = slider.grab().toImage();
    EXPECT_EQ(image.pixelColor(slider.boxGeometry(1).right() + 1, 4), QColor(0, 255, 0));

    slider.setCount(0);
    EXPECT_EQ(slider.grab().toImage().pixelColor(10, 4), QColor(0, 255, 0));
}

// A focus frame in one colour would vanish over boxes of that colour.
TEST_F(SliderTest, TheFocusFrameShowsInTwoColoursOverTheBoxes)
{
    QPalette palette = slider.palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 0));
    palette.setColor(QPalette::Text, QColor(255, 0, 255));
    slider.setPalette(palette);
    slider.resize(100, 8);
    slider.setCount(1);
    const auto edgeColors = [this] {
        const QImage image = slider.grab().toImage();
        QSet<QRgb> colors;
        for (int x = 0; x < 10; ++x)
            colors.insert(image.pixel(x, 0));
        return colors;
    };
    slider.clearFocus();
    EXPECT_EQ(edgeColors(), QSet<QRgb>{darkBlue.rgb()});

    slider.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return slider.hasFocus(); }));
    EXPECT_EQ(edgeColors(), (QSet<QRgb>{qRgb(255, 255, 0), qRgb(255, 0, 255)}));
}

TEST_F(SliderTest, SavesAllThirteenPropertiesInOrder)
{
    PropertyBag bag;
    slider.writeProperties(bag);
    EXPECT_EQ(bag.names(), QStringList({"AutoSize", "BackColor", "ForeColor", "IndexColor",
                                        "ProgressColor", "Count", "Value", "Gap", "Orientation",
                                        "BorderStyle", "Enabled", "MouseIcon", "MousePointer"}));
}

TEST_F(SliderTest, PropertiesSurviveASaveAndARead)
{
    slider.resize(200, 10);
    slider.setCount(12);
    slider.setValue(7);
    slider.setGap(3);
    slider.setBorderStyle(2);
    slider.setOrientation(1);
    slider.setForeColor(QColor(1, 2, 3));
    slider.setIndexColor(QColor(4, 5, 6));
    slider.setProgressColor(QColor(7, 8, 9));
    slider.setBackColor(QColor(10, 11, 12));
    slider.setMousePointer(2);
    slider.setEnabled(false);
    PropertyBag bag;
    slider.writeProperties(bag);

    Slider copy;
    copy.resize(200, 10);
    copy.readProperties(bag);
    EXPECT_EQ(copy.count(), 12);
    EXPECT_EQ(copy.value(), 7);
    EXPECT_EQ(copy.gap(), 3);
    EXPECT_EQ(copy.borderStyle(), 2);
    EXPECT_EQ(copy.orientation(), 1);
    EXPECT_EQ(copy.foreColor(), QColor(1, 2, 3));
    EXPECT_EQ(copy.indexColor(), QColor(4, 5, 6));
    EXPECT_EQ(copy.progressColor(), QColor(7, 8, 9));
    EXPECT_EQ(copy.backColor(), QColor(10, 11, 12));
    EXPECT_EQ(copy.mousePointer(), 2);
    EXPECT_EQ(copy.cursor().shape(), Qt::CrossCursor);
    EXPECT_FALSE(copy.isEnabled());
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(copy.boxGeometry(i), slider.boxGeometry(i)) << i;
}

TEST_F(SliderTest, NamesMissingFromTheBagTakeTheirSavedDefaults)
{
    slider.setCount(4);
    slider.setValue(2);
    slider.setForeColor(Qt::red);
    slider.setMousePointer(11);
    slider.readProperties(PropertyBag());
    // A missing Count is 0: box 0 stays but is hidden.
    EXPECT_EQ(slider.count(), 1);
    EXPECT_FALSE(slider.isBoxVisible(0));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.gap(), 0);
    EXPECT_EQ(slider.foreColor(), darkBlue);
    EXPECT_EQ(slider.mousePointer(), 0);
    EXPECT_TRUE(slider.isEnabled());
}

TEST_F(SliderTest, BadValuesInTheBagChangeNothingHarmful)
{
    PropertyBag bag;
    bag.write(QStringLiteral("Count"), QStringLiteral("lots"));
    bag.write(QStringLiteral("Gap"), 70000);
    bag.write(QStringLiteral("Value"), 99);
    bag.write(QStringLiteral("BorderStyle"), 7);
    bag.write(QStringLiteral("ForeColor"), QStringLiteral("blue"));
    bag.write(QStringLiteral("MousePointer"), 50);
    slider.readProperties(bag);
    EXPECT_EQ(slider.count(), 1);
    EXPECT_EQ(slider.gap(), 1);
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.borderStyle(), 0);
    EXPECT_EQ(slider.foreColor(), darkBlue);
    EXPECT_EQ(slider.mousePointer(), 0);
}

} // namespace
