#include "store/connection.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
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

// Opens an existing file and checks the key. The first read derives the key and checks it
// against the file; nothing is written to a file that fails here (wrong key, not a database,
// locked).
sqlite3* openKeyed(const std::string& path, std::string_view key, std::string* error) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        (!key.empty() && sqlite3_key(db, key.data(), static_cast<int>(key.size())) != SQLITE_OK)) {
        *error = db ? sqlite3_errmsg(db) : "out of memory";
        return closed(db);
    }
    // SQLCipher 3 pages default to 1 KiB; 4 KiB, the size of plain SQLite's, keeps a company
    // row with its long introduction on one page, and a batch encrypts a quarter as many.
    if (!key.empty() && !exec(db, "PRAGMA cipher_page_size=4096", error))
        return closed(db);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    if (!exec(db, "SELECT count(*) FROM sqlite_master", error))
        return closed(db);
    return db;
}

bool isEmptyFile(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::file_size(path, ignored) == 0;
}

// Moves the draft to `path` unless a file is there already, which counts as done.
bool publish(const std::string& draft, const std::string& path) {
    if (renameat2(AT_FDCWD, draft.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return true;
    // File systems without that flag mostly have hard links, which never replace either.
    return link(draft.c_str(), path.c_str()) == 0 || errno == EEXIST;
}

// SQLCipher takes the salt of the key from the file's first page when keying, and makes one
// up for an empty file: a connection keying a new file before its creator wrote that page
// could never read it. So a new database is made complete under another name and linked into
// place, which fails harmlessly when another connection got there first.
bool createFile(const std::string& path, std::string_view key, std::string* error) {
    std::string draft = path + ".new-XXXXXX";
    const int fd = mkstemp(draft.data());
    if (fd < 0) {
        *error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    bool made = false;
    if (sqlite3* db = openKeyed(draft, key, error)) {
        made = CreateSchema(db, error);
        made = sqlite3_close(db) == SQLITE_OK && made;
    }
    if (made && !publish(draft, path)) {
        *error = "cannot create " + path + ": " + std::strerror(errno);
        made = false;
    }
    unlink(draft.c_str());
    return made;
}

sqlite3* openFile(const std::string& path, std::string_view key, std::string* error) {
    std::error_code ignored;
    // Only a missing file is created: anything else at the path is the user's.
    if (std::filesystem::status(path, ignored).type() == std::filesystem::file_type::not_found &&
        !createFile(path, key, error)) {
        return nullptr;
    }
    // An empty file is an empty database, which gets the tables.
    const bool empty = isEmptyFile(path);
    sqlite3* db = openKeyed(path, key, error);
    if (!db)
        return nullptr;
    // Readers then never block the writer. In WAL mode synchronous NORMAL still commits each
    // batch atomically; only the last commits before a power cut can be lost.
    if (!exec(db, "PRAGMA journal_mode=WAL", error) ||
        !exec(db, "PRAGMA synchronous=NORMAL", error)) {
        return closed(db);
    }
    if (empty && !CreateSchema(db, error))
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
