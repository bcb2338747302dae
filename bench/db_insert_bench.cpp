// Rows per second of 25-row company batches (the default SaveNum) into the encrypted database
// and into a plain SQLite file of the same schema, through the same CommitCompanyBatch.
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "base/app_paths.h"
#include "store/database.h"
#include "store/database_file.h"
#include "store/task_store.h"

using namespace corpgather;

namespace {

constexpr int kBatchRows = 25;

std::string repeated(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Lengths as the company pages give them: short contact fields, a long introduction.
std::vector<CompanyRecord> realisticBatch() {
    std::mt19937 random(7);
    std::vector<CompanyRecord> rows(kBatchRows);
    for (int i = 0; i < kBatchRows; ++i) {
        CompanyRecord& row = rows[i];
        const std::string n = std::to_string(random() % 100000);
        row[CompanyColumn::CompanyName] = "宁波市鄞州" + n + "电器有限公司";
        row[CompanyColumn::SourceUrl] = "http://shop" + n + ".cn.alibaba.com/";
        row[CompanyColumn::Contact] = "王建国";
        row[CompanyColumn::Salutation] = "先生";
        row[CompanyColumn::Position] = "销售经理";
        row[CompanyColumn::Phone] = "86 0574 8812" + n;
        row[CompanyColumn::Mobile] = "1386" + n + "521";
        row[CompanyColumn::Fax] = "86 0574 8813" + n;
        row[CompanyColumn::Postcode] = "315100";
        row[CompanyColumn::Website] = "http://www.nb" + n + ".com";
        row[CompanyColumn::Address] = "浙江省宁波市鄞州区工业园区" + n + "号";
        row[CompanyColumn::Province] = "浙江";
        row[CompanyColumn::City] = "宁波";
        row[CompanyColumn::Introduction] =
            repeated("本公司专业生产各类照明灯具，产品远销欧美及东南亚。", 12 + random() % 12);
        row[CompanyColumn::MainProducts] = repeated("LED灯具、节能灯、", 4 + random() % 6);
        row[CompanyColumn::MainIndustry] = "照明工业";
        row[CompanyColumn::EnterpriseType] = "私营有限责任公司";
        row[CompanyColumn::BusinessModel] = "生产加工";
        row[CompanyColumn::RegisteredCapital] = "500万人民币";
        row[CompanyColumn::RegisteredAddress] = "宁波";
        row[CompanyColumn::Employees] = "101 - 200 人";
        row[CompanyColumn::Founded] = "2003";
        row[CompanyColumn::LegalRepresentative] = "王建国";
        row[CompanyColumn::Certification] = "ISO 9001";
        row[CompanyColumn::OemService] = "是";
        row[CompanyColumn::RdStaff] = "5 - 10 人";
        row[CompanyColumn::FactoryArea] = "5000平方米";
        row[CompanyColumn::Registration] = repeated("注册号330212000" + n + "；", 3);
        row[CompanyColumn::SearchTime] = "2024-05-06 14:23:51";
        row[CompanyColumn::SearchSource] = "阿里巴巴";
    }
    return rows;
}

void commitBatches(benchmark::State& state, bool encrypted) {
    std::string folder = (std::filesystem::temp_directory_path() / "db-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    SetAppPathOverride(folder);
    std::string error;
    const bool opened =
        encrypted ? OpenDatabase(&error) : OpenDatabaseFile(folder + "/plain.db", "", &error);
    if (!opened ||
        !AddTask({"1", "0", "2alibaba.cfg", "阿里巴巴", "", "0", "0", "", "", "灯具"}, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    auto rows = realisticBatch();
    long long member = 0;
    for (auto _ : state) {
        for (auto& row : rows)
            row[CompanyColumn::MemberId] = "nb" + std::to_string(member++);
        if (!CommitCompanyBatch(1, rows, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kBatchRows);
    CloseDatabase();
    SetAppPathOverride({});
    std::filesystem::remove_all(folder);
}

void BM_CommitBatchEncrypted(benchmark::State& state) {
    commitBatches(state, true);
}
void BM_CommitBatchPlain(benchmark::State& state) {
    commitBatches(state, false);
}

BENCHMARK(BM_CommitBatchEncrypted)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CommitBatchPlain)->UseRealTime()->MinTime(2.0);

}  // namespace
