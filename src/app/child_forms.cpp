#include "child_forms.h"

#include <QMdiSubWindow>

namespace corpgather {

QWidget* ShowChildForm(QMdiArea& area, const QMetaObject& formClass,
                       const std::function<QWidget*()>& create) {
    for (QMdiSubWindow* frame : area.subWindowList(QMdiArea::CreationOrder)) {
        QWidget* form = frame->widget();
        if (!form || !form->metaObject()->inherits(&formClass))
            continue;
        if (frame->isMinimized())
            frame->showNormal();
        area.setActiveSubWindow(frame);
        frame->raise();
        form->setFocus();
        return form;
    }
    QWidget* form = create();
    QMdiSubWindow* frame = area.addSubWindow(form);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(form->windowIcon());
    frame->showMaximized();
    return form;
}

QList<QWidget*> ChildForms(QMdiArea& area, const QString& objectName) {
    QList<QWidget*> forms;
    for (QMdiSubWindow* frame : area.subWindowList(QMdiArea::CreationOrder)) {
        if (frame->widget() && frame->widget()->objectName() == objectName)
            forms.append(frame->widget());
    }
    return forms;
}

}  // namespace corpgather
