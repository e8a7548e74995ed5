#include "history/historyfile.h"

#include "history/appendfile.h"
#include "history/historyformat.h"
#include "history/historysummary.h"
#include "platform/paths.h"
#include "platform/randomaccessfile.h"

#include <QFileInfo>

namespace history {

namespace {

QByteArray readAt(const platform::RandomAccessFile &file, qint64 offset, qint64 length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    bytes.truncate(qMax<qint64>(file.readAt(offset, bytes.data(), length), 0));
    return bytes;
}

} // namespace

QList<ListeningSession> HistoryFile::read() const
{
    if (m_path.isEmpty() || QFileInfo(platform::toNativePath(m_path)).isSymLink())
        return {};
    const platform::RandomAccessFile file(m_path);
    const qint64 size = file.size();
    if (readAt(file, 0, headerLine.size()) != headerLine)
        return {};
    // From the byte before the window on, which is an LF exactly when the window starts a line.
    const qint64 from = qMax(qint64(headerLine.size()), size - m_readWindow) - 1;
    QByteArray text = readAt(file, from, size - from);
    text.remove(0, text.indexOf('\n') + 1);
    return newestFirst(decodeLines(text));
}

bool HistoryFile::append(const ListeningSession &session) const
{
    const std::optional<QByteArray> line = encodeSession(session);
    if (m_path.isEmpty() || !line)
        return false;
    const AppendFile file(m_path, AppendFile::Mode::CreateMissing);
    const qint64 size = file.size();
    const QByteArray head = file.readAt(0, qMin(size, qint64(headerLine.size())));
    const QByteArray last = file.readAt(size - 1, 1);
    const std::optional<QByteArray> prefix =
        appendPrefix(head, size, last.isEmpty() ? '\n' : last[0]);
    return file.isOpen() && prefix && file.write(*prefix + *line + '\n');
}

bool HistoryFile::sync() const
{
    return !m_path.isEmpty() && AppendFile(m_path, AppendFile::Mode::Existing).sync();
}

} // namespace history
