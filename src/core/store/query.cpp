#include <charconv>
#include <vector>

#include "store/connection.h"
#include "store/database.h"

namespace corpgather {
namespace {

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

long long wholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? value : 0;
}

}  // namespace

struct Query::Impl {
    sqlite3_stmt* statement = nullptr;
    bool eof = true;
    bool failed = false;
    std::vector<std::string> names;

    ~Impl() { sqlite3_finalize(statement); }

    void reset() {
        sqlite3_finalize(statement);
        statement = nullptr;
        eof = true;
        failed = false;
        names.clear();
    }

    // Steps to the next row; an error ends the rows and is recorded.
    void step() {
        const int rc = sqlite3_step(statement);
        eof = rc != SQLITE_ROW;
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            failed = true;
            store_detail::RecordError(sqlite3_db_handle(statement));
        }
    }

    // The column of that name (ASCII letters in any case, as SQL names compare), or -1.
    int column(std::string_view name) const {
        if (eof)
            return -1;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (sameName(names[i], name))
                return static_cast<int>(i);
        }
        return -1;
    }
};

Query::Query() : impl_(std::make_unique<Impl>()) {}

Query::~Query() = default;

bool Query::isOpen() const {
    return impl_->statement != nullptr;
}

bool Query::eof() const {
    return impl_->eof;
}

bool Query::failed() const {
    return impl_->failed;
}

void Query::next() {
    if (!impl_->eof)
        impl_->step();
}

void Query::close() {
    impl_->reset();
}

int Query::columnCount() const {
    return static_cast<int>(impl_->names.size());
}

std::string Query::columnName(int column) const {
    return column >= 0 && column < columnCount() ? impl_->names[column] : std::string{};
}

bool Query::isNull(std::string_view name) const {
    const int column = impl_->column(name);
    return column < 0 || sqlite3_column_type(impl_->statement, column) == SQLITE_NULL;
}

long long Query::fieldInt(std::string_view name) const {
    const int column = impl_->column(name);
    if (column < 0)
        return 0;
    switch (sqlite3_column_type(impl_->statement, column)) {
        case SQLITE_INTEGER:
            return sqlite3_column_int64(impl_->statement, column);
        case SQLITE_FLOAT:
            return static_cast<long long>(sqlite3_column_double(impl_->statement, column));
        case SQLITE_TEXT:
            return wholeNumber(text(column));
        default:
            return 0;
    }
}

std::string Query::fieldText(std::string_view name) const {
    const int column = impl_->column(name);
    return column < 0 ? std::string{} : text(column);
}

std::string Query::text(int column) const {
    if (impl_->eof || column < 0 || column >= columnCount())
        return {};
    const auto* bytes = sqlite3_column_text(impl_->statement, column);
    if (!bytes)
        return {};
    return {reinterpret_cast<const char*>(bytes),
            static_cast<std::size_t>(sqlite3_column_bytes(impl_->statement, column))};
}

bool OpenSQL(Query& query, const std::string& statement) {
    try {
        query.close();
        sqlite3* db = store_detail::ThreadConnection();
        if (!db)
            return false;
        auto& impl = *query.impl_;
        if (sqlite3_prepare_v2(db, statement.c_str(), -1, &impl.statement, nullptr) != SQLITE_OK) {
            store_detail::RecordError(db);
            query.close();
            return false;
        }
        if (!impl.statement) {
            store_detail::RecordError("no statement to open");
            return false;
        }
        for (int i = 0; i < sqlite3_column_count(impl.statement); ++i) {
            const char* name = sqlite3_column_name(impl.statement, i);
            impl.names.emplace_back(name ? name : "");
        }
        impl.step();
        if (impl.failed) {
            query.close();
            return false;
        }
        return true;
    } catch (...) {
        query.close();
        return false;
    }
}

}  // namespace corpgather
