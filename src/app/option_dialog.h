#pragma once

#include <QDialog>

class QRadioButton;
class QTabWidget;

namespace corpgather {

class SpinEdit;

// The options of the settings file (section Option) in two tabs. Values outside a field's
// range show as its nearest bound; saving writes all eight keys and keeps everything else in
// the file; cancelling writes nothing.
class TfrmOption final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmOption(QWidget* parent = nullptr);

    // The settings file into the fields; the dialog shows its first tab.
    void LoadSettings();
    bool saved() const { return saved_; }

private:
    QWidget* buildGeneralTab();
    QWidget* buildTaskTab();
    SpinEdit* spinField(const char* key);
    void save();

    QTabWidget* pages_;
    QRadioButton* allTasks_;
    QRadioButton* singleTask_;
    bool saved_ = false;
};

// Runs the dialog modally; true when the user saved.
bool ShowOptionDialog(QWidget* parent);

}  // namespace corpgather
