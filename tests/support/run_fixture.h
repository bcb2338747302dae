#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "run/collection_run.h"
#include "support/sim_process.h"
#include "support/test_support.h"

namespace corpgather::test {

// Collects the reports of runs; safe to call from any thread.
class RecordingObserver final : public RunObserver {
public:
    struct Event {
        enum Kind { Running, Count, Stored, Ended } kind;
        int searchId = 0;
        long long count = 0;
        CompanyDisplayTexts texts;
        RunOutcome outcome = RunOutcome::Finished;
    };

    void taskRunning(int searchId) override;
    void collectedCountChanged(int searchId, long long count) override;
    void companyStored(int searchId, const CompanyDisplayTexts& texts) override;
    void taskEnded(int searchId, RunOutcome outcome) override;

    std::vector<Event> events() const;
    std::vector<long long> counts() const;
    size_t storedCount() const;
    std::optional<RunOutcome> outcome() const;

    // Called on the reporting thread after each stored record.
    std::function<void(const CompanyDisplayTexts&)> onStored;

private:
    void add(Event event);
    mutable std::mutex mutex_;
    std::vector<Event> events_;
};

// A program folder whose hosts point at a running simulator.
class SimulatedMarket {
public:
    explicit SimulatedMarket(std::vector<std::string> simArguments);

    SimProcess& sim() { return *sim_; }
    const TempHome& home() const { return home_; }

    // The listing address with the given page number.
    std::string listingUrl(int beginPage) const;
    // Appends a task row and returns its SearchID.
    int addTask(const std::string& url, std::optional<int> totalPage, const std::string& name = "阿里巴巴");
    void setOption(const std::string& key, int value);

    // The targets (path and query) of the requests the simulator has seen, in order.
    std::vector<std::string> requestTargets();
    // The request log as the simulator reports it (JSON text).
    std::string requestLog();
    void clearRequestLog();

    RunOutcome runToEnd(int searchId, RecordingObserver& observer);

    long long storedRows(int searchId);
    long long num(int searchId);
    std::vector<std::string> storedMembers(int searchId);

private:
    TempHome home_;
    std::unique_ptr<SimProcess> sim_;
};

}  // namespace corpgather::test
