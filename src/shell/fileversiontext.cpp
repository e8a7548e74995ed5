#include "shell/fileversiontext.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

#include <array>
#include <optional>
#include <utility>

namespace shell {

namespace {

// A desktop entry is a few kilobytes; a folder of thousands is not one to read through.
constexpr qint64 maxEntrySize = 64 * 1024;
constexpr int maxEntriesPerFolder = 4096;

constexpr std::array<std::pair<const char *, const char *>, 3> entryKeys{{
    {"FileDescription", "Name"},
    {"ProductName", "Name"},
    {"Comments", "Comment"},
}};

QString entryKeyFor(const QString &key)
{
    for (const auto &[versionKey, entryKey] : entryKeys) {
        if (key == QLatin1String(versionKey))
            return QString::fromLatin1(entryKey);
    }
    return QString();
}

// A value with its escapes \s \n \t \r \\ resolved; line breaks and tabs become blanks.
QString unescaped(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const QChar code = value[++i];
        if (code == u's' || code == u'n' || code == u't')
            text += u' ';
        else if (code != u'r')
            text += code;
    }
    return text;
}

// The keys of the [Desktop Entry] group with their values unescaped.
QHash<QString, QString> desktopEntryGroup(const QByteArray &bytes)
{
    QHash<QString, QString> values;
    bool inGroup = false;
    for (const QByteArray &rawLine : bytes.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inGroup || line.startsWith(u'#') || equals <= 0)
            continue;
        values.insert(line.left(equals).trimmed(), unescaped(line.mid(equals + 1).trimmed()));
    }
    return values;
}

// The program an Exec line starts, as a canonical path; empty when it cannot be found.
QString execProgram(const QString &exec)
{
    QString program;
    if (exec.startsWith(u'"')) {
        const qsizetype close = exec.indexOf(u'"', 1);
        program = exec.mid(1, close < 0 ? -1 : close - 1);
    } else {
        program = exec.section(u' ', 0, 0, QString::SectionSkipEmpty);
    }
    if (!program.contains(u'/'))
        program = QStandardPaths::findExecutable(program);
    return program.isEmpty() ? QString() : QFileInfo(program).canonicalFilePath();
}

std::optional<QHash<QString, QString>> entryStarting(const QString &program, const QString &folder)
{
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.desktop")},
                                                     QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &name : names.mid(0, maxEntriesPerFolder)) {
        QFile file(QDir(folder).filePath(name));
        if (file.size() > maxEntrySize || !file.open(QIODevice::ReadOnly))
            continue;
        const QHash<QString, QString> entry = desktopEntryGroup(file.read(maxEntrySize));
        if (execProgram(entry.value(QStringLiteral("Exec"))) == program)
            return entry;
    }
    return std::nullopt;
}

} // namespace

QString desktopEntryText(const QString &path, const QString &key, const QStringList &folders)
{
    const QString entryKey = entryKeyFor(key);
    if (path.isEmpty() || entryKey.isEmpty())
        return QString();
    const QString program = QFileInfo(platform::toNativePath(path)).canonicalFilePath();
    if (program.isEmpty())
        return QString();
    for (const QString &folder : folders) {
        if (const auto entry = entryStarting(program, folder))
            return entry->value(entryKey);
    }
    return QString();
}

QString fileVersionText(const QString &path, const QString &key)
{
    return desktopEntryText(
        path, key, QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
}

} // namespace shell
