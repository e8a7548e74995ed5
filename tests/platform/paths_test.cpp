#include "platform/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(Paths, AbsoluteMeansDriveLeadingBackslashOrScheme)
{
    for (const char16_t *path :
         {u"C:\\Music\\a.mp3", u"c:", u"\\home\\a\\x.mp3", u"\\\\server\\share",
          u"http://example.com/a.mp3", u"file:///home/a.mp3", u"svn+ssh://host/a"})
        EXPECT_TRUE(platform::isAbsolutePath(path)) << QString::fromUtf16(path).toStdString();
}

TEST(Paths, ColonsInsideNamesDoNotMakeThemAbsolute)
{
    for (const char16_t *path :
         {u"Chapter 1: Intro.mp3", u"disc 2\\Chapter 1: Intro.mp3", u"a\\b.mp3", u".\\a.mp3",
          u"..\\a.mp3", u"", u"1:\\a", u"ab:\\a", u"://a", u"http:/a", u"-x://a", u"/home/a"})
        EXPECT_FALSE(platform::isAbsolutePath(path)) << QString::fromUtf16(path).toStdString();
}

TEST(Paths, AddressesNeedASchemeAndTwoSlashes)
{
    EXPECT_TRUE(platform::isAddress(u"https://example.com"));
    EXPECT_TRUE(platform::isAddress(u"x-y.z+1://a"));
    EXPECT_FALSE(platform::isAddress(u"C:\\a"));
    EXPECT_FALSE(platform::isAddress(u"mailto:a@example.com"));
    EXPECT_FALSE(platform::isAddress(u"\\a://b"));
}

TEST(Paths, ConvertsSeparatorsAtTheEdge)
{
    EXPECT_EQ(platform::toNativePath(QStringLiteral("\\home\\a\\x.mp3")), u"/home/a/x.mp3");
    EXPECT_EQ(platform::fromNativePath(QStringLiteral("/home/a/x.mp3")), u"\\home\\a\\x.mp3");
    EXPECT_EQ(platform::toNativePath(QStringLiteral("disc 1\\x.mp3")), u"disc 1/x.mp3");
    EXPECT_EQ(platform::fromNativePath(QStringLiteral("disc 1/x.mp3")), u"disc 1\\x.mp3");
    EXPECT_EQ(platform::toNativePath(QString()), QString());
}

TEST(Paths, AddressesPassUnchanged)
{
    const QString address = QStringLiteral("http://example.com/a\\b/c.mp3");
    EXPECT_EQ(platform::toNativePath(address), address);
    EXPECT_EQ(platform::fromNativePath(address), address);
}

TEST(Paths, ALinuxNameWithAColonStaysRelative)
{
    const QString internal = platform::fromNativePath(QStringLiteral("Chapter 1: Intro.mp3"));
    EXPECT_EQ(internal, u"Chapter 1: Intro.mp3");
    EXPECT_FALSE(platform::isAbsolutePath(internal));
    EXPECT_EQ(platform::toNativePath(internal), u"Chapter 1: Intro.mp3");

    const QString nested =
        platform::fromNativePath(QStringLiteral("/home/a/Book/Chapter 1: Intro.mp3"));
    EXPECT_EQ(nested, u"\\home\\a\\Book\\Chapter 1: Intro.mp3");
    EXPECT_TRUE(platform::isAbsolutePath(nested));
}

// Only what an internal path cannot tell apart: a "\\" inside a name, and a name that was not
// valid in the system's encoding.
TEST(Paths, RefusesWhatAnInternalPathCannotCarry)
{
    for (const char16_t *name : {u"a\\b.mp3", u"Caf\uFFFD.mp3"})
        EXPECT_TRUE(platform::hasUnstorableCharacter(name))
            << QString::fromUtf16(name).toStdString();
    for (const char16_t *name : {u"Chapter 1: Intro.mp3", u"/home/a/b c.mp3", u"Ünïcödé.mp3",
                                 u"a=b.mp3", u"a*.mp3", u"a|b.mp3", u"\"a\".mp3", u"a?.mp3", u""})
        EXPECT_FALSE(platform::hasUnstorableCharacter(name))
            << QString::fromUtf16(name).toStdString();
}

TEST(Paths, QtPathsComeInWithUnstorableNameCharactersMarked)
{
    EXPECT_EQ(platform::internalPathFromQt("/home/a/Book 1/x.mp3"), "\\home\\a\\Book 1\\x.mp3");
    // A "\\" inside a Linux name would otherwise pass for a folder separator.
    EXPECT_EQ(platform::internalPathFromQt("/home/a\\b/x*?.mp3"), u"\\home\\a\uFFFDb\\x*?.mp3");
}

TEST(Paths, CompareAsTheFileSystemDoes)
{
    EXPECT_TRUE(platform::samePath(u"\\books\\tale", u"\\books\\tale"));
    EXPECT_FALSE(platform::samePath(u"\\books\\tale", u"\\books\\Tale"));
    EXPECT_EQ(platform::pathCaseSensitivity(), Qt::CaseSensitive);
}

} // namespace
