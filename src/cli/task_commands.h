#pragma once

#include <QStringList>

#include <optional>
#include <string>

namespace corpgather::cli {

// `task add|list|run|delete …`
int TaskCommand(const QStringList& arguments);

struct NewTask {
    std::string url;
    std::string searchName = "阿里巴巴";
    std::string termName;
    std::optional<std::string> totalPage;  // read from the first result page when not given
    std::optional<std::string> totalNum;
    int engineId = 0;
};

// Checks the address, reads the counts from the first result page where they were not given,
// and appends the task: kExitOk with its SearchID, or the exit code after printing why.
int AddTask(const NewTask& task, int* searchId);

// Opens the database or prints why it cannot; false then.
bool OpenDatabaseOrReport();

}  // namespace corpgather::cli
