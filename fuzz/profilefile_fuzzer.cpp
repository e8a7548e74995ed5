#include "fuzzcheck.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "settings/fixedpoint.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

struct SettingsFile {
    QTemporaryDir dir;
    QString nativePath = dir.filePath(QStringLiteral("sonnalby.dat"));
    QString internalPath = platform::fromNativePath(nativePath);
};

SettingsFile &settingsFile()
{
    static SettingsFile file;
    return file;
}

QByteArray contentOf(const QString &nativePath)
{
    QFile file(nativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every read of the store over the file, as start-up and a profile load make them.
void readAll(const QString &path)
{
    using namespace settings;
    readSetting(path, QStringLiteral("mProfileList"), QStringLiteral("0"));
    readSectionValues(path, QStringLiteral("mProfileList"));
    readSectionLines(path, QStringLiteral("Default\\mFileList"));
    for (const char *key : {"mOptionOnTop", "mOptionMultiCol", "Left"}) {
        const FixedPoint number =
            readSettingNumber(path, QStringLiteral("fwMain"), QString::fromLatin1(key));
        number.roundedToInt();
        fuzzCheck(FixedPoint::parse(number.toText()) == number, "a number's text reads back");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    platform::setAnsiCodePage(65001);
    return 0;
}

// The input is a whole settings file. After the reads, a value and an album list are written
// into it: each reads back, the other sections stay as they were, no temporary file is left.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const SettingsFile &settings = settingsFile();
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QFile file(settings.nativePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(input);
    file.close();
    readAll(settings.internalPath);

    const platform::ProfileFile profile(settings.internalPath);
    const QByteArray otherSection = profile.readSection("fwMain", 32767);
    if (profile.writeString("Anna", "Left", "42")) {
        fuzzCheck(profile.readString("Anna", "Left", "", 255) == "42",
                  "a written value reads back");
        fuzzCheck(profile.readSection("fwMain", 32767) == otherSection,
                  "a write changed another section");
        const QByteArray written = contentOf(settings.nativePath);
        profile.writeString("Anna", "Left", "42");
        fuzzCheck(contentOf(settings.nativePath) == written, "the same write changed the file");
    }

    const QString section = QStringLiteral("Anna\\mFileList");
    const QString lines = QStringLiteral("\\a\\index.wpl=====\r\n\\b\\index.wpl=1=T");
    settings::writeSectionLines(settings.internalPath, section, lines);
    if (input.count("[Anna\\mFileList]") <= 1)
        fuzzCheck(settings::readSectionLines(settings.internalPath, section) == lines,
                  "written album lines read back");
    fuzzCheck(QDir(settings.dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 1,
              "a temporary file was left");
    return 0;
}
