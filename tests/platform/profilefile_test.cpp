#include "../support/filesizelimit.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/profilefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using platform::ProfileFile;

namespace {

class ProfileFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        platform::setAnsiCodePage(65001);
    }
    void TearDown() override { platform::setAnsiCodePage(0); }

    QString nativePath() const { return m_dir.filePath("settings.dat"); }
    QString path() const { return platform::fromNativePath(nativePath()); }
    ProfileFile file() const { return ProfileFile(path()); }

    void put(const QByteArray &content) const
    {
        QFile out(nativePath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(content), content.size());
    }
    QByteArray content() const
    {
        QFile in(nativePath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }
    QByteArray read(QByteArrayView section, QByteArrayView key, qsizetype size = 32767) const
    {
        return file().readString(section, key, "<default>", size);
    }

    QTemporaryDir m_dir;
};

// The lines of a section read, NUL-ended, as a list.
QList<QByteArray> sectionLines(const QByteArray &section)
{
    QList<QByteArray> lines = section.split('\0');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST_F(ProfileFileTest, NamesMatchWithoutRegardToCaseAndValuesAreTrimmed)
{
    put("[Main]\r\n  Volume  =  50  \r\nname=\tAnna\t\r\n");
    EXPECT_EQ(read("MAIN", "volume"), "50");
    EXPECT_EQ(read(" main ", " NAME "), "Anna");
    EXPECT_EQ(read("Main", "Missing"), "<default>");
    EXPECT_EQ(read("Other", "Volume"), "<default>");
}

TEST_F(ProfileFileTest, NonAsciiNamesMatchWithoutRegardToCase)
{
    put("[\xC3\x84nna]\r\nk=utf8\r\n");
    EXPECT_EQ(read("\xC3\xA4NNA", "K"), "utf8");
    platform::setAnsiCodePage(1252);
    put("[\xC4nna]\r\nk=ansi\r\n");
    EXPECT_EQ(read("\xE4nna", "k"), "ansi");
}

// Keys that are file paths on a system whose names differ by case.
TEST_F(ProfileFileTest, KeysMayBeMatchedExactly)
{
    put("[s]\r\n\\books\\tale=1\r\n\\books\\Tale=2\r\n");
    EXPECT_EQ(file().readString("S", "\\books\\Tale", "-", 100, Qt::CaseSensitive), "2");
    EXPECT_EQ(file().readString("s", "\\BOOKS\\TALE", "-", 100, Qt::CaseSensitive), "-");
    ASSERT_TRUE(file().writeString("s", "\\books\\Tale", "3", Qt::CaseSensitive));
    EXPECT_EQ(content(), "[s]\r\n\\books\\tale=1\r\n\\books\\Tale=3\r\n");
    ASSERT_TRUE(file().writeString("s", "\\books\\TALE", "4", Qt::CaseSensitive));
    EXPECT_EQ(content(), "[s]\r\n\\books\\tale=1\r\n\\books\\Tale=3\r\n\\books\\TALE=4\r\n");
}

TEST_F(ProfileFileTest, DropsOnePairOfSurroundingQuotes)
{
    put("[s]\r\na=\"  spaced \"\r\nb=\"\"twice\"\"\r\nc=\"\r\nd=\"open\r\ne=\"\"\r\n");
    EXPECT_EQ(read("s", "a"), "  spaced ");
    EXPECT_EQ(read("s", "b"), "\"twice\"");
    EXPECT_EQ(read("s", "c"), "\"");
    EXPECT_EQ(read("s", "d"), "\"open");
    EXPECT_EQ(read("s", "e"), "");
}

TEST_F(ProfileFileTest, FirstSectionAndFirstKeyWin)
{
    put("[s]\r\nk=1\r\nK=2\r\n[S]\r\nk=3\r\nonly=4\r\n");
    EXPECT_EQ(read("s", "k"), "1");
    EXPECT_EQ(read("s", "only"), "<default>");
}

TEST_F(ProfileFileTest, ReadsLfAndCrLfLinesAndIgnoresComments)
{
    put("[s]\na=1\r\n;b=2\n  [ t ]  \nc=3");
    EXPECT_EQ(read("s", "a"), "1");
    EXPECT_EQ(read("s", ";b"), "<default>");
    EXPECT_EQ(read("t", "c"), "3");
}

TEST_F(ProfileFileTest, ResultsAreLimitedByTheBufferSize)
{
    put("[s]\r\nk=" + QByteArray(300, 'x') + "\r\n");
    EXPECT_EQ(read("s", "k", 255), QByteArray(254, 'x'));
    EXPECT_EQ(read("s", "missing", 4), "<de");
    EXPECT_EQ(read("s", "k", 0), "");
}

TEST_F(ProfileFileTest, MissingFileGivesDefaults)
{
    EXPECT_EQ(read("s", "k"), "<default>");
    EXPECT_EQ(file().readSection("s", 32767), "");
    EXPECT_EQ(ProfileFile(QString()).readString("s", "k", "d", 10), "d");
}

TEST_F(ProfileFileTest, SectionReadGivesNulEndedLines)
{
    put("[p]\r\n 0 = Default \r\n\r\n;note\r\nlone line \r\n1=Anna=B\r\n[q]\r\nx=1\r\n");
    EXPECT_EQ(file().readSection("P", 32767), QByteArray("0=Default\0lone line\0001=Anna=B\0", 29));
    EXPECT_EQ(file().readSection("none", 32767), "");
}

TEST_F(ProfileFileTest, SectionReadCutsTheLineThatDoesNotFit)
{
    put("[p]\r\n0=abcdef\r\n1=ghijkl\r\n");
    const QByteArray result = file().readSection("p", 13);
    EXPECT_LE(result.size(), 12);
    EXPECT_EQ(sectionLines(result), (QList<QByteArray>{"0=abcdef", "1="}));
}

TEST_F(ProfileFileTest, WritingCreatesTheFileWithCrLfLines)
{
    EXPECT_TRUE(file().writeString("Scheme", "<Path>", "legend"));
    EXPECT_TRUE(file().writeString("fwMain", "mOptionOnTop", "1"));
    EXPECT_EQ(content(), "[Scheme]\r\n<Path>=legend\r\n[fwMain]\r\nmOptionOnTop=1\r\n");
}

TEST_F(ProfileFileTest, ReplacingAValueKeepsEveryOtherByte)
{
    const QByteArray before = "; top comment\n[a]\nx = 1 \n\n[B]\r\n  Key = old  \r\nz=2\n";
    put(before);
    EXPECT_TRUE(file().writeString("b", "KEY", "new"));
    QByteArray expected = before;
    expected.replace("  Key = old  ", "Key=new");
    EXPECT_EQ(content(), expected);
}

TEST_F(ProfileFileTest, NewKeyFollowsTheLastNonBlankLineOfItsSection)
{
    put("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
    EXPECT_TRUE(file().writeString("a", "new", "v"));
    EXPECT_EQ(content(), "[a]\r\nx=1\r\nnew=v\r\n\r\n[b]\r\ny=2\r\n");
}

TEST_F(ProfileFileTest, NewSectionGoesAtTheEndEvenAfterAnUnendedLine)
{
    put("[a]\r\nx=1");
    EXPECT_TRUE(file().writeString("b", "k", "v"));
    EXPECT_EQ(content(), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
    put("[a]");
    EXPECT_TRUE(file().writeString("a", "k", "v"));
    EXPECT_EQ(content(), "[a]\r\nk=v\r\n");
}

TEST_F(ProfileFileTest, LineBreaksInNamesAndValuesCannotAddLines)
{
    put("[s]\r\n");
    EXPECT_TRUE(file().writeString("s", "k", QByteArray("a\r\n[evil]\r\nx=1\0z", 16)));
    EXPECT_EQ(read("evil", "x"), "<default>");
    EXPECT_EQ(content(), "[s]\r\nk=a  [evil]  x=1 z\r\n");
}

TEST_F(ProfileFileTest, SectionWriteReplacesTheBody)
{
    put("[top]\r\na=1\r\n\r\n[P]\r\n0=old\r\n;gone\r\n1=older\r\n\r\n[end]\r\nb=2\r\n");
    EXPECT_TRUE(file().writeSection("p", QByteArray("0=Anna\0001=Bo\0\0002=ignored\0", 23)));
    EXPECT_EQ(content(), "[top]\r\na=1\r\n\r\n[P]\r\n0=Anna\r\n1=Bo\r\n\r\n[end]\r\nb=2\r\n");
    EXPECT_TRUE(file().writeSection("new", QByteArray("0=x\0", 4)));
    EXPECT_EQ(sectionLines(file().readSection("new", 100)), QList<QByteArray>{"0=x"});
    EXPECT_TRUE(content().endsWith("[end]\r\nb=2\r\n[new]\r\n0=x\r\n"));
}

TEST_F(ProfileFileTest, JunkNeverCrashesAndStaysAsItWas)
{
    std::mt19937 random(7);
    QByteArray junk;
    for (int i = 0; i < 20000; ++i)
        junk += char(random() % 256);
    junk += QByteArray("\n[s]\n", 5) + QByteArray(100000, 'k') + "\nline without equals\n";
    junk += QByteArray("nul=v\0al\n", 9);
    put(junk);
    EXPECT_EQ(read("s", "line without equals"), "");
    EXPECT_EQ(read("s", QByteArray(100000, 'k')), "");
    EXPECT_EQ(read("s", "nul"), QByteArray("v\0al", 4));
    EXPECT_EQ(read("s", "missing"), "<default>");
    EXPECT_FALSE(file().readSection("s", 32767).isEmpty());
    EXPECT_TRUE(file().writeString("s", "added", "1"));
    EXPECT_EQ(content(), junk + "added=1\r\n");
}

TEST_F(ProfileFileTest, OversizedOrUnreadableFilesReadAsMissingAndAreNeverRewritten)
{
    const QByteArray huge = "[s]\r\nk=v\r\n" + QByteArray(ProfileFile::maxFileSize, ';');
    put(huge);
    EXPECT_EQ(read("s", "k"), "<default>");
    EXPECT_FALSE(file().readBytes().has_value());
    EXPECT_FALSE(file().writeString("s", "k", "w"));
    EXPECT_EQ(content(), huge);

    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.dat"));
    const ProfileFile folder(platform::fromNativePath(m_dir.filePath("folder.dat")));
    EXPECT_EQ(folder.readString("s", "k", "d", 10), "d");
    EXPECT_FALSE(folder.writeString("s", "k", "w"));
}

TEST_F(ProfileFileTest, AWriteThatFailsHalfwayLeavesTheOldFileWhole)
{
    const QByteArray before = "[s]\r\nk=" + QByteArray(4000, 'o') + "\r\n";
    put(before);
    // The new file cannot be written whole.
    bool written = true;
    {
        const FileSizeLimit fullDisk(1024);
        written = file().writeString("s", "k", QByteArray(8000, 'n'));
    }

    EXPECT_FALSE(written);
    EXPECT_EQ(content(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"settings.dat"});
}

// Nothing the listener did is lost while the disk is full: it reads back from memory, each
// failure is told with its reason, and the next write that succeeds carries it all.
TEST_F(ProfileFileTest, WhatAFullDiskRefusesIsKeptToldAndWrittenByTheNextSave)
{
    QList<int> told;
    ProfileFile::setSaveObserver([&told, this](const QString &written, int error) {
        EXPECT_EQ(written, path());
        told.append(error);
    });
    put("[s]\r\na=1\r\n");
    {
        const FileSizeLimit fullDisk(1);
        EXPECT_FALSE(file().writeString("s", "b", "2"));
        EXPECT_FALSE(file().writeString("s", "c", "3"));
        EXPECT_EQ(read("s", "b"), "2");
        EXPECT_EQ(read("s", "c"), "3");
        EXPECT_FALSE(file().isSaved());
    }
    EXPECT_EQ(content(), "[s]\r\na=1\r\n") << "the old file stays whole";
    EXPECT_EQ(told, (QList<int>{EFBIG, EFBIG}));
    ASSERT_TRUE(file().writeString("s", "d", "4"));
    EXPECT_EQ(content(), "[s]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n");
    EXPECT_EQ(told.last(), 0);
    EXPECT_TRUE(file().isSaved());

    // Content that could not be read back is refused and not kept, or no later write could pass.
    EXPECT_FALSE(file().writeBytes(QByteArray(ProfileFile::maxFileSize + 1, ';')));
    EXPECT_EQ(told.last(), EFBIG);
    EXPECT_EQ(read("s", "d"), "4");
    ASSERT_TRUE(file().writeString("s", "e", "5"));
    EXPECT_TRUE(content().endsWith("d=4\r\ne=5\r\n"));
    // Exactly at the limit it is written, and reads back.
    const QByteArray atLimit = "[s]\r\nk=" + QByteArray(ProfileFile::maxFileSize - 7, 'v');
    ASSERT_EQ(atLimit.size(), ProfileFile::maxFileSize);
    ASSERT_TRUE(file().writeBytes(atLimit));
    EXPECT_EQ(file().readBytes(), atLimit);
    ProfileFile::setSaveObserver({});
}
