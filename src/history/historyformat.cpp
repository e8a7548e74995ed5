#include "history/historyformat.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cmath>

namespace history {

namespace {

constexpr qsizetype fieldCount = 6;
constexpr qsizetype checkDigits = 4;
// More digits than this would overflow before the range check.
constexpr qsizetype maxDigits = 18;
constexpr qsizetype hexDigits = 4;
constexpr double millisecondsPerSecond = 1000;

bool isControl(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7f && unit <= 0x9f);
}

// Half of a surrogate pair without its other half.
bool isLoneSurrogate(QStringView text, qsizetype i)
{
    const QChar unit = text[i];
    if (unit.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    return unit.isLowSurrogate() && (i == 0 || !text[i - 1].isHighSurrogate());
}

// How the unit at i is written; empty when it is written as it is.
QByteArray escapeOf(QStringView text, qsizetype i)
{
    const char16_t unit = text[i].unicode();
    switch (unit) {
    case u'\\':
        return "\\\\";
    case u'\t':
        return "\\t";
    case u'\n':
        return "\\n";
    case u'\r':
        return "\\r";
    default:
        break;
    }
    if (isControl(unit) || unit == 0x2028 || unit == 0x2029 || isLoneSurrogate(text, i))
        return "\\u" + QByteArray::number(unit, 16).rightJustified(hexDigits, '0');
    return {};
}

QByteArray escaped(QStringView text)
{
    QByteArray out;
    qsizetype plainBegin = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QByteArray escape = escapeOf(text, i);
        if (escape.isEmpty())
            continue;
        out += text.sliced(plainBegin, i - plainBegin).toUtf8() + escape;
        plainBegin = i + 1;
    }
    return out + text.sliced(plainBegin).toUtf8();
}

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

std::optional<QChar> hexUnit(QByteArrayView digits)
{
    char16_t unit = 0;
    for (const char digit : digits) {
        const int value = hexValue(digit);
        if (value < 0)
            return std::nullopt;
        unit = char16_t(unit * 16 + value);
    }
    return QChar(unit);
}

// The unit the escape at the start of text stands for; *length receives the escape's length.
std::optional<QChar> unescaped(QByteArrayView text, qsizetype *length)
{
    *length = 2;
    switch (text.size() < *length ? '\0' : text[1]) {
    case '\\':
        return QChar(u'\\');
    case 't':
        return QChar(u'\t');
    case 'n':
        return QChar(u'\n');
    case 'r':
        return QChar(u'\r');
    case 'u':
        break;
    default:
        return std::nullopt;
    }
    *length = 2 + hexDigits;
    if (text.size() < *length)
        return std::nullopt;
    return hexUnit(text.sliced(2, hexDigits));
}

bool appendUtf8(QString &text, QByteArrayView plain)
{
    if (!plain.isValidUtf8())
        return false;
    text += QString::fromUtf8(plain);
    return true;
}

std::optional<QString> unescapedText(QByteArrayView field)
{
    QString text;
    qsizetype plainBegin = 0;
    for (qsizetype i = 0; i < field.size();) {
        const uchar byte = uchar(field[i]);
        if (byte < 0x20 || byte == 0x7f)
            return std::nullopt;
        if (byte != '\\') {
            ++i;
            continue;
        }
        qsizetype length = 0;
        const std::optional<QChar> unit = unescaped(field.sliced(i), &length);
        if (!unit || !appendUtf8(text, field.sliced(plainBegin, i - plainBegin)))
            return std::nullopt;
        text += *unit;
        i += length;
        plainBegin = i;
    }
    if (!appendUtf8(text, field.sliced(plainBegin)))
        return std::nullopt;
    return text;
}

std::optional<qint64> parsedNumber(QByteArrayView digits, qint64 max)
{
    if (digits.isEmpty() || digits.size() > maxDigits)
        return std::nullopt;
    qint64 value = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    if (value > max)
        return std::nullopt;
    return value;
}

std::optional<qint64> milliseconds(double seconds)
{
    const double ms = seconds * millisecondsPerSecond;
    // Written so that not a number fails too; a half rounds up, past the range.
    if (!(ms >= 0 && ms < double(maxSpanMs) + 0.5))
        return std::nullopt;
    return qint64(std::llround(ms));
}

QByteArray checkOf(QByteArrayView body)
{
    return QByteArray::number(qChecksum(body), 16).rightJustified(checkDigits, '0');
}

// The line's fields before its check; nullopt when the check does not match.
std::optional<std::array<QByteArrayView, fieldCount>> splitFields(QByteArrayView line)
{
    const qsizetype checkTab = line.lastIndexOf('\t');
    if (checkTab < 0 || line.sliced(checkTab + 1) != checkOf(line.first(checkTab)))
        return std::nullopt;
    line.truncate(checkTab);
    std::array<QByteArrayView, fieldCount> fields;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < fieldCount; ++i) {
        const qsizetype tab = line.indexOf('\t', begin);
        const bool last = i + 1 == fieldCount;
        if ((tab < 0) != last)
            return std::nullopt;
        const qsizetype end = last ? line.size() : tab;
        fields[i] = line.sliced(begin, end - begin);
        begin = end + 1;
    }
    return fields;
}

} // namespace

std::optional<QByteArray> encodeSession(const ListeningSession &session)
{
    const std::optional<qint64> from = milliseconds(session.fromSeconds);
    const std::optional<qint64> to = milliseconds(session.toSeconds);
    if (!from || !to || session.startMs < 0 || session.startMs > maxStartMs ||
        session.lengthMs < 0 || session.lengthMs > maxSpanMs)
        return std::nullopt;
    const QByteArray body = QByteArray::number(session.startMs) + '\t' +
                            QByteArray::number(session.lengthMs) + '\t' +
                            QByteArray::number(*from) + '\t' + QByteArray::number(*to) + '\t' +
                            escaped(session.album) + '\t' + escaped(session.record);
    const QByteArray line = body + '\t' + checkOf(body);
    if (line.size() > maxLineLength)
        return std::nullopt;
    return line;
}

std::optional<ListeningSession> decodeSession(QByteArrayView line)
{
    if (line.size() > maxLineLength)
        return std::nullopt;
    const auto fields = splitFields(line);
    if (!fields)
        return std::nullopt;
    const auto start = parsedNumber((*fields)[0], maxStartMs);
    const auto length = parsedNumber((*fields)[1], maxSpanMs);
    const auto from = parsedNumber((*fields)[2], maxSpanMs);
    const auto to = parsedNumber((*fields)[3], maxSpanMs);
    auto album = unescapedText((*fields)[4]);
    auto record = unescapedText((*fields)[5]);
    if (!start || !length || !from || !to || !album || !record)
        return std::nullopt;
    return ListeningSession{std::move(*album),
                            std::move(*record),
                            double(*from) / millisecondsPerSecond,
                            double(*to) / millisecondsPerSecond,
                            *start,
                            *length};
}

QList<ListeningSession> decodeLines(QByteArrayView text)
{
    QList<ListeningSession> sessions;
    qsizetype end = text.lastIndexOf('\n');
    while (end >= 0 && sessions.size() < maxSessions) {
        const qsizetype begin = text.first(end).lastIndexOf('\n') + 1;
        if (auto session = decodeSession(text.sliced(begin, end - begin)))
            sessions.append(std::move(*session));
        end = begin - 1;
    }
    return sessions;
}

std::optional<QByteArray> appendPrefix(QByteArrayView head, qint64 size, char last)
{
    if (size < headerLine.size()) {
        if (head.size() != size || !headerLine.startsWith(head))
            return std::nullopt;
        return headerLine.sliced(size).toByteArray();
    }
    if (head != headerLine)
        return std::nullopt;
    return last == '\n' ? QByteArray() : QByteArray("\n");
}

} // namespace history
