#include "shell/manual/helpcontext.h"

#include <QSet>
#include <gtest/gtest.h>

using shell::help::helpContextOf;

TEST(HelpContext, NamesAndNumbersAreUnique)
{
    QSet<int> numbers;
    QSet<QString> names;
    for (const auto &entry : shell::help::table) {
        EXPECT_GT(entry.number, 0);
        numbers.insert(entry.number);
        names.insert(QString::fromLatin1(entry.objectName.data(), entry.objectName.size()));
    }
    EXPECT_EQ(numbers.size(), qsizetype(shell::help::table.size()));
    EXPECT_EQ(names.size(), qsizetype(shell::help::table.size()));
}

TEST(HelpContext, ArrayItemsShareTheirArraysNumber)
{
    EXPECT_EQ(helpContextOf(u"mFileList"), shell::help::fileList);
    EXPECT_EQ(helpContextOf(u"mFileList0"), shell::help::fileList);
    EXPECT_EQ(helpContextOf(u"mFileList127"), shell::help::fileList);
    EXPECT_EQ(helpContextOf(u"mFileRemovePlaceholder1"), shell::help::fileRemovePlaceholder);
}

TEST(HelpContext, ExactNamesComeBeforeArrayNames)
{
    EXPECT_EQ(helpContextOf(u"mOptionEditor0"), shell::help::optionTextEditor);
    EXPECT_EQ(helpContextOf(u"mOptionEditor1"), shell::help::optionMp3Editor);
    EXPECT_EQ(helpContextOf(u"tlStatus2"), shell::help::status2);
    EXPECT_EQ(helpContextOf(u"fwMain"), shell::help::mainWindow);
}

TEST(HelpContext, UnknownNamesHaveNone)
{
    EXPECT_EQ(helpContextOf(u""), 0);
    EXPECT_EQ(helpContextOf(u"42"), 0);
    EXPECT_EQ(helpContextOf(u"mFileLists"), 0);
    EXPECT_EQ(helpContextOf(u"tlStatus"), 0);
    EXPECT_EQ(helpContextOf(u"mOptionEditor"), 0);
}
