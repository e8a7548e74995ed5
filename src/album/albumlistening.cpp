#include "album/albumlistening.h"

#include "album/albumentry.h"

#include <algorithm>

namespace album {

namespace {

// Places in AlbumEntry::extraFields; Speed is the first.
enum ExtraField { boostField = 1, levelField = 2, introField = 3, outroField = 4 };

constexpr int storedVolumeTop = 100;
constexpr int boostedVolumeTop = 200;

// The whole number a field holds when it lies in [low, high]; 0 otherwise.
int fieldNumber(const AlbumEntry &entry, ExtraField field, int low, int high)
{
    const FixedPoint value = FixedPoint::parse(entry.extraFields.value(field));
    if (value < FixedPoint::fromInt(low) || value > FixedPoint::fromInt(high))
        return 0;
    return int(value.roundedToInt());
}

void setField(AlbumEntry &entry, ExtraField field, const QString &text)
{
    QStringList &fields = entry.extraFields;
    while (fields.size() <= field && !text.isEmpty())
        fields.append(QString());
    if (field < fields.size())
        fields[field] = text;
    while (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();
}

QString numberOrNothing(int value)
{
    return value > 0 ? QString::number(value) : QString();
}

} // namespace

AlbumListening listeningOf(const AlbumEntry &entry)
{
    AlbumListening listening;
    const int boost = fieldNumber(entry, boostField, storedVolumeTop + 1, boostedVolumeTop);
    listening.volume = boost > 0 ? boost : entry.volumeLevel();
    listening.levelsVoice = entry.extraFields.value(levelField) == QLatin1String("1");
    const int longest = AlbumListening::longestSkipSeconds;
    listening.introSeconds = fieldNumber(entry, introField, 1, longest);
    listening.outroSeconds = fieldNumber(entry, outroField, 1, longest);
    return listening;
}

void storeListening(AlbumEntry &entry, const AlbumListening &listening)
{
    const int volume = std::clamp(listening.volume, 0, boostedVolumeTop);
    entry.volume = QString::number(std::min(volume, storedVolumeTop));
    setField(entry, boostField, volume > storedVolumeTop ? QString::number(volume) : QString());
    setField(entry, levelField, listening.levelsVoice ? QStringLiteral("1") : QString());
    const int longest = AlbumListening::longestSkipSeconds;
    setField(entry, introField, numberOrNothing(std::clamp(listening.introSeconds, 0, longest)));
    setField(entry, outroField, numberOrNothing(std::clamp(listening.outroSeconds, 0, longest)));
}

} // namespace album
