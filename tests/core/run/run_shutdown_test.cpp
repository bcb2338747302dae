#include <future>

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include <gtest/gtest.h>

#include "support/run_fixture.h"

namespace corpgather::test {
namespace {

// Runs `work` on another thread and tells whether it ended within the time-out, so a
// deadlock fails the test instead of hanging it.
bool endsWithin(std::chrono::seconds timeout, std::function<void()> work) {
    auto done = std::async(std::launch::async, std::move(work));
    return done.wait_for(timeout) == std::future_status::ready;
}

class RunShutdownTest : public ::testing::Test {
protected:
    RunShutdownTest() : market_({"--pages", "50", "--per-page", "20", "--layouts", "detail=1,unknown=1"}) {
        HttpGet(market_.sim().baseUrl() + "/__sim/fault?kind=hang&match=beginPage=3%26");
        id_ = market_.addTask(market_.listingUrl(1), 50);
    }

    SimulatedMarket market_;
    int id_ = 0;
};

// The owner destroys the run from the delivery thread while the run waits for that thread
// to take a report: the wait is given up and nothing deadlocks.
TEST_F(RunShutdownTest, DestroyingFromABusyDeliveryThreadDoesNotDeadlock) {
    QObject context;  // lives on this thread, which processes no events here
    RecordingObserver observer;
    auto run = std::make_unique<TThreadData>(id_, observer, &context);
    run->start();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(endsWithin(std::chrono::seconds(10), [&] { run.reset(); }));
    EXPECT_TRUE(observer.events().empty());
}

// Start, pause, resume and stop in a tight loop, with reports delivered to an event loop
// on another thread and a listing fetch that hangs.
TEST_F(RunShutdownTest, StartPauseStopLoopNeverDeadlocks) {
    QThread deliveryThread;
    deliveryThread.start();
    QObject context;
    context.moveToThread(&deliveryThread);
    RecordingObserver observer;

    const bool ended = endsWithin(std::chrono::seconds(120), [&] {
        for (int round = 0; round < 200; ++round) {
            TThreadData run(id_, observer, &context);
            run.start();
            if (round % 3 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(round % 7));
            run.pause();
            if (round % 2) run.resume();
            run.stop();
        }
    });
    EXPECT_TRUE(ended);
    QMetaObject::invokeMethod(&context, [&] { context.moveToThread(QCoreApplication::instance()->thread()); },
                              Qt::BlockingQueuedConnection);
    deliveryThread.quit();
    deliveryThread.wait();
}

}  // namespace
}  // namespace corpgather::test

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
