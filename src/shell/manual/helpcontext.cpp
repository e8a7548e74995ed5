#include "shell/manual/helpcontext.h"

#include <QLatin1StringView>

namespace shell::help {

namespace {

int exactHelpContext(QStringView objectName)
{
    for (const NamedHelpContext &entry : table) {
        if (objectName == QLatin1StringView(entry.objectName.data(), entry.objectName.size()))
            return entry.number;
    }
    return 0;
}

} // namespace

int helpContextOf(QStringView objectName)
{
    if (const int number = exactHelpContext(objectName))
        return number;
    qsizetype end = objectName.size();
    while (end > 0 && objectName[end - 1] >= u'0' && objectName[end - 1] <= u'9')
        --end;
    if (end == objectName.size() || end == 0)
        return 0;
    return exactHelpContext(objectName.left(end));
}

} // namespace shell::help
