#include "shell/dialogs/openfilter.h"

#include <gtest/gtest.h>

TEST(OpenFilter, AlbumFilterHasThreeChoicesTheLastForFolders)
{
    const QList<FilterChoice> choices =
        parseFilter("Audio File (*.mp3)|*.mp3|Media Playlist (*.wpl)|*.wpl|Folder|.|");
    ASSERT_EQ(choices.size(), 3);
    EXPECT_EQ(choices[0].label, "Audio File (*.mp3)");
    EXPECT_EQ(choices[0].pattern, "*.mp3");
    EXPECT_FALSE(choices[0].chooseFolder);
    EXPECT_EQ(choices[1].label, "Media Playlist (*.wpl)");
    EXPECT_FALSE(choices[1].chooseFolder);
    EXPECT_EQ(choices[2].label, "Folder");
    EXPECT_TRUE(choices[2].chooseFolder);

    EXPECT_EQ(qtNameFilters(choices),
              QStringList(
                  {"Audio File (*.mp3) (*.mp3)", "Media Playlist (*.wpl) (*.wpl)", "Folder (.)"}));
}

TEST(OpenFilter, WindowsPatternsBecomeQtPatterns)
{
    const QList<FilterChoice> choices =
        parseFilter("Programs (*.exe)|*.exe|All Files (*.*)|*.*|Sound|*.mp3; *.wav;|");
    // Where programs have no extension the dialog itself keeps the program choice to programs.
    EXPECT_TRUE(choices[0].chooseProgram);
    EXPECT_FALSE(choices[1].chooseProgram);
    EXPECT_EQ(qtNameFilters(choices),
              QStringList({"Programs (*.exe) (*)", "All Files (*.*) (*)", "Sound (*.mp3 *.wav)"}));
}

TEST(OpenFilter, IncompleteListsKeepOnlyWholePairs)
{
    EXPECT_TRUE(parseFilter("").isEmpty());
    EXPECT_TRUE(parseFilter("|").isEmpty());
    EXPECT_TRUE(parseFilter("Audio only").isEmpty());
    const QList<FilterChoice> choices = parseFilter("Empty||Audio|*.mp3|Dangling");
    ASSERT_EQ(choices.size(), 1);
    EXPECT_EQ(choices[0].label, "Audio");
}
