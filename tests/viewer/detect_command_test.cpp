// Runs "vortan-cli detect" on a small chart written for the test.
#include "chart/spl_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

CliRun RunCli(const fs::path& dir, const std::string& args) {
    std::string command = "\"" + std::string(VORTAN_CLI) + "\" " + args + " >\"" +
                          (dir / "out.txt").string() + "\" 2>\"" + (dir / "err.txt").string() +
                          "\"";
    int status = std::system(command.c_str());
#ifndef _WIN32
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return {status, ReadAll(dir / "out.txt"), ReadAll(dir / "err.txt")};
}

} // namespace

TEST(DetectCommand, ProposesTheMiddleOfTheFirstExcursion) {
    fs::path dir = fs::temp_directory_path() / "vortan_detect_command";
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Two excursions above 5 mV: samples 1-2 and 5-8.
    std::vector<double> data = {0.001, 0.010, 0.010, 0.001, 0.001,
                                0.010, 0.010, 0.030, 0.010, 0.001};
    std::vector<SplSample> rows(data.size());
    for (size_t i = 0; i < data.size(); ++i) {
        rows[i].time = static_cast<int32_t>(i);
        rows[i].data = data[i];
    }
    SplChart chart;
    std::string file = (dir / "two.spl").string();
    ASSERT_EQ(WriteSplData(file, rows.data(), static_cast<int>(rows.size()), chart), 1);

    CliRun run = RunCli(dir, "detect \"" + file + "\"");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("sample: 2\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("top: 0.010000 V\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("base: 0.000000 V\n"), std::string::npos) << run.out;

    run = RunCli(dir, "detect \"" + file + "\" --from 3");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("sample: 7\n"), std::string::npos) << run.out;

    run = RunCli(dir, "detect \"" + file + "\" --threshold 0.02");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("top: 0.030000 V\n"), std::string::npos) << run.out;
    run = RunCli(dir, "detect \"" + file + "\" --threshold 0.05");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no peak found"), std::string::npos) << run.err;
    run = RunCli(dir, "detect \"" + file + "\" --threshold nan");
    EXPECT_EQ(run.status, 1);
    run = RunCli(dir, "detect \"" + (dir / "missing.spl").string() + "\"");
    EXPECT_EQ(run.status, 1);
    fs::remove_all(dir);
}
