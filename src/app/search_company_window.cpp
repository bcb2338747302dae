#include "search_company_window.h"

namespace corpgather {

TfrmSearchCompany::TfrmSearchCompany(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmSearchCompany"));
    setWindowTitle(QStringLiteral("企业名录搜索"));
}

}  // namespace corpgather
