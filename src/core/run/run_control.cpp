#include "run/run_control.h"

namespace corpgather {

void RunControl::pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
}

void RunControl::resume() {
    {
        std::lock_guard lock(mutex_);
        paused_ = false;
    }
    changed_.notify_all();
}

void RunControl::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

bool RunControl::isPaused() const {
    std::lock_guard lock(mutex_);
    return paused_;
}

bool RunControl::stopRequested() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

bool RunControl::checkpoint() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || !paused_; });
    return !stopped_;
}

bool RunControl::sleepFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, duration, [this] { return stopped_; });
}

void RunControl::notify() {
    { std::lock_guard lock(mutex_); }
    changed_.notify_all();
}

}  // namespace corpgather
