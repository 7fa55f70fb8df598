// A folder of the test's own, removed afterwards, and whole files read and written.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

inline std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct TempDir {
    fs::path path;
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = fs::temp_directory_path() / ("vortan_" + std::string(info->test_suite_name()) + "_" +
                                            info->name() + "_" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // Writes contents to the file name of the folder; returns its path.
    std::string File(const std::string& name, const std::string& contents) const {
        std::ofstream(path / name, std::ios::binary) << contents;
        return Name(name);
    }
    std::string Name(const std::string& name) const { return (path / name).string(); }
    size_t FileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(path), {}));
    }
};
