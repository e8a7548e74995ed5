#include "platform/programinfo.h"

#include "platform/desktopentry.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

constexpr int mimeQueryTimeoutMs = 2000;
constexpr qint64 mimeAnswerLimit = 4096;

// Graphical editors only: a terminal editor started without a terminal shows nothing.
const QStringList commonEditors = {QStringLiteral("gnome-text-editor"),
                                   QStringLiteral("gedit"),
                                   QStringLiteral("kate"),
                                   QStringLiteral("kwrite"),
                                   QStringLiteral("mousepad"),
                                   QStringLiteral("xed"),
                                   QStringLiteral("pluma"),
                                   QStringLiteral("featherpad"),
                                   QStringLiteral("leafpad"),
                                   QStringLiteral("geany"),
                                   QStringLiteral("xedit")};

// True when the Exec or TryExec word starts the program at canonicalPath.
bool namesProgram(const QString &word, const QString &canonicalPath)
{
    if (word.isEmpty() || QFileInfo(word).fileName() != QFileInfo(canonicalPath).fileName())
        return false;
    const QString resolved = resolveProgram(word);
    return !resolved.isEmpty() && QFileInfo(resolved).canonicalFilePath() == canonicalPath;
}

// The desktop id the desktop associates with plain text; empty when it cannot say.
QString plainTextDesktopId()
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return QString();
    QProcess process;
    process.start(
        query, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!process.waitForFinished(mimeQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return QString();
    }
    const QByteArray answer = process.readAllStandardOutput().left(mimeAnswerLimit);
    return QString::fromUtf8(answer).section(u'\n', 0, 0).trimmed();
}

} // namespace

QString programDescription(const QString &programPath)
{
    const QString canonicalPath = QFileInfo(programPath).canonicalFilePath();
    if (canonicalPath.isEmpty())
        return QString();
    for (const QString &folder : applicationFolders()) {
        const QStringList files =
            QDir(folder).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
        for (const QString &file : files) {
            const DesktopEntry entry = readDesktopEntry(QDir(folder).filePath(file));
            if (namesProgram(execProgram(entry.exec), canonicalPath) ||
                namesProgram(entry.tryExec, canonicalPath))
                return entry.name;
        }
    }
    return QString();
}

bool isProgramPattern(QStringView pattern)
{
    return pattern.compare(u"*.exe", Qt::CaseInsensitive) == 0;
}

QString defaultTextEditor()
{
    const QString entryFile = findDesktopEntryFile(plainTextDesktopId());
    if (!entryFile.isEmpty()) {
        const QString program = resolveProgram(execProgram(readDesktopEntry(entryFile).exec));
        if (!program.isEmpty())
            return program;
    }
    for (const QString &name : commonEditors) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty())
            return program;
    }
    return QString();
}

} // namespace platform
