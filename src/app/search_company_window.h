#pragma once

#include <QWidget>

namespace corpgather {

// The search window, an MDI child of the main window; at most one is open.
class TfrmSearchCompany final : public QWidget {
    Q_OBJECT

public:
    explicit TfrmSearchCompany(QWidget* parent = nullptr);
};

}  // namespace corpgather
