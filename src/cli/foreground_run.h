#pragma once

namespace corpgather::cli {

// Runs the task on a run thread while this thread shows its progress: a line rewritten in
// place on a terminal, plain lines otherwise. Ctrl-C stops the run cleanly and leaves the task
// resumable. Returns the exit code for the run's outcome.
int RunInForeground(int searchId);

}  // namespace corpgather::cli
