#pragma once

#include <QtGlobal>

// How many seconds playback goes back when it resumes after a pause or stop of that many
// seconds: none up to five minutes, 5 after more than five minutes, 15 after more than an hour,
// 30 after more than a day. A negative pause (a clock set back) counts as none.
int rewindAfterPause(qint64 pausedSeconds);
