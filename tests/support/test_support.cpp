#include "support/test_support.h"

#include <fstream>
#include <sstream>
#include <thread>

#include "base/app_paths.h"
#include "store/database.h"

namespace corpgather::test {

TempHome::TempHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corpgather-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    CloseDatabase();
    SetAppPathOverride(path_.string());
}

TempHome::~TempHome() {
    CloseDatabase();
    SetAppPathOverride({});
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempHome::writeFile(const std::string& name, const std::string& content) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string TempHome::readFile(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool waitFor(const std::function<bool()>& predicate, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

std::filesystem::path binDir() { return CORPGATHER_BIN_DIR; }

}  // namespace corpgather::test
