#pragma once

#include <string>
#include <string_view>

namespace corpgather {

// Opens this thread's connection on `path` instead of the program's database, keyed with `key`
// (empty: a plain, unencrypted SQLite file), with the same checks and schema creation as
// OpenDatabase. The connection stays on that file until CloseDatabase. For benchmarks and
// tests that need a second file or a plain one to compare with.
bool OpenDatabaseFile(const std::string& path, std::string_view key, std::string* error = nullptr);

}  // namespace corpgather
