#pragma once

#include "../album/qstringprint.h"
#include "history/listeningsession.h"

#include <QByteArray>
#include <QByteArrayView>

#include <ostream>

namespace history {

// Readable sessions in test failure messages.
inline void PrintTo(const ListeningSession &session, std::ostream *out)
{
    *out << "{" << session.startMs << " +" << session.lengthMs << "ms " << session.fromSeconds
         << "-" << session.toSeconds << " ";
    PrintTo(session.album, out);
    *out << " ";
    PrintTo(session.record, out);
    *out << "}";
}

} // namespace history

// A session started at startMs: five seconds of listening from 10 s to 15 s.
inline history::ListeningSession sessionAt(qint64 startMs, const QString &album = "A\\a.m3u",
                                           const QString &record = "\\books\\a\\01.mp3")
{
    return {album, record, 10, 15, startMs, 5000};
}

// A line of the file as a writer that knows the format makes it, whatever its body: the body,
// a tab and four hex digits of the body's CRC-16.
inline QByteArray checkedLine(QByteArrayView body)
{
    return body.toByteArray() + '\t' +
           QByteArray::number(qChecksum(body), 16).rightJustified(4, '0');
}
