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

bool StopSignal::sleepFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, duration, [this] { return raised_; });
}

}  // namespace marketsim
