#include "media/tagtext.h"

#include "platform/codepage.h"

namespace media {

namespace {

constexpr int utf16CodePage = 1200;
constexpr int utf8CodePage = 65001;

// Albums stored before titles had a code page of their own hold 65001, the locale's; their
// Latin-1 and Windows titles are no UTF-8 and read in the title code page instead.
bool canRead(QByteArrayView bytes, int codePage)
{
    if (codePage <= 0 || codePage == utf16CodePage)
        return false;
    return codePage != utf8CodePage || platform::isValidUtf8(bytes);
}

} // namespace

QString TagText::toString(int codePage) const
{
    if (isUnicode)
        return unicode;
    if (bytes.isEmpty())
        return QString();
    if (canRead(bytes, codePage)) {
        const QString text = platform::decodeCodePage(bytes, codePage);
        if (!text.isEmpty())
            return text;
    }
    return platform::decodeCodePage(bytes, platform::titleCodePage());
}

} // namespace media
