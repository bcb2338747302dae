#include "stop_signal.h"

namespace marketsim {

void StopSignal::raise() {
    {
        std::lock_guard lock(mutex_);
        raised_ = true;
    }
    changed_.notify_all();
}

bool StopSignal::raised() const {
    std::lock_guard lock(mutex_);
    return raised_;
}

bool StopSignal::sleepUntil(std::chrono::steady_clock::time_point time) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_until(lock, time, [this] { return raised_; });
}

bool StopSignal::sleepFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, duration, [this] { return raised_; });
}

}  // namespace marketsim
