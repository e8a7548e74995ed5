#pragma once

#include <QString>
#include <QtGlobal>

namespace history {

// One stretch of listening, kept once it has ended.
struct ListeningSession {
    // The album's key as the settings file stores it and the record's file path: opaque texts.
    QString album;
    QString record;
    // Where in the record listening began and ended.
    double fromSeconds = 0;
    double toSeconds = 0;
    // The wall-clock start, in milliseconds since the epoch (UTC).
    qint64 startMs = 0;
    // Time spent listening, which neither the position span (speed) nor the pauses tell.
    qint64 lengthMs = 0;

    friend bool operator==(const ListeningSession &, const ListeningSession &) = default;
};

} // namespace history
