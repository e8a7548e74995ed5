// What libmpv plays with the volume above 100 and the voice levelled, rendered to WAV files and
// measured: how loud it is, and whether the positions still say what was heard.

#include "platform/paths.h"
#include "player/mpvplayer.h"
#include "speechsound.h"
#include "wavsound.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>

namespace {

using speechsound::Stretch;

constexpr double silence = -std::numeric_limits<double>::infinity();
constexpr int waitMs = 15000;
constexpr int stillMs = 300;

// Quiet speech, then loud, and the stretches measured of each, clear of their edges.
const QList<Stretch> quietThenLoud{{15, -30}, {15, -6}};
constexpr double quietFrom = 3;
constexpr double quietTo = 13;
constexpr double loudFrom = 18;
constexpr double loudTo = 28;

// Quiet, loud and middling speech with half a second of silence ending every half minute: the
// silences are landmarks of the file's own time.
constexpr double landmarkEvery = 30;
constexpr double landmarkSeconds = 0.5;
constexpr double landmarkedMinutes = 10;

QList<Stretch> landmarked()
{
    QList<Stretch> stretches;
    for (int block = 0; block < landmarkedMinutes * 60 / landmarkEvery; ++block)
        stretches += {{10, -30},
                      {10, -6},
                      {landmarkEvery - 20 - landmarkSeconds, -20},
                      {landmarkSeconds, silence}};
    return stretches;
}

// The landmarks' starts in the file from one time to another.
QList<double> landmarksWithin(double from, double to)
{
    QList<double> starts;
    for (double start = landmarkEvery - landmarkSeconds; start < to; start += landmarkEvery) {
        if (start >= from)
            starts.append(start);
    }
    return starts;
}

class Loudness : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
        s_folder = std::make_unique<QTemporaryDir>();
    }

    static void TearDownTestSuite()
    {
        s_folder.reset();
        s_made.clear();
    }

    void SetUp() override
    {
        if (s_ffmpeg.isEmpty())
            GTEST_SKIP() << "ffmpeg is not installed: no speech-like sound to play";
        ASSERT_TRUE(s_folder->isValid());
    }

    // The sound's MP3, made on its first use; empty, with the test failed, when it could not be.
    static QString sound(const QString &name, const QList<Stretch> &stretches)
    {
        if (s_made.contains(name))
            return platform::fromNativePath(s_folder->filePath(name));
        const QString error = speechsound::writeMp3(s_ffmpeg, s_folder->filePath(name), stretches);
        if (!error.isEmpty()) {
            ADD_FAILURE() << error.toStdString();
            return QString();
        }
        s_made.append(name);
        return platform::fromNativePath(s_folder->filePath(name));
    }

    // A new player whose sound goes to a new WAV file.
    std::unique_ptr<MpvPlayer> renderingPlayer()
    {
        m_wav = s_folder->filePath(QStringLiteral("heard%1.wav").arg(++s_renders));
        auto player = std::make_unique<MpvPlayer>(QStringLiteral("null"));
        player->renderToFile(m_wav);
        return player;
    }

    // What the player wrote, complete once it is gone.
    std::optional<WavSound> heard(std::unique_ptr<MpvPlayer> player)
    {
        player.reset();
        return WavSound::read(m_wav);
    }

    static bool load(MpvPlayer &player, const QString &path)
    {
        player.setUrl(path);
        return QTest::qWaitFor([&] { return player.playState() == PlayState::Ready; }, waitMs);
    }

    static bool playToTheEnd(MpvPlayer &player)
    {
        player.play();
        return QTest::qWaitFor([&] { return player.playState() == PlayState::Stopped; }, waitMs);
    }

    // Plays, as fast as the sound is rendered, until the position reaches the time, and pauses;
    // false when the file ended first. The loop is tight: every turn lets a lot of sound by.
    static bool playPast(MpvPlayer &player, double seconds)
    {
        player.play();
        const QDeadlineTimer deadline(waitMs);
        while (player.currentPosition() < seconds && player.playState() == PlayState::Playing &&
               !deadline.hasExpired())
            QCoreApplication::processEvents();
        const bool inTime = player.playState() == PlayState::Playing;
        player.pause();
        return inTime && player.currentPosition() >= seconds;
    }

    // The position once paused. Sound already on its way is still written after the pause, and
    // the position follows in steps: it is taken once it has not moved for a while.
    static double settledPosition(MpvPlayer &player)
    {
        double last = -1;
        QElapsedTimer still;
        const bool settled = QTest::qWaitFor(
            [&] {
                const double now = player.currentPosition();
                if (std::exchange(last, now) != now)
                    still.start();
                return still.hasExpired(stillMs);
            },
            waitMs);
        EXPECT_TRUE(settled) << "the position still moves after the pause";
        return last;
    }

    // libmpv tells of a finished seek by an event that the player takes for it only near the
    // target; rendered sound runs so far ahead that the seek must finish before playing.
    static void letTheSeekLand() { QTest::qWait(500); }

    static inline QString s_ffmpeg;
    static inline std::unique_ptr<QTemporaryDir> s_folder;
    static inline QStringList s_made;
    static inline int s_renders = 0;
    QString m_wav;
};

struct Setting {
    bool levelling;
    int volume;
};

// The quiet-then-loud sound played to its end with the setting; nothing when it did not play.
class Rendered : public Loudness {
protected:
    std::optional<WavSound> played(const Setting &setting)
    {
        const QString path = sound(QStringLiteral("quietthenloud.mp3"), quietThenLoud);
        auto player = renderingPlayer();
        player->setVoiceLevelling(setting.levelling);
        player->setVolume(setting.volume);
        if (path.isEmpty() || !load(*player, path) || !playToTheEnd(*player))
            return std::nullopt;
        return heard(std::move(player));
    }
};

const Setting plain{false, 100};

double quietLevel(const WavSound &sound)
{
    return sound.levelDb(quietFrom, quietTo);
}

TEST_F(Rendered, LevellingRaisesTheQuietStretchAndNarrowsTheGap)
{
    const auto before = played(plain);
    const auto after = played({true, 100});
    ASSERT_TRUE(before && after);

    EXPECT_NEAR(after->seconds(), before->seconds(), 0.05);
    EXPECT_GE(quietLevel(*after) - quietLevel(*before), 6);
    const auto gap = [](const WavSound &sound) {
        return sound.levelDb(loudFrom, loudTo) - quietLevel(sound);
    };
    EXPECT_LE(gap(*after), gap(*before) - 6);
}

// Above 100 the volume goes on along the curve it follows below.
TEST_F(Rendered, DoublingTheVolumeRaisesTheSoundAsMuchAsHalvingItLowersIt)
{
    const auto normal = played(plain);
    const auto halved = played({false, 50});
    const auto doubled = played({false, PlayerComponent::maxVolume});
    ASSERT_TRUE(normal && halved && doubled);

    const double raised = quietLevel(*doubled) - quietLevel(*normal);
    EXPECT_GE(raised, 6);
    EXPECT_NEAR(raised, quietLevel(*normal) - quietLevel(*halved), 0.5);
}

// How the levelled sound is reached: from the file's start, after a seek to a resume mark, or
// switched on in the middle of playing.
struct Route {
    const char *name;
    double start;
    double switchedOnAt;
};

void PrintTo(const Route &route, std::ostream *out)
{
    *out << route.name;
}

class LevelledPositions : public Loudness, public testing::WithParamInterface<Route> {};

// A minute on, the position is where the sound heard has got to, and every landmark is heard
// at its own time.
TEST_P(LevelledPositions, StayInTheFilesOwnTime)
{
    const Route route = GetParam();
    const QString path = sound(QStringLiteral("landmarked.mp3"), landmarked());
    auto player = renderingPlayer();
    player->setVoiceLevelling(route.switchedOnAt <= route.start);
    ASSERT_TRUE(!path.isEmpty() && load(*player, path));
    if (route.start > 0) {
        player->setCurrentPosition(route.start);
        letTheSeekLand();
    }
    if (route.switchedOnAt > route.start) {
        ASSERT_TRUE(playPast(*player, route.switchedOnAt));
        settledPosition(*player);
        player->setVoiceLevelling(true);
    }
    ASSERT_TRUE(playPast(*player, route.start + 60)) << "the file ended before the pause";
    const double position = settledPosition(*player);
    const auto sound = heard(std::move(player));
    ASSERT_TRUE(sound);

    const double heardTo = route.start + sound->seconds();
    EXPECT_NEAR(heardTo, position, 0.05);
    // Only landmarks heard whole, clear of where the sound was cut off.
    const double wholeBefore = heardTo - 2 * landmarkSeconds;
    QList<double> landmarks;
    for (const double start : sound->silences(landmarkSeconds * 0.6)) {
        if (route.start + start < wholeBefore)
            landmarks.append(route.start + start);
    }
    const QList<double> expected = landmarksWithin(route.start, wholeBefore);
    ASSERT_EQ(landmarks.size(), expected.size()) << "position " << position;
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(landmarks[i], expected[i], 0.05) << "landmark " << i;
}

INSTANTIATE_TEST_SUITE_P(Loudness, LevelledPositions,
                         testing::Values(Route{"fromTheStart", 0, 0}, Route{"afterASeek", 100, 0},
                                         Route{"switchedOnWhilePlaying", 0, 20}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
