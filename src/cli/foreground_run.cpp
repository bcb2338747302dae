#include "foreground_run.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include <unistd.h>

#include "cli_app.h"
#include "run/collection_run.h"
#include "store/task_store.h"

namespace corpgather::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    if (interrupted) _exit(kExitInterrupted);  // a second Ctrl-C does not wait
    interrupted = 1;
}

// Reports arrive on the run's thread; the progress loop reads them from here.
class ProgressObserver final : public RunObserver {
public:
    void taskRunning(int) override {}
    void collectedCountChanged(int, long long) override {}
    void companyStored(int, const CompanyDisplayTexts&) override { ++records; }
    void taskEnded(int, RunOutcome result) override {
        outcome = result;
        ended = true;
    }

    std::atomic<long long> records{0};
    std::atomic<RunOutcome> outcome{RunOutcome::Stopped};
    std::atomic<bool> ended{false};
};

class ProgressLine final {
public:
    explicit ProgressLine(long long totalPage) : totalPage_(totalPage), terminal_(isatty(1)) {}

    void show(long long page, long long records, double seconds, bool last) {
        const double rate = seconds > 0 ? records / seconds : 0.0;
        char line[160];
        std::snprintf(line, sizeof line, "page %lld/%lld, %lld records, %.1f records/s", page,
                      totalPage_, records, rate);
        if (terminal_) {
            std::printf("\r%-70s%s", line, last ? "\n" : "");
        } else if (last || page != lastPage_ || records - lastRecords_ >= 100) {
            std::printf("%s\n", line);
        }
        lastPage_ = page;
        lastRecords_ = records;
        std::fflush(stdout);
    }

private:
    const long long totalPage_;
    const bool terminal_;
    long long lastPage_ = -1;
    long long lastRecords_ = 0;
};

}  // namespace

int RunInForeground(int searchId) {
    const std::optional<TaskRow> before = ReadTask(searchId);
    ProgressLine progress(before ? before->totalPage.value_or(0) : 0);
    ProgressObserver observer;
    TThreadData run(searchId, observer);

    interrupted = 0;
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    const auto started = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    auto page = [&] {
        const std::optional<TaskRow> now = ReadTask(searchId);
        return now ? now->page : 0;
    };
    run.start();
    bool stopping = false;
    while (!observer.ended) {
        if (interrupted && !stopping) {
            stopping = true;
            run.stop();
        }
        progress.show(page(), observer.records, elapsed(), false);
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    run.wait();
    progress.show(page(), observer.records, elapsed(), true);
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);

    switch (observer.outcome.load()) {
        case RunOutcome::Finished:
            std::printf("task %d finished: %lld records stored\n", searchId,
                        CountCompanies(searchId));
            return kExitOk;
        case RunOutcome::Stopped:
            std::printf("task %d stopped; run it again to continue\n", searchId);
            return kExitInterrupted;
        case RunOutcome::Failed:
            break;
    }
    return Fail(kExitFailed, QString("task %1 ended early; see Log.txt").arg(searchId));
}

}  // namespace corpgather::cli
