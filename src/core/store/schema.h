#pragma once

#include <string>

#include <sqlite3.h>

namespace corpgather::store_detail {

// Creates the tables and index of an empty database. Safe to run by several processes on the
// same new file at once: it is one transaction of CREATE … IF NOT EXISTS.
bool CreateSchema(sqlite3* db, std::string* error);

}  // namespace corpgather::store_detail
