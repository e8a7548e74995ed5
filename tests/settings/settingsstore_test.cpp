#include "settings/settingsstore.h"

#include "platform/codepage.h"
#include "platform/fileattributes.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "settings/settingskeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace settings;

namespace {

const QString albumList = keys::albumListSection(QStringLiteral("Anna"));

QByteArray fileContent(const QString &nativePath)
{
    QFile in(nativePath);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

struct stat statusOf(const QString &nativePath)
{
    struct stat status = {};
    ::stat(QFile::encodeName(nativePath).constData(), &status);
    return status;
}

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        platform::setAnsiCodePage(65001);
    }
    void TearDown() override { platform::setAnsiCodePage(0); }

    QString native() const { return m_dir.filePath("sonnalby.dat"); }
    QString path() const { return platform::fromNativePath(native()); }
    void put(const QByteArray &content) const
    {
        QFile out(native());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(content), content.size());
    }
    QByteArray content() const { return fileContent(native()); }
    // Every write replaces the file, so a new inode shows that it was written.
    ino_t inode() const { return statusOf(native()).st_ino; }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsStoreTest, MissingFileReadsAsDefaults)
{
    EXPECT_EQ(readSetting(path(), keys::mainWindowSection, keys::mp3EditorKey), "");
    EXPECT_EQ(readSetting(path(), keys::mainWindowSection, keys::textEditorKey, "  edit  "),
              "edit");
    EXPECT_EQ(readSettingNumber(path(), keys::mainWindowSection, keys::optionMinimizeKey,
                                FixedPoint::fromInt(1)),
              FixedPoint::fromInt(1));
    EXPECT_EQ(readSectionValues(path(), keys::profileListSection), "");
    EXPECT_EQ(readSectionLines(path(), albumList), "");
    EXPECT_FALSE(fileExists(path()));
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheFileWithItsSectionFirst)
{
    writeSectionLines(path(), albumList, "\\a.wpl=1");
    EXPECT_FALSE(fileExists(path()));
    writeSetting(path(), keys::schemeSection, keys::schemePathKey, "<Access>=<Title>");
    writeSettingNumber(path(), keys::mainWindowSection, keys::optionOnTopKey, FixedPoint());
    EXPECT_EQ(content(), "[Scheme]\r\n<Path>=<Access>=<Title>\r\n[fwMain]\r\nmOptionOnTop=0\r\n");
    EXPECT_TRUE(fileExists(path()));
}

TEST_F(SettingsStoreTest, UnchangedTextIsNotRewrittenAndTheComparisonHeedsCase)
{
    writeSetting(path(), "s", "k", "abc");
    const QByteArray before = content();
    const ino_t written = inode();
    writeSetting(path(), "s", "k", "abc");
    EXPECT_EQ(content(), before);
    EXPECT_EQ(inode(), written);
    writeSetting(path(), "s", "k", "ABC");
    EXPECT_EQ(content(), "[s]\r\nk=ABC\r\n");
    EXPECT_NE(inode(), written);
}

TEST_F(SettingsStoreTest, EmptyTextIsStoredAsABlank)
{
    writeSetting(path(), "s", "k", "x");
    writeSetting(path(), "s", "k", "");
    EXPECT_EQ(content(), "[s]\r\nk= \r\n");
    EXPECT_EQ(readSetting(path(), "s", "k", "default"), "");
    writeSetting(path(), "s", "new", "");
    EXPECT_EQ(content(), "[s]\r\nk= \r\nnew= \r\n");
    EXPECT_EQ(readSetting(path(), "s", "new", "default"), "");
}

TEST_F(SettingsStoreTest, EqualNumbersAreNotRewrittenButZeroAlwaysIs)
{
    writeSettingNumber(path(), "s", "five", FixedPoint::fromInt(5));
    writeSettingNumber(path(), "s", "zero", FixedPoint());
    const ino_t written = inode();
    writeSettingNumber(path(), "s", "five", FixedPoint::fromInt(5));
    EXPECT_EQ(inode(), written);
    writeSettingNumber(path(), "s", "zero", FixedPoint());
    EXPECT_NE(inode(), written);
    EXPECT_EQ(content(), "[s]\r\nfive=5\r\nzero=0\r\n");
}

TEST_F(SettingsStoreTest, NumbersAreWrittenShortAndReadFromTheirLeadingDigits)
{
    writeSettingNumber(path(), "s", "half", FixedPoint::fromUnits(25000));
    writeSettingNumber(path(), "s", "small", FixedPoint::fromUnits(-2500));
    EXPECT_EQ(content(), "[s]\r\nhalf=2.5\r\nsmall=-.25\r\n");
    put("[s]\r\nmixed=12abc\r\ntext=abc\r\n=7\r\n");
    const FixedPoint one = FixedPoint::fromInt(1);
    EXPECT_EQ(readSettingNumber(path(), "s", "mixed"), FixedPoint::fromInt(12));
    EXPECT_EQ(readSettingNumber(path(), "s", "text", one), FixedPoint());
    EXPECT_EQ(readSettingNumber(path(), "s", "missing", one), one);
    // Empty names answer the default without looking, although the file holds "=7".
    EXPECT_EQ(readSettingNumber(path(), "s", "", one), one);
    EXPECT_EQ(readSettingNumber(path(), "", "mixed", one), one);
    EXPECT_EQ(readSettingNumber(QString(), "s", "mixed", one), one);
}

TEST_F(SettingsStoreTest, SectionValuesAreTheTextsAfterTheFirstEquals)
{
    put("[mProfileList]\r\n0=Default\r\n1=Anna=B\r\nlone\r\n");
    EXPECT_EQ(readSectionValues(path(), keys::profileListSection), "Default\r\nAnna=B\r\nlone");
    EXPECT_EQ(readSetting(path(), keys::profileListSection, "0"), "Default");
}

TEST_F(SettingsStoreTest, WritingSectionValuesReplacesTheSection)
{
    put("[mProfileList]\r\n0=Old\r\n1=Gone\r\n2=Also\r\n\r\n[Anna]\r\nLeft=1\r\n");
    writeSectionValues(path(), keys::profileListSection, {"Anna", "Default"});
    EXPECT_EQ(content(), "[mProfileList]\r\n0=Anna\r\n1=Default\r\n\r\n[Anna]\r\nLeft=1\r\n");
    const ino_t written = inode();
    writeSectionValues(path(), keys::profileListSection, {});
    EXPECT_EQ(inode(), written);
    EXPECT_EQ(readSectionValues(path(), keys::profileListSection), "Anna\r\nDefault");
}

TEST_F(SettingsStoreTest, SectionLinesAreRawUpToTheFirstEmptyLine)
{
    put("[anna\\mfilelist]\r\nwrong=case\r\n[Anna\\mFileList]  \r\n  \\a.wpl = 1=T \r\n"
        ";comment\r\n\\b.wpl=2\n\r\n\\c.wpl=3\r\n");
    EXPECT_EQ(readSectionLines(path(), albumList), "  \\a.wpl = 1=T \r\n\\b.wpl=2");
    put("[Anna\\mFileList]\r\n\\a.wpl=1\r\n[Anna]\r\nLeft=1\r\n");
    EXPECT_EQ(readSectionLines(path(), albumList), "\\a.wpl=1");
    EXPECT_EQ(readSectionLines(path(), "anna\\mfilelist"), "");
}

TEST_F(SettingsStoreTest, RewrittenSectionMovesToTheEndWithoutDoubleBlankLines)
{
    put("[fwMain]\r\nmOptionOnTop=1\r\n\r\n"
        "[Anna\\mFileList]\r\n\\a\\b.wpl=1=T\r\n\\c\\d.wpl=2=U\r\n\r\n"
        "[Anna]\r\nLeft=10\r\nTop=20\r\n");
    writeSectionLines(path(), albumList, "\\c\\d.wpl=3=U\r\n\\a\\b.wpl=1=T");
    EXPECT_EQ(content(), "[fwMain]\r\nmOptionOnTop=1\r\n\r\n"
                         "[Anna]\r\nLeft=10\r\nTop=20\r\n"
                         "[Anna\\mFileList]\r\n\\c\\d.wpl=3=U\r\n\\a\\b.wpl=1=T\r\n");
}

TEST_F(SettingsStoreTest, SectionsAroundARewrittenAlbumListStayByteForByte)
{
    const QByteArray before = "[Scheme]\r\n<Path>=x\r\n\r\n[fwMain]\r\nmOptionOnTop=1\r\n\r\n";
    const QByteArray after = "[Anna]\r\nLeft=10\r\n\r\n[Bo]\r\nTop=5\r\n";
    put(before + "[Anna\\mFileList]\r\n\\a=1\r\n\r\n" + after);
    writeSectionLines(path(), albumList, "\\z=9");
    EXPECT_EQ(content(), before + after + "[Anna\\mFileList]\r\n\\z=9\r\n");
}

TEST_F(SettingsStoreTest, LinesAfterAnEmptyLineStayAtTheOldPlace)
{
    put("[fwMain]\r\nx=1\r\n[Anna\\mFileList]\r\n\\a=1\r\n\r\n\\b=2\r\n[Anna]\r\nLeft=1\r\n");
    writeSectionLines(path(), albumList, "\\c=3");
    EXPECT_EQ(content(),
              "[fwMain]\r\nx=1\r\n\r\n\\b=2\r\n[Anna]\r\nLeft=1\r\n[Anna\\mFileList]\r\n\\c=3\r\n");
}

TEST_F(SettingsStoreTest, HeaderInOtherCaseIsNotReplaced)
{
    const QByteArray before = "[anna\\mfilelist]\n\\a=1";
    put(before);
    writeSectionLines(path(), albumList, "\\b=2");
    EXPECT_EQ(content(), before + "\r\n[Anna\\mFileList]\r\n\\b=2\r\n");
}

TEST_F(SettingsStoreTest, NewLinesStopAtTheFirstEmptyOneAndCannotBreakTheFile)
{
    put("[fwMain]\r\n");
    writeSectionLines(path(), albumList, "");
    EXPECT_EQ(content(), "[fwMain]\r\n[Anna\\mFileList]\r\n");
    writeSectionLines(path(), albumList, "\\a=1\n[fwMain]\r\n\r\n\\b=2");
    EXPECT_EQ(content(), "[fwMain]\r\n[Anna\\mFileList]\r\n\\a=1 [fwMain]\r\n");
    EXPECT_EQ(readSectionLines(path(), albumList), "\\a=1 [fwMain]");
}

TEST_F(SettingsStoreTest, EverythingWrittenReadsBackValueForValue)
{
    const QString album = "\\home\\anna\\Music\\Book\\index.wpl";
    writeSetting(path(), keys::schemeSection, keys::schemePathKey, "<Access>=<Marks>");
    writeSetting(path(), keys::schemeSection, keys::schemeMarksKey, "<Path>/<Time>/<Title>|...");
    writeSettingNumber(path(), keys::mainWindowSection, keys::optionSysTrayKey,
                       FixedPoint::fromInt(1));
    writeSetting(path(), keys::mainWindowSection, keys::textEditorKey, "\\usr\\bin\\gedit");
    writeSectionValues(path(), keys::profileListSection, {"Anna", "Default", "Bo"});
    writeSettingNumber(path(), "Anna", keys::leftKey, FixedPoint::fromInt(-12));
    writeSettingNumber(path(), "Anna", keys::stateKey, FixedPoint::fromInt(2));
    writeSectionLines(path(), albumList, album + "=1=Book\r\n\\x.wpl=2=Other");
    writeSetting(path(), albumList, album, "3=Book=0=12=3600=50=\\a.mp3/61/");

    EXPECT_EQ(readSetting(path(), keys::schemeSection, keys::schemeMarksKey),
              "<Path>/<Time>/<Title>|...");
    EXPECT_EQ(readSettingNumber(path(), keys::mainWindowSection, keys::optionSysTrayKey),
              FixedPoint::fromInt(1));
    EXPECT_EQ(readSetting(path(), keys::mainWindowSection, keys::textEditorKey),
              "\\usr\\bin\\gedit");
    EXPECT_EQ(readSectionValues(path(), keys::profileListSection), "Anna\r\nDefault\r\nBo");
    EXPECT_EQ(readSetting(path(), keys::profileListSection, "0"), "Anna");
    EXPECT_EQ(readSettingNumber(path(), "anna", "LEFT"), FixedPoint::fromInt(-12));
    EXPECT_EQ(readSettingNumber(path(), "Anna", keys::stateKey), FixedPoint::fromInt(2));
    EXPECT_EQ(readSectionLines(path(), albumList),
              album + "=3=Book=0=12=3600=50=\\a.mp3/61/\r\n\\x.wpl=2=Other");
    EXPECT_TRUE(content().endsWith("\\x.wpl=2=Other\r\n"));
    EXPECT_FALSE(content().contains("\n\n"));
}

TEST_F(SettingsStoreTest, TextGoesThroughTheAnsiCodePage)
{
    platform::setAnsiCodePage(1252);
    writeSetting(path(), "Zo\u00eb", "title", "Caf\u00e9 \u65e5\u672c");
    EXPECT_EQ(content(), "[Zo\xEB]\r\ntitle=Caf\xE9 ??\r\n");
    EXPECT_EQ(readSetting(path(), "ZO\u00cb", "title"), "Caf\u00e9 ??");
    writeSectionLines(path(), "Zo\u00eb\\mFileList", "\\caf\u00e9=1");
    EXPECT_EQ(readSectionLines(path(), "Zo\u00eb\\mFileList"), "\\caf\u00e9=1");
}

TEST_F(SettingsStoreTest, JunkLongLinesAndLinesWithoutEqualsGiveDefaults)
{
    std::mt19937 random(11);
    QByteArray junk;
    for (int i = 0; i < 50000; ++i)
        junk += char(random() % 256);
    junk += QByteArray("\r\n[s]\r\nno equals here\r\n\0\0=\0\r\n", 29);
    junk += "long=" + QByteArray(100000, 'x') + "\r\n";
    put(junk);
    EXPECT_EQ(readSetting(path(), "s", "no equals here", "d"), "");
    EXPECT_EQ(readSetting(path(), "s", "missing", "d"), "d");
    EXPECT_EQ(readSetting(path(), "s", "long").size(), 32766);
    EXPECT_EQ(readSettingNumber(path(), "s", "long", FixedPoint::fromInt(4)), FixedPoint());
    EXPECT_FALSE(readSectionValues(path(), "s").isEmpty());
    EXPECT_EQ(readSectionLines(path(), "missing"), "");
    EXPECT_EQ(readSectionLines(path(), "s").left(14), "no equals here");

    writeSetting(path(), "s", "added", "1");
    EXPECT_EQ(readSetting(path(), "s", "added"), "1");
    EXPECT_TRUE(content().startsWith(junk));
}

TEST_F(SettingsStoreTest, OversizedFileReadsAsDefaultsAndIsLeftAlone)
{
    const QByteArray huge = "[s]\r\nk=v\r\n" + QByteArray(20 * 1024 * 1024, ';');
    put(huge);
    EXPECT_EQ(readSetting(path(), "s", "k", "d"), "d");
    EXPECT_EQ(readSectionLines(path(), "s"), "");
    writeSetting(path(), "s", "k", "w");
    writeSectionLines(path(), "s", "k=w");
    writeSectionValues(path(), "s", {"w"});
    EXPECT_EQ(content(), huge);
}

// What is written can be read back: a write that would take the file past what a read takes is
// refused, and the file stays as it was.
TEST_F(SettingsStoreTest, AWritePastTheSizeLimitIsRefusedAndTheOldFileKept)
{
    put("[Anna]\r\nLeft=10\r\n");
    const QByteArray before = content();
    const QString huge(platform::ProfileFile::maxFileSize, u'x');
    writeSetting(path(), "Anna", "Huge", huge);
    writeSectionLines(path(), albumList, huge);
    EXPECT_EQ(content(), before);
    EXPECT_EQ(readSetting(path(), "Anna", "Left"), "10");
    // Just within the limit, it reads back whole.
    const QString large(platform::ProfileFile::maxFileSize - 1024, u'y');
    writeSectionLines(path(), albumList, "\\a=" + large);
    EXPECT_EQ(readSectionLines(path(), albumList).size(), large.size() + 3);
}

TEST_F(SettingsStoreTest, AnOldCopyOfASectionNeverComesBack)
{
    put("[Anna\\mFileList]\r\n\\a=1\r\n[Anna]\r\nLeft=1\r\n[Anna\\mFileList]\r\n\\old=2\r\n");
    writeSectionLines(path(), albumList, "\\b=3\r\n\\a=1");
    EXPECT_EQ(readSectionLines(path(), albumList), "\\b=3\r\n\\a=1");
    writeSectionLines(path(), albumList, "\\a=1\r\n\\b=3");
    EXPECT_EQ(readSectionLines(path(), albumList), "\\a=1\r\n\\b=3");
    EXPECT_FALSE(content().contains("old"));
}

// A list keeps every line however long it grows.
TEST_F(SettingsStoreTest, SectionValuesKeepEveryLine)
{
    QStringList names;
    for (int i = 0; i < 10'000; ++i)
        names.append(QStringLiteral("Profile%1").arg(i));
    names.append(QString(32767, u'n'));
    writeSectionValues(path(), "mProfileList", names);
    EXPECT_EQ(readSectionValues(path(), "mProfileList").split("\r\n"), names);
}

TEST_F(SettingsStoreTest, FileExistsOnlyForFiles)
{
    EXPECT_FALSE(fileExists(path()));
    EXPECT_FALSE(fileExists(QString()));
    EXPECT_FALSE(fileExists(platform::fromNativePath(m_dir.path())));
    put("");
    EXPECT_TRUE(fileExists(path()));
}

TEST_F(SettingsStoreTest, DirectoryInPlaceOfTheFileReadsAsMissing)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("sonnalby.dat"));
    EXPECT_EQ(readSetting(path(), "s", "k", "d"), "d");
    EXPECT_EQ(readSectionValues(path(), "s"), "");
    writeSetting(path(), "s", "k", "v");
    writeSectionLines(path(), "s", "k=v");
    EXPECT_TRUE(QFileInfo(native()).isDir());
}

// Permissions never bite root: these checks run in a second copy of this program as "nobody",
// each as one disabled test that only runAsNobody() runs.
namespace {

constexpr char childFileVariable[] = "SONNALBY_TEST_SETTINGS_FILE";

QString childNativeFile()
{
    return qEnvironmentVariable(childFileVariable);
}

struct Nobody {
    uid_t uid = 0;
    gid_t gid = 0;
};

std::optional<Nobody> nobody()
{
    const passwd *user = getpwnam("nobody");
    const group *grp = getgrnam("nogroup");
    if (!user || !grp)
        return std::nullopt;
    return Nobody{user->pw_uid, grp->gr_gid};
}

// Why the checks as "nobody" cannot run here, or empty text when they can.
QString whyNoUnprivilegedRun()
{
    if (geteuid() != 0)
        return "switching to the user nobody needs root";
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        return "setpriv is missing";
    if (!nobody())
        return "the user nobody or the group nogroup is missing";
    return {};
}

void runAsNobody(const char *test, const QString &nativeFile)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(childFileVariable, nativeFile);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start("setpriv",
                {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                 QCoreApplication::applicationFilePath(), "--gtest_also_run_disabled_tests",
                 QStringLiteral("--gtest_filter=AsNobody.DISABLED_%1").arg(test)});
    ASSERT_TRUE(child.waitForFinished(300000)) << "the run as nobody did not end";
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.constData();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
}

void chownTo(const QString &nativePath, const Nobody &owner)
{
    ASSERT_EQ(::chown(QFile::encodeName(nativePath).constData(), owner.uid, owner.gid), 0);
}

void chmodTo(const QString &nativePath, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(nativePath).constData(), mode), 0);
}

const QByteArray sampleFile = "[fwMain]\r\nmOptionOnTop=0\r\n\r\n"
                              "[mProfileList]\r\n0=Default\r\n\r\n"
                              "[Default\\mFileList]\r\n\\a.wpl=1=A\r\n";

class AsNobodyTest : public SettingsStoreTest {
protected:
    void SetUp() override
    {
        SettingsStoreTest::SetUp();
        const QString reason = whyNoUnprivilegedRun();
        if (!reason.isEmpty())
            GTEST_SKIP() << reason.toStdString();
        m_nobody = *nobody();
        chmodTo(m_dir.path(), 0755);
        put(sampleFile);
    }

    Nobody m_nobody;
};

} // namespace

TEST_F(AsNobodyTest, ReadOnlyFileIsUpdatedAndStaysReadOnly)
{
    chownTo(m_dir.path(), m_nobody);
    chownTo(native(), m_nobody);
    chmodTo(native(), 0444);
    runAsNobody("UpdatesReadOnlyFile", native());
    EXPECT_EQ(statusOf(native()).st_mode & 07777, mode_t(0444));
    EXPECT_EQ(content(), "[fwMain]\r\nmOptionOnTop=1\r\nmOptionEditor-0=\\bin\\ed\r\n\r\n"
                         "[mProfileList]\r\n0=Anna\r\n1=Default\r\n\r\n"
                         "[Default\\mFileList]\r\n\\b.wpl=2=B\r\n");
}

TEST(AsNobody, DISABLED_UpdatesReadOnlyFile)
{
    const QString native = childNativeFile();
    const QString file = platform::fromNativePath(native);
    QFile direct(native);
    ASSERT_FALSE(direct.open(QIODevice::Append)) << "the file should be read-only for nobody";

    writeSettingNumber(file, keys::mainWindowSection, keys::optionOnTopKey, FixedPoint::fromInt(1));
    writeSetting(file, keys::mainWindowSection, keys::textEditorKey, "\\bin\\ed");
    writeSectionValues(file, keys::profileListSection, {"Anna", "Default"});
    writeSectionLines(file, keys::albumListSection("Default"), "\\b.wpl=2=B");

    EXPECT_EQ(readSettingNumber(file, keys::mainWindowSection, keys::optionOnTopKey),
              FixedPoint::fromInt(1));
    const auto attributes = platform::fileAttributes(file);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_TRUE(attributes->isReadOnly());
}

TEST_F(AsNobodyTest, WriteThatCannotReplaceTheFileLeavesItWhole)
{
    // nobody may write the file itself but not create the temporary file beside it.
    chownTo(native(), m_nobody);
    chmodTo(native(), 0644);
    runAsNobody("CannotReplaceFile", native());
    EXPECT_EQ(content(), sampleFile);
    EXPECT_EQ(statusOf(native()).st_mode & 07777, mode_t(0644));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"sonnalby.dat"});
}

TEST(AsNobody, DISABLED_CannotReplaceFile)
{
    const QString native = childNativeFile();
    const QString file = platform::fromNativePath(native);
    QFile direct(native);
    ASSERT_TRUE(direct.open(QIODevice::Append)) << "the file itself should be writable";
    direct.close();

    writeSettingNumber(file, keys::mainWindowSection, keys::optionOnTopKey, FixedPoint::fromInt(1));
    writeSetting(file, keys::mainWindowSection, keys::textEditorKey, "\\bin\\ed");
    writeSectionValues(file, keys::profileListSection, {"Anna"});
    writeSectionLines(file, keys::albumListSection("Default"), "\\b.wpl=2=B");
    EXPECT_EQ(fileContent(native), sampleFile);
}

TEST_F(AsNobodyTest, UnreadableFileReadsAsDefaultsAndIsLeftAlone)
{
    chmodTo(native(), 0600);
    runAsNobody("UnreadableFile", native());
    EXPECT_EQ(content(), sampleFile);
    EXPECT_EQ(statusOf(native()).st_mode & 07777, mode_t(0600));
}

TEST(AsNobody, DISABLED_UnreadableFile)
{
    const QString native = childNativeFile();
    const QString file = platform::fromNativePath(native);
    QFile direct(native);
    ASSERT_FALSE(direct.open(QIODevice::ReadOnly)) << "the file should be unreadable for nobody";

    EXPECT_TRUE(fileExists(file));
    EXPECT_EQ(readSetting(file, keys::profileListSection, "0", "none"), "none");
    EXPECT_EQ(readSettingNumber(file, keys::mainWindowSection, keys::optionOnTopKey,
                                FixedPoint::fromInt(1)),
              FixedPoint::fromInt(1));
    EXPECT_EQ(readSectionValues(file, keys::profileListSection), "");
    EXPECT_EQ(readSectionLines(file, keys::albumListSection("Default")), "");
    writeSetting(file, keys::mainWindowSection, keys::textEditorKey, "\\bin\\ed");
    writeSectionLines(file, keys::albumListSection("Default"), "\\b.wpl=2=B");
}
