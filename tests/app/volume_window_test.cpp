#include "sessionfixture.h"

#include "../album/qstringprint.h"
#include "album/albumentry.h"
#include "app/window/controlstrip.h"
#include "app/window/volumebox.h"
#include "controls/spinbox.h"
#include "settings/settingsstore.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class VolumeWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        second = fixture.makeThreeTrackAlbum("Second");
        first = fixture.startWithThreeTrackAlbum("First");
    }

    SpinBox &box() { return *fixture.app().strip().volumeBox(); }
    QLineEdit &boxText() { return *box().findChild<QLineEdit *>("tbSpin"); }
    QScrollBar &boxArrows() { return *box().findChild<QScrollBar *>("vsSpin"); }
    void type(const QString &text)
    {
        boxText().selectAll();
        QTest::keyClicks(&boxText(), text);
    }
    bool boxFollows(int volume)
    {
        return QTest::qWaitFor([&] { return box().value() == volume; });
    }
    QString storedVolume(int index)
    {
        return album::AlbumEntry::fromText(fixture.albumLines().value(index)).volume;
    }

    SessionFixture fixture;
    QString first;
    QString second;
};

} // namespace

TEST_F(VolumeWindowTest, TypingTheArrowsTheKeysAndTheWheelDriveThePlayer)
{
    type("40");
    EXPECT_EQ(fixture.player().volume(), 40);
    boxArrows().triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(fixture.player().volume(), 41);
    QTest::keyClick(&boxText(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(fixture.player().volume(), 40);
    const QPointF at(2, 2);
    QWheelEvent notchDown(at, boxText().mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&boxText(), &notchDown);
    EXPECT_EQ(fixture.player().volume(), 39);
}

TEST_F(VolumeWindowTest, TheTimerBringsTheBoxBackToThePlayersVolume)
{
    const QTimer &timer = fixture.app().findChild<VolumeBox *>()->timer();
    EXPECT_EQ(timer.objectName(), "toSettings");
    EXPECT_EQ(timer.interval(), 100);
    EXPECT_TRUE(timer.isActive());
    fixture.player().setVolume(30);
    EXPECT_TRUE(boxFollows(30));
}

TEST_F(VolumeWindowTest, EachAlbumKeepsItsOwnVolume)
{
    type("55");
    fixture.player().pause();
    SessionFixture::drainEvents();
    EXPECT_EQ(storedVolume(0), "55");

    fixture.openFolder(second);
    type("70");
    fixture.item("mFileList1")->trigger();
    EXPECT_EQ(fixture.player().volume(), 55);
    EXPECT_TRUE(boxFollows(55));
    fixture.item("mFileList1")->trigger();
    EXPECT_EQ(fixture.player().volume(), 70);
    EXPECT_TRUE(boxFollows(70));
}

TEST_F(VolumeWindowTest, AnAlbumWithoutAUsableVolumePlaysAtFull)
{
    for (const char *stored : {"", "0", "abc"}) {
        type("20");
        fixture.exit();
        album::AlbumEntry entry = album::AlbumEntry::fromText(fixture.albumLines().value(0));
        ASSERT_EQ(entry.volume, "20");
        entry.volume = QString::fromLatin1(stored);
        settings::writeSectionLines(fixture.settingsFile(), "Default\\mFileList", entry.toText());
        fixture.start();
        EXPECT_EQ(fixture.player().volume(), 100) << stored;
        EXPECT_TRUE(boxFollows(100)) << stored;
    }
}
