#pragma once

#include <chrono>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

namespace corpgather::test {

// A program started for a test, its standard output and error captured to files.
class ChildProcess final {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int number) const;
    // Waits for the end; the exit status, or 128 + signal number. -1 on time-out. `usage`
    // receives the child's resource use (peak memory among it).
    int wait(std::chrono::milliseconds timeout = std::chrono::minutes(5), rusage* usage = nullptr);
    std::string output() const;
    std::string errors() const;

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    std::string outPath_;
    std::string errPath_;
};

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs corpgather-cli with the arguments and waits for it.
CommandResult RunCli(const std::vector<std::string>& arguments);

}  // namespace corpgather::test
