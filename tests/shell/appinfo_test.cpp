#include "shell/help/appinfo.h"

#include <QUrl>
#include <gtest/gtest.h>

using namespace shell;

namespace {

AppInfo sample(int minor = 12, int revision = 3)
{
    AppInfo info;
    info.title = "Sonnalby";
    info.baseName = "sonnalby";
    info.major = 1;
    info.minor = minor;
    info.revision = revision;
    info.fileDescription = "An audiobook player. It remembers where you stopped";
    info.legalCopyright = "Copyright (C) 2024 Quorvel";
    info.legalTrademarks = "Corvella";
    info.comments = "https://www.quorvel.example, mailto:support@quorvel.example";
    return info;
}

QStringList lines(const QString &text)
{
    EXPECT_TRUE(text.endsWith("\r\n"));
    return text.chopped(2).split("\r\n");
}

} // namespace

TEST(VersionText, FullAndShortForms)
{
    const struct {
        int minor, revision;
        const char *full, *shortForm;
    } cases[] = {
        {12, 3, "1.12.3", "1.12.0003"},
        {12, 0, "1.12", "1.12"},
        {0, 0, "1.00", "1.00"},
        {5, 12345, "1.5.12345", "1.05.12345"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(versionText(sample(c.minor, c.revision), true), c.full);
        EXPECT_EQ(versionText(sample(c.minor, c.revision), false), c.shortForm);
    }
}

TEST(AppInfo, AddressesComeFromTheComments)
{
    const AppInfo info = sample();
    EXPECT_EQ(productPageAddress(info), "https://www.quorvel.example/Products/Sonnalby/");
    EXPECT_EQ(setupFileAddress(info),
              "https://www.quorvel.example/Products/Sonnalby/sonnalby_Setup.exe");
    EXPECT_EQ(updateRemotePath(info), "https://www.quorvel.example/Products/Sonnalby/sonnalby.js");
    EXPECT_EQ(feedbackAddress(info), "mailto:support@quorvel.example?subject=Sonnalby Bug Report");
}

TEST(AppInfo, TheGeneratedCommentsHoldBothAddressesUnderTheExampleDomain)
{
    const AppInfo info = applicationInfo();
    EXPECT_TRUE(webAddress(info).startsWith("https://"));
    EXPECT_FALSE(webAddress(info).endsWith('/'));
    EXPECT_TRUE(QUrl(webAddress(info)).host().endsWith(".example"));
    EXPECT_TRUE(mailAddress(info).startsWith("mailto:"));
    EXPECT_TRUE(mailAddress(info).endsWith(".example"));
    EXPECT_FALSE(info.fileDescription.isEmpty());
    EXPECT_FALSE(info.legalCopyright.isEmpty());
    EXPECT_FALSE(info.legalTrademarks.isEmpty());
}

TEST(AboutText, LinesInTheirOrder)
{
    const AppInfo info = sample();
    EXPECT_EQ(aboutTitle(info), "About Corvella");
    EXPECT_EQ(
        lines(aboutText(info, "(libmpv: 0.35.1)")),
        QStringList({"An audiobook player.", "It remembers where you stopped", "Version 1.12.0003",
                     "(libmpv: 0.35.1)", QString(60, ' '), "Copyright (C) 2024 Quorvel",
                     "https://www.quorvel.example", "mailto:support@quorvel.example"}));
}

TEST(AboutText, EdgeCases)
{
    AppInfo info = sample(12, 0);
    info.fileDescription = "An audiobook player";
    info.comments = "https://www.quorvel.example";
    const QStringList shown = lines(aboutText(info, QString()));
    EXPECT_EQ(shown.first(), "An audiobook player") << "one line without \". \"";
    EXPECT_EQ(shown.at(1), "Version 1.12") << "no revision 0";
    EXPECT_EQ(shown.last(), "https://www.quorvel.example") << "no mail line";
    EXPECT_EQ(shown.size(), 5) << "no extra line";
    EXPECT_TRUE(feedbackAddress(info).isEmpty());
}
