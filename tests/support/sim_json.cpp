#include "support/sim_json.h"

#include <QJsonDocument>

namespace corpgather::test {

QJsonArray SimCompanies(const SimProcess& sim, int page) {
    const HttpResult result =
        HttpGet(sim.baseUrl() + "/__sim/companies?page=" + std::to_string(page));
    return QJsonDocument::fromJson(QByteArray::fromStdString(result.body)).array();
}

}  // namespace corpgather::test
