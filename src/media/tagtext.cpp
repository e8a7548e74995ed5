#include "media/tagtext.h"

#include "platform/codepage.h"

namespace media {

QString TagText::toString(int codePage) const
{
    return isUnicode ? unicode : platform::decodeCodePage(bytes, codePage);
}

} // namespace media
