#pragma once

#include <QDialog>

class QLabel;

namespace corpgather {

// The About box: the picture login.jpg of the program folder (none when it cannot be read),
// the program's name, its version and version date.
class TfrmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    // True after "确定"; the close box leaves it false.
    bool confirmed() const { return confirmed_; }

private:
    QLabel* picture_;
    bool confirmed_ = false;
};

// Runs the About box modally; true when closed with "确定".
bool OpenAboutDialog(QWidget* parent);

}  // namespace corpgather
