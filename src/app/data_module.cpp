#include "data_module.h"

#include <string>

#include "message_box.h"
#include "store/database.h"

namespace corpgather {

TfrmData::TfrmData(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("frmData"));
    std::string error;
    if (!OpenDatabase(&error))
        ShowErrorBox(QString::fromStdString(error));
}

TfrmData::~TfrmData() {
    CloseDatabase();
}

}  // namespace corpgather
