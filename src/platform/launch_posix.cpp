#include "platform/launch.h"

#include <QProcess>
#include <QStringList>

namespace platform {

bool openWithProgram(const QString &program, const QString &argument)
{
    QString name = program.trimmed();
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        name = name.sliced(1, name.size() - 2);
    if (name.isEmpty())
        return false;
    // The parameter text is a command-line fragment: its quotes group a path with blanks into
    // one argument and are not part of it.
    return QProcess::startDetached(name, QProcess::splitCommand(argument));
}

} // namespace platform
