#include "player/rewindrule.h"

#include <array>

namespace {

struct RewindStep {
    qint64 pausedMoreThan;
    int rewind;
};

constexpr std::array<RewindStep, 3> steps{{{24 * 3600, 30}, {3600, 15}, {5 * 60, 5}}};

} // namespace

int rewindAfterPause(qint64 pausedSeconds)
{
    for (const RewindStep &step : steps) {
        if (pausedSeconds > step.pausedMoreThan)
            return step.rewind;
    }
    return 0;
}
