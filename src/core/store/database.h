#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The database file SearchCom.mdb in the program folder: a SQLCipher database keyed with the
// compiled-in password. Every thread has its own connection to the file (WAL, busy timeout);
// a connection that could not be opened is tried again by the next statement of its thread,
// and one whose program folder has changed is reopened on the new file. Queries, statements and
// transactions work on the connection of the thread that made them and stay on that thread.
namespace corpgather {

std::string DatabasePath();

// Opens this thread's connection now. A missing file is created with the empty schema; an
// existing file that cannot be opened (wrong key, not a database, locked) is never touched.
// On failure the error text is returned through `error`.
bool OpenDatabase(std::string* error = nullptr);

// Closes this thread's connection; the next statement opens it again.
void CloseDatabase();

// The message of the last failure on this thread's connection.
std::string LastDatabaseError();

// A forward-only row set that the caller owns and reads; see OpenSQL.
class Query final {
public:
    Query();
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    bool isOpen() const;
    bool eof() const;
    // True when the rows ended on an error rather than after the last row.
    bool failed() const;
    void next();
    void close();

    int columnCount() const;
    std::string columnName(int column) const;
    bool isNull(std::string_view name) const;
    // Integer read of a field; NULL, a missing field or text that is no number reads as 0.
    long long fieldInt(std::string_view name) const;
    // Text read of a field; NULL or a missing field reads as empty text.
    std::string fieldText(std::string_view name) const;
    std::string text(int column) const;

private:
    friend bool OpenSQL(Query& query, const std::string& statement);
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Runs one statement that returns no rows. True when it ran. Never throws, shows and logs
// nothing.
bool RunSQL(const std::string& statement);

// Replaces the query's statement and opens it on this thread's connection, positioned on the
// first row. True when the query is open; on false it is closed. Never throws, shows and logs
// nothing.
bool OpenSQL(Query& query, const std::string& statement);

// A prepared statement with bound parameters (1-based), for repeated writes.
class Statement final {
public:
    explicit Statement(const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const;
    void bind(int index, std::string_view text);
    void bind(int index, long long value);
    void bindNull(int index);
    // Runs the statement, then resets it for the next bindings. True when it ran.
    bool exec();
    // Rows inserted, updated or deleted by the last exec.
    int changedRows() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// BEGIN IMMEDIATE on this thread's connection; rolled back on destruction unless committed.
class Transaction final {
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return active_; }
    bool commit();

private:
    bool active_ = false;
    std::uint64_t connection_ = 0;
};

}  // namespace corpgather
