#pragma once

#include <QList>
#include <QString>

#include <optional>

// The sound of a WAV file that libmpv's file output wrote: 32-bit float or 16-bit samples, any
// number of channels.
class WavSound {
public:
    // Nothing when the file cannot be read or holds no such sound.
    static std::optional<WavSound> read(const QString &nativePath);

    double seconds() const;
    // The RMS level in dBFS of all channels from one time to another, in seconds; minus infinity
    // when nothing is heard or the stretch is empty.
    double levelDb(double from, double to) const;
    // Where each run of silence at least minSeconds long starts, in seconds.
    QList<double> silences(double minSeconds) const;

private:
    int m_rate = 0;
    // One value per sample frame: the loudest channel's magnitude.
    QList<float> m_peaks;
    // One value per sample frame: the channels' mean square.
    QList<double> m_power;
};
