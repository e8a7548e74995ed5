#include "app/menus/listeningoptions.h"

#include "settings/settingskeys.h"
#include "settings/settingsstore.h"

namespace {

namespace keys = settings::keys;

const std::array<QLatin1String, 2> skipKeys = {keys::skipBackKey, keys::skipForwardKey};

int validSkip(qint64 seconds)
{
    return seconds >= 1 && seconds <= ListeningOptions::longestSkipSeconds
               ? int(seconds)
               : ListeningOptions::defaultSkipSeconds;
}

} // namespace

ListeningOptions::ListeningOptions(const QString &settingsFile, QObject *parent)
    : QObject(parent), m_settingsFile(settingsFile)
{
}

void ListeningOptions::load()
{
    for (const Skip skip : {Back, Forward}) {
        const FixedPoint stored =
            settings::readSettingNumber(m_settingsFile, keys::mainWindowSection, skipKeys[skip],
                                        FixedPoint::fromInt(defaultSkipSeconds));
        m_skipSeconds[skip] = validSkip(stored.roundedToInt());
    }
    m_rewind = settings::readSettingNumber(m_settingsFile, keys::mainWindowSection,
                                           keys::rewindKey) == FixedPoint::fromInt(1);
    emit changed();
}

void ListeningOptions::setSkipSeconds(Skip skip, int seconds)
{
    m_skipSeconds[skip] = validSkip(seconds);
    settings::writeSettingNumber(m_settingsFile, keys::mainWindowSection, skipKeys[skip],
                                 FixedPoint::fromInt(m_skipSeconds[skip]));
    emit changed();
}

void ListeningOptions::setRewindAfterPause(bool on)
{
    m_rewind = on;
    settings::writeSettingNumber(m_settingsFile, keys::mainWindowSection, keys::rewindKey,
                                 FixedPoint::fromInt(on ? 1 : 0));
    emit changed();
}
