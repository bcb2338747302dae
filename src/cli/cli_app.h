#pragma once

#include <QStringList>

namespace corpgather::cli {

// Exit codes of corpgather-cli.
enum ExitCode {
    kExitOk = 0,
    kExitFailed = 1,       // the work itself failed (a run ended by a fault, a fetch failed)
    kExitBadInput = 2,     // unknown command or task, malformed address, bad option value
    kExitDatabase = 3,     // the database cannot be opened
    kExitInterrupted = 130,
};

int Main(const QStringList& arguments);

// Prints to standard error, prefixed with the program name, and returns `code`.
int Fail(int code, const QString& message);

}  // namespace corpgather::cli
