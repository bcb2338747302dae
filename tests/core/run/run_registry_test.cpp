#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "run/run_registry.h"
#include "store/task_store.h"
#include "support/run_fixture.h"

namespace corpgather::test {
namespace {

using ::testing::ElementsAre;

class RunRegistryTest : public ::testing::Test {
protected:
    RunRegistryTest() : market_({"--pages", "20", "--layouts", "unknown=1", "--latency-ms", "20"}) {}

    SimulatedMarket market_;
    RecordingObserver observer_;
};

TEST_F(RunRegistryTest, OneRunPerTaskAndStopAllWaitsForEvery) {
    const int first = market_.addTask(market_.listingUrl(1), 20);
    const int second = market_.addTask(market_.listingUrl(1), 20);
    RunRegistry runs(observer_);
    EXPECT_TRUE(runs.start(first));
    EXPECT_FALSE(runs.start(first));
    EXPECT_TRUE(runs.start(second));
    EXPECT_EQ(runs.aliveCount(), 2);

    runs.stopAll();
    EXPECT_EQ(runs.aliveCount(), 0);
    size_t ended = 0;
    for (const auto& event : observer_.events()) ended += event.kind == RecordingObserver::Event::Ended;
    EXPECT_EQ(ended, 2u);
    EXPECT_EQ(market_.num(first), market_.storedRows(first));
}

TEST_F(RunRegistryTest, PauseAllReturnsOnlyTheRunsItPaused) {
    const int byUser = market_.addTask(market_.listingUrl(1), 20);
    const int going = market_.addTask(market_.listingUrl(1), 20);
    RunRegistry runs(observer_);
    runs.start(byUser);
    runs.start(going);
    runs.pause(byUser);
    EXPECT_THAT(runs.pauseAll(), ElementsAre(going));
    EXPECT_TRUE(runs.isPaused(byUser));
    EXPECT_TRUE(runs.isPaused(going));
}

TEST_F(RunRegistryTest, AnEndedRunMakesRoomForANewOne) {
    const int id = market_.addTask(market_.listingUrl(1), 1);
    RunRegistry runs(observer_);
    ASSERT_TRUE(runs.start(id));
    ASSERT_TRUE(waitFor([&] { return !runs.isAlive(id); }));
    EXPECT_EQ(runs.aliveCount(), 0);
    EXPECT_TRUE(runs.start(id));
}

}  // namespace
}  // namespace corpgather::test
