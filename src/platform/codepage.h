#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows code pages through ICU: the stand-in for GetACP and MultiByteToWideChar.
namespace platform {

// The code page of the files the program writes and reads as text (settings, playlists): 65001
// under a UTF-8 or the C/POSIX locale, else the code page of the locale's character set, so that
// every path the system can name is storable.
int ansiCodePage();
// Tests only: makes ansiCodePage() answer codePage; 0 goes back to the system's.
void setAnsiCodePage(int codePage);
// What the system itself answers, whatever setAnsiCodePage() was told.
int systemAnsiCodePage();

// The code page in which undecoded 8-bit tag titles are read unless an album says otherwise:
// the legacy Windows code page of the desktop's language, as Windows derives its own ANSI code
// page from the system language (1252 for English, 1251 for Russian).
int titleCodePage();
// Tests only: makes titleCodePage() answer codePage; 0 goes back to the system's.
void setTitleCodePage(int codePage);
// What the system itself answers, whatever setTitleCodePage() was told.
int systemTitleCodePage();
// The legacy code page of a locale name as the C library spells it ("ru_RU.UTF-8", "zh_TW",
// "sr_RS@latin"): by language, and for Chinese by territory; 1252 for any other name.
int legacyCodePageOfLocale(QByteArrayView localeName);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(QByteArrayView bytes);
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
