#pragma once

#include <QString>
#include <QtGlobal>

#include <span>

// The fixed knowledge about Windows code pages: display names, preview character sets, and the
// pages offered to the user.
namespace text {

// The number that stands for Unicode (UTF-16 little endian) text.
inline constexpr int unicodeCodePage = 1200;
// UTF-8, offered beside the Windows pages for titles that today's tools write.
inline constexpr int utf8CodePage = 65001;
// Its caption wherever it is offered.
inline constexpr QStringView utf8Caption = u"Unicode (UTF-8)";

// The display name of the code page ("Western" for 1252); empty for an unlisted number.
QString codePageName(int codePage);
// The font character set for previewing text of the code page (204 for 1251); 0 when unlisted.
quint8 codePageCharset(int codePage);
// The 14 Windows ANSI pages offered to the user, in the order every list shows them.
std::span<const int> offeredCodePages();

} // namespace text
