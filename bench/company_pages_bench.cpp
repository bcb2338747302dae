// Extraction time per company: both pages of a company, as the simulator serves them (30-100 KB
// of GBK with scripts, other tables and the rest), read into a record without any network. The
// pages are fetched once from a marketplace-sim started beside this program.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

#include "run/detail_pages.h"
#include "run/shop_contact_page.h"
#include "run/shop_profile_page.h"
#include "run/web_client.h"

namespace corpgather {
namespace {

struct CompanyPages {
    std::string memberId;
    std::string sourceUrl;
    std::string memberProfileUrl;
    std::string contact;
    std::string profile;
};

// marketplace-sim for the life of the program; it prints its port on its first line.
class Simulator final {
public:
    explicit Simulator(const std::vector<std::string>& arguments) {
        const auto program =
            std::filesystem::canonical("/proc/self/exe").parent_path() / "marketplace-sim";
        int out[2];
        if (pipe(out) != 0)
            throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        FILE* stream = fdopen(out[0], "r");
        if (!stream || std::fscanf(stream, "%d", &port_) != 1)
            throw std::runtime_error("marketplace-sim did not start: " + program.string());
        std::fclose(stream);
    }
    ~Simulator() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    std::string url(const std::string& path, const std::string& host = "127.0.0.1") const {
        return "http://" + host + ":" + std::to_string(port_) + path;
    }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

std::string fetch(WebClient& client, const std::string& url) {
    FetchResult result = client.get(url);
    if (!result.ok)
        throw std::runtime_error("cannot fetch " + url + ": " + result.error);
    return std::move(result.body);
}

// Forty companies of one layout.
std::vector<CompanyPages> fetchCompanies(const std::string& layout) {
    InitWebClients();
    Simulator sim({"--pages", "2", "--per-page", "20", "--layouts", layout + "=1"});
    WebClient client;
    std::vector<CompanyPages> companies;
    for (int page = 1; page <= 2; ++page) {
        const QJsonArray listed =
            QJsonDocument::fromJson(
                QByteArray::fromStdString(
                    fetch(client, sim.url("/__sim/companies?page=" + std::to_string(page)))))
                .array();
        for (const QJsonValue& value : listed) {
            const QJsonObject company = value.toObject();
            const std::string member = company["memberId"].toString().toStdString();
            companies.push_back(
                {member, company["sourceUrl"].toString().toStdString(),
                 sim.url("/user/" + member + ".html", "member.localhost"),
                 fetch(client, company["contactPageUrl"].toString().toStdString()),
                 fetch(client, company["profilePageUrl"].toString().toStdString())});
        }
    }
    return companies;
}

void report(benchmark::State& state, const std::vector<CompanyPages>& companies,
            const CompanyRecord& last) {
    if (last[CompanyColumn::Contact].empty() || last[CompanyColumn::Registration].empty())
        state.SkipWithError("the pages gave no values");
    std::size_t bytes = 0;
    for (const CompanyPages& company : companies)
        bytes += company.contact.size() + company.profile.size();
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes / companies.size()));
    state.counters["page_kb"] = static_cast<double>(bytes) / companies.size() / 2 / 1024;
}

void readShop(benchmark::State& state, const std::string& layout) {
    static std::map<std::string, std::vector<CompanyPages>> fetched;
    if (!fetched.count(layout))
        fetched[layout] = fetchCompanies(layout);
    const std::vector<CompanyPages>& companies = fetched[layout];
    CompanyRecord record;
    std::size_t next = 0;
    for (auto _ : state) {
        const CompanyPages& company = companies[next++ % companies.size()];
        record.clear();
        const ShopContactVariant variant = ShopContactVariantOf(company.contact);
        ReadShopContact(company.contact, variant, record);
        ReadShopProfile(company.profile, variant, record);
        benchmark::DoNotOptimize(record);
    }
    report(state, companies, record);
}

void BM_TitleBarShop(benchmark::State& state) {
    readShop(state, "titlebar");
}

void BM_HeadingShop(benchmark::State& state) {
    readShop(state, "heading");
}

void BM_Detail(benchmark::State& state) {
    static const std::vector<CompanyPages> companies = fetchCompanies("detail");
    CompanyRecord record;
    std::size_t next = 0;
    for (auto _ : state) {
        const CompanyPages& company = companies[next++ % companies.size()];
        record.clear();
        ReadDetailContact(company.contact, company.memberProfileUrl, record);
        ReadDetailProfile(company.profile, record);
        benchmark::DoNotOptimize(record);
    }
    report(state, companies, record);
}

BENCHMARK(BM_TitleBarShop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeadingShop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Detail)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corpgather
