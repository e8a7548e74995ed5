#include "text/characterreferences.h"

#include "platform/codepage.h"

namespace text {
namespace {

constexpr char16_t firstNonAscii = 128;

// The ASCII character itself, or "&#" + decimal value + ";".
QString referencePiece(char16_t unit)
{
    if (unit < firstNonAscii)
        return QString(QChar(unit));
    return QStringLiteral("&#") + QString::number(unit) + u';';
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = base;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

// The leading digits of the text; none gives 0. Kept modulo 2^32: only the value modulo 65536
// counts in the end, and a long run of digits must not overflow.
qint32 leadingNumber(QStringView digits, int base)
{
    quint32 value = 0;
    for (QChar c : digits) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            break;
        value = value * quint32(base) + quint32(digit);
    }
    return qint32(value);
}

} // namespace

QString toCharacterReferences(QStringView text, int maximumLength)
{
    QString result;
    for (QChar c : text) {
        const QString piece = referencePiece(c.unicode());
        if (maximumLength > 0 && result.size() + piece.size() > maximumLength)
            break;
        result += piece;
    }
    return result;
}

QString codePageToCharacterReferences(QByteArrayView bytes, int codePage, int maximumLength)
{
    const QString decoded =
        codePage < 0 ? QString::fromLatin1(bytes) : decodeCodePage(bytes, codePage);
    return toCharacterReferences(decoded, maximumLength);
}

// Positions are 0-based here; a reference is "&#" at p with the first ";" at or after p
// coming before the next "&#" after p.
CodeUnits fromCharacterReferences(QStringView text)
{
    CodeUnits units;
    qsizetype p = 0;
    while (p < text.size()) {
        const qsizetype semi = text.indexOf(u';', p);
        qsizetype next = text.indexOf(u"&#", p + 1);
        if (next < 0)
            next = text.size();
        if (text.mid(p).startsWith(u"&#") && semi >= p && semi <= next) {
            const bool hex = p + 2 < text.size() && text[p + 2] == u'x';
            const qsizetype from = p + (hex ? 3 : 2);
            units.append(leadingNumber(text.mid(from, semi - from), hex ? 16 : 10));
            p = semi + 1;
        } else {
            // Unicode value rather than ANSI byte: the same for ASCII, and other characters
            // then come back unchanged from codeUnitsToText.
            units.append(text[p].unicode());
            ++p;
        }
    }
    return units;
}

QString codeUnitsToText(const CodeUnits &units)
{
    QString result;
    result.reserve(units.size());
    for (qint32 unit : units)
        result += QChar(char16_t(quint32(unit) & 0xFFFF));
    return result;
}

CodeUnits textToCodeUnits(QStringView text)
{
    CodeUnits units;
    units.reserve(text.size());
    for (QChar c : text)
        units.append(c.unicode());
    return units;
}

QString decodeCodePage(QByteArrayView bytes, int codePage)
{
    return platform::decodeCodePage(bytes, codePage);
}

QString fromCharacterReferenceText(QStringView text)
{
    return codeUnitsToText(fromCharacterReferences(text));
}

} // namespace text
