#include "task_commands.h"

#include <cstdio>

#include <QCommandLineParser>
#include <QUrl>
#include <QUrlQuery>

#include "cli_app.h"
#include "foreground_run.h"
#include "run/listing_counts.h"
#include "store/database.h"
#include "store/task_store.h"
#include "text/url_params.h"

namespace corpgather::cli {
namespace {

std::optional<int> parseId(const QString& text) {
    bool ok = false;
    const int id = text.toInt(&ok);
    return ok ? std::optional<int>(id) : std::nullopt;
}

bool isWholeNumber(const QString& text) {
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

// The search words of a listing address, for the task's name.
std::string termFromUrl(const std::string& url) {
    const QUrlQuery query(QUrl(QString::fromStdString(url)));
    return query.queryItemValue("keywords", QUrl::FullyDecoded).toStdString();
}

const char* stateText(const TaskRow& task) { return task.isFinish == 1 ? "finished" : "open"; }

int list() {
    std::printf("%-6s %-9s %8s %8s %11s  %s\n", "ID", "STATE", "STORED", "TOTAL", "PAGE", "NAME");
    for (const TaskRow& task : ListTasks()) {
        const std::string total = task.totalNum ? std::to_string(*task.totalNum) : "-";
        const std::string pages =
            std::to_string(task.page) + "/" +
            (task.totalPage ? std::to_string(*task.totalPage) : std::string("-"));
        std::printf("%-6d %-9s %8lld %8s %11s  %s\n", task.searchId, stateText(task), task.num,
                    total.c_str(), pages.c_str(), task.termName.c_str());
    }
    return kExitOk;
}

int add(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption url("url", "Result listing address.", "URL");
    const QCommandLineOption name("name", "Data-source name.", "TEXT");
    const QCommandLineOption term("term", "Task name (search term).", "TEXT");
    const QCommandLineOption totalPage("total-page", "Last result page.", "N");
    const QCommandLineOption totalNum("total-num", "Result count.", "N");
    const QCommandLineOption engineId("engine-id", "Data-source site number.", "N");
    parser.addOptions({url, name, term, totalPage, totalNum, engineId});
    if (!parser.parse(QStringList{"task add"} + arguments))
        return Fail(kExitBadInput, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Fail(kExitBadInput, "unexpected argument: " + parser.positionalArguments().first());
    if (!parser.isSet(url)) return Fail(kExitBadInput, "task add needs --url URL");

    NewTask task;
    task.url = parser.value(url).toStdString();
    if (parser.isSet(name)) task.searchName = parser.value(name).toStdString();
    task.termName = parser.isSet(term) ? parser.value(term).toStdString() : termFromUrl(task.url);
    for (const auto& [option, target] : {std::pair{&totalPage, &task.totalPage},
                                         std::pair{&totalNum, &task.totalNum}}) {
        if (!parser.isSet(*option)) continue;
        if (!isWholeNumber(parser.value(*option)))
            return Fail(kExitBadInput, "--" + option->names().first() + " needs a whole number");
        *target = parser.value(*option).toStdString();
    }
    if (parser.isSet(engineId)) {
        const std::optional<int> value = parseId(parser.value(engineId));
        if (!value) return Fail(kExitBadInput, "--engine-id needs a whole number");
        task.engineId = *value;
    }
    if (!OpenDatabaseOrReport()) return kExitDatabase;
    int searchId = 0;
    const int code = AddTask(task, &searchId);
    if (code != kExitOk) return code;
    std::printf("%d\n", searchId);
    return kExitOk;
}

int withTask(const QStringList& arguments, const char* verb, int (*action)(int)) {
    if (arguments.size() != 1) return Fail(kExitBadInput, QString("task %1 needs one task ID").arg(verb));
    const std::optional<int> id = parseId(arguments.first());
    if (!id) return Fail(kExitBadInput, "not a task ID: " + arguments.first());
    if (!OpenDatabaseOrReport()) return kExitDatabase;
    if (!ReadTask(*id)) return Fail(kExitBadInput, QString("unknown task %1").arg(*id));
    return action(*id);
}

int runTask(int id) { return RunInForeground(id); }

int deleteTask(int id) {
    if (!MarkTaskDeleted(id) || !PurgeDeletedTasks())
        return Fail(kExitDatabase, QString::fromStdString("cannot delete: " + LastDatabaseError()));
    return kExitOk;
}

}  // namespace

bool OpenDatabaseOrReport() {
    std::string error;
    if (OpenDatabase(&error)) return true;
    Fail(kExitDatabase, QString::fromStdString("cannot open database " + DatabasePath() + ": " + error));
    return false;
}

int AddTask(const NewTask& task, int* searchId) {
    const QUrl parsed(QString::fromStdString(task.url), QUrl::StrictMode);
    if (!parsed.isValid() || (parsed.scheme() != "http" && parsed.scheme() != "https") ||
        parsed.host().isEmpty())
        return Fail(kExitBadInput, QString::fromStdString("not an http address: " + task.url));
    if (task.engineId == 0 && !GetUrlParamInt(task.url, "beginPage="))
        return Fail(kExitBadInput,
                    QString::fromStdString("the address has no page number (beginPage=N&): " + task.url));

    TSearchTask row;
    row.EngineID = std::to_string(task.engineId);
    row.SearchEngine = "2alibaba.cfg";
    row.SearchName = task.searchName;
    row.Url = task.url;
    row.Utf8 = "0";
    row.HttpMethod = "0";
    row.TermName = task.termName;
    row.TotalPage = task.totalPage.value_or("");
    row.TotalNum = task.totalNum.value_or("");
    if (!task.totalPage || !task.totalNum) {
        std::string error;
        const std::optional<ListingCounts> counts = FetchListingCounts(task.url, &error);
        if (!counts)
            return Fail(kExitFailed, QString::fromStdString("cannot read the first result page (" +
                                                            error + "); give --total-page"));
        if (!task.totalPage) row.TotalPage = counts->totalPage;
        if (!task.totalNum) row.TotalNum = counts->totalNum;
    }

    const std::optional<int> id = NextSearchID();
    if (!id) return Fail(kExitDatabase, QString::fromStdString("cannot number the task: " + LastDatabaseError()));
    row.SearchID = std::to_string(*id);
    std::string error;
    if (!corpgather::AddTask(row, &error))
        return Fail(kExitDatabase, QString::fromStdString("cannot store the task: " + error));
    *searchId = *id;
    return kExitOk;
}

int TaskCommand(const QStringList& arguments) {
    const QString verb = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (verb == "add") return add(rest);
    if (verb == "list") {
        if (!OpenDatabaseOrReport()) return kExitDatabase;
        return list();
    }
    if (verb == "run") return withTask(rest, "run", runTask);
    if (verb == "delete") return withTask(rest, "delete", deleteTask);
    return Fail(kExitBadInput, "task needs one of: add, list, run, delete");
}

}  // namespace corpgather::cli
