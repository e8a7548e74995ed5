#include "settings/settingsstore.h"

#include "platform/codepage.h"
#include "platform/fileattributes.h"
#include "platform/filebytes.h"
#include "platform/paths.h"
#include "platform/profilefile.h"

#include <optional>

using platform::fromAnsi;
using platform::LineScanner;
using platform::ProfileFile;
using platform::toAnsi;

namespace settings {

namespace {

constexpr qsizetype stringBufferSize = 32767;
constexpr qsizetype numberBufferSize = 255;

QString lineBreak()
{
    return QStringLiteral("\r\n");
}

bool isBlank(QByteArrayView line)
{
    return line.trimmed().isEmpty();
}

// Lines ended by CR LF, where a blank line is dropped when the line before it was blank too.
class CollapsedLines {
public:
    void add(QByteArrayView line)
    {
        const bool blank = isBlank(line);
        if (blank && m_lastBlank)
            return;
        m_text += line;
        m_text += "\r\n";
        m_lastBlank = blank;
    }
    QByteArray text() const { return m_text; }

private:
    QByteArray m_text;
    bool m_lastBlank = false;
};

// The file without the section's header and body: the line that ended the body takes the
// header's place. Unchanged when no line, trimmed, equals the header.
QByteArray withoutSection(const QByteArray &content, QByteArrayView header)
{
    LineScanner lines(content);
    QByteArrayView line;
    qsizetype headerBegin = -1;
    while (headerBegin < 0 && lines.next(line)) {
        if (line.trimmed() == header)
            headerBegin = lines.lineBegin();
    }
    if (headerBegin < 0)
        return content;
    CollapsedLines kept;
    LineScanner before(QByteArrayView(content).first(headerBegin));
    while (before.next(line))
        kept.add(line);
    while (lines.next(line)) {
        const QByteArrayView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('[')) {
            kept.add(trimmed);
            break;
        }
    }
    while (lines.next(line))
        kept.add(line);
    return kept.text();
}

// The header and the new lines, up to the first empty one, each ended by CR LF.
QByteArray sectionText(QByteArrayView header, const QString &lines)
{
    QByteArray text = header.toByteArray() + "\r\n";
    for (const QString &line : lines.split(lineBreak())) {
        if (line.isEmpty())
            break;
        text += ProfileFile::singleLine(toAnsi(line)) + "\r\n";
    }
    return text;
}

} // namespace

QString readSetting(const QString &file, const QString &section, const QString &key,
                    const QString &defaultValue, Qt::CaseSensitivity keyCase)
{
    const QByteArray value = ProfileFile(file).readString(
        toAnsi(section), toAnsi(key), toAnsi(defaultValue), stringBufferSize, keyCase);
    return fromAnsi(value).trimmed();
}

FixedPoint readSettingNumber(const QString &file, const QString &section, const QString &key,
                             FixedPoint defaultValue)
{
    if (file.isEmpty() || section.isEmpty() || key.isEmpty())
        return defaultValue;
    const QByteArray value = ProfileFile(file).readString(
        toAnsi(section), toAnsi(key), toAnsi(defaultValue.toText()), numberBufferSize);
    return FixedPoint::parse(fromAnsi(value));
}

void writeSetting(const QString &file, const QString &section, const QString &key,
                  const QString &value, Qt::CaseSensitivity keyCase)
{
    if (file.isEmpty())
        return;
    if (!value.isEmpty() && readSetting(file, section, key, QString(), keyCase) == value &&
        ProfileFile(file).isSaved())
        return;
    // A blank keeps the key in the file; it reads back as empty text.
    const QByteArray text = value.isEmpty() ? QByteArray(" ") : toAnsi(value);
    ProfileFile(file).writeString(toAnsi(section), toAnsi(key), text, keyCase);
}

void writeSettingNumber(const QString &file, const QString &section, const QString &key,
                        FixedPoint value)
{
    if (file.isEmpty())
        return;
    if (value != FixedPoint() && readSettingNumber(file, section, key) == value &&
        ProfileFile(file).isSaved())
        return;
    ProfileFile(file).writeString(toAnsi(section), toAnsi(key), toAnsi(value.toText()));
}

QString readSectionValues(const QString &file, const QString &section)
{
    if (!fileExists(file))
        return {};
    // A list keeps every line, as many as the file can hold.
    const QByteArray lines =
        ProfileFile(file).readSection(toAnsi(section), ProfileFile::maxFileSize);
    QStringList values;
    for (const QByteArray &line : lines.split('\0')) {
        if (line.isEmpty())
            break;
        const qsizetype equals = line.indexOf('=');
        values << fromAnsi(equals < 0 ? QByteArrayView(line)
                                      : QByteArrayView(line).sliced(equals + 1));
    }
    return values.join(lineBreak());
}

void writeSectionValues(const QString &file, const QString &section, const QStringList &values)
{
    if (file.isEmpty() || values.isEmpty())
        return;
    QByteArray body;
    for (qsizetype i = 0; i < values.size(); ++i)
        body += QByteArray::number(i) + '=' + ProfileFile::singleLine(toAnsi(values[i])) + '\0';
    ProfileFile(file).writeSection(toAnsi(section), body);
}

QString readSectionLines(const QString &file, const QString &section)
{
    if (!fileExists(file))
        return {};
    const auto content = ProfileFile(file).readBytes();
    if (!content)
        return {};
    const QByteArray header = toAnsi(u'[' + section + u']');
    LineScanner lines(*content);
    QByteArrayView line;
    bool inSection = false;
    QStringList kept;
    while (lines.next(line)) {
        if (!inSection) {
            inSection = line.trimmed() == header;
            continue;
        }
        if (line.isEmpty() || line.startsWith('['))
            break;
        if (!line.startsWith(';'))
            kept << fromAnsi(line);
    }
    return kept.join(lineBreak());
}

void writeSectionLines(const QString &file, const QString &section, const QString &lines)
{
    if (file.isEmpty() || !fileExists(file))
        return;
    ProfileFile profile(file);
    const auto content = profile.readBytes();
    if (!content)
        return;
    const QByteArray header = toAnsi(u'[' + section + u']');
    // Every copy of the section goes, so that an old one never comes back in its place.
    QByteArray text = *content;
    for (QByteArray rest = withoutSection(text, header); rest != text;
         rest = withoutSection(text, header))
        text = rest;
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += "\r\n";
    profile.writeBytes(text + sectionText(header, lines));
}

bool fileExists(const QString &path)
{
    const auto attributes = platform::fileAttributes(path);
    return attributes && attributes->isRegularFile();
}

void removeLeftoverTemporaryFiles(const QString &file)
{
    if (!file.isEmpty())
        platform::removeStaleTemporaries(platform::toNativePath(file),
                                         QDateTime::currentDateTime());
}

} // namespace settings
