#pragma once

#include <array>
#include <string>

namespace corpgather {

enum class RunOutcome {
    Finished,  // the last result page was gone through; the task is marked finished
    Stopped,   // stopped from outside; the task can be run again from where it stopped
    Failed,    // ended early by a fault (unreadable address, failed commit); see the log
};

// The 16 record texts the company list shows, then the run's record number in decimal.
using CompanyDisplayTexts = std::array<std::string, 17>;

// What a collection run reports. Each report is delivered and waited for before the run goes
// on; when the run was given a delivery context, the calls are made on that context's thread,
// otherwise on the run's own thread (the implementation must then be thread-safe).
class RunObserver {
public:
    virtual ~RunObserver() = default;

    // Before the first fetch of the run.
    virtual void taskRunning(int searchId) = 0;
    // After each stored record: the task's stored-record count as the task list shows it.
    virtual void collectedCountChanged(int searchId, long long collectedCount) = 0;
    // Right after that: the record for the company list.
    virtual void companyStored(int searchId, const CompanyDisplayTexts& texts) = 0;
    // The run has ended; for Finished, after the task was marked finished in the table.
    virtual void taskEnded(int searchId, RunOutcome outcome) = 0;
};

}  // namespace corpgather
