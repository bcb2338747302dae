#include "store/schema.h"

#include "store/company_record.h"

namespace corpgather::store_detail {
namespace {

constexpr const char* kSearchTaskTable =
    "CREATE TABLE IF NOT EXISTS SearchTask ("
    "SearchID INTEGER PRIMARY KEY, "
    "EngineID INTEGER, "
    "SearchEngine TEXT, "
    "SearchName TEXT, "
    "Url TEXT, "
    "Utf8 TEXT, "
    "HttpMethod INTEGER, "
    "TotalNum INTEGER, "
    "TotalPage INTEGER, "
    "TermName TEXT, "
    "Page INTEGER NOT NULL DEFAULT 0, "
    "Num INTEGER NOT NULL DEFAULT 0, "
    "InfoNum INTEGER NOT NULL DEFAULT 0, "
    "IsFinish INTEGER NOT NULL DEFAULT 0, "
    "Del INTEGER NOT NULL DEFAULT 0)";

std::string companyTable() {
    std::string sql =
        "CREATE TABLE IF NOT EXISTS Company (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
        "SearchID INTEGER";
    for (std::size_t i = 0; i < kCompanyColumnCount; ++i) {
        sql += ", \"";
        sql += CompanyColumnName(i);
        sql += "\" TEXT";
    }
    sql += ')';
    return sql;
}

// Serves every statement on one task's rows. Its entries are ordered by SearchID and then by
// row number, so a task's rows come in the order they were collected, as an export lists them.
constexpr const char* kCompanyIndex = "CREATE INDEX IF NOT EXISTS CompanyByTask ON Company (SearchID)";

bool exec(sqlite3* db, const std::string& sql, std::string* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    if (error)
        *error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

}  // namespace

bool CreateSchema(sqlite3* db, std::string* error) {
    if (!exec(db, "BEGIN IMMEDIATE", error))
        return false;
    if (exec(db, kSearchTaskTable, error) && exec(db, companyTable(), error) &&
        exec(db, kCompanyIndex, error) && exec(db, "COMMIT", error)) {
        return true;
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

}  // namespace corpgather::store_detail
