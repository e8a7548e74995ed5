#include "speechsound.h"

#include <QProcess>

#include <cmath>

namespace speechsound {

namespace {

constexpr int sampleRate = 22050;
// The loudness is set once a block: 20 ms.
constexpr int blockSamples = 441;
constexpr int timeoutMs = 120000;
// ffmpeg's sine source peaks at an eighth of full scale.
constexpr double toneGain = 8;

QString number(double value)
{
    return QString::number(value, 'g', 12);
}

// ffmpeg's volume expression: each stretch's gain while t is within it. Straight after the
// source, where every block has its time.
QString loudnessExpression(const QList<Stretch> &stretches)
{
    QStringList terms;
    double start = 0;
    for (const Stretch &stretch : stretches) {
        const double end = start + stretch.seconds;
        terms += QStringLiteral("%1*gte(t,%2)*lt(t,%3)")
                     .arg(number(toneGain * std::pow(10.0, stretch.peakDb / 20)), number(start),
                          number(end));
        start = end;
    }
    return terms.isEmpty() ? QStringLiteral("0") : terms.join(u'+');
}

double totalSeconds(const QList<Stretch> &stretches)
{
    double seconds = 0;
    for (const Stretch &stretch : stretches)
        seconds += stretch.seconds;
    return seconds;
}

} // namespace

QString writeMp3(const QString &ffmpeg, const QString &nativePath, const QList<Stretch> &stretches)
{
    const QString tone = QStringLiteral("sine=frequency=160:sample_rate=%1:samples_per_frame=%2:"
                                        "duration=%3")
                             .arg(sampleRate)
                             .arg(blockSamples)
                             .arg(number(totalSeconds(stretches)));
    const QString voice = QStringLiteral("volume='%1':eval=frame,tremolo=f=3:d=0.8")
                              .arg(loudnessExpression(stretches));
    QProcess process;
    process.start(ffmpeg, {"-v", "error", "-nostdin", "-y", "-f", "lavfi", "-i", tone, "-af", voice,
                           "-ac", "1", "-b:a", "32k", nativePath});
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QStringLiteral("ffmpeg could not make %1: %2")
            .arg(nativePath, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString();
}

} // namespace speechsound
