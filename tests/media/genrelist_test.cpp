#include "media/genrelist.h"

#include <gtest/gtest.h>

namespace {

TEST(GenreList, HoldsTheExtendedListInItsOrder)
{
    QStringList names = media::genreList();
    ASSERT_EQ(names.size(), 192);
    EXPECT_EQ(names[0], "Blues");
    EXPECT_EQ(names[79], "Hard Rock");
    EXPECT_EQ(names[80], "Folk");
    EXPECT_EQ(names[183], "Audiobook");
    EXPECT_EQ(names[184], "Audio theatre");
    EXPECT_EQ(names[186], "Podcast");
    EXPECT_EQ(names[191], "Psybient");
    EXPECT_EQ(names.removeDuplicates(), 0);
}

TEST(GenreList, NamesOnlyIndexesInsideTheList)
{
    EXPECT_EQ(media::genreName(101), "Speech");
    EXPECT_TRUE(media::genreName(-1).isEmpty());
    EXPECT_TRUE(media::genreName(192).isEmpty());
    EXPECT_TRUE(media::genreName(255).isEmpty());
}

} // namespace
