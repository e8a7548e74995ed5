#include "text/codepagechooser.h"

#include "platform/codepage.h"
#include "text/codepagecatalogue.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using text::CodePageChooser;

// "Книга" in code page 1251.
const QByteArray cyrillicTitle("\xCA\xED\xE8\xE3\xE0");
// The offered pages and UTF-8.
constexpr int optionCount = 15;

QRadioButton *option(const QWidget &chooser, int index)
{
    return chooser.findChild<QRadioButton *>(QStringLiteral("obCP%1").arg(index));
}

QLineEdit *preview(const QWidget &chooser)
{
    return chooser.findChild<QLineEdit *>(QStringLiteral("tbCP"));
}

// Indexes of the options shown in bold.
QList<int> boldOptions(const QWidget &chooser)
{
    QList<int> bold;
    for (int i = 0; i < optionCount; ++i) {
        if (option(chooser, i)->font().bold())
            bold.append(i);
    }
    return bold;
}

QList<int> checkedOptions(const QWidget &chooser)
{
    QList<int> checked;
    for (int i = 0; i < optionCount; ++i) {
        if (option(chooser, i)->isChecked())
            checked.append(i);
    }
    return checked;
}

// Runs act on the chooser once it is shown modally; ask() blocks in its own event loop.
void whenChooserShown(std::function<void(CodePageChooser *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto *chooser = qobject_cast<CodePageChooser *>(QApplication::activeModalWidget());
        if (chooser == nullptr || !chooser->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(chooser);
    });
    timer->start();
}

bool chooserExists()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == u"fwCodePage")
            return true;
    }
    return false;
}

class CodePageChooserTest : public testing::Test {
protected:
    void SetUp() override { platform::setTitleCodePage(1251); }
    void TearDown() override { platform::setTitleCodePage(0); }
};

TEST_F(CodePageChooserTest, WindowCaptionsAndNames)
{
    CodePageChooser chooser(cyrillicTitle);
    EXPECT_EQ(chooser.objectName(), u"fwCodePage");
    EXPECT_EQ(chooser.windowTitle(), u"Revise Album Name");
    EXPECT_TRUE(chooser.isModal());
    auto *frame = chooser.findChild<QGroupBox *>(QStringLiteral("fbCP"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), u" Choose appropriate encoding: ");
    auto *ok = chooser.findChild<QPushButton *>(QStringLiteral("bbOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), u"OK");
    EXPECT_TRUE(ok->isDefault());
    ASSERT_NE(preview(chooser), nullptr);
    EXPECT_TRUE(preview(chooser)->isReadOnly());
}

TEST_F(CodePageChooserTest, OptionsFollowTheOfferedListWithNamesAloneThenUtf8)
{
    CodePageChooser chooser(cyrillicTitle);
    const auto offered = text::offeredCodePages();
    ASSERT_EQ(offered.size(), 14u);
    for (int i = 0; i < 14; ++i) {
        ASSERT_NE(option(chooser, i), nullptr) << i;
        EXPECT_EQ(option(chooser, i)->text(), text::codePageName(offered[i]));
        EXPECT_EQ(option(chooser, i)->parentWidget()->objectName(), u"fbCP");
    }
    EXPECT_EQ(option(chooser, 0)->text(), u"Thai");
    EXPECT_EQ(option(chooser, 13)->text(), u"Vietnamese");
    EXPECT_EQ(option(chooser, 14)->text(), u"Unicode (UTF-8)");
    EXPECT_EQ(chooser.findChildren<QRadioButton *>().size(), optionCount);
}

TEST_F(CodePageChooserTest, TwoColumnsRowMajorUtf8Last)
{
    CodePageChooser chooser(cyrillicTitle);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));

    const QRect first = option(chooser, 0)->geometry();
    const QRect second = option(chooser, 1)->geometry();
    EXPECT_LT(first.right(), second.left());
    for (int row = 0; row < 7; ++row) {
        const QRect left = option(chooser, 2 * row)->geometry();
        const QRect right = option(chooser, 2 * row + 1)->geometry();
        EXPECT_EQ(left.left(), first.left()) << row;
        EXPECT_EQ(right.left(), second.left()) << row;
        EXPECT_EQ(left.top(), right.top()) << row;
        EXPECT_EQ(left.width(), right.width()) << row;
        if (row > 0) {
            EXPECT_GE(left.top(), option(chooser, 2 * row - 2)->geometry().bottom()) << row;
        }
        // Even the widest caption in bold fits its column.
        QFont bold = option(chooser, 2 * row)->font();
        bold.setBold(true);
        for (const QRadioButton *button : {option(chooser, 2 * row), option(chooser, 2 * row + 1)})
            EXPECT_GT(button->width(), QFontMetrics(bold).horizontalAdvance(button->text()));
    }
    const QRect utf8 = option(chooser, 14)->geometry();
    EXPECT_EQ(utf8.left(), first.left());
    EXPECT_GE(utf8.top(), option(chooser, 12)->geometry().bottom());
}

TEST_F(CodePageChooserTest, PreviewAboveTheFrameAndOkUnderItsRightEdge)
{
    CodePageChooser chooser(cyrillicTitle);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));

    const QRect text = preview(chooser)->geometry();
    const QRect frame = chooser.findChild<QGroupBox *>(QStringLiteral("fbCP"))->geometry();
    const QRect ok = chooser.findChild<QPushButton *>(QStringLiteral("bbOK"))->geometry();
    EXPECT_LT(text.bottom(), frame.top());
    EXPECT_EQ(text.left(), frame.left());
    EXPECT_EQ(text.width(), frame.width());
    EXPECT_EQ(ok.right(), frame.right());
    EXPECT_GT(ok.top(), frame.bottom());
    EXPECT_LE(ok.bottom(), chooser.height());
}

TEST_F(CodePageChooserTest, TitleCodePagePreselectedInBoldWithItsPreview)
{
    CodePageChooser chooser(cyrillicTitle);
    EXPECT_EQ(checkedOptions(chooser), QList<int>{6});
    EXPECT_EQ(boldOptions(chooser), QList<int>{6});
    EXPECT_EQ(option(chooser, 6)->text(), u"Cyrillic");
    EXPECT_EQ(preview(chooser)->text(), u"Книга");
    EXPECT_EQ(chooser.codePage(), 1251);
}

TEST_F(CodePageChooserTest, Utf8TitlePreselectsUtf8)
{
    CodePageChooser chooser(QByteArray("Книга"));
    EXPECT_EQ(checkedOptions(chooser), QList<int>{14});
    EXPECT_EQ(boldOptions(chooser), QList<int>{14});
    EXPECT_EQ(preview(chooser)->text(), u"Книга");
    EXPECT_EQ(chooser.codePage(), 65001);
}

TEST_F(CodePageChooserTest, ChoosingChangesPreviewAndBoldOption)
{
    CodePageChooser chooser(cyrillicTitle);
    option(chooser, 7)->click();
    EXPECT_EQ(chooser.codePage(), 1252);
    EXPECT_EQ(preview(chooser)->text(), u"Êíèãà");
    EXPECT_EQ(checkedOptions(chooser), QList<int>{7});
    EXPECT_EQ(boldOptions(chooser), QList<int>{7});

    option(chooser, 0)->click();
    EXPECT_EQ(chooser.codePage(), 874);
    EXPECT_EQ(boldOptions(chooser), QList<int>{0});
    option(chooser, 6)->click();
    EXPECT_EQ(preview(chooser)->text(), u"Книга");
    EXPECT_EQ(boldOptions(chooser), QList<int>{6});
}

TEST_F(CodePageChooserTest, LongPreviewShowsItsBeginning)
{
    CodePageChooser chooser(QByteArray(400, 'a') + cyrillicTitle);
    EXPECT_EQ(preview(chooser)->cursorPosition(), 0);
    option(chooser, 7)->click();
    EXPECT_EQ(preview(chooser)->cursorPosition(), 0);
}

TEST_F(CodePageChooserTest, ArrowsMoveTheChoiceAcrossRowsAndColumns)
{
    CodePageChooser chooser(cyrillicTitle);
    chooser.show();
    chooser.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
    ASSERT_EQ(QApplication::focusWidget(), option(chooser, 6));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(chooser.codePage(), 1253);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(chooser.codePage(), 1254);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(chooser.codePage(), 1252);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(chooser.codePage(), 1251);
    EXPECT_EQ(boldOptions(chooser), QList<int>{6});
    EXPECT_EQ(preview(chooser)->text(), u"Книга");
}

TEST_F(CodePageChooserTest, EnterIsOk)
{
    whenChooserShown([](CodePageChooser *chooser) {
        option(*chooser, 9)->click();
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(CodePageChooser::ask(nullptr, cyrillicTitle), 1254);
    EXPECT_FALSE(chooserExists());
}

// Whichever way the fresh window is left, the preselected page is the answer.
TEST_F(CodePageChooserTest, EnterEscapeAndCloseBoxTakeThePreselected)
{
    const std::function<void(CodePageChooser *)> leavings[] = {
        [](CodePageChooser *chooser) { QTest::keyClick(chooser->focusWidget(), Qt::Key_Enter); },
        [](CodePageChooser *chooser) { QTest::keyClick(chooser->focusWidget(), Qt::Key_Escape); },
        [](CodePageChooser *chooser) { chooser->close(); },
    };
    for (const auto &leave : leavings) {
        platform::setTitleCodePage(1250);
        whenChooserShown(leave);
        EXPECT_EQ(CodePageChooser::ask(nullptr, cyrillicTitle), 1250);
        whenChooserShown(leave);
        EXPECT_EQ(CodePageChooser::ask(nullptr, QByteArray("Caf\xC3\xA9")), 65001);
    }
    EXPECT_FALSE(chooserExists());
}

TEST_F(CodePageChooserTest, CloseBoxAndEscapeTakeTheChoiceMade)
{
    whenChooserShown([](CodePageChooser *chooser) {
        option(*chooser, 3)->click();
        chooser->close();
    });
    EXPECT_EQ(CodePageChooser::ask(nullptr, cyrillicTitle), 949);

    whenChooserShown([](CodePageChooser *chooser) {
        option(*chooser, 12)->click();
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(CodePageChooser::ask(nullptr, cyrillicTitle), 1257);
    EXPECT_FALSE(chooserExists());
}

TEST_F(CodePageChooserTest, TitleComesBackDecodedInTheChosenCodePage)
{
    QWidget owner;
    whenChooserShown([&owner](CodePageChooser *chooser) {
        EXPECT_EQ(chooser->parentWidget(), &owner);
        EXPECT_EQ(preview(*chooser)->text(), u"Книга");
        option(*chooser, 7)->click();
        chooser->findChild<QPushButton *>(QStringLiteral("bbOK"))->click();
    });
    const text::TitleEncoding western = text::chooseTitleEncoding(&owner, cyrillicTitle);
    EXPECT_EQ(western.codePage, 1252);
    EXPECT_EQ(western.title, u"&#202;&#237;&#232;&#227;&#224;");

    // Each call builds a fresh window: the last choice is not remembered.
    whenChooserShown([](CodePageChooser *chooser) {
        EXPECT_EQ(checkedOptions(*chooser), QList<int>{6});
        chooser->accept();
    });
    const text::TitleEncoding cyrillic = text::chooseTitleEncoding(&owner, cyrillicTitle);
    EXPECT_EQ(cyrillic.codePage, 1251);
    EXPECT_EQ(cyrillic.title, u"&#1050;&#1085;&#1080;&#1075;&#1072;");
}

} // namespace
