#include "platform/launch.h"

#include <QProcess>
#include <QStringList>

namespace platform {

bool openWithProgram(const QString &program, const QString &nativeFile)
{
    QString name = program.trimmed();
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        name = name.sliced(1, name.size() - 2);
    if (name.isEmpty())
        return false;
    return QProcess::startDetached(name, {fileArgument(nativeFile)});
}

} // namespace platform
