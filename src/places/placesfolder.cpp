#include "places/placesfolder.h"

#include "platform/filebytes.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace places {

namespace {

bool keptAsItIs(QChar c, bool first)
{
    return c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_' || c == u'(' || c == u')' ||
           (c == u'.' && !first);
}

constexpr QLatin1StringView conflictMark(".sync-conflict");

} // namespace

QString encodedFileName(const QString &name)
{
    QString encoded;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        // A trailing space or dot is dropped by some file systems.
        const bool last = i + 1 == name.size();
        if (keptAsItIs(c, i == 0) && !(last && (c == u' ' || c == u'.')) && !c.isSurrogate()) {
            encoded += c;
            continue;
        }
        const bool pair = c.isHighSurrogate() && !last && name[i + 1].isLowSurrogate();
        const QString character = pair ? name.sliced(i++, 2) : QString(c);
        for (const char byte : character.toUtf8())
            encoded += u'%' + QString::number(static_cast<unsigned char>(byte), 16)
                                  .rightJustified(2, u'0')
                                  .toUpper();
    }
    return encoded.isEmpty() ? QStringLiteral("%") : encoded;
}

QString profileFolderPath(const QString &shareFolder, const QString &profile)
{
    return QDir(shareFolder).filePath(encodedFileName(profile));
}

QString ownFilePath(const QString &shareFolder, const QString &profile, const QString &computer)
{
    return QDir(profileFolderPath(shareFolder, profile))
        .filePath(encodedFileName(computer) + placesExtension);
}

PlacesReading readPlacesFile(const QString &path)
{
    const std::optional<QByteArray> bytes = platform::readFileBytes(path, maxPlacesFileSize);
    if (!bytes)
        return {std::nullopt, QStringLiteral("unreadable or too large")};
    return readPlacesText(*bytes);
}

FolderReading readProfileFolder(const QString &profileFolder, const QString &ownFileName)
{
    FolderReading reading;
    const QDir folder(profileFolder);
    reading.folderFound = folder.exists();
    const QStringList names = folder.entryList({u'*' + placesExtension}, QDir::Files, QDir::Name);
    const QString ownBase = ownFileName.chopped(placesExtension.size());
    qint64 bytes = 0;
    for (const QString &name : names) {
        if (name.startsWith(u'.'))
            continue;
        if (name.contains(conflictMark)) {
            if (name.startsWith(ownBase + conflictMark))
                reading.conflictCopies.append(name);
            continue;
        }
        if (name == ownFileName || reading.others.size() == maxComputers)
            continue;
        const qint64 size = QFileInfo(folder.filePath(name)).size();
        const bool fits = size <= maxFolderBytes - bytes;
        bytes += fits ? size : 0;
        OtherFile other{name, name.chopped(placesExtension.size()),
                        fits ? readPlacesFile(folder.filePath(name))
                             : PlacesReading{std::nullopt, QStringLiteral("too many places")}};
        if (other.reading.file && !other.reading.file->computer.isEmpty())
            other.computer = other.reading.file->computer;
        reading.others.append(other);
    }
    return reading;
}

int writePlacesFile(const QString &path, const QByteArray &text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return EACCES;
    int error = 0;
    platform::writeFileBytes(path, text, &error, platform::LinkWrite::ReplaceLink);
    return error;
}

} // namespace places
