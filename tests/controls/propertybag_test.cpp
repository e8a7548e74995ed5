#include "controls/propertybag.h"

#include <gtest/gtest.h>

namespace {

TEST(PropertyBag, KeepsWritingOrderAndMatchesNamesWithoutCase)
{
    PropertyBag bag;
    bag.write(QStringLiteral("Gap"), 3);
    bag.write(QStringLiteral("Count"), 7);
    bag.write(QStringLiteral("gap"), 4);
    EXPECT_EQ(bag.names(), QStringList({QStringLiteral("Gap"), QStringLiteral("Count")}));
    EXPECT_EQ(bag.readInt(QStringLiteral("GAP"), 0), 4);
    EXPECT_TRUE(bag.contains(QStringLiteral("count")));
    EXPECT_FALSE(bag.contains(QStringLiteral("Value")));
    EXPECT_EQ(bag.read(QStringLiteral("Value"), 9).toInt(), 9);
}

TEST(PropertyBag, ValuesOfTheWrongKindReadAsTheFallback)
{
    PropertyBag bag;
    bag.write(QStringLiteral("Number"), QStringLiteral("twelve"));
    bag.write(QStringLiteral("Flag"), QStringLiteral("perhaps"));
    bag.write(QStringLiteral("Colour"), QStringLiteral("blue"));
    bag.write(QStringLiteral("Negative"), -1);
    bag.write(QStringLiteral("System"), qlonglong(0x80000005));
    bag.write(QStringLiteral("Yes"), true);
    EXPECT_EQ(bag.readInt(QStringLiteral("Number"), 5), 5);
    EXPECT_EQ(bag.readInt(QStringLiteral("Yes"), 5), 5);
    EXPECT_TRUE(bag.readBool(QStringLiteral("Flag"), true));
    EXPECT_FALSE(bag.readBool(QStringLiteral("Flag"), false));
    EXPECT_EQ(bag.readColor(QStringLiteral("Colour"), Qt::red), QColor(Qt::red));
    EXPECT_EQ(bag.readColor(QStringLiteral("Negative"), Qt::red), QColor(Qt::red));
    EXPECT_EQ(bag.readColor(QStringLiteral("System"), Qt::red), QColor(Qt::red));
    EXPECT_EQ(bag.readColor(QStringLiteral("Yes"), Qt::red), QColor(Qt::red));
}

TEST(PropertyBag, ReadsBooleansAndColoursInTheirStoredForms)
{
    PropertyBag bag;
    bag.write(QStringLiteral("A"), QStringLiteral("True"));
    bag.write(QStringLiteral("B"), QStringLiteral("0"));
    bag.write(QStringLiteral("C"), -1);
    bag.write(QStringLiteral("Blue"), 0x800000);
    bag.write(QStringLiteral("Green"), QColor(0, 255, 0));
    EXPECT_TRUE(bag.readBool(QStringLiteral("A"), false));
    EXPECT_FALSE(bag.readBool(QStringLiteral("B"), true));
    EXPECT_TRUE(bag.readBool(QStringLiteral("C"), false));
    EXPECT_EQ(bag.readColor(QStringLiteral("Blue"), Qt::red), QColor(0, 0, 128));
    EXPECT_EQ(bag.readColor(QStringLiteral("Green"), Qt::red), QColor(0, 255, 0));
    EXPECT_EQ(colorFromBgr(0xFFC584), QColor(132, 197, 255));
}

} // namespace
