#include "sessionfixture.h"

#include "../album/qstringprint.h"
#include "app/window/albumdrop.h"
#include "app/window/mainwindow.h"
#include "platform/codepage.h"
#include "doubles/scripteddialogkit.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

class AlbumDropTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::setAnsiCodePage(1252);
        fixture.start();
    }
    void TearDown() override { platform::setAnsiCodePage(0); }

    // Drags the addresses onto the widget; true when it takes them. Dropped too when taken.
    bool drop(QWidget &target, const QList<QUrl> &urls,
              Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at(5, 5);
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        EXPECT_EQ(enter.dropAction(), offered & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
        QDropEvent dropped(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &dropped);
        SessionFixture::drainEvents();
        return dropped.isAccepted();
    }
    static QUrl file(const QString &path) { return QUrl::fromLocalFile(path); }

    MainWindow &window() { return fixture.app().window(); }
    SessionFixture fixture;
};

} // namespace

TEST_F(AlbumDropTest, AFolderDroppedOnTheWindowOpensAndActivatesItsAlbum)
{
    const QString album = fixture.makeThreeTrackAlbum("Tale");
    ASSERT_TRUE(drop(window(), {file(album + "/")}));
    EXPECT_EQ(window().windowTitle(), "Sonnalby - " + album + "/index.wpl");
    EXPECT_EQ(fixture.player().url(), internal(album + "/01.mp3"));
    EXPECT_EQ(fixture.albumLines().size(), 1);
}

TEST_F(AlbumDropTest, APlaylistOrAnMp3DroppedOnAControlOpensAsFileOpenWould)
{
    const QString tale = fixture.makeThreeTrackAlbum("Tale");
    ASSERT_TRUE(drop(window(), {file(tale)}));
    const QString other = fixture.makeAlbum("Other", {{"Part.MP3", "Part", 2}});
    QLineEdit *timeBox = window().findChild<QLineEdit *>("tbPosition");
    ASSERT_NE(timeBox, nullptr);
    ASSERT_TRUE(drop(*timeBox, {file(other + "/Part.MP3")}, Qt::LinkAction));
    EXPECT_EQ(window().windowTitle(), "Sonnalby - " + other + "/Part.MP3");
    EXPECT_EQ(timeBox->displayText(), "00:00:00");

    ASSERT_TRUE(drop(window(), {file(tale + "/index.wpl")}));
    EXPECT_EQ(window().windowTitle(), "Sonnalby - " + tale + "/index.wpl");
    EXPECT_EQ(fixture.albumLines().size(), 2);

    // A one-file book of today's formats is taken too; any readable content will do here.
    const QString book = fixture.makeAlbum("Book", {{"Book.M4B", "Book", 2}});
    ASSERT_TRUE(drop(window(), {file(book + "/Book.M4B")}));
    EXPECT_EQ(window().windowTitle(), "Sonnalby - " + book + "/Book.M4B");
    EXPECT_EQ(fixture.albumLines().size(), 3);
}

TEST_F(AlbumDropTest, AnythingElseIsRefusedAtTheCursor)
{
    const QString tale = fixture.makeThreeTrackAlbum("Tale");
    QFile(tale + "/notes.txt").open(QIODevice::WriteOnly);
    const QList<QList<QUrl>> refused = {
        {file(tale + "/notes.txt")},
        {file(tale + "/missing.m4b")},
        {file(tale + "/missing.mp3")},
        {file(tale + "/01.mp3"), file(tale + "/02.mp3")},
        {QUrl("https://www.example.com/book.mp3")},
        // Another computer's file, and the root folder.
        {QUrl("file://otherhost" + tale)},
        {file("/")},
        {},
    };
    for (const QList<QUrl> &urls : refused)
        EXPECT_FALSE(drop(window(), urls)) << urls.value(0).toString().toStdString();
    EXPECT_EQ(desktopAlbumPath({QUrl("file://localhost" + tale)}), internal(tale));
    EXPECT_EQ(desktopAlbumPath({QUrl("file://LOCALHOST" + tale)}), internal(tale));
    // A source that would move the files away is never taken up on it.
    EXPECT_FALSE(drop(window(), {file(tale)}, Qt::MoveAction));
    EXPECT_TRUE(fixture.albumLines().isEmpty());
}

TEST_F(AlbumDropTest, AFolderNameTheStoredFormsCannotCarryGetsFileOpensRefusal)
{
    const QString odd = fixture.makeThreeTrackAlbum("Odd\\Name");
    ASSERT_TRUE(drop(window(), {file(odd)}));
    const QList<DialogCall> messages = fixture.dialogKit().callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().texts.value(0).startsWith("Undecipherable file name:"));
    EXPECT_TRUE(fixture.albumLines().isEmpty());
    EXPECT_EQ(window().windowTitle(), "Sonnalby");
}
