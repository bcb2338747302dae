#include "text/event_log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <string>

#include "base/app_paths.h"

namespace corpgather {
namespace {

std::mutex logMutex;

std::string timeStamp() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    char text[32];
    const size_t length = strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, length);
}

// The line break that the file still owes its last line, if it lacks one.
std::string_view missingLineEnd(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_size == 0)
        return {};
    char last = 0;
    if (pread(fd, &last, 1, info.st_size - 1) != 1)
        return {};
    if (last == '\n')
        return {};
    return last == '\r' ? "\n" : "\r\n";
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

int lockFile(int fd) {
    int result;
    do {
        result = flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result;
}

}  // namespace

void WriteLog(std::string_view message) {
    try {
        const std::string path = GetAppPath() + "Log.txt";
        std::string line = timeStamp();
        line += "   ";
        line += message;
        line += "\r\n";

        // The mutex orders this process's threads; the file lock orders the other processes
        // that log to the same folder.
        std::lock_guard guard(logMutex);
        const int fd = open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return;
        if (lockFile(fd) == 0) {
            line.insert(0, missingLineEnd(fd));
            writeAll(fd, line);
            flock(fd, LOCK_UN);
        }
        close(fd);
    } catch (...) {
        // A log line is never worth disturbing the run that writes it.
    }
}

}  // namespace corpgather
