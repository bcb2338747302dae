#include "store/connection.h"

#include <atomic>
#include <filesystem>
#include <system_error>

#include "base/app_paths.h"
#include "store/database.h"
#include "store/database_file.h"
#include "store/schema.h"

namespace corpgather {
namespace store_detail {
namespace {

constexpr std::string_view kPassword = "qtopbex19760412";
// Other threads and processes hold the write lock only for one batch; waiting this long
// rides out any of them instead of failing with "database is locked".
constexpr int kBusyTimeoutMs = 10000;

struct ThreadState {
    sqlite3* db = nullptr;
    std::string path;
    bool pinned = false;  // opened by OpenDatabaseFile: does not follow the program folder
    std::uint64_t id = 0;
    std::string error;

    ThreadState() = default;
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;
    ~ThreadState() { close(); }

    void close() {
        // close_v2 waits for queries the caller still holds instead of failing.
        if (db)
            sqlite3_close_v2(db);
        db = nullptr;
        path.clear();
        pinned = false;
        id = 0;
    }
};

thread_local ThreadState state;
std::atomic<std::uint64_t> lastConnectionId{0};

bool exec(sqlite3* db, const char* sql, std::string* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    *error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

sqlite3* closed(sqlite3* db) {
    sqlite3_close_v2(db);
    return nullptr;
}

sqlite3* openFile(const std::string& path, std::string_view key, std::string* error) {
    std::error_code ignored;
    // Only a file that is not there may be created: anything else at the path is the user's.
    const bool missing =
        std::filesystem::status(path, ignored).type() == std::filesystem::file_type::not_found;
    const int flags = SQLITE_OPEN_READWRITE | (missing ? SQLITE_OPEN_CREATE : 0);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK ||
        (!key.empty() && sqlite3_key(db, key.data(), static_cast<int>(key.size())) != SQLITE_OK)) {
        *error = db ? sqlite3_errmsg(db) : "out of memory";
        return closed(db);
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // The first read derives the key and checks it against the file; nothing is written to a
    // file that fails here (wrong key, not a database, locked).
    if (!exec(db, "SELECT count(*) FROM sqlite_master", error))
        return closed(db);
    // A file still empty is new: ours, or another process's that is creating it right now.
    const bool fresh = missing || std::filesystem::file_size(path, ignored) == 0;
    // Readers then never block the writer. In WAL mode synchronous NORMAL still commits each
    // batch atomically; only the last commits before a power cut can be lost.
    if (!exec(db, "PRAGMA journal_mode=WAL", error) ||
        !exec(db, "PRAGMA synchronous=NORMAL", error)) {
        return closed(db);
    }
    if (fresh && !CreateSchema(db, error))
        return closed(db);
    return db;
}

bool adopt(const std::string& path, std::string_view key, bool pinned, std::string* error) {
    state.close();
    std::string message;
    sqlite3* db = openFile(path, key, &message);
    if (!db) {
        state.error = message;
        if (error)
            *error = message;
        return false;
    }
    state.db = db;
    state.path = path;
    state.pinned = pinned;
    state.id = ++lastConnectionId;
    return true;
}

}  // namespace

sqlite3* ThreadConnection() {
    if (state.db && state.pinned)
        return state.db;
    const std::string path = DatabasePath();
    if (state.db && state.path == path)
        return state.db;
    return adopt(path, kPassword, false, nullptr) ? state.db : nullptr;
}

std::uint64_t ThreadConnectionId() {
    return state.id;
}

void RecordError(std::string message) {
    state.error = std::move(message);
}

void RecordError(sqlite3* db) {
    state.error = sqlite3_errmsg(db);
}

}  // namespace store_detail

std::string DatabasePath() {
    return GetAppPath() + "SearchCom.mdb";
}

bool OpenDatabase(std::string* error) {
    if (store_detail::ThreadConnection())
        return true;
    if (error)
        *error = store_detail::state.error;
    return false;
}

bool OpenDatabaseFile(const std::string& path, std::string_view key, std::string* error) {
    return store_detail::adopt(path, key, true, error);
}

void CloseDatabase() {
    store_detail::state.close();
}

std::string LastDatabaseError() {
    return store_detail::state.error;
}

}  // namespace corpgather
