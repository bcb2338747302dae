#include "run/collection_run.h"

#include <unordered_set>
#include <vector>

#include <QDateTime>
#include <QMetaObject>
#include <QObject>

#include "run/company_display.h"
#include "run/company_list_lock.h"
#include "run/company_pages.h"
#include "run/listing_entries.h"
#include "run/page_fetch.h"
#include "run/search_time.h"
#include "run/web_client.h"
#include "store/database.h"
#include "store/settings.h"
#include "store/task_store.h"
#include "text/event_log.h"
#include "text/gbk.h"
#include "text/text_markers.h"
#include "text/url_params.h"

namespace corpgather {
namespace {

constexpr int kDefaultSaveNum = 25;
constexpr int kDefaultIntervalData = 500;
constexpr char kPageKey[] = "beginPage=";

int atLeastOne(int value, int fallback) { return value >= 1 ? value : fallback; }

}  // namespace

// The thread body and the state of one run.
class TThreadData::Body final {
public:
    Body(int searchId, RunObserver& observer, QObject* context, std::shared_ptr<RunControl> control)
        : searchId_(searchId), observer_(observer), context_(context), control_(std::move(control)) {}

    void run();
    void abortFetch() { client_.abort(); }

private:
    RunOutcome collect();
    // Returns false when the run must end (stop or failed commit); outcome_ says which.
    bool takeEntries(std::string_view listText);
    bool save(CompanyRecord& record);
    bool commitPending();

    template <typename Call>
    void report(Call call);

    const int searchId_;
    RunObserver& observer_;
    QObject* const context_;
    const std::shared_ptr<RunControl> control_;

    WebClient client_;
    MarketplaceHosts hosts_;
    TaskRow task_;
    int batchSize_ = kDefaultSaveNum;
    std::vector<CompanyRecord> pending_;
    std::unordered_set<std::string> storedMembers_;
    long long storedBefore_ = 0;  // Num when the run started
    long long storedByRun_ = 0;   // committed or pending rows of this run
    bool committedAny_ = false;
    int recordNo_ = 0;
    long long runRecordCount_ = 0;
    RunOutcome outcome_ = RunOutcome::Finished;
};

template <typename Call>
void TThreadData::Body::report(Call call) {
    if (!context_) {
        call();
        return;
    }
    auto delivered = std::make_shared<std::atomic<bool>>(false);
    auto control = control_;
    QMetaObject::invokeMethod(
        context_,
        [call = std::move(call), delivered, control] {
            call();
            *delivered = true;
            control->notify();
        },
        Qt::QueuedConnection);
    // A stop abandons the wait, so a stopping owner on the delivery thread never deadlocks.
    control_->waitUntil([&] { return delivered->load(); });
}

void TThreadData::Body::run() {
    // Queued reports may run after this object is gone: they capture only values and the
    // observer, which outlives the delivery context.
    RunObserver* observer = &observer_;
    const int id = searchId_;
    report([observer, id] { observer->taskRunning(id); });
    const RunOutcome outcome = collect();
    report([observer, id, outcome] { observer->taskEnded(id, outcome); });
}

RunOutcome TThreadData::Body::collect() {
    const std::optional<TaskRow> task = ReadTask(searchId_);
    if (!task) {
        WriteLog("任务 " + std::to_string(searchId_) + " 无法读取：" + LastDatabaseError());
        return RunOutcome::Failed;
    }
    task_ = *task;
    client_.setReadTimeout(std::chrono::seconds(GetTimeOut()));
    hosts_ = GetHosts();
    batchSize_ = atLeastOne(GetSaveNum(), kDefaultSaveNum);

    if (task_.engineId != 0) {
        WriteLog("任务 " + std::to_string(searchId_) + " 的数据来源不受支持（EngineID=" +
                 std::to_string(task_.engineId) + "）");
        return RunOutcome::Failed;
    }
    const std::optional<int> beginPage = GetUrlParamInt(task_.url, kPageKey);
    if (!beginPage) {
        WriteLog("任务 " + std::to_string(searchId_) + " 的地址中没有可读的 beginPage= 值：" +
                 task_.url);
        return RunOutcome::Failed;
    }
    const long long startPage = std::max<long long>(*beginPage, task_.page);
    const long long totalPage = task_.totalPage.value_or(0);

    storedMembers_ = StoredMemberIds(searchId_);
    storedBefore_ = task_.num;

    bool completed = true;
    for (long long page = startPage; page <= totalPage; ++page) {
        if (!control_->checkpoint()) {
            completed = false;
            break;
        }
        const std::optional<std::string> address =
            SetUrlParamInt(task_.url, kPageKey, static_cast<int>(page));
        const std::string pageText = FetchPageOrLog(client_, *address);
        if (control_->stopRequested()) {
            completed = false;
            break;
        }
        // A page an earlier run went through yields no entries and is not counted again:
        // counting it twice would mark the next page done before it is.
        if (page <= task_.page) continue;
        const std::string listText =
            page == startPage ? SkipListEntries(pageText, EntryMark(), InquiryMark(),
                                                static_cast<int>(task_.infoNum))
                              : pageText;
        if (!takeEntries(listText)) {
            completed = false;
            break;
        }
        // A page counts as gone through only once its records are stored: a run ended
        // between the two would otherwise never take the page's last records again.
        if (!commitPending()) {
            completed = false;
            break;
        }
        AddPageDone(searchId_);
    }

    if (!commitPending()) return RunOutcome::Failed;
    if (!completed) return outcome_ == RunOutcome::Finished ? RunOutcome::Stopped : outcome_;
    MarkTaskFinishedInTable(searchId_);
    return RunOutcome::Finished;
}

bool TThreadData::Body::takeEntries(std::string_view listText) {
    ListingCursor cursor(listText);
    ListingEntry entry;
    CompanyRecord record;
    while (cursor.next(entry)) {
        if (!control_->checkpoint()) {
            outcome_ = RunOutcome::Stopped;
            return false;
        }
        record.clear();
        record.searchId = searchId_;
        record[CompanyColumn::MemberId] = GbkToUtf8(entry.memberId);
        record[CompanyColumn::CompanyName] = GbkToUtf8(entry.companyName);
        record[CompanyColumn::SourceUrl] = GbkToUtf8(entry.sourceUrl);
        const std::string& member = record[CompanyColumn::MemberId];
        // A resumed run passes over the companies an earlier run already stored.
        if (!member.empty() && storedMembers_.count(member)) continue;

        CollectCompanyPages(record, client_, hosts_);
        // A record whose pages were cut off by a stop is left for the next run.
        if (control_->stopRequested()) {
            outcome_ = RunOutcome::Stopped;
            return false;
        }
        if (!save(record)) return false;
    }
    return true;
}

bool TThreadData::Body::save(CompanyRecord& record) {
    record[CompanyColumn::SearchTime] = FormatSearchTime(QDateTime::currentDateTime());
    record[CompanyColumn::SearchSource] = task_.searchName;
    record[CompanyColumn::MemberType].clear();
    if (!record[CompanyColumn::MemberId].empty())
        storedMembers_.insert(record[CompanyColumn::MemberId]);
    pending_.push_back(record);
    ++storedByRun_;

    // The first record goes to the table at once, later ones in batches.
    if (!committedAny_ || static_cast<int>(pending_.size()) >= batchSize_) {
        if (!commitPending()) return false;
    }

    ++recordNo_;
    const long long collected = storedBefore_ + storedByRun_;
    RunObserver* observer = &observer_;
    const int id = searchId_;
    report([observer, id, collected] { observer->collectedCountChanged(id, collected); });
    report([observer, id, texts = MakeDisplayTexts(record, recordNo_)] {
        observer->companyStored(id, texts);
    });

    ++runRecordCount_;
    if (runRecordCount_ % atLeastOne(GetIntervalData(), kDefaultIntervalData) == 0) {
        if (!control_->sleepFor(std::chrono::seconds(GetIntervalTime()))) {
            outcome_ = RunOutcome::Stopped;
            return false;
        }
    }
    return true;
}

bool TThreadData::Body::commitPending() {
    if (pending_.empty()) return true;
    std::string error;
    bool committed;
    {
        std::lock_guard lock(CompanyListLock());
        committed = CommitCompanyBatch(searchId_, pending_, &error);
    }
    if (!committed) {
        WriteLog("任务 " + std::to_string(searchId_) + " 保存 " + std::to_string(pending_.size()) +
                 " 条记录失败：" + error);
        storedByRun_ -= static_cast<long long>(pending_.size());
        pending_.clear();
        outcome_ = RunOutcome::Failed;
        return false;
    }
    pending_.clear();
    committedAny_ = true;
    return true;
}

TThreadData::TThreadData(int searchId, RunObserver& observer, QObject* deliveryContext)
    : searchId_(searchId),
      observer_(observer),
      deliveryContext_(deliveryContext),
      control_(std::make_shared<RunControl>()) {}

TThreadData::~TThreadData() {
    stop();
    wait();
}

void TThreadData::start() {
    if (thread_.joinable() || control_->stopRequested()) return;
    InitWebClients();
    body_ = std::make_unique<Body>(searchId_, observer_, deliveryContext_, control_);
    alive_ = true;
    thread_ = std::thread([this] {
        body_->run();
        alive_ = false;
    });
}

void TThreadData::pause() { control_->pause(); }

void TThreadData::resume() { control_->resume(); }

void TThreadData::stop() {
    control_->stop();
    if (body_) body_->abortFetch();
}

void TThreadData::wait() {
    if (thread_.joinable()) thread_.join();
}

bool TThreadData::isPaused() const { return control_->isPaused(); }

}  // namespace corpgather
