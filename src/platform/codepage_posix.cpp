#include "platform/codepage.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace platform {

int systemAnsiCodePage()
{
    constexpr int utf8 = 65001;
    const char *locale = std::setlocale(LC_CTYPE, nullptr);
    if (locale == nullptr || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0)
        return utf8;
    const int codePage = codePageOfCharset(nl_langinfo(CODESET));
    return codePage != 0 ? codePage : utf8;
}

} // namespace platform
