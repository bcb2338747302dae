#pragma once

#include <functional>

#include <QMdiArea>
#include <QMetaObject>
#include <QWidget>

namespace corpgather {

// Brings the open MDI child of the class forward (restored when minimised, raised and
// focused), or creates one with `create` and shows it. Returns the child.
QWidget* ShowChildForm(QMdiArea& area, const QMetaObject& formClass,
                       const std::function<QWidget*()>& create);

template <typename Form>
Form* ShowChildForm(QMdiArea& area) {
    return static_cast<Form*>(ShowChildForm(area, Form::staticMetaObject, [] { return new Form; }));
}

// The open MDI children named `objectName`, in the order they were opened.
QList<QWidget*> ChildForms(QMdiArea& area, const QString& objectName);

}  // namespace corpgather
