#pragma once

#include <mutex>

namespace corpgather {

// Keeps the runs' batch commits of company rows apart from the company list's writing of a
// shown record. Held for nothing else: never during a fetch, a report or a pause.
std::mutex& CompanyListLock();

}  // namespace corpgather
