#include "chart/atomic_file.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void Put(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

} // namespace

TEST(AtomicWriteFile, ReplacesTargetAndLeavesNoTemporary) {
    TempDir dir;
    fs::path target = dir.path / "a.spl";
    Put(target, "old contents");
    std::string error;
    EXPECT_TRUE(AtomicWriteFile(
        target.string(), [](std::FILE* f) { return std::fputs("new", f) >= 0; }, &error));
    EXPECT_EQ(Slurp(target), "new");
    EXPECT_EQ(dir.FileCount(), 1u);
    // A target that did not exist is created.
    EXPECT_TRUE(AtomicWriteFile((dir.path / "b").string(), [](std::FILE*) { return true; }));
    EXPECT_TRUE(fs::exists(dir.path / "b"));
}

TEST(AtomicWriteFile, FailureKeepsOldFileWhole) {
    TempDir dir;
    fs::path target = dir.path / "a.spl";
    Put(target, "old contents");
    std::string error;
    // The writer gives up half way.
    EXPECT_FALSE(AtomicWriteFile(
        target.string(),
        [](std::FILE* f) {
            std::fputs("partial", f);
            return false;
        },
        &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Slurp(target), "old contents");
    EXPECT_EQ(dir.FileCount(), 1u);
    // The folder does not exist: nothing can be created.
    EXPECT_FALSE(AtomicWriteFile((dir.path / "missing" / "x").string(),
                                 [](std::FILE*) { return true; }, &error));
    EXPECT_FALSE(error.empty());
}

TEST(AtomicFile, CommitAbandonAndDestructor) {
    TempDir dir;
    fs::path target = dir.path / "c.txt";
    Put(target, "keep");
    {
        AtomicFile f;
        ASSERT_TRUE(f.Open(target.string()));
        EXPECT_TRUE(f.Write("never committed"));
    } // destroyed without Commit
    EXPECT_EQ(Slurp(target), "keep");
    EXPECT_EQ(dir.FileCount(), 1u);

    AtomicFile f;
    ASSERT_TRUE(f.Open(target.string()));
    EXPECT_TRUE(f.Write("replaced"));
    EXPECT_TRUE(f.ok());
    EXPECT_TRUE(f.Commit());
    EXPECT_EQ(Slurp(target), "replaced");
    EXPECT_FALSE(f.Commit()); // nothing open any more

    ASSERT_TRUE(f.Open(target.string()));
    f.Abandon();
    EXPECT_FALSE(f.Write("x"));
    EXPECT_EQ(Slurp(target), "replaced");
    EXPECT_EQ(dir.FileCount(), 1u);
}

TEST(AtomicFile, RefusesTargetsThatAreNoRegularFiles) {
    TempDir dir;
    fs::create_directories(dir.path / "sub");
    ASSERT_EQ(::mkfifo((dir.path / "fifo").c_str(), 0666), 0);
    // A device node (like /dev/null) can be made only by root.
    const bool device = ::mknod((dir.path / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    struct Case {
        const char* name;
        const char* reason;
    } cases[] = {
        {"sub", "Is a directory"}, {"fifo", "not a regular file"}, {"null", "not a regular file"}};
    for (const Case& c : cases) {
        if (std::string(c.name) == "null" && !device) continue;
        SaveReport report;
        EXPECT_FALSE(AtomicWriteFile((dir.path / c.name).string(),
                                     [](std::FILE* f) { return std::fputs("x", f) >= 0; }, &report))
            << c.name;
        EXPECT_NE(report.error.find(c.reason), std::string::npos) << c.name << ": " << report.error;
    }
    EXPECT_TRUE(fs::is_directory(dir.path / "sub"));
    EXPECT_TRUE(fs::is_fifo(dir.path / "fifo"));
    if (device) {
        EXPECT_TRUE(fs::is_character_file(dir.path / "null"));
    }
    EXPECT_EQ(dir.FileCount(), device ? 3u : 2u);
}

TEST(AtomicFile, FollowsLinksAndReportsPartedHardLinks) {
    TempDir dir;
    Put(dir.path / "real.spl", "old");
    fs::create_symlink("real.spl", dir.path / "link.spl");
    fs::create_symlink(dir.path / "link.spl", dir.path / "chain.spl");
    fs::create_symlink("missing.spl", dir.path / "dangling.spl");
    auto save = [&](const char* name, const char* text, SaveReport* report) {
        return AtomicWriteFile((dir.path / name).string(),
                               [&](std::FILE* f) { return std::fputs(text, f) >= 0; }, report);
    };
    SaveReport report;
    ASSERT_TRUE(save("chain.spl", "new", &report)) << report.error;
    EXPECT_TRUE(fs::is_symlink(dir.path / "chain.spl"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.spl"));
    EXPECT_EQ(Slurp(dir.path / "real.spl"), "new");
    EXPECT_EQ(report.Notice(), "");
    ASSERT_TRUE(save("dangling.spl", "made", &report));
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling.spl"));
    EXPECT_EQ(Slurp(dir.path / "missing.spl"), "made");

    // A file with a second hard link: this name gets the new contents, the other keeps the old,
    // and the report says so.
    fs::create_hard_link(dir.path / "real.spl", dir.path / "hard.spl");
    ASSERT_TRUE(save("real.spl", "newer", &report));
    EXPECT_TRUE(report.linksParted);
    EXPECT_NE(report.Notice().find("hard links"), std::string::npos);
    EXPECT_EQ(Slurp(dir.path / "real.spl"), "newer");
    EXPECT_EQ(Slurp(dir.path / "hard.spl"), "new");
    // root keeps another user's file theirs.
    if (::geteuid() == 0 && ::chown((dir.path / "real.spl").c_str(), 65534, 65534) == 0) {
        ASSERT_TRUE(save("real.spl", "theirs", &report));
        struct stat st;
        ASSERT_EQ(::stat((dir.path / "real.spl").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
    // A loop of links is refused.
    fs::create_symlink("loop2", dir.path / "loop1");
    fs::create_symlink("loop1", dir.path / "loop2");
    EXPECT_FALSE(save("loop1", "x", &report));
    EXPECT_EQ(report.error, std::strerror(ELOOP));
}

TEST(AtomicFile, RemovesTemporariesOfProcessesThatNoLongerRun) {
    TempDir dir;
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0); // its pid now belongs to no running process
    const std::string dead = "a.spl.tmp" + std::to_string(child) + "_0";
    const std::string alive = "a.spl.tmp" + std::to_string(::getpid()) + "_9";
    for (const std::string& name :
         {dead, alive, std::string("a.spl.tmpnote"), "b.spl.tmp" + std::to_string(child) + "_0"})
        Put(dir.path / name, "left over");
    std::string error;
    ASSERT_TRUE(
        AtomicWriteFile((dir.path / "a.spl").string(), [](std::FILE*) { return true; }, &error))
        << error;
    EXPECT_FALSE(fs::exists(dir.path / dead));
    EXPECT_TRUE(fs::exists(dir.path / alive));
    EXPECT_TRUE(fs::exists(dir.path / "a.spl.tmpnote"));
    EXPECT_EQ(dir.FileCount(), 4u); // a.spl, the live one, the note, b's (another file's)
}

TEST(AtomicWriteFile, KeepsPermissionsAndCopesWithLongNames) {
    TempDir dir;
    fs::path target = dir.path / "a.spl";
    Put(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(
        AtomicWriteFile(target.string(), [](std::FILE* f) { return std::fputs("x", f) >= 0; }));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // A name close to the file system's limit still has room for a temporary beside it.
    fs::path longName = dir.path / std::string(250, 'n');
    ASSERT_TRUE(
        AtomicWriteFile(longName.string(), [](std::FILE* f) { return std::fputs("y", f) >= 0; }));
    EXPECT_EQ(Slurp(longName), "y");
    EXPECT_EQ(dir.FileCount(), 2u);
}
