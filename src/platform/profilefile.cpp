#include "platform/profilefile.h"

#include "platform/codepage.h"
#include "platform/filebytes.h"
#include "platform/paths.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>

namespace platform {

namespace {

constexpr char lineEnd[] = "\r\n";

bool isAscii(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
}

// Names compare as Windows compares them: without regard to case, in any script; keys that are
// paths may be asked to compare exactly.
bool sameName(QByteArrayView a, QByteArrayView b, Qt::CaseSensitivity cs = Qt::CaseInsensitive)
{
    if (cs == Qt::CaseSensitive)
        return a == b;
    if (isAscii(a) && isAscii(b))
        return a.compare(b, Qt::CaseInsensitive) == 0;
    return fromAnsi(a).compare(fromAnsi(b), Qt::CaseInsensitive) == 0;
}

// The name in a "[name]" line, or nullopt for any other line.
std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    line = line.trimmed();
    if (!line.startsWith('['))
        return std::nullopt;
    line = line.sliced(1);
    const qsizetype close = line.lastIndexOf(']');
    return (close < 0 ? line : line.first(close)).trimmed();
}

bool isBlank(QByteArrayView line)
{
    return line.trimmed().isEmpty();
}

bool isComment(QByteArrayView line)
{
    return line.trimmed().startsWith(';');
}

struct KeyLine {
    QByteArrayView key;
    QByteArrayView value;
    bool hasValue = false;
};

KeyLine splitKeyLine(QByteArrayView line)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return {line.trimmed(), {}, false};
    return {line.first(equals).trimmed(), line.sliced(equals + 1).trimmed(), true};
}

QByteArrayView withoutQuotes(QByteArrayView value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.sliced(1, value.size() - 2);
    return value;
}

// Where the first section of the name lies, and where the first line of the key lies in it.
struct SectionPlace {
    bool found = false;
    qsizetype bodyBegin = 0; // just after the header line
    qsizetype bodyEnd = 0;   // just after the section's last non-blank line
    qsizetype keyBegin = -1; // the key's line, without its end
    qsizetype keyEnd = -1;
};

SectionPlace findSection(QByteArrayView content, QByteArrayView section,
                         std::optional<QByteArrayView> key = std::nullopt,
                         Qt::CaseSensitivity keyCase = Qt::CaseInsensitive)
{
    SectionPlace place;
    LineScanner lines(content);
    QByteArrayView line;
    while (lines.next(line)) {
        const auto name = sectionName(line);
        if (!place.found) {
            if (name && sameName(*name, section)) {
                place.found = true;
                place.bodyBegin = place.bodyEnd = lines.nextBegin();
            }
            continue;
        }
        if (name)
            break;
        if (isBlank(line))
            continue;
        place.bodyEnd = lines.nextBegin();
        if (key && place.keyBegin < 0 && !isComment(line) &&
            sameName(splitKeyLine(line).key, *key, keyCase)) {
            place.keyBegin = lines.lineBegin();
            place.keyEnd = lines.lineBegin() + line.size();
        }
    }
    return place;
}

// The content with [from, to) replaced; a last line without its end gets one first.
QByteArray spliced(QByteArrayView content, qsizetype from, qsizetype to, QByteArrayView replacement)
{
    QByteArray result;
    result.reserve(content.size() + replacement.size() + 2);
    result += content.first(from);
    if (from > 0 && content[from - 1] != '\n' && !replacement.isEmpty())
        result += lineEnd;
    result += replacement;
    result += content.sliced(to);
    return result;
}

QByteArray headerLine(QByteArrayView section)
{
    return '[' + section.toByteArray() + ']' + lineEnd;
}

QByteArray limited(QByteArrayView text, qsizetype bufferSize)
{
    return text.first(std::clamp<qsizetype>(bufferSize - 1, 0, text.size())).toByteArray();
}

} // namespace

bool LineScanner::next(QByteArrayView &line)
{
    if (m_next >= m_data.size())
        return false;
    m_lineBegin = m_next;
    const qsizetype newline = m_data.indexOf('\n', m_lineBegin);
    qsizetype end = newline < 0 ? m_data.size() : newline;
    m_next = newline < 0 ? m_data.size() : newline + 1;
    if (newline >= 0 && end > m_lineBegin && m_data[end - 1] == '\r')
        --end;
    line = m_data.sliced(m_lineBegin, end - m_lineBegin);
    return true;
}

QByteArray ProfileFile::readString(QByteArrayView section, QByteArrayView key,
                                   QByteArrayView defaultValue, qsizetype bufferSize,
                                   Qt::CaseSensitivity keyCase) const
{
    const auto content = readBytes();
    if (!content)
        return limited(defaultValue, bufferSize);
    const SectionPlace place = findSection(*content, section.trimmed(), key.trimmed(), keyCase);
    if (place.keyBegin < 0)
        return limited(defaultValue, bufferSize);
    const QByteArrayView line =
        QByteArrayView(*content).sliced(place.keyBegin, place.keyEnd - place.keyBegin);
    return limited(withoutQuotes(splitKeyLine(line).value), bufferSize);
}

QByteArray ProfileFile::readSection(QByteArrayView section, qsizetype bufferSize) const
{
    const auto content = readBytes();
    if (!content)
        return {};
    const SectionPlace place = findSection(*content, section.trimmed());
    if (!place.found)
        return {};
    QByteArray result;
    qsizetype room = bufferSize - 1;
    LineScanner lines(
        QByteArrayView(*content).sliced(place.bodyBegin, place.bodyEnd - place.bodyBegin));
    QByteArrayView line;
    while (room > 0 && lines.next(line)) {
        if (isBlank(line) || isComment(line))
            continue;
        const KeyLine parts = splitKeyLine(line);
        QByteArray text = parts.key.toByteArray();
        if (parts.hasValue)
            text += '=' + parts.value.toByteArray();
        text.truncate(room - 1);
        result += text + '\0';
        room -= text.size() + 1;
    }
    return result;
}

bool ProfileFile::writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                              Qt::CaseSensitivity keyCase) const
{
    const auto content = readBytes();
    if (!content)
        return false;
    const QByteArray sectionText = singleLine(section).trimmed();
    const QByteArray keyText = singleLine(key).trimmed();
    const QByteArray valueText = singleLine(value);
    const SectionPlace place = findSection(*content, sectionText, keyText, keyCase);
    const qsizetype end = content->size();
    if (!place.found)
        return writeBytes(spliced(*content, end, end,
                                  headerLine(sectionText) + keyText + '=' + valueText + lineEnd));
    if (place.keyBegin < 0)
        return writeBytes(
            spliced(*content, place.bodyEnd, place.bodyEnd, keyText + '=' + valueText + lineEnd));
    const QByteArrayView oldLine =
        QByteArrayView(*content).sliced(place.keyBegin, place.keyEnd - place.keyBegin);
    // The key keeps its spelling in the file.
    const QByteArray newLine = splitKeyLine(oldLine).key.toByteArray() + '=' + valueText;
    return writeBytes(spliced(*content, place.keyBegin, place.keyEnd, newLine));
}

bool ProfileFile::writeSection(QByteArrayView section, QByteArrayView body) const
{
    const auto content = readBytes();
    if (!content)
        return false;
    QByteArray lines;
    for (const QByteArrayView line :
         QByteArray::fromRawData(body.data(), body.size()).split('\0')) {
        if (line.isEmpty())
            break;
        lines += singleLine(line) + lineEnd;
    }
    const QByteArray sectionText = singleLine(section).trimmed();
    const SectionPlace place = findSection(*content, sectionText);
    const qsizetype end = content->size();
    if (!place.found)
        return writeBytes(spliced(*content, end, end, headerLine(sectionText) + lines));
    return writeBytes(spliced(*content, place.bodyBegin, place.bodyEnd, lines));
}

namespace {

// What writes could not put on disk, by path, until one succeeds.
QHash<QString, QByteArray> &unsavedContent()
{
    static QHash<QString, QByteArray> content;
    return content;
}

ProfileFile::SaveObserver &saveObserver()
{
    static ProfileFile::SaveObserver observer;
    return observer;
}

} // namespace

void ProfileFile::setSaveObserver(SaveObserver observer)
{
    saveObserver() = std::move(observer);
}

bool ProfileFile::isSaved() const
{
    return !unsavedContent().contains(m_path);
}

std::optional<QByteArray> ProfileFile::readBytes() const
{
    const auto unsaved = unsavedContent().constFind(m_path);
    if (unsaved != unsavedContent().cend())
        return *unsaved;
    const QString native = toNativePath(m_path);
    if (native.isEmpty() || !QFileInfo::exists(native))
        return QByteArray();
    return readFileBytes(native, maxFileSize);
}

// What is written can be read back: a file past the read limit would open as an empty one. Such
// content is dropped, as keeping it would fail every later write too.
bool ProfileFile::writeBytes(QByteArrayView content) const
{
    const bool tooLarge = content.size() > maxFileSize;
    int error = EFBIG;
    const bool written = !tooLarge && writeFileBytes(toNativePath(m_path), content, &error);
    if (written)
        unsavedContent().remove(m_path);
    else if (!tooLarge)
        unsavedContent().insert(m_path, content.toByteArray());
    if (saveObserver())
        saveObserver()(m_path, written ? 0 : error);
    return written;
}

QByteArray ProfileFile::singleLine(QByteArrayView text)
{
    QByteArray line = text.toByteArray();
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    return line;
}

} // namespace platform
