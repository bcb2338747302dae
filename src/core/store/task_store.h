#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/company_record.h"

// The statements on table SearchTask and the batch writes to table Company.
namespace corpgather {

// The description of a task to be created: ten texts, each named after the column it fills.
struct TSearchTask {
    std::string SearchID;
    std::string EngineID;
    std::string SearchEngine;
    std::string SearchName;
    std::string Url;
    std::string Utf8;
    std::string HttpMethod;
    std::string TotalNum;
    std::string TotalPage;
    std::string TermName;
};

// One row of SearchTask; NULL numbers read as 0, NULL texts as empty text.
struct TaskRow {
    int searchId = 0;
    int engineId = 0;
    std::string searchEngine;
    std::string searchName;
    std::string url;
    std::string utf8;
    int httpMethod = 0;
    std::optional<long long> totalNum;
    std::optional<long long> totalPage;
    std::string termName;
    long long page = 0;
    long long num = 0;
    long long infoNum = 0;
    int isFinish = 0;
    int del = 0;
};

// One more than the largest SearchID, soft-deleted rows included; 0 on an empty table.
std::optional<int> NextSearchID();

// Appends the task row. Numeric columns take the decimal value of their text: SearchID and
// EngineID must be whole numbers (else nothing is stored); HttpMethod, TotalNum and TotalPage
// are NULL when their text is no number. The counters keep their default 0.
bool AddTask(const TSearchTask& task, std::string* error = nullptr);

std::optional<TaskRow> ReadTask(int searchId);

// Tasks not marked deleted, in order of SearchID.
std::vector<TaskRow> ListTasks();

bool AddPageDone(int searchId);              // UPDATE SearchTask SET Page=Page+1 …
bool MarkTaskFinishedInTable(int searchId);  // UPDATE SearchTask SET IsFinish=1 …
std::optional<long long> ReadNum(int searchId);
bool MarkTaskDeleted(int searchId);

// Member ids (non-empty) of the companies already stored for the task.
std::unordered_set<std::string> StoredMemberIds(int searchId);

// Stores the rows under searchId and advances the task's InfoNum and Num by their number in
// one transaction: either all of it happens or none, so Num always counts the stored rows. A
// task that does not exist fails. On failure the error text is returned.
bool CommitCompanyBatch(int searchId, const std::vector<CompanyRecord>& rows,
                        std::string* error = nullptr);

// The task's stored rows, counted.
long long CountCompanies(int searchId);

// Removes the tasks marked deleted and their companies.
bool PurgeDeletedTasks();

}  // namespace corpgather
