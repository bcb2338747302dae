#pragma once

#include "run/run_observer.h"
#include "store/company_record.h"

namespace corpgather {

// The texts the company list shows for a stored record, with the run's record number.
CompanyDisplayTexts MakeDisplayTexts(const CompanyRecord& record, int recordNo);

}  // namespace corpgather
