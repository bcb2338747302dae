#include "run_reports.h"

namespace corpgather {

RunReports::RunReports(QObject* parent) : QObject(parent) {}

void RunReports::taskRunning(int searchId) {
    emit running(searchId);
}

void RunReports::collectedCountChanged(int searchId, long long collectedCount) {
    emit countChanged(searchId, collectedCount);
}

void RunReports::companyStored(int searchId, const CompanyDisplayTexts& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    emit stored(searchId, list);
}

void RunReports::taskEnded(int searchId, RunOutcome outcome) {
    emit ended(searchId, outcome);
}

}  // namespace corpgather
