#include "media/frametext.h"

#include "media/bytereader.h"
#include "settings/fixedpoint.h"

#include <limits>

namespace media {
namespace {

enum class Encoding { Bytes, Utf16Le, Utf16Be, Utf8 };

struct Signature {
    const char *bytes;
    qsizetype size;
    Encoding encoding;
};

// Byte-order marks win over the encoding byte, whatever the version.
constexpr Signature signatures[] = {
    {"\xFF\xFE", 2, Encoding::Utf16Le},
    {"\xFE\xFF", 2, Encoding::Utf16Be},
    {"\xEF\xBB\xBF", 3, Encoding::Utf8},
};

// The content (encoding byte, then text) of the frame whose identifier is at `at`, cut at the
// body's end; empty when there is no frame there or its size field is cut short.
QByteArrayView frameContent(const ByteReader &reader, qsizetype at, int majorVersion)
{
    if (at < 0)
        return {};
    bool ok = true;
    const quint32 size = majorVersion == 2   ? reader.u24be(at + 3, &ok)
                         : majorVersion == 3 ? reader.u32be(at + 4, &ok)
                                             : reader.sevenBitGroups(at + 4, &ok);
    const qint64 kept = qMin<qint64>(size, frameContentLimit);
    return ok ? reader.slice(at + frameHeaderSize(majorVersion), kept) : QByteArrayView();
}

QString decodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    const ByteReader reader(bytes);
    QString text(bytes.size() / 2, Qt::Uninitialized);
    bool ok = true;
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(bigEndian ? reader.u16be(2 * i, &ok) : reader.u16le(2 * i, &ok));
    return text;
}

TagText decodeText(quint8 encodingByte, QByteArrayView text, int majorVersion)
{
    Encoding encoding = Encoding::Bytes;
    if (majorVersion >= 3 && encodingByte == 3)
        encoding = Encoding::Utf8;
    else if (majorVersion >= 3 && encodingByte == 2)
        encoding = Encoding::Utf16Be;
    for (const Signature &signature : signatures) {
        if (text.startsWith(QByteArrayView(signature.bytes, signature.size))) {
            encoding = signature.encoding;
            text = text.sliced(signature.size);
            break;
        }
    }
    switch (encoding) {
    case Encoding::Utf16Le:
        return TagText::fromUnicode(decodeUtf16(text, false));
    case Encoding::Utf16Be:
        return TagText::fromUnicode(decodeUtf16(text, true));
    case Encoding::Utf8:
        return TagText::fromUnicode(QString::fromUtf8(text));
    case Encoding::Bytes:
        break;
    }
    return TagText::fromBytes(text.toByteArray());
}

// Ending NULs are terminators; what separates values inside becomes CR LF.
void separateValues(QByteArray &text, int majorVersion)
{
    while (text.endsWith('\0'))
        text.chop(1);
    if (majorVersion == 3)
        text.replace('/', "\r\n");
    else if (majorVersion == 4)
        text.replace('\0', "\r\n");
}

// Version 4 puts a byte-order mark before each UTF-16 value, not only the first.
void separateValues(QString &text, int majorVersion)
{
    while (text.endsWith(QChar(0)))
        text.chop(1);
    if (majorVersion == 3) {
        text.replace(u'/', QLatin1StringView("\r\n"));
    } else if (majorVersion == 4) {
        text.replace(QString(QChar(0)) + QChar(0xFEFF), QString(QChar(0)));
        text.replace(QChar(0), QLatin1StringView("\r\n"));
    }
}

TagText textOfFrameAt(const ByteReader &reader, qsizetype at, int majorVersion)
{
    const QByteArrayView content = frameContent(reader, at, majorVersion);
    if (content.isEmpty())
        return {};
    TagText text = decodeText(quint8(content[0]), content.sliced(1), majorVersion);
    separateValues(text.bytes, majorVersion);
    separateValues(text.unicode, majorVersion);
    return text.isEmpty() ? TagText() : text;
}

} // namespace

qsizetype frameHeaderSize(int majorVersion)
{
    return majorVersion == 2 ? 6 : 10;
}

TagText frameText(QByteArrayView identifier, QByteArrayView body, int majorVersion)
{
    return frameTexts({&identifier, 1}, body, majorVersion).front();
}

std::vector<TagText> frameTexts(std::span<const QByteArrayView> identifiers, QByteArrayView body,
                                int majorVersion)
{
    std::vector<TagText> texts(identifiers.size());
    if (majorVersion < 2 || majorVersion > 4)
        return texts;
    const ByteReader reader(body);
    const std::vector<qsizetype> found = reader.indexesOfIgnoringCase(identifiers);
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = textOfFrameAt(reader, found[i], majorVersion);
    return texts;
}

qint16 frameNumber(QByteArrayView identifier, QByteArrayView body, int majorVersion)
{
    return leadingNumber(frameText(identifier, body, majorVersion));
}

qint16 leadingNumber(const TagText &text)
{
    const QString characters = text.isUnicode ? text.unicode : QString::fromLatin1(text.bytes);
    const qint64 number = FixedPoint::parse(characters).units() / FixedPoint::scale;
    if (number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
        return 0;
    return qint16(number);
}

} // namespace media
