#include "run/company_list_lock.h"

namespace corpgather {

std::mutex& CompanyListLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace corpgather
