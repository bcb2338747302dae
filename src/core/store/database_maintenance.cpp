#include "store/database_maintenance.h"

#include <filesystem>
#include <system_error>

#include "store/database.h"

namespace corpgather {
namespace {

bool failed(std::string* error, const std::string& message) {
    if (error)
        *error = message;
    return false;
}

bool run(const std::string& statement, std::string* error) {
    return RunSQL(statement) || failed(error, LastDatabaseError());
}

}  // namespace

bool ClearDatabase(std::string* error) {
    Transaction transaction;
    if (!transaction.active())
        return failed(error, LastDatabaseError());
    if (!run("DELETE FROM SearchTask", error) || !run("DELETE FROM Company", error))
        return false;
    return transaction.commit() || failed(error, LastDatabaseError());
}

bool CompactDatabase(std::string* error) {
    // Programs before this one compacted into this file and could leave it behind.
    std::error_code ignored;
    std::filesystem::remove(DatabasePath() + ".tmp", ignored);
    if (!OpenDatabase(error))
        return false;
    // VACUUM commits through the write-ahead log, so a failure at any point leaves the old
    // content; the checkpoint then moves the compacted pages into the file itself. A reader
    // still holding an old snapshot only defers that move, so its result is not an error.
    if (!run("VACUUM", error))
        return false;
    RunSQL("PRAGMA wal_checkpoint(TRUNCATE)");
    return true;
}

}  // namespace corpgather
