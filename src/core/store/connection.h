#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <sqlite3.h>

// This thread's connection to the database file. Internal to the store library: only its own
// sources see SQLCipher's sqlite3.h.
namespace corpgather::store_detail {

// This thread's connection, opened (or reopened on a changed program folder) as needed;
// nullptr when the file cannot be opened, with the error recorded.
sqlite3* ThreadConnection();

// Tells this thread's connections apart: changes whenever the thread opens a new one.
std::uint64_t ThreadConnectionId();

// Records the message that LastDatabaseError reports.
void RecordError(std::string message);
void RecordError(sqlite3* db);

}  // namespace corpgather::store_detail
