#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// Unicode text kept in ASCII: every code unit of 128 or more as "&#" + decimal + ";".
namespace text {

using CodeUnits = QList<qint32>;

// A maximum length above 0 stops before the piece that would pass it (a reference is never cut).
QString toCharacterReferences(QStringView text, int maximumLength = 0);
// Decodes the bytes in the code page (0: ANSI; negative: bytes taken as they are), then as above.
QString codePageToCharacterReferences(QByteArrayView bytes, int codePage, int maximumLength = 0);
// The reverse: one code unit per reference ("&#x41;" accepted, lower-case "x" only); malformed
// references are plain characters.
CodeUnits fromCharacterReferences(QStringView text);
// Each number modulo 65536 as one UTF-16 code unit.
QString codeUnitsToText(const CodeUnits &units);
// The text that a character-reference form stands for (the two steps above in one).
QString fromCharacterReferenceText(QStringView text);
CodeUnits textToCodeUnits(QStringView text);
// The platform conversion of the whole text (0: the ANSI code page).
QString decodeCodePage(QByteArrayView bytes, int codePage);

} // namespace text
