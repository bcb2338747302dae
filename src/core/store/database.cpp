#include "store/database.h"

#include "store/connection.h"

namespace corpgather {

bool RunSQL(const std::string& statement) {
    try {
        sqlite3* db = store_detail::ThreadConnection();
        if (!db)
            return false;
        char* message = nullptr;
        if (sqlite3_exec(db, statement.c_str(), nullptr, nullptr, &message) == SQLITE_OK) {
            return true;
        }
        store_detail::RecordError(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
    } catch (...) {
    }
    return false;
}

Transaction::Transaction() {
    if (!RunSQL("BEGIN IMMEDIATE"))
        return;
    active_ = true;
    connection_ = store_detail::ThreadConnectionId();
}

Transaction::~Transaction() {
    // A connection closed or replaced since BEGIN has rolled the transaction back itself.
    if (active_ && store_detail::ThreadConnectionId() == connection_)
        RunSQL("ROLLBACK");
}

bool Transaction::commit() {
    if (!active_)
        return false;
    if (store_detail::ThreadConnectionId() != connection_) {
        active_ = false;
        store_detail::RecordError("the connection of the transaction was closed");
        return false;
    }
    // On failure the transaction stays open, and the destructor rolls it back.
    if (!RunSQL("COMMIT"))
        return false;
    active_ = false;
    return true;
}

}  // namespace corpgather
