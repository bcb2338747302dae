#include "demo_command.h"

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <filesystem>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QProcess>

#include "base/app_paths.h"
#include "cli_app.h"
#include "foreground_run.h"
#include "store/database.h"
#include "store/settings.h"
#include "store/task_store.h"
#include "task_commands.h"

namespace corpgather::cli {
namespace {

// The simulator's port, from the first line it prints; 0 when it did not start.
int startSimulator(QProcess& simulator, const QStringList& arguments) {
    const QString program = QCoreApplication::applicationDirPath() + "/marketplace-sim";
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The simulator ends with the demo, however the demo ends.
    simulator.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    simulator.start(program, arguments);
    if (!simulator.waitForStarted(5000)) return 0;
    while (!simulator.canReadLine()) {
        if (!simulator.waitForReadyRead(5000)) return 0;
    }
    return simulator.readLine().trimmed().toInt();
}

std::string scratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corpgather-demo-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

void printSample(int searchId) {
    Query query;
    const std::string statement =
        "SELECT \"会员帐号\", \"公司名称\", \"源网址\" FROM Company WHERE SearchID=" +
        std::to_string(searchId) + " ORDER BY ID LIMIT 5";
    if (!OpenSQL(query, statement)) return;
    std::printf("first records:\n");
    for (; !query.eof(); query.next())
        std::printf("  %-12s %s  %s\n", query.text(0).c_str(), query.text(1).c_str(),
                    query.text(2).c_str());
}

}  // namespace

int DemoCommand(const QStringList& arguments, bool homeGiven) {
    QCommandLineParser parser;
    const QCommandLineOption pages("pages", "Result pages.", "N", "5");
    const QCommandLineOption perPage("per-page", "Entries per page.", "N", "20");
    const QCommandLineOption latency("latency-ms", "Simulated latency per response.", "MS", "0");
    const QCommandLineOption seed("seed", "Simulator seed.", "N", "1");
    parser.addOptions({pages, perPage, latency, seed});
    if (!parser.parse(QStringList{"demo"} + arguments)) return Fail(kExitBadInput, parser.errorText());

    // Unless a program folder was named, the demo never touches a real one.
    if (!homeGiven) {
        const std::string folder = scratchFolder();
        if (folder.empty()) return Fail(kExitFailed, "cannot create a scratch folder");
        SetAppPathOverride(folder);
    }
    std::printf("program folder: %s\n", GetAppPath().c_str());

    QProcess simulator;
    const int port = startSimulator(
        simulator, {"--port", "0", "--seed", parser.value(seed), "--pages", parser.value(pages),
                    "--per-page", parser.value(perPage), "--latency-ms", parser.value(latency)});
    if (port <= 0) return Fail(kExitFailed, "the marketplace simulator did not start");
    std::printf("simulated marketplace on 127.0.0.1:%d\n", port);

    const std::string suffix = ":" + std::to_string(port);
    std::string error;
    if (!WriteHosts({"127.0.0.1" + suffix, ".shop.localhost" + suffix, "company.localhost" + suffix,
                     "member.localhost" + suffix},
                    &error))
        return Fail(kExitFailed, QString::fromStdString("cannot write the settings: " + error));
    if (!OpenDatabaseOrReport()) return kExitDatabase;

    NewTask task;
    task.url = "http://127.0.0.1" + suffix +
               "/company/company_search.htm?keywords=%C4%A3%BE%DF&beginPage=1&n=y";
    task.termName = "模具";
    int searchId = 0;
    if (const int code = AddTask(task, &searchId); code != kExitOk) return code;
    std::printf("task %d created\n", searchId);

    const int code = RunInForeground(searchId);
    simulator.terminate();
    simulator.waitForFinished(5000);

    printSample(searchId);
    std::printf("database: %s\nlog:      %sLog.txt\nsettings: %s\n", DatabasePath().c_str(),
                GetAppPath().c_str(), GetIniFileName().c_str());
    return code;
}

}  // namespace corpgather::cli
