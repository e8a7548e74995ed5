// What levelling the voice costs: the process's CPU time (every thread's, libmpv's included) for
// playing five minutes of speech-like sound as fast as libmpv renders it, levelled against
// plain. The sound goes to /dev/null; the best of several rounds is printed, and the ratio.
//
//   levelvoice_bench [rounds]

#include "platform/paths.h"
#include "player/mpvplayer.h"
#include "speechsound.h"

#include <QApplication>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

constexpr int defaultRounds = 5;
constexpr int stretches = 30;
constexpr double stretchSeconds = 10;
constexpr int waitMs = 120000;

[[noreturn]] void giveUp(const QString &what)
{
    std::fprintf(stderr, "levelvoice_bench: %s\n", qPrintable(what));
    std::exit(1);
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Waits in the event loop, spending no CPU of its own, until the player reaches the state.
void waitFor(MpvPlayer &player, PlayState state)
{
    QEventLoop loop;
    QObject::connect(&player, &PlayerComponent::playStateChange, &loop, [&](int reached) {
        if (reached == int(state))
            loop.quit();
    });
    QTimer::singleShot(waitMs, &loop, [] { giveUp(QStringLiteral("the player got stuck")); });
    loop.exec();
}

// The CPU seconds of playing the file from its start to its end.
double playingCost(const QString &path, bool levelled)
{
    MpvPlayer player(QStringLiteral("null"));
    player.renderToFile(QStringLiteral("/dev/null"));
    player.setVoiceLevelling(levelled);
    player.setUrl(path);
    waitFor(player, PlayState::Ready);
    const double before = cpuSeconds();
    player.play();
    waitFor(player, PlayState::Stopped);
    return cpuSeconds() - before;
}

// Quiet and loud speech taking turns.
QString makeSound(const QTemporaryDir &folder)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        giveUp(QStringLiteral("ffmpeg is not installed: no speech-like sound to play"));
    QList<speechsound::Stretch> sound;
    for (int i = 0; i < stretches; ++i)
        sound.append({stretchSeconds, i % 2 == 0 ? -30.0 : -6.0});
    const QString path = folder.filePath(QStringLiteral("speech.mp3"));
    if (const QString error = speechsound::writeMp3(ffmpeg, path, sound); !error.isEmpty())
        giveUp(error);
    return platform::fromNativePath(path);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : defaultRounds;
    QTemporaryDir folder;
    if (!folder.isValid())
        giveUp(QStringLiteral("no folder for the sound"));
    const QString path = makeSound(folder);

    double plain = std::numeric_limits<double>::infinity();
    double levelled = plain;
    for (int round = 0; round < rounds; ++round) {
        plain = std::min(plain, playingCost(path, false));
        levelled = std::min(levelled, playingCost(path, true));
    }
    std::printf("%.0f s of speech-like sound, best of %d rounds, CPU seconds\n",
                stretches * stretchSeconds, rounds);
    std::printf("plain     %.3f\nlevelled  %.3f\nratio     %.2f\n", plain, levelled,
                levelled / plain);
    return 0;
}
