#pragma once

#include <memory>

namespace corpgather {

class RunRegistry;
class RunReports;
class TfrmData;
class TfrmMain;

// What one run of the program owns, created in this order: the data module (the database
// connection), the registry of collection runs, the main window with the search window.
// Destroyed in reverse: the search window, the runs, the main window with its tray icon,
// and last the data module.
class Program final {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TfrmData& dataModule() { return *data_; }
    TfrmMain& mainWindow() { return *mainWindow_; }
    RunRegistry& runs() { return *runs_; }
    RunReports& reports() { return *reports_; }

private:
    std::unique_ptr<TfrmData> data_;
    std::unique_ptr<RunReports> reports_;
    std::unique_ptr<RunRegistry> runs_;
    std::unique_ptr<TfrmMain> mainWindow_;
};

// The program's main block: one instance per user, then the program until "退出" of the tray
// menu. Returns the exit status.
int RunProgram(int argc, char** argv);

}  // namespace corpgather
