#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "run/run_control.h"
#include "run/run_observer.h"

class QObject;

namespace corpgather {

// One collection run of one search task in a thread of its own: walks the result pages, takes
// the listed companies, reads their own pages and stores the records in batches, keeping the
// task's counters equal to its stored rows.
//
// The run is created idle; start() begins it. pause() takes effect at the next safe point
// (before a fetch or between records, never while a batch is being written) and resume()
// continues where it paused. stop() ends the run promptly: a fetch in flight is aborted, the
// records collected so far are committed and the task stays resumable. The destructor stops
// and joins, so no run outlives its owner.
class TThreadData final {
public:
    // Reports go to `observer`; with a `deliveryContext` they are made on that object's thread
    // (queued) and the run waits for each, or until it is stopped. The observer must stay valid
    // as long as the context object lives.
    TThreadData(int searchId, RunObserver& observer, QObject* deliveryContext = nullptr);
    ~TThreadData();
    TThreadData(const TThreadData&) = delete;
    TThreadData& operator=(const TThreadData&) = delete;

    int searchId() const { return searchId_; }

    void start();
    void pause();
    void resume();
    void stop();
    // Blocks until the run has ended (returns at once when it was never started).
    void wait();

    bool isPaused() const;
    // Started and its thread body has not returned yet.
    bool isAlive() const { return alive_.load(); }

private:
    class Body;

    const int searchId_;
    RunObserver& observer_;
    QObject* deliveryContext_;
    std::shared_ptr<RunControl> control_;
    std::unique_ptr<Body> body_;
    std::thread thread_;
    std::atomic<bool> alive_{false};
};

}  // namespace corpgather
