#include "spin_edit.h"

#include <algorithm>

namespace corpgather {

SpinEdit::SpinEdit(int minimum, int maximum, int step, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setSingleStep(step);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int SpinEdit::currentValue() const {
    return bounded(cleanText());
}

QValidator::State SpinEdit::validate(QString& input, int&) const {
    const QString text = input.trimmed();
    for (const QChar c : text) {
        if (!c.isDigit())
            return QValidator::Invalid;
    }
    bool number = false;
    const qlonglong value = text.toLongLong(&number);
    return number && value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                              : QValidator::Intermediate;
}

void SpinEdit::fixup(QString& input) const {
    input = QString::number(bounded(input));
}

int SpinEdit::bounded(const QString& text) const {
    bool number = false;
    const qlonglong value = text.trimmed().toLongLong(&number);
    if (!number)
        return minimum();
    return static_cast<int>(std::clamp<qlonglong>(value, minimum(), maximum()));
}

}  // namespace corpgather
