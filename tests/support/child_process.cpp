#include "support/child_process.h"

#include <csignal>
#include <fstream>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/test_support.h"

extern char** environ;

namespace corpgather::test {
namespace {

std::string tempFile(const char* stem) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    close(fd);
    return pattern;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
    : outPath_(tempFile("corpgather-out")), errPath_(tempFile("corpgather-err")) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_TRUNC, 0);
    const int failed = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error("cannot start " + program);
}

ChildProcess::~ChildProcess() {
    if (!reaped_) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

void ChildProcess::signal(int number) const { ::kill(pid_, number); }

int ChildProcess::wait(std::chrono::milliseconds timeout, rusage* usage) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (true) {
        const pid_t done = wait4(pid_, &status, WNOHANG, usage);
        if (done == pid_) break;
        if (std::chrono::steady_clock::now() >= deadline) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reaped_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ChildProcess::output() const {
    std::ifstream in(outPath_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string ChildProcess::errors() const {
    std::ifstream in(errPath_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

CommandResult RunCli(const std::vector<std::string>& arguments) {
    ChildProcess cli((binDir() / "corpgather-cli").string(), arguments);
    CommandResult result;
    result.status = cli.wait();
    result.out = cli.output();
    result.err = cli.errors();
    return result;
}

}  // namespace corpgather::test
