#include "platform/steadyclock.h"

#include <QElapsedTimer>

namespace platform {

qint64 steadyMilliseconds()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

} // namespace platform
