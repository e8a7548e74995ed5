#include "settings/profilelist.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "settings/settingsstore.h"
#include "settings/windowplacement.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace settings;

namespace {

class ProfileListTest : public testing::Test {
protected:
    void SetUp() override { platform::setAnsiCodePage(1252); }
    void TearDown() override { platform::setAnsiCodePage(0); }

    QTemporaryDir folder;
    QString file = platform::fromNativePath(folder.filePath("sonnalby.dat"));
};

} // namespace

TEST_F(ProfileListTest, WithoutAStoredListThereIsDefaultAndNoLoadedProfile)
{
    ProfileList profiles;
    profiles.load(file);
    EXPECT_EQ(profiles.names(), QStringList{"Default"});
    EXPECT_TRUE(profiles.active().isEmpty());
    EXPECT_TRUE(profiles.isSwitch(0));
}

TEST_F(ProfileListTest, TypedNamesAreCleanedAndChecked)
{
    const struct {
        QString typed;
        QString clean;
        ProfileNameCheck check;
    } cases[] = {
        {" b o b ", "bob", ProfileNameCheck::Usable},
        {"Anna\nSecond line", "Anna", ProfileNameCheck::Usable},
        {"Anna\r\nSecond line", "Anna", ProfileNameCheck::Usable},
        {"   ", "", ProfileNameCheck::Empty},
        {"wh?", "wh?", ProfileNameCheck::Unsupported},
        // Code page 1252 has no Cyrillic: the file would hold "??".
        {QString::fromUtf8("Кн"), QString::fromUtf8("Кн"), ProfileNameCheck::Unsupported},
        {QString::fromUtf8("Zoë"), QString::fromUtf8("Zoë"), ProfileNameCheck::Usable},
        // Bounded at input, a surrogate pair never cut in two.
        {QString(32767, u'x'), QString(100, u'x'), ProfileNameCheck::Usable},
        {QString(99, u'x') + QString::fromUtf8("\U0001F600"), QString(99, u'x'),
         ProfileNameCheck::Usable},
        {QString(98, u'x') + QString::fromUtf8("\U0001F600"),
         QString(98, u'x') + QString::fromUtf8("\U0001F600"), ProfileNameCheck::Unsupported},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(cleanProfileName(c.typed), c.clean) << c.typed.toStdString();
        EXPECT_EQ(checkProfileName(c.clean), c.check) << c.typed.toStdString();
    }
}

TEST_F(ProfileListTest, MissingOrUnusablePlacementValuesKeepTheCurrentOnes)
{
    const WindowPlacement current{WindowPlacement::Normal, 40, 50};
    EXPECT_EQ(readWindowPlacement(file, "Anna", current), current);
    writeSetting(file, "Anna", "Left", "12.6");
    writeSetting(file, "Anna", "Top", "99999999999");
    writeSetting(file, "Anna", "State", "7");
    EXPECT_EQ(readWindowPlacement(file, "Anna", current),
              (WindowPlacement{WindowPlacement::Normal, 13, 50}));
    writeSetting(file, "Anna", "State", "2");
    EXPECT_EQ(readWindowPlacement(file, "Anna", current).state, WindowPlacement::Maximized);
}

// A number no screen could hold, past either end, keeps the window where it is.
TEST_F(ProfileListTest, PixelsPastAnyScreenEitherWayKeepTheCurrentPlace)
{
    const WindowPlacement current{WindowPlacement::Normal, 40, 50};
    const struct {
        const char *left;
        const char *top;
        int keptLeft;
        int keptTop;
    } cases[] = {
        {"-99999999999", "99999999999", 40, 50},
        {"99999999999999999999", "-99999999999999999999", 40, 50},
        {"-1048576", "1048576", 40, 50},
        {"-1048575", "1048575", -1048575, 1048575},
    };
    for (const auto &c : cases) {
        writeSetting(file, "Anna", "Left", c.left);
        writeSetting(file, "Anna", "Top", c.top);
        const WindowPlacement read = readWindowPlacement(file, "Anna", current);
        EXPECT_EQ(read.left, c.keptLeft) << c.left;
        EXPECT_EQ(read.top, c.keptTop) << c.top;
    }
}

TEST_F(ProfileListTest, APlacementWritesTheStateOnlyWhenItChanged)
{
    writeWindowPlacement(file, "Anna", {WindowPlacement::Normal, 10, 20});
    EXPECT_EQ(readSectionLines(file, "Anna"), "Left=10\r\nTop=20");
    writeWindowPlacement(file, "Anna", {WindowPlacement::Minimized, 10, 20});
    EXPECT_EQ(readSectionLines(file, "Anna"), "Left=10\r\nTop=20\r\nState=1");
    writeWindowPlacement(file, "Anna", {WindowPlacement::Normal, -5, 20});
    EXPECT_EQ(readSectionLines(file, "Anna"), "Left=-5\r\nTop=20\r\nState=0");
}
