#include "cli_app.h"

#include <cstdio>
#include <cstdlib>

#include <QCommandLineParser>

#include "base/app_paths.h"
#include "demo_command.h"
#include "export_command.h"
#include "store/database.h"
#include "task_commands.h"

namespace corpgather::cli {
namespace {

constexpr char kUsage[] =
    "Usage: corpgather-cli [--home DIR] COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  init                      create the database in the program folder if it is missing\n"
    "  task add --url URL [--name TEXT] [--term TEXT] [--total-page N] [--total-num N]\n"
    "           [--engine-id N]  add a search task and print its SearchID\n"
    "  task list                 list the tasks with their state and counts\n"
    "  task run ID               run a task in the foreground (Ctrl-C stops it resumably)\n"
    "  task delete ID            delete a task and its records\n"
    "  demo                      run a task against a local simulated marketplace\n"
    "  export ID --out FILE [--columns NAME,NAME...] [--rows-per-file N] [--style NAME]\n"
    "                            write a task's records to Excel workbooks (.xlsx)\n"
    "\n"
    "Options:\n"
    "  --home DIR                program folder holding the database, settings and log\n"
    "                            (default: $CORPGATHER_HOME, else the executable's folder)\n";

int init() {
    std::string error;
    if (!OpenDatabase(&error))
        return Fail(kExitDatabase, QString("cannot open database %1: %2")
                                       .arg(QString::fromStdString(DatabasePath()),
                                            QString::fromStdString(error)));
    std::printf("%s\n", DatabasePath().c_str());
    return kExitOk;
}

}  // namespace

int Fail(int code, const QString& message) {
    std::fprintf(stderr, "corpgather-cli: %s\n", message.toLocal8Bit().constData());
    return code;
}

int Main(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption home("home", "Program folder.", "DIR");
    const QCommandLineOption help({"h", "help"}, "Show the usage.");
    parser.addOption(home);
    parser.addOption(help);
    if (!parser.parse(arguments)) return Fail(kExitBadInput, parser.errorText());

    const QStringList words = parser.positionalArguments();
    if (parser.isSet(help) || words.isEmpty()) {
        std::fputs(kUsage, words.isEmpty() && !parser.isSet(help) ? stderr : stdout);
        return parser.isSet(help) ? kExitOk : kExitBadInput;
    }
    if (parser.isSet(home)) SetAppPathOverride(parser.value(home).toStdString());

    const QString command = words.first();
    const QStringList rest = words.mid(1);
    if (command == "init") return init();
    if (command == "task") return TaskCommand(rest);
    if (command == "export") return ExportCommand(rest);
    if (command == "demo") {
        const char* environmentHome = std::getenv("CORPGATHER_HOME");
        return DemoCommand(rest, parser.isSet(home) || (environmentHome && *environmentHome));
    }
    return Fail(kExitBadInput, QString("unknown command '%1' (try --help)").arg(command));
}

}  // namespace corpgather::cli
