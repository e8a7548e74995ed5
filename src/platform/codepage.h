#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows code pages through ICU: the stand-in for GetACP and MultiByteToWideChar.
namespace platform {

// The system's ANSI code page: 65001 under a UTF-8 or the C/POSIX locale, else the code page of
// the locale's character set.
int ansiCodePage();
// Tests only: makes ansiCodePage() answer codePage; 0 goes back to the system's.
void setAnsiCodePage(int codePage);
// What the system itself answers, whatever setAnsiCodePage() was told.
int systemAnsiCodePage();
// The Windows code page of a character set name as the C library spells it ("UTF-8",
// "ISO-8859-1", "KOI8-R", "CP1251"); 0 when unknown or when ICU cannot convert it.
int codePageOfCharset(QByteArrayView charsetName);

// True when ICU has a converter for the Windows code page (1200 is UTF-16LE, 65001 UTF-8).
bool isCodePageAvailable(int codePage);

// The bytes decoded in the code page (0: the ANSI code page). An unknown code page gives empty
// text, as the Windows conversion fails; bytes the page cannot map become U+FFFD.
QString decodeCodePage(QByteArrayView bytes, int codePage);
// The text encoded in the code page (0: the ANSI code page); what the page cannot hold becomes
// "?". An unknown code page gives empty bytes.
QByteArray encodeCodePage(QStringView text, int codePage);

inline QString fromAnsi(QByteArrayView bytes)
{
    return decodeCodePage(bytes, 0);
}
inline QByteArray toAnsi(QStringView text)
{
    return encodeCodePage(text, 0);
}
// True when the ANSI code page holds every character of the text, so that it reads back
// unchanged from a file in that code page.
inline bool ansiCanHold(QStringView text)
{
    return fromAnsi(toAnsi(text)) == text;
}

} // namespace platform
