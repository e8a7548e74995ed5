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

// The next place of a marker at or after a position, found again only once the position has
// passed it: each piece of the text is searched once, so decoding takes linear time.
class NextMarker {
public:
    NextMarker(QStringView text, QStringView marker) : m_text(text), m_marker(marker) {}

    // The text's size when there is none.
    qsizetype from(qsizetype position)
    {
        if (m_at < position) {
            m_at = m_text.indexOf(m_marker, position);
            if (m_at < 0)
                m_at = m_text.size();
        }
        return m_at;
    }

private:
    QStringView m_text;
    QStringView m_marker;
    qsizetype m_at = -1;
};

// Positions are 0-based here; a reference is "&#" at p with the first ";" at or after p
// coming before the next "&#" after p.
CodeUnits fromCharacterReferences(QStringView text)
{
    CodeUnits units;
    units.reserve(text.size());
    NextMarker semicolons(text, u";");
    NextMarker references(text, u"&#");
    qsizetype p = 0;
    while (p < text.size()) {
        const qsizetype semi = semicolons.from(p);
        const qsizetype next = references.from(p + 1);
        if (text.sliced(p).startsWith(u"&#") && semi < text.size() && semi <= next) {
            const bool hex = p + 2 < text.size() && text[p + 2] == u'x';
            const qsizetype from = p + (hex ? 3 : 2);
            units.append(leadingNumber(text.sliced(from, semi - from), hex ? 16 : 10));
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
