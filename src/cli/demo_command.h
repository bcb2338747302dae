#pragma once

#include <QStringList>

namespace corpgather::cli {

// `demo [--pages N] [--per-page N] [--latency-ms N] [--seed N]`: starts the marketplace
// simulator beside this program, points a scratch program folder's hosts at it, creates a task
// for its listing and runs it, then tells where the data went. Without `homeGiven` (--home or
// CORPGATHER_HOME) it works in a new scratch folder.
int DemoCommand(const QStringList& arguments, bool homeGiven);

}  // namespace corpgather::cli
