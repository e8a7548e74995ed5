// The event contract every player keeps, checked once against the fake and against libmpv
// playing real files with no sound device.

#include "../album/testmp3.h"
#include "doubles/fakeplayer.h"
#include "platform/paths.h"
#include "player/mpvplayer.h"
#include "player/playersession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

// Probing the system's audio outputs loads SDL, which keeps a little memory to the end; a
// system library the program cannot free. Read by LeakSanitizer, unused otherwise.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libSDL2\n";
}

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

QString fixture(const char *name)
{
    return platform::fromNativePath(QStringLiteral(SONNALBY_FIXTURES "/") +
                                    QString::fromUtf8(name));
}

QString fileName(const QString &internalPath)
{
    return internalPath.mid(internalPath.lastIndexOf(u'\\') + 1);
}

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

// What the player raised, as text ("state 3 queued", "position 0.0 1.5 during"). "during" marks
// an event raised before the test's call into the player returned.
class EventLog {
public:
    explicit EventLog(PlayerComponent &player)
    {
        QObject::connect(&player, &PlayerComponent::playStateChange, &m_context,
                         [this](int state) { add(QStringLiteral("state %1").arg(state)); });
        QObject::connect(&player, &PlayerComponent::positionChange, &m_context,
                         [this](double from, double to) {
                             add(QStringLiteral("position %1 %2").arg(number(from), number(to)));
                         });
        QObject::connect(&player, &PlayerComponent::mediaChange, &m_context,
                         [this](const QString &item) { add("media " + fileName(item)); });
        QObject::connect(&player, &PlayerComponent::mediaError, &m_context,
                         [this](const QString &item) { add("error " + fileName(item)); });
        QObject::connect(
            &player, &PlayerComponent::mouseDown, &m_context,
            [this](int button, int shift, int x, int y) {
                add(QStringLiteral("mouse %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y));
            });
    }

    void call(const std::function<void()> &action)
    {
        m_inCall = true;
        action();
        m_inCall = false;
    }

    std::vector<std::string> take() { return std::exchange(m_events, {}); }
    bool contains(const std::string &event) const
    {
        return std::find(m_events.begin(), m_events.end(), event) != m_events.end();
    }
    qsizetype count(const std::string &event) const
    {
        return std::count(m_events.begin(), m_events.end(), event);
    }

private:
    void add(const QString &text)
    {
        m_events.push_back((text + (m_inCall ? " during" : " queued")).toStdString());
    }

    QObject m_context;
    bool m_inCall = false;
    std::vector<std::string> m_events;
};

// Each rig gives a player, three files (3.1 s, 2.1 s, one that cannot be loaded), a way to let
// playback time pass and the component's own buttons.
struct FakeRig {
    FakeRig()
    {
        player.setDuration(first, 3.1);
        player.setDuration(second, 2.1);
        player.setUnloadable(missing);
    }
    void letTimePass()
    {
        player.advance(0.1);
        QCoreApplication::processEvents();
    }
    void pressPlayPause()
    {
        if (player.playState() == PlayState::Playing)
            player.pause();
        else
            player.play();
    }
    void pressStop() { player.stopFromControls(); }
    void moveSeekBar(int seconds) { player.seekFromControls(seconds); }

    FakePlayer player;
    QString first = QStringLiteral("\\album\\tone440_3s.mp3");
    QString second = QStringLiteral("\\album\\tone660_2s.mp3");
    QString missing = QStringLiteral("\\album\\absent.mp3");
};

struct MpvRig {
    void letTimePass() { QTest::qWait(20); }
    void pressPlayPause() { button("playButton")->click(); }
    void pressStop() { button("stopButton")->click(); }
    void moveSeekBar(int seconds)
    {
        player.widget()->findChild<QSlider *>(QStringLiteral("seekBar"))->setValue(seconds);
    }
    QToolButton *button(const char *name)
    {
        return player.widget()->findChild<QToolButton *>(QString::fromLatin1(name));
    }

    MpvPlayer player{QStringLiteral("null")};
    QString first = fixture("tone440_3s.mp3");
    QString second = fixture("tone660_2s.mp3");
    QString missing = fixture("absent.mp3");
};

template <typename Rig> class PlayerContract : public testing::Test {
protected:
    PlayerBase &player() { return rig.player; }

    // Delivers what the player has queued.
    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // Lets time pass until the condition holds; false when it never did within the bound.
    bool eventually(const std::function<bool()> &condition)
    {
        const QDeadlineTimer deadline(15000);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            rig.letTimePass();
        }
        return true;
    }

    // Lets time pass until the load under way has ended.
    bool loaded()
    {
        return eventually([&] { return player().playState() != PlayState::Transitioning; });
    }

    void loadAndTake(const QString &path)
    {
        player().setUrl(path);
        ASSERT_TRUE(loaded());
        settle();
        log.take();
    }

    void playUntilPast(double seconds)
    {
        player().play();
        ASSERT_TRUE(eventually([&] { return player().currentPosition() > seconds; }));
        log.take();
    }

    Rig rig;
    EventLog log{rig.player};
};

struct RigNames {
    template <typename Rig> static std::string GetName(int)
    {
        return std::is_same_v<Rig, FakeRig> ? "Fake" : "Mpv";
    }
};

using Rigs = testing::Types<FakeRig, MpvRig>;
TYPED_TEST_SUITE(PlayerContract, Rigs, RigNames);

TYPED_TEST(PlayerContract, SettingTheUrlReturnsBeforeTheFileIsLoaded)
{
    this->log.call([&] { this->player().setUrl(this->rig.first); });

    EXPECT_THAT(this->log.take(), ElementsAre("state 9 during"));
    EXPECT_EQ(this->player().url(), this->rig.first);
    EXPECT_EQ(this->player().playState(), PlayState::Transitioning);
    EXPECT_EQ(this->player().currentItemDuration(), 0.0);
    ASSERT_TRUE(this->loaded());
    this->settle();
    EXPECT_THAT(this->log.take(), ElementsAre("media tone440_3s.mp3 queued", "state 10 queued"));
    EXPECT_EQ(this->player().playState(), PlayState::Ready);
    EXPECT_EQ(this->player().currentPosition(), 0.0);
    EXPECT_NEAR(this->player().currentItemDuration(), 3.1, 0.1);
}

TYPED_TEST(PlayerContract, CallsMadeWhileTheFileLoadsAreReportedInOrderOnceItIsLoaded)
{
    QString urlSeen;
    double durationSeen = 0;
    QObject::connect(&this->player(), &PlayerComponent::mediaChange, [&] {
        urlSeen = this->player().url();
        durationSeen = this->player().currentItemDuration();
    });

    this->log.call([&] {
        this->player().setUrl(this->rig.second);
        this->player().setCurrentPosition(0.5);
        this->player().setCurrentPosition(1.2);
        this->player().play();
    });
    EXPECT_EQ(this->player().currentPosition(), 1.2);
    ASSERT_TRUE(this->eventually([&] { return this->log.contains("state 3 queued"); }));

    EXPECT_THAT(this->log.take(), ElementsAre("state 9 during", "media tone660_2s.mp3 queued",
                                              "state 10 queued", "position 0.0 0.5 queued",
                                              "position 0.5 1.2 queued", "state 3 queued"));
    EXPECT_EQ(urlSeen, this->rig.second);
    EXPECT_NEAR(durationSeen, 2.1, 0.1);
    EXPECT_TRUE(this->eventually([&] { return this->player().currentPosition() > 1.4; }));
}

TYPED_TEST(PlayerContract, ANewUrlReplacesThePlayingFileAndDoesNotPlayIt)
{
    this->loadAndTake(this->rig.first);
    this->playUntilPast(0.3);

    this->log.call([&] { this->player().setUrl(this->rig.second); });
    ASSERT_TRUE(this->loaded());

    EXPECT_THAT(this->log.take(),
                ElementsAre("state 9 during", "media tone660_2s.mp3 queued", "state 10 queued"));
    EXPECT_EQ(this->player().currentPosition(), 0.0);
    EXPECT_NEAR(this->player().currentItemDuration(), 2.1, 0.1);
    for (int i = 0; i < 5; ++i)
        this->rig.letTimePass();
    this->settle();
    EXPECT_THAT(this->log.take(), IsEmpty());
    EXPECT_EQ(this->player().playState(), PlayState::Ready);
    EXPECT_EQ(this->player().currentPosition(), 0.0);
}

TYPED_TEST(PlayerContract, ALoadGivenUpForAnotherFileOrACloseReportsNothing)
{
    this->player().setUrl(this->rig.first);
    this->player().play();
    this->player().setUrl(this->rig.second);
    ASSERT_TRUE(this->loaded());
    this->player().setUrl(this->rig.first);
    this->player().close();
    for (int i = 0; i < 10; ++i)
        this->rig.letTimePass();
    this->settle();

    EXPECT_THAT(this->log.take(),
                ElementsAre("state 9 queued", "state 9 queued", "media tone660_2s.mp3 queued",
                            "state 10 queued", "state 9 queued", "state 1 queued"));
    EXPECT_EQ(this->player().url(), QString());
    EXPECT_EQ(this->player().playState(), PlayState::Stopped);
}

TYPED_TEST(PlayerContract, EnablingRaisesNothing)
{
    this->loadAndTake(this->rig.first);

    this->log.call([&] { this->player().setEnabled(true); });
    this->settle();

    EXPECT_THAT(this->log.take(), IsEmpty());
    EXPECT_TRUE(this->player().isEnabled());
    this->player().setEnabled(false);
    EXPECT_FALSE(this->player().isEnabled());
}

TYPED_TEST(PlayerContract, AWrittenPositionIsReportedDuringTheCallAndReadsBackAtOnce)
{
    this->loadAndTake(this->rig.first);

    this->log.call([&] { this->player().setCurrentPosition(1.5); });
    EXPECT_EQ(this->player().currentPosition(), 1.5);
    this->log.call([&] { this->player().setCurrentPosition(2.0); });
    EXPECT_EQ(this->player().currentPosition(), 2.0);

    EXPECT_THAT(this->log.take(),
                ElementsAre("position 0.0 1.5 during", "position 1.5 2.0 during"));
    for (int i = 0; i < 10; ++i)
        this->rig.letTimePass();
    EXPECT_THAT(this->log.take(), IsEmpty());
    EXPECT_NEAR(this->player().currentPosition(), 2.0, 0.05);
}

TYPED_TEST(PlayerContract, AWrittenPositionIsKeptWithinTheFile)
{
    this->loadAndTake(this->rig.first);
    const double duration = this->player().currentItemDuration();

    this->log.call([&] { this->player().setCurrentPosition(-4); });
    EXPECT_EQ(this->player().currentPosition(), 0.0);
    this->log.call([&] { this->player().setCurrentPosition(99); });
    EXPECT_EQ(this->player().currentPosition(), duration);

    EXPECT_THAT(this->log.take(),
                ElementsAre("position 0.0 0.0 during", "position 0.0 3.1 during"));
}

TYPED_TEST(PlayerContract, WithNoFileTheControlsDoNothing)
{
    this->log.call([&] {
        this->player().setCurrentPosition(2);
        this->player().play();
        this->player().pause();
        this->player().close();
        this->rig.pressStop();
    });
    this->settle();

    EXPECT_THAT(this->log.take(), IsEmpty());
    EXPECT_EQ(this->player().playState(), PlayState::Undefined);
    EXPECT_EQ(this->player().currentPosition(), 0.0);
    EXPECT_EQ(this->player().currentItemDuration(), 0.0);
    EXPECT_EQ(this->player().url(), QString());
}

TYPED_TEST(PlayerContract, PlayIsReportedQueuedAndTimeRuns)
{
    this->loadAndTake(this->rig.first);

    this->log.call([&] { this->player().play(); });
    EXPECT_THAT(this->log.take(), IsEmpty());
    EXPECT_EQ(this->player().playState(), PlayState::Playing);
    this->settle();

    EXPECT_THAT(this->log.take(), ElementsAre("state 3 queued"));
    EXPECT_TRUE(this->eventually([&] { return this->player().currentPosition() > 0.5; }));
    EXPECT_THAT(this->log.take(), IsEmpty());
}

TYPED_TEST(PlayerContract, PauseIsReportedQueuedAndHoldsThePosition)
{
    this->loadAndTake(this->rig.first);
    this->playUntilPast(0.3);

    this->log.call([&] { this->player().pause(); });
    EXPECT_THAT(this->log.take(), IsEmpty());
    this->settle();

    EXPECT_THAT(this->log.take(), ElementsAre("state 2 queued"));
    EXPECT_EQ(this->player().playState(), PlayState::Paused);
    const double held = this->player().currentPosition();
    for (int i = 0; i < 5; ++i)
        this->rig.letTimePass();
    EXPECT_NEAR(this->player().currentPosition(), held, 0.05);
}

TYPED_TEST(PlayerContract, APositionWrittenBeforePlayIsWherePlayStarts)
{
    this->loadAndTake(this->rig.first);
    this->player().setCurrentPosition(1.5);
    this->player().play();

    double lowest = this->player().currentPosition();
    EXPECT_TRUE(this->eventually([&] {
        lowest = std::min(lowest, this->player().currentPosition());
        return this->player().currentPosition() > 1.8;
    }));
    EXPECT_GE(lowest, 1.5);
}

TYPED_TEST(PlayerContract, TheOwnStopButtonStopsAtTheStartAndKeepsTheFile)
{
    this->loadAndTake(this->rig.first);
    this->playUntilPast(0.5);

    this->log.call([&] { this->rig.pressStop(); });
    EXPECT_THAT(this->log.take(), IsEmpty());
    EXPECT_EQ(this->player().playState(), PlayState::Stopped);
    EXPECT_EQ(this->player().currentPosition(), 0.0);
    this->settle();

    EXPECT_THAT(this->log.take(), ElementsAre("state 1 queued"));
    EXPECT_EQ(this->player().url(), this->rig.first);
    EXPECT_NEAR(this->player().currentItemDuration(), 3.1, 0.1);
    for (int i = 0; i < 5; ++i)
        this->rig.letTimePass();
    EXPECT_EQ(this->player().currentPosition(), 0.0);

    this->player().play();
    this->settle();
    EXPECT_THAT(this->log.take(), ElementsAre("state 3 queued"));
    EXPECT_TRUE(this->eventually([&] { return this->player().currentPosition() > 0.3; }));
}

TYPED_TEST(PlayerContract, TheOwnPlayButtonAndSeekBarRaiseQueuedEvents)
{
    this->loadAndTake(this->rig.first);

    this->log.call([&] { this->rig.pressPlayPause(); });
    this->log.call([&] { this->rig.moveSeekBar(1); });
    EXPECT_EQ(this->player().currentPosition(), 1.0);
    this->log.call([&] { this->rig.pressPlayPause(); });
    EXPECT_THAT(this->log.take(), IsEmpty());
    this->settle();

    EXPECT_THAT(this->log.take(),
                ElementsAre("state 3 queued", "position 0.0 1.0 queued", "state 2 queued"));
    EXPECT_EQ(this->player().playState(), PlayState::Paused);
}

TYPED_TEST(PlayerContract, CloseStopsAndUnloads)
{
    this->loadAndTake(this->rig.first);
    this->playUntilPast(0.2);

    this->log.call([&] { this->player().close(); });
    EXPECT_THAT(this->log.take(), IsEmpty());
    this->settle();

    EXPECT_THAT(this->log.take(), ElementsAre("state 1 queued"));
    EXPECT_EQ(this->player().playState(), PlayState::Stopped);
    EXPECT_EQ(this->player().url(), QString());
    EXPECT_EQ(this->player().currentItemDuration(), 0.0);
    EXPECT_EQ(this->player().currentPosition(), 0.0);
    this->player().play();
    this->player().close();
    this->settle();
    EXPECT_THAT(this->log.take(), IsEmpty());
}

TYPED_TEST(PlayerContract, AnEmptyUrlCloses)
{
    this->loadAndTake(this->rig.first);

    this->log.call([&] { this->player().setUrl(QString()); });
    this->settle();

    EXPECT_THAT(this->log.take(), ElementsAre("state 1 queued"));
    EXPECT_EQ(this->player().url(), QString());
    EXPECT_EQ(this->player().currentItemDuration(), 0.0);
}

TYPED_TEST(PlayerContract, TheEndIsMediaEndedThenStoppedAtTheStart)
{
    this->loadAndTake(this->rig.second);
    PlayState stateWhileEnding = PlayState::Undefined;
    QObject::connect(&this->player(), &PlayerComponent::playStateChange, [&](int state) {
        if (state == int(PlayState::MediaEnded))
            stateWhileEnding = this->player().playState();
    });

    this->player().play();
    ASSERT_TRUE(this->eventually([&] { return this->log.contains("state 1 queued"); }));
    this->settle();

    EXPECT_THAT(this->log.take(),
                ElementsAre("state 3 queued", "state 8 queued", "state 1 queued"));
    EXPECT_EQ(stateWhileEnding, PlayState::MediaEnded);
    EXPECT_EQ(this->player().playState(), PlayState::Stopped);
    EXPECT_EQ(this->player().url(), this->rig.second);
    EXPECT_EQ(this->player().currentPosition(), 0.0);
    EXPECT_NEAR(this->player().currentItemDuration(), 2.1, 0.1);
}

TYPED_TEST(PlayerContract, AUrlSetWhileMediaEndedIsHandledTakesTheStoppedAway)
{
    this->loadAndTake(this->rig.second);
    QMetaObject::Connection next;
    next = QObject::connect(&this->player(), &PlayerComponent::playStateChange, [&](int state) {
        if (state != int(PlayState::MediaEnded))
            return;
        QObject::disconnect(next);
        this->player().setUrl(this->rig.first);
        this->player().setCurrentPosition(0);
        this->player().play();
    });

    this->player().play();
    ASSERT_TRUE(this->eventually([&] { return this->log.count("state 3 queued") == 2; }));
    this->settle();

    EXPECT_THAT(this->log.take(), ElementsAre("state 3 queued", "state 8 queued", "state 9 queued",
                                              "media tone440_3s.mp3 queued", "state 10 queued",
                                              "position 0.0 0.0 queued", "state 3 queued"));
    EXPECT_EQ(this->player().playState(), PlayState::Playing);
    EXPECT_EQ(this->player().url(), this->rig.first);
    EXPECT_TRUE(this->eventually([&] { return this->player().currentPosition() > 0.3; }));
    EXPECT_THAT(this->log.take(), IsEmpty());
}

TYPED_TEST(PlayerContract, PlayWhileMediaEndedIsHandledStartsTheFileOver)
{
    this->loadAndTake(this->rig.second);
    QMetaObject::Connection again;
    again = QObject::connect(&this->player(), &PlayerComponent::playStateChange, [&](int state) {
        if (state != int(PlayState::MediaEnded))
            return;
        QObject::disconnect(again);
        this->player().play();
    });

    this->player().play();
    ASSERT_TRUE(this->eventually([&] { return this->log.count("state 3 queued") == 2; }));
    this->settle();

    EXPECT_THAT(this->log.take(),
                ElementsAre("state 3 queued", "state 8 queued", "state 3 queued"));
    EXPECT_TRUE(this->eventually([&] {
        return this->player().currentPosition() > 0.2 && this->player().currentPosition() < 1.5;
    }));
}

TYPED_TEST(PlayerContract, PlayingFromTheEndEndsAtOnce)
{
    this->loadAndTake(this->rig.second);
    this->player().setCurrentPosition(this->player().currentItemDuration());
    this->log.take();

    this->player().play();
    ASSERT_TRUE(this->eventually([&] { return this->log.contains("state 1 queued"); }));
    this->settle();

    EXPECT_THAT(this->log.take(),
                ElementsAre("state 3 queued", "state 8 queued", "state 1 queued"));
    EXPECT_EQ(this->player().currentPosition(), 0.0);
}

TYPED_TEST(PlayerContract, TheVolumeWrittenIsKept)
{
    this->player().setVolume(37);
    EXPECT_EQ(this->player().volume(), 37);
    this->loadAndTake(this->rig.first);
    EXPECT_EQ(this->player().volume(), 37);

    this->log.call([&] {
        this->player().setMuted(true);
        this->player().setVolume(150);
    });
    EXPECT_EQ(this->player().volume(), 150);
    EXPECT_TRUE(this->player().isMuted());
    this->player().setVolume(PlayerComponent::maxVolume + 1);
    EXPECT_EQ(this->player().volume(), PlayerComponent::maxVolume);
    this->player().setVolume(-4);
    EXPECT_EQ(this->player().volume(), 0);
    this->settle();
    EXPECT_THAT(this->log.take(), IsEmpty());
}

TYPED_TEST(PlayerContract, VoiceLevellingIsKeptAcrossFilesAndRaisesNothing)
{
    EXPECT_FALSE(this->player().voiceLevelling());
    this->log.call([&] { this->player().setVoiceLevelling(true); });
    this->loadAndTake(this->rig.first);
    this->loadAndTake(this->rig.second);
    EXPECT_TRUE(this->player().voiceLevelling());

    this->log.call([&] { this->player().setVoiceLevelling(false); });
    this->settle();
    EXPECT_FALSE(this->player().voiceLevelling());
    EXPECT_THAT(this->log.take(), IsEmpty());
}

TYPED_TEST(PlayerContract, AFileThatCannotBeLoadedIsAnErrorThenStopped)
{
    this->log.call([&] { this->player().setUrl(this->rig.missing); });
    this->player().play();
    ASSERT_TRUE(this->loaded());
    this->settle();

    EXPECT_THAT(this->log.take(),
                ElementsAre("state 9 during", "error absent.mp3 queued", "state 1 queued"));
    EXPECT_EQ(this->player().url(), this->rig.missing);
    EXPECT_EQ(this->player().playState(), PlayState::Stopped);
    EXPECT_EQ(this->player().currentItemDuration(), 0.0);
    this->player().setCurrentPosition(1);
    this->player().play();
    this->settle();
    EXPECT_THAT(this->log.take(), IsEmpty());
    EXPECT_EQ(this->player().currentPosition(), 0.0);

    // A new URL given while the error is handled takes the Stopped away.
    QObject::connect(&this->player(), &PlayerComponent::mediaError,
                     [&] { this->player().setUrl(this->rig.first); });
    this->player().setUrl(this->rig.missing);
    ASSERT_TRUE(this->eventually([&] { return this->log.contains("state 10 queued"); }));
    EXPECT_THAT(this->log.take(),
                ElementsAre("state 9 queued", "error absent.mp3 queued", "state 9 queued",
                            "media tone440_3s.mp3 queued", "state 10 queued"));
}

TYPED_TEST(PlayerContract, AMouseButtonOnTheControlsIsReportedDuringTheCall)
{
    this->log.call([&] { this->player().mouseDownOnControls(2, 1, 10, 20); });

    EXPECT_THAT(this->log.take(), ElementsAre("mouse 2 1 10 20 during"));
}

TYPED_TEST(PlayerContract, ItNamesItsVersion)
{
    EXPECT_FALSE(this->player().versionInfo().isEmpty());
}

TEST(MpvPlayer, LoadsAPathWithBlanksAndLettersBeyondAscii)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString copy = folder.filePath(QStringLiteral("Kapitel zwei – Grüße.mp3"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SONNALBY_FIXTURES "/tone440_3s.mp3"), copy));
    MpvPlayer player(QStringLiteral("null"));

    player.setUrl(platform::fromNativePath(copy));

    EXPECT_TRUE(QTest::qWaitFor([&] { return player.currentItemDuration() > 0; }, 15000));
    EXPECT_NEAR(player.currentItemDuration(), 3.1, 0.1);
}

TEST(MpvPlayer, AFileSlowToOpenHoldsNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A pipe opens only once something writes to it, as a sleeping disk or a slow network does.
    const QByteArray pipe = QFile::encodeName(folder.filePath(QStringLiteral("slow.mp3")));
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
    MpvPlayer player(QStringLiteral("null"));
    EventLog log(player);

    log.call([&] { player.setUrl(platform::fromNativePath(QFile::decodeName(pipe))); });
    EXPECT_THAT(log.take(), ElementsAre("state 9 during"));
    QFile source(QStringLiteral(SONNALBY_FIXTURES "/tone440_3s.mp3"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    std::thread writer([&] {
        QFile sink(QFile::decodeName(pipe));
        if (sink.open(QIODevice::WriteOnly))
            sink.write(source.readAll());
    });

    const bool loaded =
        QTest::qWaitFor([&] { return player.playState() == PlayState::Ready; }, 15000);
    // A writer still waiting for a reader is let go.
    if (!loaded)
        QFile(QFile::decodeName(pipe)).open(QIODevice::ReadOnly);
    writer.join();
    EXPECT_TRUE(loaded);
    EXPECT_THAT(log.take(), ElementsAre("media slow.mp3 queued", "state 10 queued"));
}

TEST(MpvPlayer, AHeldLoadWaitsForTheReleaseAndKeepsWhatWasAskedMeanwhile)
{
    MpvPlayer player(QStringLiteral("null"));
    EventLog log(player);
    player.holdLoads(true);
    player.setUrl(fixture("tone660_2s.mp3"));
    player.setUrl(fixture("tone440_3s.mp3"));
    player.setCurrentPosition(1.5);
    QTest::qWait(300);
    EXPECT_EQ(player.playState(), PlayState::Transitioning);
    EXPECT_FALSE(log.contains("media tone440_3s.mp3 queued"));

    player.holdLoads(false);

    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == PlayState::Ready; }, 15000));
    QTest::qWait(100);
    EXPECT_EQ(log.count("media tone660_2s.mp3 queued"), 0) << "the replaced load never happens";
    EXPECT_TRUE(log.contains("media tone440_3s.mp3 queued"));
    EXPECT_NEAR(player.currentPosition(), 1.5, 0.1);
    EXPECT_NEAR(player.currentItemDuration(), 3.1, 0.1);
}

TEST(MpvPlayer, AHeldLoadThatIsClosedNeverHappens)
{
    MpvPlayer player(QStringLiteral("null"));
    EventLog log(player);
    player.holdLoads(true);
    player.setUrl(fixture("tone440_3s.mp3"));
    player.close();
    player.holdLoads(false);
    QTest::qWait(500);
    EXPECT_FALSE(log.contains("media tone440_3s.mp3 queued"));
    EXPECT_EQ(player.currentItemDuration(), 0);
}

TEST(MpvPlayer, ACorruptRecordInTheMiddleOfAnAlbumIsSkipped)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile corrupt(folder.filePath(QStringLiteral("corrupt.mp3")));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    // An ID3 header and then no audio at all, as a download broken off after its tag.
    corrupt.write(QByteArray("ID3\x03\0\0\0\0\0\x0A", 10) + QByteArray(10, 0) +
                  QByteArray(4096, '\xFF'));
    corrupt.close();
    const QString first = fixture("tone440_3s.mp3");
    const QString broken = platform::fromNativePath(corrupt.fileName());
    const QString last = fixture("tone660_2s.mp3");
    MpvPlayer player(QStringLiteral("null"));
    RecordList records;
    records.reset({{first + "|3", {}, true}, {broken + "|3", {}, true}, {last + "|2", {}, true}});
    PlayerSession session(player, records);

    session.jumpToMark(first, 2);

    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return player.url() == last && player.currentPosition() > 0.3; }, 15000));
    EXPECT_EQ(player.playState(), PlayState::Playing);
    EXPECT_EQ(records.current(), 2);
    EXPECT_FALSE(records.at(1).enabled);
    EXPECT_TRUE(records.at(2).enabled);
}

TEST(MpvPlayer, KeepsTimeWithTheSystemsAudioOutputEvenWithNoSoundDevice)
{
    MpvPlayer player;
    player.setMuted(true);
    player.setUrl(fixture("tone440_3s.mp3"));

    player.play();

    EXPECT_TRUE(QTest::qWaitFor([&] { return player.currentPosition() > 0.5; }, 15000));
    EXPECT_EQ(player.playState(), PlayState::Playing);
}

TEST(MpvPlayer, CanBeDestroyedWithEventsStillQueued)
{
    auto player = std::make_unique<MpvPlayer>(QStringLiteral("null"));
    int delivered = 0;
    QObject::connect(player.get(), &PlayerComponent::playStateChange, [&] { ++delivered; });
    player->setUrl(fixture("tone440_3s.mp3"));
    delivered = 0;
    player->play();

    player.reset();
    QTest::qWait(100);

    EXPECT_EQ(delivered, 0);
}

TEST(MpvPlayer, ItsWidgetGoesWithIt)
{
    QPointer<QWidget> widget;
    {
        MpvPlayer player(QStringLiteral("null"));
        widget = player.widget();
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), "oPlayer");
    }
    EXPECT_EQ(widget, nullptr);
}

// The program's thread may be held up (a slow disk, a busy machine) between a seek and the news
// that playback restarted: the position must follow playback once the news is read.
TEST(MpvPlayer, ASeekReadLateStillLetsThePositionMoveOn)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("long.mp3"));
    ASSERT_TRUE(testmp3::writeFile(path, testmp3::mpegFrames(460)));
    MpvPlayer player(QStringLiteral("null"));
    player.setUrl(platform::fromNativePath(path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == PlayState::Ready; }, 15000));
    player.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.currentPosition() > 0.5; }, 15000));

    player.setCurrentPosition(2);
    std::this_thread::sleep_for(std::chrono::milliseconds(1600));
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.currentPosition() > 3.2; }, 5000))
        << "the position stayed at " << player.currentPosition();
}

TEST(MpvPlayer, PlaysAtTwiceTheSpeedWithThePitchKept)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // Twelve seconds: more than three seconds of playing at twice the speed.
    const QString path = folder.filePath(QStringLiteral("long.mp3"));
    ASSERT_TRUE(testmp3::writeFile(path, testmp3::mpegFrames(460)));
    MpvPlayer player(QStringLiteral("null"));
    player.setRate(2.0);
    player.setUrl(platform::fromNativePath(path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == PlayState::Ready; }, 15000));
    player.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.currentPosition() > 0.5; }, 15000));

    const double start = player.currentPosition();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(3000);
    const double advanced = player.currentPosition() - start;
    // Measured against the time that really passed, however late the wait came back.
    EXPECT_NEAR(advanced * 3000.0 / double(clock.elapsed()), 6.0, 0.6);
    EXPECT_TRUE(player.keepsPitch());

    player.setRate(1.0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !player.keepsPitch(); }, 15000))
        << "at 1x the filter is taken out";
}

} // namespace
