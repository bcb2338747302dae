#include "program.h"

#include <QMdiSubWindow>

#include "application.h"
#include "data_module.h"
#include "main_window.h"
#include "run/run_registry.h"
#include "run_reports.h"
#include "single_instance.h"

namespace corpgather {

Program::Program()
    : data_(std::make_unique<TfrmData>()),
      reports_(std::make_unique<RunReports>()),
      runs_(std::make_unique<RunRegistry>(*reports_, reports_.get())),
      mainWindow_(std::make_unique<TfrmMain>(*runs_)) {
    QObject::connect(mainWindow_.get(), &TfrmMain::endRequested, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    mainWindow_->openSearchWindow();
}

Program::~Program() {
    qDeleteAll(mainWindow_->mdiArea().subWindowList());
    runs_->stopAll();
    mainWindow_.reset();
    runs_.reset();
    reports_.reset();
    data_.reset();
}

int RunProgram(int argc, char** argv) {
    Application application(argc, argv);
    SingleInstance instance;
    if (!instance.claim())
        return 0;
    Program program;
    QObject::connect(&instance, &SingleInstance::activationRequested, &program.mainWindow(),
                     &TfrmMain::restoreInstance);
    program.mainWindow().show();
    return application.exec();
}

}  // namespace corpgather
