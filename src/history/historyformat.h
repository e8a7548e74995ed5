#pragma once

#include "history/listeningsession.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// The history file: UTF-8 text, only ever appended to.
//
//   sonnalby-history<TAB>1
//   <startMs><TAB><lengthMs><TAB><fromMs><TAB><toMs><TAB><album><TAB><record><TAB><check>
//
// The first line names the format and its version; every later line is one finished session,
// ended by LF. Numbers are decimal digits: the start in milliseconds since the epoch (UTC), the
// listening time and the two positions in milliseconds. In the two texts a backslash is written
// "\\", a tab "\t", a line feed "\n", a carriage return "\r", and every other control character,
// U+2028, U+2029 and a lone surrogate "\u" with four hex digits of the UTF-16 unit, so that no
// text can end a line or a field early. The check is four lowercase hex digits of the CRC-16
// (ISO 3309) of the bytes before its tab: a line cut short never passes for a whole one. A
// reader skips every line not exactly of this form, and the last one when it lacks its LF.
namespace history {

inline constexpr QByteArrayView headerLine = "sonnalby-history\t1\n";
// A longer line is neither written nor read.
inline constexpr qsizetype maxLineLength = 64 * 1024;
// Past this many sessions the older lines of a file go unread.
inline constexpr qsizetype maxSessions = 100000;
// The largest numbers stored: under 32 years for spans, so that the sum of maxSessions stays far
// inside 64 bits.
inline constexpr qint64 maxStartMs = 999'999'999'999'999;
inline constexpr qint64 maxSpanMs = 999'999'999'999;

// The session's line without its LF; nullopt for a number out of range or a line too long.
std::optional<QByteArray> encodeSession(const ListeningSession &session);
// The session of one line without its LF; nullopt for anything encodeSession does not write.
std::optional<ListeningSession> decodeSession(QByteArrayView line);
// The sessions of the LF-ended lines of text, the last line first, at most maxSessions; what
// follows the last LF is a line cut short and is ignored.
QList<ListeningSession> decodeLines(QByteArrayView text);

// What a new line must follow in a file of size bytes that begins with head (its first bytes,
// up to the header's length) and ends with last: the header, or the rest of one cut short, in a
// file without one; an LF after a line cut short. Nullopt for a file of another format or
// version, which is never written to.
std::optional<QByteArray> appendPrefix(QByteArrayView head, qint64 size, char last);

} // namespace history
