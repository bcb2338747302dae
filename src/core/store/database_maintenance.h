#pragma once

#include <string>

// Keeping the database file in shape: emptying it and compacting it. Both work on this
// thread's connection; the caller stops or pauses the collection runs around them.
namespace corpgather {

// Empties SearchTask and Company in one transaction: either both are empty afterwards or
// neither changed. On failure the error text is returned.
bool ClearDatabase(std::string* error = nullptr);

// Rewrites the database compactly under the same name and key (VACUUM in place), so that the
// file on disk is a complete database at every moment, and removes a SearchCom.mdb.tmp left
// by an earlier program. This thread's connection stays open. On failure the error text is
// returned and the database is as it was.
bool CompactDatabase(std::string* error = nullptr);

}  // namespace corpgather
