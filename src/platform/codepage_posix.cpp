#include "platform/codepage.h"

#include <clocale>
#include <cstdlib>
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

// The locale that names the system's character handling, as the C library chooses it from the
// environment; read there rather than from setlocale(), so that a language whose locale is not
// installed still counts.
int systemTitleCodePage()
{
    for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char *value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return legacyCodePageOfLocale(value);
    }
    return legacyCodePageOfLocale({});
}

} // namespace platform
