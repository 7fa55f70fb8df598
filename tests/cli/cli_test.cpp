// Runs the built vortan-cli on the example charts and on charts written for the test.
#include "chart/spl_io.h"
#include "support/files.h"
#include "support/spl_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Cli : public ::testing::Test {
  protected:
    // Runs vortan-cli with args; returns its exit status and keeps what it printed.
    // program false: args is the whole command line.
    int Run(const std::string& args, bool program = true) {
        std::string command = (program ? "\"" + std::string(VORTAN_CLI) + "\" " : "") + args +
                              " >\"" + dir.Name("out.txt") + "\" 2>\"" + dir.Name("err.txt") + "\"";
        int status = std::system(command.c_str());
        out_ = Slurp(dir.path / "out.txt");
        err_ = Slurp(dir.path / "err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Example(const char* name) {
        return "\"" + std::string(VORTAN_EXAMPLES) + "/" + name + "\"";
    }
    std::string Out(const char* name) { return "\"" + dir.Name(name) + "\""; }

    TempDir dir;
    std::string out_, err_;
};

} // namespace

// Each command line, its exit status, a text its standard output holds and a text its standard
// error holds (empty: it prints nothing there).
TEST_F(Cli, WhatEachCommandPrints) {
    ASSERT_EQ(::mkfifo(dir.Name("pipe.spl").c_str(), 0666), 0);
    fs::create_directories(dir.path / "folder.spl");
    std::ofstream(dir.path / "esc.spl", std::ios::binary)
        << "\"Site\",\"a\x1b]0;pwned\x07\x7f"
           "b\\\xc2\x9b"
           "c\xe6\x97\xa5\xff\"\r\n"
        << "\"Number\",\"Time(S)\",\"Data(Volt)\"     ,\"Isotope name\"\r\n";
    // Two excursions above 5 mV: samples 1-2 and 5-8; a very low peak marked at sample 1.
    const double data[] = {0.001, 0.010, 0.010, 0.001, 0.001, 0.010, 0.010, 0.030, 0.010, 0.001};
    std::vector<SplSample> rows;
    for (int i = 0; i < 10; ++i)
        rows.push_back(spltest::Row(i, data[i], ""));
    rows[1] = spltest::Row(1, 0.010, "Rn", 0.0, SAMPLE_HAS_PEAK, 0.000005);
    ASSERT_EQ(WriteSplData(dir.Name("two.spl"), rows.data(), 10, SplChart{2, 0, {}}), 1);
    const std::string peaks = Example("run3-peaks.spl"), in = Example("run3.spl");
    const std::string cannotWrite = "vortan-cli: cannot write " + dir.Name("");
    struct Case {
        std::string args;
        int status;
        std::string out, err;
    } cases[] = {
        {"info " + peaks, 0, "rows: 6000\nversion: 2 (SPL2)\nsmoothed: yes\n", ""},
        {"info " + peaks, 0, "  \"Comment:\" = \"Run 3, detector B\"\n", ""},
        {"info " + peaks, 0,
         "peaks, table 0 (Peak Top / Peak Base): 5\n       700    3.4995987E-001 \"Cs-137\"\n", ""},
        {"info " + peaks, 0, "peaks, table 1 (Revised Top / Revised Base): 3\n", ""},
        {"info " + in, 0, "peaks, table 0 (Peak Top / Peak Base): 0\n", ""},
        {"info " + Out("esc.spl"), 0,
         "\"Site\" = \"a\\x1B]0;pwned\\x07\\x7Fb\\\\\\xC2\\x9Bc\xe6\x97\xa5\\xFF\"\n", ""},
        {"peaks --help", 0, "usage: vortan-cli peaks IN OUT.pks", ""},
        {"smooth " + in + " " + Out("f.spl") + " --optimize", 0, "", "the fixed window is used"},
        {"smooth " + in + " " + Out("o.spl") + " --optimize --max 9 --min 1 --weight digital", 0,
         "", ""},
        {"peaks " + peaks + " - --csv", 0, "position,time,height,top,base,name\n700,700,", ""},
        {"detect " + Out("two.spl"), 0, "sample: 2\ntime: 2\ntop: 0.010000 V\nbase: 0.000000 V\n",
         ""},
        {"detect " + Out("two.spl") + " --from 3", 0, "sample: 7\n", ""},
        {"peaks " + Out("two.spl") + " " + Out("low.pks"), 0, "",
         "warning: very low peak (below 0.01 mV) at row 1"},
        {"detect " + Out("two.spl") + " --threshold 0.02", 0, "top: 0.030000 V\n", ""},
        {"detect " + Out("two.spl") + " --threshold 0.05", 1, "", "no peak found"},
        {"detect " + Out("two.spl") + " --threshold nan", 1, "", "must be a number"},
        {"detect " + Out("missing.spl"), 1, "", "vortan-cli: cannot read"},
        {"peaks " + in + " " + Out("none.pks"), 1, "", "vortan-cli: no peaks"},
        {"peaks " + peaks + " " + Out("no/dir/x.pks"), 1, "",
         cannotWrite + "no/dir/x.pks: No such file or directory\n"},
        {"smooth " + in + " " + Out("x.spl") + " --width abc", 1, "", "--width takes"},
        {"convert " + in, 1, "", "convert takes IN and OUT"},
        {"peaks " + peaks + " " + Out("y.pks") + " --table 2", 1, "", "--table takes 0 or 1"},
        {"info " + Out("pipe.spl"), 1, "",
         "vortan-cli: cannot read " + dir.Name("pipe.spl") +
             ": not a regular file (a device or FIFO)\n"},
        {"convert " + in + " " + Out("folder.spl"), 1, "",
         cannotWrite + "folder.spl: Is a directory\n"},
        {"smooth " + in + " " + Out("pipe.spl"), 1, "",
         cannotWrite + "pipe.spl: not a regular file (a device, FIFO or socket)\n"},
        {"smooth " + in + " " + Out("x.spl") + " --width 2147483647", 1, "",
         "vortan-cli: --width takes a whole number from 0 to 536870911, not 2147483647\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        EXPECT_EQ(Run(c.args), c.status) << err_;
        EXPECT_NE(out_.find(c.out), std::string::npos) << out_;
        if (c.err.empty()) {
            EXPECT_EQ(err_, "");
        } else {
            EXPECT_NE(err_.find(c.err), std::string::npos) << err_;
        }
    }
    EXPECT_EQ(Slurp(dir.path / "low.pks"), "    1,   5.00000000E-006, \"Rn\"\r\n");
    // Nothing was written where a command failed; the FIFO and the folder are still what they were.
    EXPECT_TRUE(fs::is_fifo(dir.path / "pipe.spl"));
    EXPECT_TRUE(fs::is_directory(dir.path / "folder.spl"));
    for (const char* name : {"none.pks", "x.spl", "y.pks"})
        EXPECT_FALSE(fs::exists(dir.path / name)) << name;
}

TEST_F(Cli, ConvertSmoothAndPeaksWriteTheirFiles) {
    // The examples hold the same chart, with and without the SPL2 columns.
    const std::string peaks = Example("run3-peaks.spl"), in = Example("run3.spl");
    const fs::path examples = VORTAN_EXAMPLES;
    ASSERT_EQ(Run("convert " + peaks + " " + Out("same.spl")), 0) << err_;
    EXPECT_EQ(Slurp(dir.path / "same.spl"), Slurp(examples / "run3-peaks.spl"));
    ASSERT_EQ(Run("convert " + peaks + " " + Out("plain.spl") + " --plain"), 0);
    EXPECT_NE(err_.find("warning"), std::string::npos);
    EXPECT_EQ(Slurp(dir.path / "plain.spl"), Slurp(examples / "run3.spl"));
    ASSERT_EQ(Run("convert --spl2 " + Out("plain.spl") + " " + Out("ext.spl")), 0) << err_;
    EXPECT_NE(Slurp(dir.path / "ext.spl").find("\"Version\",\"2\"\r\n"), std::string::npos);

    // smooth writes SPL2 with the smoothed column, the rest kept.
    ASSERT_EQ(Run("smooth " + in + " " + Out("s.spl") + " --width 2"), 0) << err_;
    SplChart chart;
    auto rows = ReadSplData(dir.Name("s.spl"), chart);
    ASSERT_TRUE(rows && rows->size() > 12);
    EXPECT_EQ(chart.version, 2);
    EXPECT_TRUE(chart.flags & HASSM);
    const auto& r = *rows;
    EXPECT_NEAR(r[10].smoothed, (r[8].data + r[9].data + r[10].data + r[11].data + r[12].data) / 5,
                1e-9);
    ASSERT_EQ(Run("convert " + Out("s.spl") + " " + Out("back.spl") + " --plain"), 0);
    EXPECT_EQ(Slurp(dir.path / "back.spl"), Slurp(examples / "run3.spl"));

    // peaks writes the chosen table as PKS or CSV.
    ASSERT_EQ(Run("peaks " + peaks + " " + Out("p.pks") + " --table 1"), 0) << err_;
    EXPECT_EQ(Slurp(dir.path / "p.pks"), "\"Comment:\",\"Run 3, detector B\"\r\n"
                                         "\"Sample:\",\"Soil core 12\"\r\n"
                                         "\"Operator:\",\"lab\"\r\n"
                                         " 1500,   7.93467650E-002, \"Co-60\"\r\n"
                                         " 2300,   1.19976110E+000, \"K-40\"\r\n"
                                         " 3100,   1.90601550E-002, \"Am-241\"\r\n");
    ASSERT_EQ(Run("peaks " + peaks + " " + Out("p.csv") + " --table 1 --csv"), 0) << err_;
    EXPECT_EQ(Slurp(dir.path / "p.csv").rfind("position,time,height,top,base,name\n1500,1500,", 0),
              0u);
}

TEST_F(Cli, RenderWritesPicturesWhenBuiltWithQt) {
    Run("--help");
    if (out_.find("render IN") == std::string::npos) GTEST_SKIP() << "built without Qt";
    // What the pictures hold is the painting tests' matter; here, that the options are taken.
    const std::string spl = Example("run3-peaks.spl");
    ASSERT_EQ(Run("render " + spl + " " + Out("all.png")), 0) << err_;
    EXPECT_EQ(Slurp(dir.path / "all.png").substr(1, 3), "PNG");
    const std::string options = " --from 1000 --to 1999 --range 2 --width 600 --height 300";
    ASSERT_EQ(Run("render " + spl + " " + Out("s.svg") + options + " --overview"), 0) << err_;
    EXPECT_NE(Slurp(dir.path / "s.svg").find("<polyline"), std::string::npos);
    EXPECT_NE(Run("render " + spl + " " + Out("x.gif")), 0);
    EXPECT_NE(Run("render " + spl + " " + Out("x.png") + " --from 7000"), 0);
    EXPECT_EQ(err_.rfind("vortan-cli: render:", 0), 0u) << err_;
    EXPECT_FALSE(fs::exists(dir.path / "x.png"));
}

TEST_F(Cli, AChartCutShortIsReadWithAWarningAndItsOwnStatus) {
    std::string text = Slurp(fs::path(VORTAN_EXAMPLES) / "run3.spl");
    // A blank line after the 1000th row: the rows after it are not read.
    size_t at = 0;
    for (int line = 0; line < 5 + 1000; ++line) // five header lines, then the rows
        at = text.find('\n', at) + 1;
    std::ofstream(dir.path / "cut.spl", std::ios::binary)
        << text.substr(0, at) + "\r\n" + text.substr(at);
    ASSERT_EQ(Run("info " + Out("cut.spl")), 3) << err_;
    EXPECT_NE(out_.find("rows: 1000\n"), std::string::npos);
    EXPECT_EQ(err_, "vortan-cli: warning: " + (dir.path / "cut.spl").string() +
                        ": reading stopped at line 1006, which is not a row; 1000 rows were read "
                        "and the rest of the file was left out\n");
    // Written over its own file, the rest would be lost: refused.
    EXPECT_EQ(Run("convert " + Out("cut.spl") + " " + Out("cut.spl")), 1);
    EXPECT_NE(
        err_.find("cannot write " + (dir.path / "cut.spl").string() + ": its chart was cut short"),
        std::string::npos);
    EXPECT_EQ(fs::file_size(dir.path / "cut.spl"), text.size() + 2);
}

// Runs the save as an unprivileged user: as nobody through setpriv when the tests run as root.
TEST_F(Cli, AFileTheUserMayNotWriteIsNotReplacedAndOwnersAreKeptOrReported) {
    const bool root = ::geteuid() == 0;
    std::string as;
    if (root) {
        if (std::system("command -v setpriv >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "setpriv is not installed: cannot run as an unprivileged user";
        as = "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
        fs::permissions(dir.path, fs::perms::all); // nobody may create files here
    }
    const std::string in = Example("run3.spl");
    std::ofstream(dir.path / "ro.spl") << "protected";
    fs::permissions(dir.path / "ro.spl",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Run(as + "\"" + VORTAN_CLI + "\" convert " + in + " " + Out("ro.spl"), false), 1);
    EXPECT_EQ(err_, "vortan-cli: cannot write " + (dir.path / "ro.spl").string() +
                        ": Permission denied\n");
    EXPECT_EQ(Slurp(dir.path / "ro.spl"), "protected");
    if (!root) GTEST_SKIP() << "keeping another user's ownership needs the tests run as root";
    // root's file that nobody may write: replaced, but it can no longer belong to root.
    std::ofstream(dir.path / "shared.spl") << "shared";
    fs::permissions(dir.path / "shared.spl", fs::perms::all);
    EXPECT_EQ(Run(as + "\"" + VORTAN_CLI + "\" convert " + in + " " + Out("shared.spl"), false), 0);
    EXPECT_EQ(err_, "vortan-cli: warning: " + (dir.path / "shared.spl").string() +
                        ": Its owner and group could not be kept.\n");
    EXPECT_EQ(fs::file_size(dir.path / "shared.spl"),
              fs::file_size(fs::path(VORTAN_EXAMPLES) / "run3.spl"));
}

TEST_F(Cli, AnInterruptedSaveLeavesNoTemporary) {
    std::vector<SplSample> rows(300000);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].isotopeName[0] = 'A';
    SplChart chart;
    ASSERT_EQ(WriteSplData((dir.path / "big.spl").string(), rows.data(), 300000, chart), 1);
    // Stopped at different moments: while reading, while writing, or after the end.
    for (int delayMs : {20, 60, 120, 250}) {
        pid_t child = ::fork();
        if (child == 0) {
            ::execl(VORTAN_CLI, VORTAN_CLI, "convert", (dir.path / "big.spl").c_str(),
                    (dir.path / "copy.spl").c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::usleep(static_cast<useconds_t>(delayMs) * 1000);
        ::kill(child, SIGTERM);
        int status = 0;
        ::waitpid(child, &status, 0);
        for (const auto& entry : fs::directory_iterator(dir.path)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "big.spl" || name == "copy.spl") << name << " after " << delayMs;
        }
    }
}
