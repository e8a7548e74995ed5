#include "wavsound.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr quint16 pcmFormat = 1;
constexpr quint16 floatFormat = 3;
constexpr quint16 extensibleFormat = 0xFFFE;
// Below this a sample is silence: -80 dBFS.
constexpr float silenceLevel = 1e-4f;

struct Format {
    quint16 tag = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

quint16 u16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

std::optional<Format> formatOf(const QByteArray &chunk)
{
    if (chunk.size() < 16)
        return std::nullopt;
    Format format{u16(chunk, 0), u16(chunk, 2), int(u32(chunk, 4)), u16(chunk, 14)};
    // The extensible form names the real format at the start of its sub-format.
    if (format.tag == extensibleFormat) {
        if (chunk.size() < 26)
            return std::nullopt;
        format.tag = u16(chunk, 24);
    }
    const bool known = (format.tag == floatFormat && format.bits == 32) ||
                       (format.tag == pcmFormat && format.bits == 16);
    if (!known || format.channels <= 0 || format.rate <= 0)
        return std::nullopt;
    return format;
}

float sampleAt(const QByteArray &data, qsizetype at, const Format &format)
{
    if (format.tag == floatFormat)
        return qFromLittleEndian<float>(data.constData() + at);
    return float(qint16(u16(data, at))) / 32768.0f;
}

} // namespace

// The data chunk's own size may be a placeholder larger than the file when libmpv was stopped
// before it closed the file: what is there is read.
std::optional<WavSound> WavSound::read(const QString &nativePath)
{
    QFile file(nativePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<Format> format;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = std::min<qsizetype>(u32(bytes, at + 4), bytes.size() - at - 8);
        const QByteArray chunk = bytes.mid(at + 8, size);
        if (id == "fmt ")
            format = formatOf(chunk);
        if (id == "data" && format) {
            WavSound sound;
            sound.m_rate = format->rate;
            const int frameBytes = format->channels * format->bits / 8;
            for (qsizetype frame = 0; frame + frameBytes <= chunk.size(); frame += frameBytes) {
                float peak = 0;
                double power = 0;
                for (int channel = 0; channel < format->channels; ++channel) {
                    const float sample =
                        sampleAt(chunk, frame + channel * format->bits / 8, *format);
                    peak = std::max(peak, std::abs(sample));
                    power += double(sample) * sample / format->channels;
                }
                sound.m_peaks.append(peak);
                sound.m_power.append(power);
            }
            return sound;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

double WavSound::seconds() const
{
    return double(m_peaks.size()) / m_rate;
}

double WavSound::levelDb(double from, double to) const
{
    const qsizetype first = std::clamp<qsizetype>(std::llround(from * m_rate), 0, m_power.size());
    const qsizetype last = std::clamp<qsizetype>(std::llround(to * m_rate), first, m_power.size());
    double sum = 0;
    for (qsizetype i = first; i < last; ++i)
        sum += m_power[i];
    if (last == first || sum <= 0)
        return -std::numeric_limits<double>::infinity();
    return 10 * std::log10(sum / double(last - first));
}

QList<double> WavSound::silences(double minSeconds) const
{
    QList<double> starts;
    const qsizetype minFrames = std::llround(minSeconds * m_rate);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= m_peaks.size(); ++i) {
        if (i < m_peaks.size() && m_peaks[i] < silenceLevel)
            continue;
        if (i - runStart >= minFrames)
            starts.append(double(runStart) / m_rate);
        runStart = i + 1;
    }
    return starts;
}
