#include "run/run_registry.h"

namespace corpgather {

RunRegistry::RunRegistry(RunObserver& observer, QObject* deliveryContext)
    : observer_(observer), deliveryContext_(deliveryContext) {}

RunRegistry::~RunRegistry() { stopAll(); }

void RunRegistry::dropEnded() {
    for (auto it = runs_.begin(); it != runs_.end();) {
        if (it->second->isAlive()) {
            ++it;
        } else {
            it->second->wait();
            it = runs_.erase(it);
        }
    }
}

bool RunRegistry::start(int searchId) {
    std::lock_guard lock(mutex_);
    dropEnded();
    if (runs_.count(searchId)) return false;
    auto run = std::make_unique<TThreadData>(searchId, observer_, deliveryContext_);
    run->start();
    runs_.emplace(searchId, std::move(run));
    return true;
}

void RunRegistry::pause(int searchId) {
    std::lock_guard lock(mutex_);
    if (auto it = runs_.find(searchId); it != runs_.end()) it->second->pause();
}

void RunRegistry::resume(int searchId) {
    std::lock_guard lock(mutex_);
    if (auto it = runs_.find(searchId); it != runs_.end()) it->second->resume();
}

void RunRegistry::stop(int searchId) {
    std::lock_guard lock(mutex_);
    if (auto it = runs_.find(searchId); it != runs_.end()) it->second->stop();
}

bool RunRegistry::isAlive(int searchId) const {
    std::lock_guard lock(mutex_);
    const auto it = runs_.find(searchId);
    return it != runs_.end() && it->second->isAlive();
}

bool RunRegistry::isPaused(int searchId) const {
    std::lock_guard lock(mutex_);
    const auto it = runs_.find(searchId);
    return it != runs_.end() && it->second->isAlive() && it->second->isPaused();
}

int RunRegistry::aliveCount() const {
    std::lock_guard lock(mutex_);
    int alive = 0;
    for (const auto& [id, run] : runs_) alive += run->isAlive();
    return alive;
}

void RunRegistry::stopAll() {
    std::map<int, std::unique_ptr<TThreadData>> stopping;
    {
        std::lock_guard lock(mutex_);
        stopping.swap(runs_);
    }
    // Joined outside the lock: a run's last reports may call back into the registry.
    for (auto& [id, run] : stopping) run->stop();
    for (auto& [id, run] : stopping) run->wait();
}

std::vector<int> RunRegistry::pauseAll() {
    std::lock_guard lock(mutex_);
    std::vector<int> paused;
    for (auto& [id, run] : runs_) {
        if (!run->isAlive() || run->isPaused()) continue;
        run->pause();
        paused.push_back(id);
    }
    return paused;
}

}  // namespace corpgather
