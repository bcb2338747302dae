#include "base/app_paths.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace corpgather {
namespace {

std::mutex overrideMutex;
std::string overrideFolder;

std::string trimmed(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return text.substr(begin, end - begin);
}

std::string withSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string executableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path().string();
    return exe.parent_path().string();
}

}  // namespace

std::string GetAppPath() {
    {
        std::lock_guard lock(overrideMutex);
        if (!overrideFolder.empty()) return withSeparator(overrideFolder);
    }
    if (const char* home = std::getenv("CORPGATHER_HOME")) {
        const std::string folder = trimmed(home);
        if (!folder.empty()) return withSeparator(folder);
    }
    return withSeparator(trimmed(executableFolder()));
}

void SetAppPathOverride(const std::string& folder) {
    std::lock_guard lock(overrideMutex);
    overrideFolder = trimmed(folder);
}

}  // namespace corpgather
