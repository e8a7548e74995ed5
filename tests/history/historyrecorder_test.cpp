#include "historytesting.h"

#include "history/historyrecorder.h"
#include "platform/paths.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using history::HistoryFile;
using history::HistoryRecorder;
using history::ListeningSession;
using Sessions = QList<ListeningSession>;

namespace {

constexpr qint64 wallStart = 1700000000000;
constexpr qint64 steadyStart = 50000;

struct Step {
    enum Kind { Start, Progress, Stop, Wait, WallJump } kind;
    double position = 0;
    QString record = "r1";
    QString album = "A";
    qint64 ms = 0;
};

Step start(double position, const QString &record = "r1", const QString &album = "A")
{
    return {Step::Start, position, record, album};
}
Step progress(double position)
{
    return {Step::Progress, position};
}
Step stop(double position)
{
    return {Step::Stop, position};
}
Step wait(qint64 ms)
{
    return {Step::Wait, 0, {}, {}, ms};
}
// The wall clock is set, the steady one runs on.
Step wallJump(qint64 ms)
{
    return {Step::WallJump, 0, {}, {}, ms};
}

class Recording {
public:
    Recording() : m_recorder(HistoryFile(platform::fromNativePath(m_folder.filePath("h"))))
    {
        m_recorder.setClocks([this] { return m_wall; }, [this] { return m_steady; });
    }

    Sessions run(const QList<Step> &steps)
    {
        for (const Step &step : steps)
            apply(step);
        return m_recorder.file().read();
    }

    HistoryRecorder &recorder() { return m_recorder; }

private:
    void apply(const Step &step)
    {
        switch (step.kind) {
        case Step::Start:
            return m_recorder.started(step.album, step.record, step.position);
        case Step::Progress:
            return m_recorder.progressed(step.position);
        case Step::Stop:
            return m_recorder.stopped(step.position);
        case Step::Wait:
            m_steady += step.ms;
            m_wall += step.ms;
            return;
        case Step::WallJump:
            m_wall += step.ms;
            return;
        }
    }

    QTemporaryDir m_folder;
    HistoryRecorder m_recorder;
    qint64 m_wall = wallStart;
    qint64 m_steady = steadyStart;
};

} // namespace

TEST(HistoryRecorder, StartsAndStopsMakeSessionsOfTheTimeListened)
{
    const struct {
        const char *name;
        QList<Step> steps;
        Sessions written;
    } cases[] = {
        {"a start and a stop",
         {wait(1), start(10), wait(5000), stop(16)},
         {{"A", "r1", 10, 16, wallStart + 1, 5000}}},
        {"under two seconds", {start(10), wait(1999), stop(12)}, {}},
        {"two seconds", {start(10), wait(2000), stop(12)}, {{"A", "r1", 10, 12, wallStart, 2000}}},
        {"a stop without a start", {wait(5000), stop(12)}, {}},
        {"a second stop",
         {start(0), wait(3000), stop(3), wait(5000), stop(8)},
         {{"A", "r1", 0, 3, wallStart, 3000}}},
        {"a pause between",
         {start(0), wait(3000), stop(3), wait(60000), start(3), wait(4000), stop(7)},
         {{"A", "r1", 3, 7, wallStart + 63000, 4000}, {"A", "r1", 0, 3, wallStart, 3000}}},
        {"the next record without a stop",
         {start(5), wait(2500), progress(7), wait(500), start(0, "r2"), wait(4000), stop(4)},
         {{"A", "r2", 0, 4, wallStart + 3000, 4000}, {"A", "r1", 5, 7, wallStart, 3000}}},
        {"the next record before any progress",
         {start(5), wait(3000), start(0, "r2"), wait(1000), stop(1)},
         {{"A", "r1", 5, 5, wallStart, 3000}}},
        {"the same record in another album",
         {start(5), wait(3000), start(5, "r1", "B"), wait(3000), stop(8)},
         {{"B", "r1", 5, 8, wallStart + 3000, 3000}, {"A", "r1", 5, 5, wallStart, 3000}}},
        {"a start of the record playing",
         {start(5), wait(1000), start(6), wait(2000), stop(8)},
         {{"A", "r1", 5, 8, wallStart, 3000}}},
        {"a wall clock set back",
         {start(5), wallJump(-3600000), wait(3000), stop(8)},
         {{"A", "r1", 5, 8, wallStart, 3000}}},
    };
    for (const auto &c : cases) {
        Recording recording;
        EXPECT_EQ(recording.run(c.steps), c.written) << c.name;
        EXPECT_FALSE(recording.recorder().isRecording()) << c.name;
    }
}

TEST(HistoryRecorder, AnOpenSessionGoesToTheFileSetWhenItEnds)
{
    QTemporaryDir folder;
    const HistoryFile other(platform::fromNativePath(folder.filePath("other")));
    Recording recording;
    recording.run({start(0), wait(3000)});
    EXPECT_TRUE(recording.recorder().isRecording());
    const HistoryFile first = recording.recorder().file();
    recording.recorder().setFile(other);
    recording.run({stop(3)});
    EXPECT_TRUE(first.read().isEmpty());
    EXPECT_EQ(other.read(), Sessions({{"A", "r1", 0, 3, wallStart, 3000}}));
}
