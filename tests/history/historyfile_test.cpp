#include "historytesting.h"

#include "history/historyfile.h"
#include "history/historyformat.h"
#include "platform/filebytes.h"
#include "platform/paths.h"
#include "support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using history::encodeSession;
using history::headerLine;
using history::HistoryFile;
using history::ListeningSession;
using history::maxLineLength;
using Sessions = QList<ListeningSession>;

namespace {

const QByteArray header = headerLine.toByteArray();

QByteArray lineOf(const ListeningSession &session)
{
    return *encodeSession(session) + '\n';
}

void writeBytes(const QString &nativePath, const QByteArray &bytes)
{
    QFile file(nativePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// What each name in the folder is: a link's target, a regular file's bytes, or its kind.
QMap<QString, QByteArray> folderState(const QString &folder)
{
    QMap<QString, QByteArray> state;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const auto bytes = platform::readFileBytes(entry.filePath(), 1 << 20);
        state[entry.fileName()] = entry.isSymLink() ? "link to " + entry.symLinkTarget().toUtf8()
                                  : bytes           ? *bytes
                                                    : QByteArray("not a regular file");
    }
    return state;
}

struct FileCase {
    QString name;
    // Puts the case at the history's native path.
    std::function<void(const QString &)> make;
    Sessions read;
    // Whether an append is taken; one that is not leaves the folder as it was.
    bool appended;
    // What is read after the added session when that is not what was read before it.
    std::optional<Sessions> laterRead = std::nullopt;
};

const ListeningSession first = sessionAt(1000);
const ListeningSession second = sessionAt(2000, "B\tb", "\\books\\b\\line\nbreak.mp3");
const ListeningSession added = sessionAt(3000);

std::function<void(const QString &)> bytes(const QByteArray &content)
{
    return [content](const QString &path) { writeBytes(path, content); };
}

// A file of two sessions cut after every byte, as a kill while writing leaves it. A line that
// lacks only its LF is ended by the next append, and read from then on.
QList<FileCase> cutCases()
{
    const QByteArray whole = header + lineOf(first) + lineOf(second);
    const qsizetype firstEnd = header.size() + lineOf(first).size();
    QList<FileCase> cases;
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
        const auto readAt = [&](qsizetype end) {
            Sessions read;
            if (end >= whole.size())
                read.append(second);
            if (end >= firstEnd)
                read.append(first);
            return read;
        };
        cases.append({QStringLiteral("cut after %1 bytes").arg(cut), bytes(whole.first(cut)),
                      readAt(cut), true, readAt(cut + 1)});
    }
    return cases;
}

QList<FileCase> fileCases()
{
    const QByteArray overLong =
        checkedLine("4000\t3000\t0\t1000\t" + QByteArray(maxLineLength, 'a') + "\tr") + '\n';
    const QByteArray withNul =
        checkedLine(QByteArray("4000\t3000\t0\t1000\ta") + '\0' + "b\tr") + '\n';
    const QByteArray notUtf8 = checkedLine("4000\t3000\t0\t1000\t\xff\xfe\tr") + '\n';
    QList<FileCase> cases = cutCases();
    cases += {
        {"no file", [](const QString &) {}, {}, true},
        {"garbage lines",
         bytes(header + "garbage\n\n\t\t\t\t\t\t\n" + lineOf(first) + "1\t2\t3\n"),
         {first},
         true},
        {"an over-long line", bytes(header + overLong + lineOf(first)), {first}, true},
        {"NUL bytes",
         bytes(header + withNul + lineOf(first) + QByteArray(8, '\0') + '\n'),
         {first},
         true},
        {"invalid UTF-8", bytes(header + notUtf8 + lineOf(first)), {first}, true},
        {"a line written twice", bytes(header + lineOf(first) + lineOf(first)), {first}, true},
        {"a header of an unknown version",
         bytes("sonnalby-history\t2\n" + lineOf(first)),
         {},
         false},
        {"another format", bytes("first line\n" + lineOf(first)), {}, false},
        {"zeros of a lost write", bytes(QByteArray(64, '\0')), {}, false},
        {"a FIFO",
         [](const QString &path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path), 0600), 0); },
         {},
         false},
        {"a folder", [](const QString &path) { ASSERT_TRUE(QDir().mkdir(path)); }, {}, false},
        {"a link to a history",
         [](const QString &path) {
             writeBytes(path + ".target", header + lineOf(first));
             ASSERT_TRUE(QFile::link(path + ".target", path));
         },
         {},
         false},
        {"a link to nothing",
         [](const QString &path) { ASSERT_TRUE(QFile::link(path + ".target", path)); },
         {},
         false},
    };
    return cases;
}

} // namespace

// Whatever a kill, a full disk or a stranger left at the history's place: reading finds the
// whole sessions and never blocks; an append either makes the new session readable after them
// or touches nothing.
TEST(HistoryFile, ReadsWhatIsWholeAndAppendsOnlyToItsOwnFormat)
{
    for (const FileCase &c : fileCases()) {
        SCOPED_TRACE(c.name.toStdString());
        QTemporaryDir folder;
        const QString path = folder.filePath("sonnalby.x.history");
        c.make(path);
        const HistoryFile file(platform::fromNativePath(path));
        EXPECT_EQ(file.read(), c.read);
        const auto before = folderState(folder.path());
        EXPECT_EQ(file.append(added), c.appended);
        const Sessions later = c.laterRead.value_or(c.read);
        EXPECT_EQ(file.read(), c.appended ? Sessions{added} + later : later);
        if (!c.appended) {
            EXPECT_EQ(folderState(folder.path()), before);
        }
    }
}

TEST(HistoryFile, AMadeFileIsTheOwnersAlone)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("h.history");
    const mode_t oldMask = ::umask(0);
    const bool appended = HistoryFile(platform::fromNativePath(path)).append(first);
    ::umask(oldMask);
    ASSERT_TRUE(appended);
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
}

TEST(HistoryFile, ALineAFullDiskCutShortIsEndedByTheNextAppend)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("h.history");
    const HistoryFile file(platform::fromNativePath(path));
    ASSERT_TRUE(file.append(first));
    {
        const FileSizeLimit full(QFileInfo(path).size() + 10);
        EXPECT_FALSE(file.append(second));
    }
    EXPECT_EQ(QFileInfo(path).size(), header.size() + lineOf(first).size() + 10);
    EXPECT_EQ(file.read(), Sessions{first});
    EXPECT_TRUE(file.append(added));
    EXPECT_EQ(file.read(), (Sessions{added, first}));
}

TEST(HistoryFile, OnlyTheEndOfALargeFileIsRead)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("h.history");
    writeBytes(path, header + lineOf(first) + lineOf(second) + lineOf(added));
    const qint64 lastTwo = lineOf(second).size() + lineOf(added).size();
    const auto read = [&](qint64 window) {
        return HistoryFile(platform::fromNativePath(path), window).read();
    };
    EXPECT_EQ(read(lastTwo), (Sessions{added, second}));
    EXPECT_EQ(read(lastTwo - 1), Sessions{added});
    EXPECT_EQ(read(1 << 20), (Sessions{added, second, first}));
    EXPECT_EQ(HistoryFile(platform::fromNativePath(path)).read().size(), 3);
}

TEST(HistoryFile, WithoutAPathOrAWritableSessionNothingIsWritten)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("h.history");
    const HistoryFile file(platform::fromNativePath(path));
    EXPECT_FALSE(HistoryFile().append(first));
    EXPECT_TRUE(HistoryFile().read().isEmpty());
    EXPECT_FALSE(HistoryFile().sync());
    EXPECT_FALSE(file.append({"a", "r", -1, 0, 0, 0}));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(file.sync());
    ASSERT_TRUE(file.append(first));
    EXPECT_TRUE(file.sync());
}
