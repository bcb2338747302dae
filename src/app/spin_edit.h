#pragma once

#include <QSpinBox>

namespace corpgather {

// A spin field that lets the user type any whole number and brings it into the range when
// the field loses the focus (instead of refusing the keystroke that leaves the range); text
// that is no number counts as the minimum.
class SpinEdit final : public QSpinBox {
    Q_OBJECT

public:
    SpinEdit(int minimum, int maximum, int step, QWidget* parent = nullptr);

    // The text as the field would take it now, within the range.
    int currentValue() const;

protected:
    QValidator::State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;

private:
    int bounded(const QString& text) const;
};

}  // namespace corpgather
