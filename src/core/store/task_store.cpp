#include "store/task_store.h"

#include <charconv>
#include <climits>
#include <string_view>

#include "store/database.h"

namespace corpgather {
namespace {

// The decimal value of a text, with surrounding blanks allowed; nothing when it is no number.
std::optional<long long> decimal(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return {};
    return value;
}

std::optional<int> decimalInt(std::string_view text) {
    const auto value = decimal(text);
    if (!value || *value < INT_MIN || *value > INT_MAX)
        return {};
    return static_cast<int>(*value);
}

bool failed(std::string* error, std::string message = LastDatabaseError()) {
    if (error)
        *error = std::move(message);
    return false;
}

void bindOptional(Statement& statement, int index, std::optional<long long> value) {
    if (value) {
        statement.bind(index, *value);
    } else {
        statement.bindNull(index);
    }
}

std::optional<long long> optionalField(const Query& query, std::string_view name) {
    if (query.isNull(name))
        return {};
    return query.fieldInt(name);
}

TaskRow taskRow(const Query& query) {
    TaskRow row;
    row.searchId = static_cast<int>(query.fieldInt("SearchID"));
    row.engineId = static_cast<int>(query.fieldInt("EngineID"));
    row.searchEngine = query.fieldText("SearchEngine");
    row.searchName = query.fieldText("SearchName");
    row.url = query.fieldText("Url");
    row.utf8 = query.fieldText("Utf8");
    row.httpMethod = static_cast<int>(query.fieldInt("HttpMethod"));
    row.totalNum = optionalField(query, "TotalNum");
    row.totalPage = optionalField(query, "TotalPage");
    row.termName = query.fieldText("TermName");
    row.page = query.fieldInt("Page");
    row.num = query.fieldInt("Num");
    row.infoNum = query.fieldInt("InfoNum");
    row.isFinish = static_cast<int>(query.fieldInt("IsFinish"));
    row.del = static_cast<int>(query.fieldInt("Del"));
    return row;
}

const std::string& insertCompanySql() {
    static const std::string sql = [] {
        std::string columns = "SearchID";
        std::string values = "?";
        for (std::size_t i = 0; i < kCompanyColumnCount; ++i) {
            columns += ", \"";
            columns += CompanyColumnName(i);
            columns += '"';
            values += ", ?";
        }
        return "INSERT INTO Company (" + columns + ") VALUES (" + values + ")";
    }();
    return sql;
}

std::string whereTask(int searchId) {
    return " WHERE SearchID=" + std::to_string(searchId);
}

}  // namespace

std::optional<int> NextSearchID() {
    Query query;
    if (!OpenSQL(query, "SELECT (MAX(IFNULL(SearchID,0))+1) AS SearchID FROM SearchTask")) {
        return {};
    }
    return static_cast<int>(query.fieldInt("SearchID"));
}

bool AddTask(const TSearchTask& task, std::string* error) {
    const auto searchId = decimalInt(task.SearchID);
    if (!searchId)
        return failed(error, "SearchID is not a whole number: \"" + task.SearchID + '"');
    const auto engineId = decimalInt(task.EngineID);
    if (!engineId)
        return failed(error, "EngineID is not a whole number: \"" + task.EngineID + '"');
    Statement insert(
        "INSERT INTO SearchTask (SearchID, EngineID, SearchEngine, SearchName, Url, Utf8, "
        "HttpMethod, TotalNum, TotalPage, TermName) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, static_cast<long long>(*searchId));
    insert.bind(2, static_cast<long long>(*engineId));
    insert.bind(3, task.SearchEngine);
    insert.bind(4, task.SearchName);
    insert.bind(5, task.Url);
    insert.bind(6, task.Utf8);
    bindOptional(insert, 7, decimalInt(task.HttpMethod));
    bindOptional(insert, 8, decimal(task.TotalNum));
    bindOptional(insert, 9, decimal(task.TotalPage));
    insert.bind(10, task.TermName);
    if (!insert.ok() || !insert.exec())
        return failed(error);
    return true;
}

std::optional<TaskRow> ReadTask(int searchId) {
    Query query;
    if (!OpenSQL(query, "SELECT * FROM SearchTask" + whereTask(searchId)) || query.eof())
        return {};
    return taskRow(query);
}

std::vector<TaskRow> ListTasks() {
    std::vector<TaskRow> tasks;
    Query query;
    if (!OpenSQL(query, "SELECT * FROM SearchTask WHERE Del=0 ORDER BY SearchID"))
        return tasks;
    for (; !query.eof(); query.next())
        tasks.push_back(taskRow(query));
    return tasks;
}

bool AddPageDone(int searchId) {
    return RunSQL("UPDATE SearchTask SET Page=Page+1" + whereTask(searchId));
}

bool MarkTaskFinishedInTable(int searchId) {
    return RunSQL("UPDATE SearchTask SET IsFinish=1" + whereTask(searchId));
}

std::optional<long long> ReadNum(int searchId) {
    Query query;
    if (!OpenSQL(query, "SELECT Num FROM SearchTask" + whereTask(searchId)) || query.eof()) {
        return {};
    }
    return query.fieldInt("Num");
}

bool MarkTaskDeleted(int searchId) {
    return RunSQL("UPDATE SearchTask SET Del=1" + whereTask(searchId));
}

std::unordered_set<std::string> StoredMemberIds(int searchId) {
    std::unordered_set<std::string> ids;
    Query query;
    if (!OpenSQL(query, "SELECT \"会员帐号\" FROM Company" + whereTask(searchId) +
                            " AND \"会员帐号\"<>''")) {
        return ids;
    }
    for (; !query.eof(); query.next())
        ids.insert(query.text(0));
    return ids;
}

bool CommitCompanyBatch(int searchId, const std::vector<CompanyRecord>& rows, std::string* error) {
    Transaction transaction;
    if (!transaction.active())
        return failed(error);
    Statement insert(insertCompanySql());
    if (!insert.ok())
        return failed(error);
    for (const CompanyRecord& row : rows) {
        insert.bind(1, static_cast<long long>(searchId));
        for (std::size_t i = 0; i < kCompanyColumnCount; ++i) {
            insert.bind(static_cast<int>(i) + 2, row.values[i]);
        }
        if (!insert.exec())
            return failed(error);
    }
    Statement advance("UPDATE SearchTask SET InfoNum=InfoNum+?1, Num=Num+?1 WHERE SearchID=?2");
    advance.bind(1, static_cast<long long>(rows.size()));
    advance.bind(2, static_cast<long long>(searchId));
    if (!advance.ok() || !advance.exec())
        return failed(error);
    // Rows without their task's counters would break Num = stored rows.
    if (advance.changedRows() != 1) {
        return failed(error, "task " + std::to_string(searchId) + " does not exist");
    }
    if (!transaction.commit())
        return failed(error);
    return true;
}

long long CountCompanies(int searchId) {
    Query query;
    if (!OpenSQL(query, "SELECT COUNT(*) AS Companies FROM Company" + whereTask(searchId)))
        return 0;
    return query.fieldInt("Companies");
}

bool PurgeDeletedTasks() {
    Transaction transaction;
    return transaction.active() &&
           RunSQL(
               "DELETE FROM Company WHERE SearchID IN "
               "(SELECT SearchID FROM SearchTask WHERE Del=1)") &&
           RunSQL("DELETE FROM SearchTask WHERE Del=1") && transaction.commit();
}

}  // namespace corpgather
