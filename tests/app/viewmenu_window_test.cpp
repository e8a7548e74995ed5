#include "sessionfixture.h"

#include "../album/qstringprint.h"
#include "../album/testmp3.h"
#include "app/window/mainwindow.h"
#include "app/menus/options.h"
#include "app/menus/propertiesdialog.h"
#include "app/menus/viewmenu.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ViewMenuWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        album = fixture.makeThreeTrackAlbum("A Tale");
        fixture.start();
    }

    ViewMenu &viewMenu() { return *fixture.app().findChild<ViewMenu *>(); }
    bool isEnabled(const char *name) { return fixture.item(name)->isEnabled(); }
    void openViewMenu()
    {
        QMenu *menu = fixture.app().window().menus().view;
        menu->popup(QPoint(10, 10));
        SessionFixture::drainEvents();
        menu->hide();
        SessionFixture::drainEvents();
    }
    void setMp3Editor(const QString &program)
    {
        fixture.app().options().chooseEditor(Options::Mp3Editor, program);
    }
    QDialog *ownPropertiesDialog()
    {
        return fixture.app().window().findChild<QDialog *>("fwProperties");
    }

    SessionFixture fixture;
    QString album;
};

} // namespace

TEST_F(ViewMenuWindowTest, CommandsAreOfferedForAPlayableCurrentRecord)
{
    openViewMenu();
    EXPECT_FALSE(isEnabled("mViewProperties"));
    EXPECT_FALSE(isEnabled("mViewEditor"));

    fixture.openFolder(album);
    openViewMenu();
    EXPECT_TRUE(isEnabled("mViewProperties"));
    EXPECT_FALSE(isEnabled("mViewEditor"));
    setMp3Editor("\\usr\\bin\\mp3editor");
    openViewMenu();
    EXPECT_TRUE(isEnabled("mViewEditor"));

    fixture.exit();
    QFile::remove(album + "/02.mp3");
    fixture.start();
    fixture.app().records().setCurrent(1);
    openViewMenu();
    EXPECT_FALSE(isEnabled("mViewProperties"));
    EXPECT_FALSE(isEnabled("mViewEditor"));
}

TEST_F(ViewMenuWindowTest, PropertiesAskTheDesktopFirstAndShowTheirOwnWhenNoneAnswers)
{
    fixture.openFolder(album);
    fixture.item("mRecordList1")->trigger();
    QStringList asked;
    viewMenu().setPropertiesSheet(
        [&asked](const QString &path, const std::function<void()> &) { asked.append(path); });
    fixture.item("mViewProperties")->trigger();
    EXPECT_EQ(asked, QStringList{internal(album + "/02.mp3")});
    EXPECT_EQ(ownPropertiesDialog(), nullptr);

    viewMenu().setPropertiesSheet(
        [](const QString &, const std::function<void()> &unanswered) { unanswered(); });
    fixture.item("mViewProperties")->trigger();
    QDialog *dialog = ownPropertiesDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "02.mp3 Properties");
    QStringList shown;
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        shown.append(label->text());
    EXPECT_TRUE(shown.contains(album + "/02.mp3"));
    EXPECT_TRUE(shown.contains("Two"));
    dialog->reject();
    EXPECT_TRUE(QTest::qWaitFor([this] { return ownPropertiesDialog() == nullptr; }));
}

TEST_F(ViewMenuWindowTest, TheMp3EditorGetsTheRecordsPathAsOneArgument)
{
    const QString output = fixture.folder() + "/arguments.txt";
    const QString script = fixture.folder() + "/mp3 editor.sh";
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" '" +
               output.toUtf8() + "'\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    setMp3Editor(internal(script));
    fixture.openFolder(album);

    fixture.item("mViewEditor")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(output); }, 10000));
    QFile arguments(output);
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(arguments.readAll()), album + "/01.mp3\n");
}

TEST(FileProperties, PathSizeTimeTagFieldsAndDuration)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("chapter.mp3");
    const QByteArray bytes =
        testmp3::id3v2Tag(3, {{"TIT2", 0, "Intro"}, {"TPE1", 0, "\xCA\xED\xE8\xE3\xE0"}}) +
        testmp3::mpegFrames(115);
    ASSERT_TRUE(testmp3::writeFile(path, bytes));

    const QList<FileProperty> properties = filePropertiesOf(internal(path), 1251);
    QStringList labels;
    for (const FileProperty &property : properties)
        labels.append(property.label);
    EXPECT_EQ(labels, QStringList({"File", "Size", "Modified", "Title", "Artist", "Duration"}));
    EXPECT_EQ(properties[0].value, path);
    EXPECT_TRUE(properties[1].value.contains(QLocale().toString(bytes.size()) + " bytes"));
    EXPECT_EQ(properties[3].value, "Intro");
    EXPECT_EQ(properties[4].value, QString::fromUtf8("Книга"));
    EXPECT_EQ(properties[5].value, "00:00:03");

    EXPECT_EQ(filePropertiesOf(internal(folder.filePath("gone.mp3")), 0),
              (QList<FileProperty>{{"File", folder.filePath("gone.mp3")}}));
}
