#include "../history/historytesting.h"

#include "app/window/historywindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using history::ListeningSession;

namespace {

qint64 localMs(int year, int month, int day, int hour)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0)).toMSecsSinceEpoch();
}

// Two albums, oldest first: Alpha on Monday, Beta on Saturday of one week, Alpha the next.
const QList<ListeningSession> sessions{
    {"k\\a.m3u", "\\books\\a\\01.mp3", 10, 70, localMs(2024, 3, 4, 9), 60000},
    {"k\\b.m3u", "\\books\\b\\01.mp3", 0, 100, localMs(2024, 3, 9, 20), 100000},
    {"k\\a.m3u", "\\books\\a\\02.mp3", 5, 35.4, localMs(2024, 3, 12, 8), 30000},
};

QString titleOf(const QString &albumKey)
{
    return albumKey == "k\\a.m3u" ? "Alpha" : "Beta";
}

class HistoryWindowTest : public testing::Test {
protected:
    QTreeWidget *list(const char *name)
    {
        for (QTreeWidget *list : window.findChildren<QTreeWidget *>()) {
            if (list->accessibleName() == name)
                return list;
        }
        ADD_FAILURE() << "no list " << name;
        return nullptr;
    }
    QComboBox *filter() { return window.findChild<QComboBox *>(); }
    QPushButton *button(const char *text)
    {
        for (QPushButton *button : window.findChildren<QPushButton *>()) {
            if (button->text() == text)
                return button;
        }
        ADD_FAILURE() << "no button " << text;
        return nullptr;
    }
    QPushButton *closeButton()
    {
        return window.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close);
    }
    QStringList column(const char *name, int column)
    {
        QStringList texts;
        QTreeWidget *rows = list(name);
        for (int i = 0; i < rows->topLevelItemCount(); ++i)
            texts.append(rows->topLevelItem(i)->text(column));
        return texts;
    }
    void chooseAlbum(const QString &title) { filter()->setCurrentIndex(filter()->findText(title)); }
    void selectRow(int row)
    {
        list("Sessions")->setCurrentItem(list("Sessions")->topLevelItem(row));
    }
    QList<ListeningSession> jumps;
    HistoryWindow window{sessions, titleOf};

    void SetUp() override
    {
        QObject::connect(&window, &HistoryWindow::jumpRequested,
                         [this](const ListeningSession &session) { jumps.append(session); });
    }
};

} // namespace

TEST_F(HistoryWindowTest, SessionsNewestFirstUnderTheirAlbumsTitles)
{
    EXPECT_EQ(window.objectName(), "fwHistory");
    EXPECT_EQ(window.windowTitle(), "History");
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(column("Sessions", 1), QStringList({"Alpha", "Beta", "Alpha"}));
    EXPECT_EQ(column("Sessions", 2), QStringList({"02.mp3", "01.mp3", "01.mp3"}));
    EXPECT_EQ(column("Sessions", 3), QStringList({"00:00:05", "00:00:00", "00:00:10"}));
    EXPECT_EQ(column("Sessions", 4), QStringList({"00:00:35", "00:01:40", "00:01:10"}));
    EXPECT_EQ(column("Sessions", 5), QStringList({"00:00:30", "00:01:40", "00:01:00"}));
    EXPECT_TRUE(column("Sessions", 0)[0].endsWith(" 08:00:00"));
}

TEST_F(HistoryWindowTest, TheFilterChoosesAnAlbumAndTheTotalsFollowIt)
{
    QStringList choices;
    for (int i = 0; i < filter()->count(); ++i)
        choices.append(filter()->itemText(i));
    EXPECT_EQ(choices, QStringList({"All albums", "Alpha", "Beta"}));
    EXPECT_EQ(column("Time per album", 0), QStringList({"Beta", "Alpha"}));
    EXPECT_EQ(column("Time per album", 1), QStringList({"00:01:40", "00:01:30"}));
    EXPECT_EQ(column("Time per week", 1), QStringList({"00:00:30", "00:02:40"}));

    chooseAlbum("Alpha");
    EXPECT_EQ(column("Sessions", 2), QStringList({"02.mp3", "01.mp3"}));
    EXPECT_EQ(column("Time per album", 0), QStringList({"Alpha"}));
    EXPECT_EQ(column("Time per album", 1), QStringList({"00:01:30"}));
    EXPECT_EQ(column("Time per week", 1), QStringList({"00:00:30", "00:01:00"}));
    EXPECT_TRUE(column("Time per week", 0)[0].startsWith("Week 11 of 2024"));
    EXPECT_TRUE(column("Time per week", 0)[1].startsWith("Week 10 of 2024"));
}

TEST_F(HistoryWindowTest, AlbumsOfOneTitleAreChosenNewestFirst)
{
    const ListeningSession older{"k\\c.m3u", "\\c\\01.mp3", 0, 9, localMs(2024, 4, 1, 9), 9000};
    const ListeningSession newer{"k\\d.m3u", "\\d\\01.mp3", 0, 9, localMs(2024, 4, 2, 9), 9000};
    HistoryWindow twins({older, newer}, [](const QString &) { return QString("Same"); });
    QComboBox *choices = twins.findChild<QComboBox *>();
    ASSERT_EQ(choices->count(), 3);
    EXPECT_EQ(choices->itemData(1).toString(), newer.album);
    EXPECT_EQ(choices->itemData(2).toString(), older.album);
}

TEST_F(HistoryWindowTest, NewSessionsKeepTheAlbumChosen)
{
    chooseAlbum("Beta");
    window.setSessions(sessions + QList<ListeningSession>{{"k\\b.m3u", "\\b\\02.mp3", 0, 9,
                                                           localMs(2024, 4, 1, 9), 9000}});
    EXPECT_EQ(filter()->currentText(), "Beta");
    EXPECT_EQ(column("Sessions", 2), QStringList({"02.mp3", "01.mp3"}));
    window.setSessions({sessions[0]});
    EXPECT_EQ(filter()->currentText(), "All albums");
    EXPECT_EQ(column("Sessions", 2), QStringList({"01.mp3"}));
}

TEST_F(HistoryWindowTest, GoThereTheEnterKeyAndADoubleClickAskForTheChosenSession)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    chooseAlbum("Alpha");
    QPushButton *goThere = button("Go &There");
    EXPECT_FALSE(goThere->isEnabled());
    const struct {
        const char *way;
        int row;
        ListeningSession session;
        std::function<void()> go;
    } ways[] = {
        {"button", 0, sessions[2], [&] { QTest::mouseClick(goThere, Qt::LeftButton); }},
        {"button", 1, sessions[0], [&] { QTest::mouseClick(goThere, Qt::LeftButton); }},
        {"Enter", 1, sessions[0], [&] { QTest::keyClick(list("Sessions"), Qt::Key_Return); }},
        {"double-click", 1, sessions[0],
         [&] {
             QTreeWidget *rows = list("Sessions");
             const QPoint at = rows->visualItemRect(rows->topLevelItem(1)).center();
             // What a mouse sends: a click, then the second press as a double-click.
             QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, at);
             QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, at);
             QTest::mouseRelease(rows->viewport(), Qt::LeftButton, {}, at);
         }},
    };
    for (const auto &way : ways) {
        jumps.clear();
        selectRow(way.row);
        EXPECT_TRUE(goThere->isEnabled()) << way.way;
        way.go();
        EXPECT_EQ(jumps, QList<ListeningSession>{way.session}) << way.way;
    }
    list("Sessions")->clearSelection();
    EXPECT_FALSE(goThere->isEnabled());
}

// Real Tab presses, from the album filter round to it again.
TEST_F(HistoryWindowTest, TabReachesEveryControlAndEachHasAName)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    selectRow(0);
    filter()->setFocus();
    QList<QWidget *> reached;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget());
    }
    const QList<QWidget *> expected{list("Sessions"),      list("Time per album"),
                                    list("Time per week"), button("Go &There"),
                                    closeButton(),         filter()};
    EXPECT_EQ(reached, expected);
    for (QWidget *control : expected)
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
}
