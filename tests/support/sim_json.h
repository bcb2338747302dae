#pragma once

#include <string>

#include <QJsonArray>
#include <QJsonValue>

#include "support/sim_process.h"

namespace corpgather::test {

// What the simulator lists on one result page: its companies' dumps, in listing order.
QJsonArray SimCompanies(const SimProcess& sim, int page);

// A JSON string value as UTF-8.
inline std::string Str(const QJsonValue& value) { return value.toString().toStdString(); }

}  // namespace corpgather::test
