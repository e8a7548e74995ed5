#include "controls/controlsaccessible.h"
#include "controls/slider.h"
#include "controls/spinbox.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

// The interfaces as a screen reader's bridge asks for them; what they announce needs a bridge,
// which the offscreen platform has none of (the end-to-end accessibility test hears that).
class ControlsAccessibleTest : public testing::Test {
protected:
    void SetUp() override { installControlsAccessibility(); }
};

} // namespace

TEST_F(ControlsAccessibleTest, TheStripIsAListOfItsBoxesWithTheCurrentOneSelected)
{
    Slider strip;
    strip.resize(300, 8);
    strip.setCount(3);
    strip.setItemNames({"Record 1 of 3: A", "Record 2 of 3: B", ""});
    strip.setAccessibleName("Records");
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&strip);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), "Records");
    ASSERT_EQ(list->childCount(), 3);
    EXPECT_EQ(list->child(1)->role(), QAccessible::ListItem);
    EXPECT_EQ(list->child(1)->text(QAccessible::Name), "Record 2 of 3: B");
    EXPECT_EQ(list->child(2)->text(QAccessible::Name), "3") << "a box without a name";
    EXPECT_EQ(list->child(1), list->child(1)) << "one interface per box";
    EXPECT_EQ(list->indexOfChild(list->child(2)), 2);
    EXPECT_EQ(list->child(0)->parent(), list);
    EXPECT_TRUE(list->child(0)->state().selected);

    strip.setValue(1);
    EXPECT_FALSE(list->child(0)->state().selected);
    EXPECT_TRUE(list->child(1)->state().selected);
    EXPECT_EQ(list->text(QAccessible::Value), "Record 2 of 3: B");

    strip.setItemNames({"Chapter 1 of 3: X", "Chapter 2 of 3: Y", "Chapter 3 of 3: Z"});
    EXPECT_EQ(list->child(1)->text(QAccessible::Name), "Chapter 2 of 3: Y");

    strip.setCount(1);
    EXPECT_EQ(list->childCount(), 1);
    EXPECT_EQ(list->child(1), nullptr);
    EXPECT_NE(list->child(0), nullptr);
}

TEST_F(ControlsAccessibleTest, TheSpinBoxHasAValueSpokenWithItsUnit)
{
    SpinBox box;
    box.setMin(0);
    box.setMax(100);
    box.setValue(80);
    box.setSpokenName("Volume", "percent");
    QAccessibleInterface *spin = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->role(), QAccessible::SpinBox);
    EXPECT_EQ(spin->text(QAccessible::Name), "Volume");
    EXPECT_EQ(spin->text(QAccessible::Value), "80 percent");
    EXPECT_EQ(box.findChild<QLineEdit *>()->accessibleName(), "Volume") << "the focused field";

    QAccessibleValueInterface *value = spin->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 80);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
    value->setCurrentValue(150);
    EXPECT_EQ(box.value(), 100) << "held within the range";
    EXPECT_EQ(spin->text(QAccessible::Value), "100 percent");
}
