#include "store/connection.h"
#include "store/database.h"

namespace corpgather {

struct Statement::Impl {
    sqlite3_stmt* statement = nullptr;
    bool bindFailed = false;
    int changedRows = 0;

    ~Impl() { sqlite3_finalize(statement); }

    void check(int rc) {
        if (rc == SQLITE_OK)
            return;
        bindFailed = true;
        store_detail::RecordError(sqlite3_db_handle(statement));
    }
};

Statement::Statement(const std::string& sql) : impl_(std::make_unique<Impl>()) {
    sqlite3* db = store_detail::ThreadConnection();
    if (!db)
        return;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &impl_->statement, nullptr) != SQLITE_OK) {
        store_detail::RecordError(db);
        sqlite3_finalize(impl_->statement);
        impl_->statement = nullptr;
    }
}

Statement::~Statement() = default;

bool Statement::ok() const {
    return impl_->statement != nullptr;
}

void Statement::bind(int index, std::string_view text) {
    if (!ok())
        return;
    // A null pointer would bind NULL; empty text must stay text.
    impl_->check(sqlite3_bind_text(impl_->statement, index, text.data() ? text.data() : "",
                                   static_cast<int>(text.size()), SQLITE_TRANSIENT));
}

void Statement::bind(int index, long long value) {
    if (!ok())
        return;
    impl_->check(sqlite3_bind_int64(impl_->statement, index, value));
}

void Statement::bindNull(int index) {
    if (!ok())
        return;
    impl_->check(sqlite3_bind_null(impl_->statement, index));
}

int Statement::changedRows() const {
    return impl_->changedRows;
}

bool Statement::exec() {
    if (!ok())
        return false;
    bool ran = false;
    impl_->changedRows = 0;
    if (!impl_->bindFailed) {
        int rc = sqlite3_step(impl_->statement);
        while (rc == SQLITE_ROW)
            rc = sqlite3_step(impl_->statement);
        ran = rc == SQLITE_DONE;
        if (ran) {
            impl_->changedRows = sqlite3_changes(sqlite3_db_handle(impl_->statement));
        } else {
            store_detail::RecordError(sqlite3_db_handle(impl_->statement));
        }
    }
    sqlite3_reset(impl_->statement);
    sqlite3_clear_bindings(impl_->statement);
    impl_->bindFailed = false;
    return ran;
}

}  // namespace corpgather
