#include "support/run_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "store/database.h"
#include "store/settings.h"
#include "store/task_store.h"

namespace corpgather::test {

void RecordingObserver::add(Event event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
}

void RecordingObserver::taskRunning(int searchId) { add({Event::Running, searchId}); }

void RecordingObserver::collectedCountChanged(int searchId, long long count) {
    add({Event::Count, searchId, count});
}

void RecordingObserver::companyStored(int searchId, const CompanyDisplayTexts& texts) {
    add({Event::Stored, searchId, 0, texts});
    if (onStored) onStored(texts);
}

void RecordingObserver::taskEnded(int searchId, RunOutcome outcome) {
    add({Event::Ended, searchId, 0, {}, outcome});
}

std::vector<RecordingObserver::Event> RecordingObserver::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<long long> RecordingObserver::counts() const {
    std::vector<long long> counts;
    for (const Event& event : events())
        if (event.kind == Event::Count) counts.push_back(event.count);
    return counts;
}

size_t RecordingObserver::storedCount() const {
    size_t stored = 0;
    for (const Event& event : events()) stored += event.kind == Event::Stored;
    return stored;
}

std::optional<RunOutcome> RecordingObserver::outcome() const {
    for (const Event& event : events())
        if (event.kind == Event::Ended) return event.outcome;
    return std::nullopt;
}

SimulatedMarket::SimulatedMarket(std::vector<std::string> simArguments)
    : sim_(std::make_unique<SimProcess>(std::move(simArguments))) {
    const std::string port = ":" + std::to_string(sim_->port());
    std::string error;
    if (!WriteHosts({"127.0.0.1" + port, ".shop.localhost" + port, "company.localhost" + port,
                     "member.localhost" + port},
                    &error))
        throw std::runtime_error("cannot write hosts: " + error);
    if (!OpenDatabase(&error)) throw std::runtime_error("cannot open database: " + error);
}

std::string SimulatedMarket::listingUrl(int beginPage) const {
    return sim_->baseUrl() + "/company/company_search.htm?keywords=abc&beginPage=" +
           std::to_string(beginPage) + "&n=y";
}

int SimulatedMarket::addTask(const std::string& url, std::optional<int> totalPage,
                             const std::string& name) {
    const int id = NextSearchID().value();
    TSearchTask task;
    task.SearchID = std::to_string(id);
    task.EngineID = "0";
    task.SearchEngine = "2alibaba.cfg";
    task.SearchName = name;
    task.Url = url;
    task.Utf8 = "0";
    task.HttpMethod = "0";
    task.TotalPage = totalPage ? std::to_string(*totalPage) : "";
    task.TermName = "abc";
    std::string error;
    if (!AddTask(task, &error)) throw std::runtime_error("cannot add task: " + error);
    return id;
}

void SimulatedMarket::setOption(const std::string& key, int value) {
    std::string error;
    if (!WriteOptions({{key, value}}, &error)) throw std::runtime_error(error);
}

std::string SimulatedMarket::requestLog() {
    return HttpGet(sim_->baseUrl() + "/__sim/requests").body;
}

std::vector<std::string> SimulatedMarket::requestTargets() {
    std::vector<std::string> targets;
    const QJsonArray requests = QJsonDocument::fromJson(QByteArray::fromStdString(requestLog())).array();
    for (const QJsonValue& request : requests)
        targets.push_back(request.toObject().value("target").toString().toStdString());
    return targets;
}

void SimulatedMarket::clearRequestLog() { HttpGet(sim_->baseUrl() + "/__sim/reset"); }

RunOutcome SimulatedMarket::runToEnd(int searchId, RecordingObserver& observer) {
    TThreadData run(searchId, observer);
    run.start();
    run.wait();
    return observer.outcome().value_or(RunOutcome::Failed);
}

long long SimulatedMarket::storedRows(int searchId) { return CountCompanies(searchId); }

long long SimulatedMarket::num(int searchId) { return ReadNum(searchId).value_or(-1); }

std::vector<std::string> SimulatedMarket::storedMembers(int searchId) {
    std::vector<std::string> members;
    Query query;
    if (!OpenSQL(query, "SELECT \"会员帐号\" FROM Company WHERE SearchID=" + std::to_string(searchId) +
                            " ORDER BY ID"))
        return members;
    for (; !query.eof(); query.next()) members.push_back(query.text(0));
    return members;
}

}  // namespace corpgather::test
