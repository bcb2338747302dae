// Throughput of a collection run against the local simulator: records per second and the
// client's CPU time per 1,000 records, at the given simulated latencies, plus the peak memory
// of `corpgather-cli task run` on the same task.
//
//   run_throughput [--pages N] [--per-page N] [--latency-ms A,B,...] [--skip-cli]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include <QJsonObject>

#include <curl/curl.h>
#include <sstream>

#include "run/collection_run.h"
#include "store/database.h"
#include "store/task_store.h"
#include "support/child_process.h"
#include "support/run_fixture.h"
#include "support/sim_json.h"

using namespace corpgather;
using namespace corpgather::test;

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

// The floor under the client's CPU: one bare reused libcurl handle making the requests a run
// makes for the first listing page (the page, then each company's contact and profile page),
// nothing else.
double bareCurlCpuPerRequest(SimulatedMarket& market) {
    std::vector<std::string> urls{market.listingUrl(1)};
    for (const QJsonValue& company : SimCompanies(market.sim(), 1)) {
        for (const char* page : {"contactPageUrl", "profilePageUrl"}) {
            const std::string url = company.toObject().value(page).toString().toStdString();
            if (!url.empty()) urls.push_back(url);
        }
    }
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    const double before = cpuSeconds();
    for (const std::string& url : urls) {
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_perform(curl);
    }
    const double cpu = cpuSeconds() - before;
    curl_easy_cleanup(curl);
    return cpu / urls.size();
}

class NullObserver final : public RunObserver {
public:
    void taskRunning(int) override {}
    void collectedCountChanged(int, long long) override {}
    void companyStored(int, const CompanyDisplayTexts&) override {}
    void taskEnded(int, RunOutcome) override {}
};

std::vector<int> parseList(const char* text) {
    std::vector<int> values;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');) values.push_back(std::stoi(item));
    return values;
}

// Every company of the benchmark has both pages to fetch.
std::vector<std::string> simArguments(int pages, int perPage, int latency) {
    return {"--pages", std::to_string(pages), "--per-page", std::to_string(perPage),
            "--latency-ms", std::to_string(latency), "--layouts", "detail=1,titlebar=1,heading=1,site=1"};
}

void measureRun(int pages, int perPage, int latency) {
    SimulatedMarket market(simArguments(pages, perPage, latency));
    market.setOption("IntervalData", 1000000);
    const int id = market.addTask(market.listingUrl(1), pages);
    NullObserver observer;
    const double cpuBefore = cpuSeconds();
    const auto started = std::chrono::steady_clock::now();
    {
        TThreadData run(id, observer);
        run.start();
        run.wait();
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double cpu = cpuSeconds() - cpuBefore;
    const long long records = CountCompanies(id);
    const long long requests = pages + 2LL * records;
    std::printf("latency %3d ms: %lld records in %.2f s = %.1f records/s", latency, records, wall,
                records / wall);
    if (latency > 0) {
        const double bound = records / (requests * latency / 1000.0);
        std::printf(" (latency bound %.1f/s, %.1f%% of it)", bound, 100.0 * (records / wall) / bound);
    }
    std::printf("; client CPU %.1f ms per 1,000 records\n", 1000.0 * cpu / records * 1000.0);
    if (records != static_cast<long long>(pages) * perPage) {
        const std::string log = market.home().readFile("Log.txt");
        std::printf("  %lld records missing; Log.txt:\n%.2000s\n",
                    static_cast<long long>(pages) * perPage - records, log.c_str());
    }
    const double bare = bareCurlCpuPerRequest(market);
    std::printf("                bare libcurl: %.1f us CPU per request, x %.2f requests per record = "
                "%.1f ms per 1,000 records\n",
                bare * 1e6, double(requests) / records, bare * requests / records * 1e6);
}

void measureCliMemory(int pages, int perPage) {
    SimulatedMarket market(simArguments(pages, perPage, 0));
    market.setOption("IntervalData", 1000000);
    const int id = market.addTask(market.listingUrl(1), pages);
    CloseDatabase();
    ChildProcess cli((binDir() / "corpgather-cli").string(),
                     {"--home", market.home().path().string(), "task", "run", std::to_string(id)});
    rusage usage{};
    const int status = cli.wait(std::chrono::minutes(30), &usage);
    std::printf("corpgather-cli task run: exit %d, %lld records, peak memory %.1f MB (max RSS)\n",
                status, CountCompanies(id), usage.ru_maxrss / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    int pages = 100;
    int perPage = 20;
    std::vector<int> latencies{0, 20};
    bool cliMemory = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pages" && i + 1 < argc) pages = std::atoi(argv[++i]);
        else if (arg == "--per-page" && i + 1 < argc) perPage = std::atoi(argv[++i]);
        else if (arg == "--latency-ms" && i + 1 < argc) latencies = parseList(argv[++i]);
        else if (arg == "--skip-cli") cliMemory = false;
        else {
            std::fprintf(stderr, "usage: %s [--pages N] [--per-page N] [--latency-ms A,B] [--skip-cli]\n", argv[0]);
            return 2;
        }
    }
    std::printf("task of %d pages x %d entries\n", pages, perPage);
    for (const int latency : latencies) measureRun(pages, perPage, latency);
    if (cliMemory) measureCliMemory(pages, perPage);
    return 0;
}
