#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "run/collection_run.h"

namespace corpgather {

// The collection runs of a program, at most one per task. The front end starts, pauses and
// stops runs through it; destroying it stops every run and waits for each.
class RunRegistry final {
public:
    // Every run reports to `observer`, delivered on `deliveryContext`'s thread when given.
    explicit RunRegistry(RunObserver& observer, QObject* deliveryContext = nullptr);
    ~RunRegistry();
    RunRegistry(const RunRegistry&) = delete;
    RunRegistry& operator=(const RunRegistry&) = delete;

    // Starts a run of the task; false when one is alive already.
    bool start(int searchId);
    void pause(int searchId);
    void resume(int searchId);
    void stop(int searchId);

    bool isAlive(int searchId) const;
    bool isPaused(int searchId) const;
    // Runs alive, running or paused.
    int aliveCount() const;

    // Stops every run and returns once all have ended, their last records committed.
    void stopAll();
    // Holds every going run at its next safe point; returns the tasks it paused, so that runs
    // the user had paused stay paused when these are resumed.
    std::vector<int> pauseAll();

private:
    void dropEnded();

    RunObserver& observer_;
    QObject* const deliveryContext_;
    mutable std::mutex mutex_;
    std::map<int, std::unique_ptr<TThreadData>> runs_;
};

}  // namespace corpgather
