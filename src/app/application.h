#pragma once

#include <QApplication>

namespace corpgather {

// The application object with the program's name, icon and font; a failure that escapes an event
// handler is shown in the standard error box, after which the program goes on.
class Application final : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace corpgather
