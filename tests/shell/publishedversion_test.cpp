#include "shell/update/publishedversion.h"

#include <gtest/gtest.h>

using namespace shell;

TEST(PublishedVersion, ReadsTheVersionLine)
{
    const struct {
        const char *document;
        const char *version;
    } cases[] = {
        {"version = \"1.2.3\"\n", "1.2.3"},
        {"// Sonnalby\r\nvar version = '2.0';\r\n", "2.0"},
        {"  VERSION:\"1.10.0.7\"", "1.10.0.7"},
        {"subversion = \"9.9\"\nversion = \"1.1\"", "1.1"},
        {"version = \"1.2.3.4.5\"", ""},
        {"version = \"beta\"", ""},
        {"version = 1.2", ""},
        {"", ""},
        {"<html>Not found</html>", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(publishedVersion(c.document), c.version) << c.document;
}

TEST(PublishedVersion, ComparesNumberByNumber)
{
    const struct {
        const char *installed, *published;
        bool newer;
    } cases[] = {
        {"1.00", "1.0.1", true},
        {"1.00", "1.0", false},
        {"1.00", "1.00.0", false},
        {"1.9", "1.10", true},
        {"1.10", "1.9", false},
        {"1.12.3", "1.12.3", false},
        {"1.12.3", "1.12.2", false},
        {"1.2", "2", true},
        {"1.2", "0099999999999999999999.1", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isNewerVersion(c.installed, c.published), c.newer)
            << c.installed << " " << c.published;
}
