// Export benchmarks. 100,000 records of all 36 columns go through ExportToWorkbooks (statement,
// text checks, libxlsxwriter in constant-memory mode, temporary file and rename), and beside it
// libxlsxwriter alone writes the same cells from memory with the same settings (constant memory,
// one thin-border format, formatted blanks for empty values), so that the two rates compare in
// one run. Each export also reports the process's peak resident memory while it ran, and
// `corpgather-cli export` (built beside this program) gives the peak of a process that does
// nothing else. A merge
// puts 100 records into a 50,000-row workbook, one written by the export itself (inline strings)
// and one with a shared-string table as Excel writes them.
//
//   build/bin/export_bench --benchmark_repetitions=3
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "base/app_paths.h"
#include "export/export_columns.h"
#include "export/task_export.h"
#include "store/database.h"
#include "store/task_store.h"

namespace corpgather {
namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 100000;
constexpr int kMergeBaseRows = 50000;
constexpr int kMergeRecords = 100;
constexpr int kDistinct = 1000;  // distinct records, repeated to make up the task
constexpr int kBigTask = 1;
constexpr int kSmallTask = 2;

const std::u32string kHanzi =
    U"上海宁波杭州深圳广州东莞苏州无锡温州义乌电子科技机械设备五金塑料制品有限公司贸易进出口"
    U"专业生产销售各种产品质量可靠价格合理欢迎来电咨询我们拥有先进的技术和完善的服务体系主营"
    U"汽车配件模具灯具照明纺织服装化工原料包装印刷家居用品工艺礼品办公文教体育运动器材";

std::string chinese(std::mt19937& random, int length) {
    std::u32string text;
    for (int i = 0; i < length; ++i)
        text += kHanzi[random() % kHanzi.size()];
    std::string utf8;
    for (char32_t c : text) {
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
    return utf8;
}

std::string digits(std::mt19937& random, int length) {
    std::string text;
    for (int i = 0; i < length; ++i)
        text += static_cast<char>('0' + random() % 10);
    return text;
}

// A company as a run stores it: short Chinese texts, numbers, addresses, a long introduction,
// and the columns a run leaves empty.
CompanyRecord sampleCompany(std::mt19937& random, int index) {
    using C = CompanyColumn;
    CompanyRecord r;
    const std::string member = "cgm" + std::to_string(100000 + index);
    r[C::MemberId] = member;
    r[C::CompanyName] = chinese(random, 6 + random() % 8) + "有限公司";
    r[C::SourceUrl] = "http://" + member + ".cn.1688.com/";
    r[C::Contact] = chinese(random, 3);
    r[C::Salutation] = random() % 2 ? "先生" : "女士";
    r[C::Position] = "销售经理";
    r[C::Phone] = "86 0574 " + digits(random, 8);
    r[C::Mobile] = "13" + digits(random, 9);
    r[C::Fax] = "86 0574 " + digits(random, 8);
    r[C::Postcode] = digits(random, 6);
    r[C::Website] = "http://www." + member + ".com";
    r[C::Address] = "浙江省宁波市" + chinese(random, 10 + random() % 10) + digits(random, 3) + "号";
    r[C::Province] = "浙江";
    r[C::City] = "宁波";
    r[C::Introduction] = chinese(random, 150 + random() % 300);
    r[C::MainProducts] = chinese(random, 10 + random() % 30);
    r[C::MainIndustry] = chinese(random, 4 + random() % 8);
    r[C::EnterpriseType] = "有限责任公司";
    r[C::BusinessModel] = "生产厂家";
    r[C::RegisteredCapital] = std::to_string(50 + random() % 950) + "万人民币";
    r[C::RegisteredAddress] = "宁波市" + chinese(random, 3);
    r[C::Employees] = "51 - 100 人";
    r[C::Founded] = std::to_string(1990 + random() % 30) + "年";
    r[C::LegalRepresentative] = chinese(random, 3);
    r[C::Certification] = random() % 3 ? "ISO9001" : "";
    r[C::OemService] = random() % 2 ? "是" : "否";
    r[C::RdStaff] = "5 - 10 人";
    r[C::FactoryArea] = std::to_string(1000 + random() % 9000) + "平方米";
    r[C::Registration] = chinese(random, 20 + random() % 40);
    r[C::SearchTime] = "2024-05-01 10:11:12";
    r[C::SearchSource] = "阿里巴巴";
    return r;
}

const std::vector<CompanyRecord>& distinctCompanies() {
    static const std::vector<CompanyRecord> companies = [] {
        std::mt19937 random(20240501);
        std::vector<CompanyRecord> list;
        for (int i = 0; i < kDistinct; ++i)
            list.push_back(sampleCompany(random, i));
        return list;
    }();
    return companies;
}

CompanyRecord company(int index) {
    CompanyRecord record = distinctCompanies()[index % kDistinct];
    record[CompanyColumn::MemberId] = "cgm" + std::to_string(1000000 + index);
    return record;
}

// A program folder for the whole run: task 1 with kRecords records, task 2 with kMergeRecords.
class BenchHome final {
public:
    BenchHome() {
        std::string pattern =
            (fs::temp_directory_path() / "corpgather-export-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        folder_ = pattern;
        SetAppPathOverride(folder_.string());
        if (!OpenDatabase())
            std::abort();
        for (const auto& [id, count] :
             {std::pair{kBigTask, kRecords}, {kSmallTask, kMergeRecords}}) {
            AddTask({std::to_string(id), "0", "2alibaba.cfg", "阿里巴巴", "http://s/?beginPage=1",
                     "0", "0", "", "", "bench"});
            std::vector<CompanyRecord> batch;
            for (int i = 0; i < count; ++i) {
                batch.push_back(company(i));
                if (batch.size() == 1000 || i + 1 == count) {
                    if (!CommitCompanyBatch(id, batch))
                        std::abort();
                    batch.clear();
                }
            }
        }
    }
    // The thread's connection has closed by now: thread-local state ends before static state.
    ~BenchHome() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string file(const std::string& name) const { return (folder_ / name).string(); }
    std::string folder() const { return folder_.string(); }

private:
    fs::path folder_;
};

BenchHome& home() {
    static BenchHome instance;
    return instance;
}

ExportFieldSet allFields() {
    return ExportFieldSet().set();
}

class SilentProgress final : public ExportProgress {
public:
    void progressed(long long, long long) override {}
    bool cancelRequested() override { return false; }
};

// Peak resident memory since the last reset, from /proc (VmHWM), in MB.
double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// libxlsxwriter alone, with the cells the export of task 1 writes.
void writeAlone(const std::string& path, bool constantMemory, int rows) {
    lxw_workbook_options options = {};
    options.constant_memory = constantMemory;
    lxw_workbook* workbook = workbook_new_opt(path.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "企业列表");
    lxw_format* lines = workbook_add_format(workbook);
    format_set_border(lines, LXW_BORDER_THIN);
    const auto fields = ExportFields();
    for (std::size_t c = 0; c < fields.size(); ++c)
        worksheet_set_column(sheet, c, c, fields[c].width, nullptr);
    for (std::size_t c = 0; c < fields.size(); ++c)
        worksheet_write_string(sheet, 0, c,
                               std::string(CompanyColumnName(fields[c].column)).c_str(), lines);
    std::string member;
    for (int row = 0; row < rows; ++row) {
        // The record of company(row), without copying it.
        const CompanyRecord& record = distinctCompanies()[row % kDistinct];
        member = "cgm" + std::to_string(1000000 + row);
        for (std::size_t c = 0; c < fields.size(); ++c) {
            const std::string& value =
                fields[c].column == CompanyColumn::MemberId ? member : record[fields[c].column];
            if (value.empty())
                worksheet_write_blank(sheet, row + 1, c, lines);
            else
                worksheet_write_string(sheet, row + 1, c, value.c_str(), lines);
        }
    }
    if (workbook_close(workbook) != LXW_NO_ERROR)
        std::abort();
}

void BM_LibxlsxwriterAlone(benchmark::State& state) {
    const std::string path = home().file("alone.xlsx");
    double peak = 0;
    const double before = residentMegabytes();
    for (auto _ : state) {
        resetPeak();
        writeAlone(path, true, kRecords);
        peak = std::max(peak, peakMegabytes());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.counters["peak_MB"] = peak;
    state.counters["rss_before_MB"] = before;
}

void BM_ExportAllColumns(benchmark::State& state) {
    const auto style = static_cast<ExportStyle>(state.range(0));
    const std::string path = home().file("export.xlsx");
    const ExportRequest request{ExportStatement(allFields(), kBigTask), path, 0, style};
    SilentProgress progress;
    double peak = 0;
    const double before = residentMegabytes();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(path);
        resetPeak();
        state.ResumeTiming();
        const ExportResult result = ExportToWorkbooks(request, progress);
        if (result.outcome != ExportOutcome::Exported || result.records != kRecords) {
            state.SkipWithError(("export failed: " + result.error).c_str());
            break;
        }
        peak = std::max(peak, peakMegabytes());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.counters["peak_MB"] = peak;
    state.counters["rss_before_MB"] = before;
}

// The export of task 1 with every column by corpgather-cli; its peak resident memory from wait4.
void BM_CliExportPeakMemory(benchmark::State& state) {
    const fs::path cli = fs::read_symlink("/proc/self/exe").parent_path() / "corpgather-cli";
    if (!fs::exists(cli)) {
        state.SkipWithError("build corpgather-cli first");
        return;
    }
    std::string columns;
    for (const ExportField& field : ExportFields())
        columns += (columns.empty() ? "" : ",") + std::string(CompanyColumnName(field.column));
    const std::string out = home().file("cli.xlsx");
    std::vector<std::string> arguments = {
        cli.string(), "--home", home().folder(), "export", std::to_string(kBigTask),
        "--out",      out,      "--columns",     columns};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    long peakKilobytes = 0;
    for (auto _ : state) {
        fs::remove(out);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        rusage usage = {};
        if (failed || wait4(pid, &status, 0, &usage) != pid || status != 0) {
            state.SkipWithError("corpgather-cli export failed");
            return;
        }
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.counters["peak_MB"] = peakKilobytes / 1024.0;
}

// range(0): 0 a workbook the export wrote, 1 one with shared strings as Excel writes them.
void BM_MergeInto50kRows(benchmark::State& state) {
    const bool sharedStrings = state.range(0) == 1;
    const std::string base = home().file(sharedStrings ? "base-shared.xlsx" : "base-inline.xlsx");
    if (!fs::exists(base)) {
        if (sharedStrings) {
            writeAlone(base, false, kMergeBaseRows - 1);
        } else {
            SilentProgress progress;
            const std::string statement = ExportStatement(allFields(), kBigTask) + " LIMIT " +
                                          std::to_string(kMergeBaseRows - 1);
            ExportToWorkbooks({statement, base, 0, ExportStyle::Normal}, progress);
        }
    }
    const std::string target = home().file("merge.xlsx");
    const ExportRequest request{ExportStatement(allFields(), kSmallTask), target, 0,
                                ExportStyle::Normal};
    SilentProgress progress;
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(base, target, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        const ExportResult result = ExportToWorkbooks(request, progress);
        if (result.outcome != ExportOutcome::Exported) {
            state.SkipWithError(("merge failed: " + result.error).c_str());
            break;
        }
    }
    state.counters["base_MB"] = static_cast<double>(fs::file_size(base)) / (1 << 20);
}

BENCHMARK(BM_LibxlsxwriterAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_ExportAllColumns)
    ->Arg(static_cast<int>(ExportStyle::Normal))
    ->Arg(static_cast<int>(ExportStyle::Brick))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_CliExportPeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_MergeInto50kRows)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace corpgather
