#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace marketsim {

// Raised once when the server stops, so every delay a fault adds ends at once.
class StopSignal final {
public:
    void raise();
    bool raised() const;
    // Sleeps for duration or until raised; true when the whole duration passed.
    bool sleepFor(std::chrono::milliseconds duration);
    // Sleeps until the time or until raised; true when the time came.
    bool sleepUntil(std::chrono::steady_clock::time_point time);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool raised_ = false;
};

}  // namespace marketsim
