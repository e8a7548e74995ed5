#include "app/program/schemelegend.h"

#include "settings/settingskeys.h"
#include "settings/settingsstore.h"

namespace {

const QString albumFields =
    QStringLiteral("Path,Access,Title,Codepage,Records,Duration,Volume,Marks,Speed");

} // namespace

void writeSchemeLegend(const QString &settingsFile)
{
    const qsizetype comma = albumFields.indexOf(u',');
    const QString first = albumFields.left(comma);
    QString rest = albumFields.mid(comma + 1);
    rest.replace(QStringLiteral(","), QStringLiteral(">=<"));
    namespace keys = settings::keys;
    settings::writeSetting(settingsFile, keys::schemeSection, u'<' + first + u'>',
                           u'<' + rest + u'>');
    settings::writeSetting(settingsFile, keys::schemeSection, keys::schemeMarksKey,
                           QStringLiteral("<Path>/<Time>/<Title>|..."));
}
