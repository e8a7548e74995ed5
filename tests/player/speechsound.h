#pragma once

#include <QList>
#include <QString>

// Speech-like sound that ffmpeg makes, for the tests and benchmarks that play it: a tone at a
// voice's pitch, in syllables, whose loudness changes from stretch to stretch.
namespace speechsound {

struct Stretch {
    double seconds = 0;
    // The voice's peak level in dBFS; minus infinity is silence.
    double peakDb = 0;
};

// Writes a mono MP3 of the stretches in order. Each stretch starts on a whole 20 ms. Returns
// what went wrong, empty when the file was made.
QString writeMp3(const QString &ffmpeg, const QString &nativePath, const QList<Stretch> &stretches);

} // namespace speechsound
