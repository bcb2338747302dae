#pragma once

#include <QObject>

namespace corpgather {

// Holds the user-interface thread's database connection for the whole run: opened when the
// module is created, before any window, closed when it is destroyed, after them.
class TfrmData final : public QObject {
    Q_OBJECT

public:
    // A database that cannot be opened is reported in the standard error box; the program
    // goes on, and the next statement tries again.
    explicit TfrmData(QObject* parent = nullptr);
    ~TfrmData() override;
};

}  // namespace corpgather
