#include "sessionfixture.h"

#include "app/window/controlstrip.h"
#include "controls/spinbox.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// Each album's own boost and voice levelling: two albums of three records.
class LoudnessWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        second = fixture.makeThreeTrackAlbum("Second");
        first = fixture.startWithThreeTrackAlbum("First");
    }

    void choose(const QString &name)
    {
        fixture.item(name)->trigger();
        SessionFixture::drainEvents();
    }
    QStringList storedFields(int index) { return fixture.albumLines().value(index).split(u'='); }
    // What the player does and the menu shows.
    void expectSound(int volume, bool levelled)
    {
        EXPECT_EQ(fixture.player().volume(), volume);
        // The box follows the player at its own pace.
        const SpinBox *box = fixture.app().strip().volumeBox();
        EXPECT_TRUE(QTest::qWaitFor([&] { return box->value() == volume; }));
        EXPECT_EQ(fixture.player().voiceLevelling(), levelled);
        EXPECT_EQ(fixture.item("mOptionLevelVoice")->isChecked(), levelled);
    }

    SessionFixture fixture;
    QString first;
    QString second;
};

} // namespace

TEST_F(LoudnessWindowTest, BoostAndLevellingStayWithTheirAlbumAcrossASwitchAndARestart)
{
    SpinBox *box = fixture.app().strip().volumeBox();
    box->setValue(150);
    emit box->change();
    choose("mOptionLevelVoice");
    expectSound(150, true);
    EXPECT_EQ(storedFields(0).mid(6, 1), QStringList({"100"}));
    EXPECT_EQ(storedFields(0).mid(8), QStringList({"", "150", "1"}));

    fixture.openFolder(second);
    expectSound(100, false);
    choose("mFileList1");
    expectSound(150, true);

    fixture.exit();
    fixture.start();
    expectSound(150, true);
    choose("mOptionLevelVoice");
    expectSound(150, false);
    EXPECT_EQ(storedFields(0).mid(8), QStringList({"", "150"}));
}
