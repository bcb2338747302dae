#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace corpgather::test {

// A fresh program folder for one test: GetAppPath points at it while the object lives.
class TempHome final {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void writeFile(const std::string& name, const std::string& content) const;
    std::string readFile(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// Polls the predicate until it holds or the time-out passes; true when it held.
bool waitFor(const std::function<bool()>& predicate,
             std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Folder of the built executables (corpgather-cli, marketplace-sim).
std::filesystem::path binDir();

}  // namespace corpgather::test
