#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace corpgather {

// Pause, resume and stop of one run as state, honoured by the run at its safe points.
class RunControl final {
public:
    void pause();
    void resume();
    void stop();

    bool isPaused() const;
    bool stopRequested() const;

    // A safe point: waits while paused; false once a stop was requested.
    bool checkpoint();
    // Sleeps for the duration unless a stop comes first; false on stop.
    bool sleepFor(std::chrono::milliseconds duration);
    // Waits until the predicate holds (re-checked on notify()) or a stop comes; false on stop.
    template <typename Predicate>
    bool waitUntil(Predicate predicate);
    void notify();

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool paused_ = false;
    bool stopped_ = false;
};

template <typename Predicate>
bool RunControl::waitUntil(Predicate predicate) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || predicate(); });
    return !stopped_;
}

}  // namespace corpgather
