#include "player/mpvload.h"

#include <QList>
#include <gtest/gtest.h>

#include <functional>

namespace {

// libmpv's answer and events, in the orders it may send them, for a load of ticket 7 whose
// entry is 3.
using Step = std::function<void(MpvLoad &)>;
const Step answered = [](MpvLoad &load) { load.answer(7, 3); };
const Step refused = [](MpvLoad &load) { load.answer(7, -1); };
const Step noEntry = [](MpvLoad &load) { load.answer(7, 0); };
const Step started = [](MpvLoad &load) { load.noteStarted(3); };
const Step loaded = [](MpvLoad &load) { load.noteFileLoaded(); };
const Step ended = [](MpvLoad &load) { load.noteEnded(3); };
const Step otherEnded = [](MpvLoad &load) { load.noteEnded(2); };

} // namespace

TEST(MpvLoad, EveryOrderOfAnswerAndEventsSettlesOnceAndRight)
{
    const struct {
        const char *name;
        QList<Step> steps;
        bool settles;
        bool loadedFile;
        bool fileEnded;
    } cases[] = {
        {"answer, start, loaded", {answered, started, loaded}, true, true, false},
        {"start, loaded, then the answer", {started, loaded, answered}, true, true, false},
        {"loaded and at once ended before the answer",
         {started, loaded, ended, answered},
         true,
         true,
         true},
        {"the entry ended unloaded: not audio", {answered, started, ended}, true, false, false},
        {"refused", {refused}, true, false, false},
        {"an answer without an entry", {noEntry}, true, false, false},
        {"an answer without an entry after an earlier end",
         {otherEnded, noEntry},
         true,
         false,
         false},
        {"answered, only started", {answered, started}, false, false, false},
        {"the previous entry ended meanwhile", {answered, otherEnded}, false, false, false},
        {"no answer yet", {started, loaded}, false, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MpvLoad load;
        load.send(7);
        std::optional<MpvLoad::Outcome> outcome;
        for (const Step &step : c.steps) {
            step(load);
            if (const auto settled = load.settle()) {
                EXPECT_FALSE(outcome) << "settled twice";
                outcome = settled;
            }
        }
        ASSERT_EQ(outcome.has_value(), c.settles);
        if (!c.settles) {
            EXPECT_TRUE(load.isBusy());
            continue;
        }
        EXPECT_EQ(outcome->ticket, 7u);
        EXPECT_EQ(outcome->loaded, c.loadedFile);
        EXPECT_EQ(load.hasFile(), c.loadedFile);
        EXPECT_EQ(load.isBusy(), c.loadedFile);
        EXPECT_EQ(load.fileEnded(), c.fileEnded);
    }
}

TEST(MpvLoad, OnlyTheLoadsOwnAnswerAndTheLoadedEntrysEndCount)
{
    MpvLoad load;
    EXPECT_FALSE(load.answer(7, 3)) << "nothing was sent";
    load.send(7);
    EXPECT_FALSE(load.answer(8, 3));
    EXPECT_EQ(load.stage(), MpvLoad::Stage::Sent);
    EXPECT_TRUE(load.answer(7, 3));
    load.noteStarted(3);
    load.noteFileLoaded();
    ASSERT_TRUE(load.settle());
    EXPECT_FALSE(load.settle()) << "once";
    EXPECT_FALSE(load.noteEnded(2));
    EXPECT_FALSE(load.fileEnded());
    EXPECT_TRUE(load.noteEnded(3));
    EXPECT_TRUE(load.fileEnded());
    load.send(9);
    EXPECT_FALSE(load.fileEnded()) << "a new load has no ended file";
    EXPECT_FALSE(load.hasFile());

    load.forget();
    EXPECT_EQ(load.stage(), MpvLoad::Stage::Empty);
    EXPECT_FALSE(load.isBusy());
    EXPECT_FALSE(load.fileEnded());
    EXPECT_FALSE(load.noteEnded(3)) << "a forgotten file's end is not this file's";
}
