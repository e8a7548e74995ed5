#include "../album/qstringprint.h"

#include "history/historypath.h"

#include <QSet>

#include <gtest/gtest.h>

using history::encodedProfileName;
using history::historyFilePath;
using history::maxEncodedLength;

namespace {

// What any file system takes in one name, whatever it thinks of case.
bool isSafeName(const QString &name)
{
    for (const QChar c : name) {
        const bool safe = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' ||
                          c == u'_' || c == u'%' || c == u'~';
        if (!safe)
            return false;
    }
    return true;
}

const QString settingsFile = "\\home\\ann\\.config\\sonnalby\\sonnalby.dat";

} // namespace

TEST(HistoryPath, EveryProfileNameIsOneSafeFileNameOfItsOwn)
{
    const QString names[] = {
        "Default",
        "default",
        "DEFAULT",
        "",
        "/",
        "\\",
        ".",
        "..",
        "../x",
        "a/b",
        "\"quoted\"",
        "'single'",
        "-leading",
        "with space",
        "with  two",
        "%41",
        "A",
        "~",
        "%",
        "Ünïcode",
        "日本",
        "😀",
        QString(QChar(0xd800)),
        QString(200, u'x'),
        QString(199, u'x') + "y",
        QString(200, u'é'),
        QString(199, u'é') + "e",
        "CON",
        "nul",
        "a:b",
        "*?<>|",
    };
    QSet<QString> seen;
    for (const QString &name : names) {
        const QString encoded = encodedProfileName(name);
        EXPECT_TRUE(isSafeName(encoded)) << encoded.toStdString();
        EXPECT_LE(encoded.size(), maxEncodedLength + 1 + 32);
        EXPECT_FALSE(seen.contains(encoded.toLower())) << name.toStdString();
        seen.insert(encoded.toLower());
        const QString path = historyFilePath(settingsFile, name);
        EXPECT_EQ(path, "\\home\\ann\\.config\\sonnalby\\sonnalby." + encoded + ".history");
    }
}

TEST(HistoryPath, NamesAreEscapedAndLongOnesCutAtAWholeEscape)
{
    const QString hashed = encodedProfileName(QString(maxEncodedLength + 1, u'a'));
    const struct {
        QString name;
        QString encoded;
    } cases[] = {
        {"Default", "%44efault"},
        {"a b-c_9", "a%20b-c_9"},
        {"zoe", "zoe"},
        {"{}\x7f", "%7b%7d%7f"},
        {QString(QChar(0x80)), "%u0080"},
        {"../", "%2e%2e%2f"},
        {u8"é😀", "%u00e9%ud83d%ude00"},
        {QString(maxEncodedLength, u'a'), QString(maxEncodedLength, u'a')},
        {QString(maxEncodedLength + 1, u'a'),
         QString(maxEncodedLength, u'a') + u'~' + hashed.right(32)},
        {QString(maxEncodedLength - 1, u'a') + "B",
         QString(maxEncodedLength - 1, u'a') + u'~' +
             encodedProfileName(QString(maxEncodedLength - 1, u'a') + "B").right(32)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(encodedProfileName(c.name), c.encoded);
    EXPECT_EQ(hashed.size(), maxEncodedLength + 1 + 32);
    EXPECT_NE(hashed.right(32), QString(32, u'0'));
}

TEST(HistoryPath, TheFileTakesTheSettingsFilesNameWithoutItsExtension)
{
    const struct {
        QString settings;
        QString history;
    } cases[] = {
        {"\\a\\sonnalby.dat", "\\a\\sonnalby.x.history"},
        {"\\a.b\\settings", "\\a.b\\settings.x.history"},
        {"\\a\\my.settings.ini", "\\a\\my.settings.x.history"},
        {"\\a\\.dat", "\\a\\.dat.x.history"},
        {"C:\\Users\\ann\\sonnalby.dat", "C:\\Users\\ann\\sonnalby.x.history"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(historyFilePath(c.settings, "x"), c.history);
}
