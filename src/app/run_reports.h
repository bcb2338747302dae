#pragma once

#include <QObject>
#include <QStringList>

#include "run/run_observer.h"

namespace corpgather {

// The reports of every collection run as Qt signals on the user-interface thread. The runs
// deliver to this object's thread and wait for each report, so the windows that connect here
// never see a worker thread.
class RunReports final : public QObject, public RunObserver {
    Q_OBJECT

public:
    explicit RunReports(QObject* parent = nullptr);

    void taskRunning(int searchId) override;
    void collectedCountChanged(int searchId, long long collectedCount) override;
    void companyStored(int searchId, const CompanyDisplayTexts& texts) override;
    void taskEnded(int searchId, RunOutcome outcome) override;

signals:
    void running(int searchId);
    void countChanged(int searchId, qlonglong collectedCount);
    // The 16 record texts the company list shows, then the run's record number.
    void stored(int searchId, const QStringList& texts);
    void ended(int searchId, corpgather::RunOutcome outcome);
};

}  // namespace corpgather
