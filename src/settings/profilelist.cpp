#include "settings/profilelist.h"

#include "platform/codepage.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"

#include <QRegularExpression>

namespace settings {

namespace {

const QString defaultProfile = QStringLiteral("Default");

} // namespace

void ProfileList::load(const QString &settingsFile)
{
    m_active = readSetting(settingsFile, keys::profileListSection, QStringLiteral("0"));
    const QString values = readSectionValues(settingsFile, keys::profileListSection);
    m_names = values.isEmpty() ? QStringList{defaultProfile} : values.split(QStringLiteral("\r\n"));
}

bool ProfileList::isSwitch(int index) const
{
    return index >= 0 && index < count() && m_active != m_names[index];
}

void ProfileList::select(int index, const QString &settingsFile)
{
    if (index < 0 || index >= count())
        return;
    m_active = m_names[index];
    m_names.move(index, 0);
    save(settingsFile);
}

int ProfileList::indexOf(const QString &name) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int ProfileList::append(const QString &name)
{
    m_names.append(name);
    return count() - 1;
}

void ProfileList::remove(int index, const QString &settingsFile)
{
    if (index < 1 || index >= count())
        return;
    m_names.removeAt(index);
    save(settingsFile);
}

void ProfileList::save(const QString &settingsFile) const
{
    writeSectionValues(settingsFile, keys::profileListSection, m_names);
}

QString cleanProfileName(const QString &typed)
{
    // A carriage return would end the settings line early, like a line feed.
    QString name = typed.left(typed.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
    name.remove(u' ');
    if (name.size() > maxProfileNameLength)
        name.truncate(name.at(maxProfileNameLength - 1).isHighSurrogate() ? maxProfileNameLength - 1
                                                                          : maxProfileNameLength);
    return name;
}

ProfileNameCheck checkProfileName(const QString &cleanName)
{
    if (platform::fromAnsi(platform::toAnsi(cleanName)).contains(u'?'))
        return ProfileNameCheck::Unsupported;
    return cleanName.isEmpty() ? ProfileNameCheck::Empty : ProfileNameCheck::Usable;
}

} // namespace settings
