#include "chart/atomic_file.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Saves text to path; a null text makes the writer give up half way.
bool Save(const fs::path& path, const char* text, SaveReport* report = nullptr) {
    SaveReport unused;
    return AtomicWriteFile(
        path.string(),
        [text](std::FILE* f) { return std::fputs(text ? text : "partial", f) >= 0 && text; },
        report ? report : &unused);
}

} // namespace

TEST(AtomicWriteFile, ReplacesTheTargetOnlyWhenTheWholeSaveSucceeds) {
    TempDir dir;
    const fs::path target = dir.path / "a.spl";
    dir.File("a.spl", "old contents");
    SaveReport report;
    EXPECT_FALSE(Save(target, nullptr, &report));
    EXPECT_FALSE(report.error.empty());
    EXPECT_EQ(Slurp(target), "old contents");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, perms);
    EXPECT_TRUE(Save(target, "new"));
    EXPECT_EQ(Slurp(target), "new");
    EXPECT_EQ(fs::status(target).permissions(), perms); // kept
    EXPECT_EQ(dir.FileCount(), 1u);                     // no temporary left behind
    // A target that did not exist is created, also with a name close to the file system's limit
    // (room for a temporary beside it).
    const fs::path longName = dir.path / std::string(250, 'n');
    EXPECT_TRUE(Save(longName, "y"));
    EXPECT_EQ(Slurp(longName), "y");
}

// A save cancelled drops the file before it is committed; nothing can be written after.
TEST(AtomicFile, DroppedOrAbandonedLeavesTheTargetAlone) {
    TempDir dir;
    const std::string target = dir.File("c.txt", "keep");
    {
        AtomicFile f;
        ASSERT_TRUE(f.Open(target));
        EXPECT_TRUE(f.Write("never committed"));
    }
    AtomicFile f;
    ASSERT_TRUE(f.Open(target));
    f.Abandon();
    EXPECT_FALSE(f.Write("x")); // nothing open any more
    EXPECT_FALSE(f.Commit());
    EXPECT_EQ(Slurp(target), "keep");
    EXPECT_EQ(dir.FileCount(), 1u);
}

TEST(AtomicFile, RefusesTargetsThatAreNoRegularFiles) {
    // A folder is refused as the command-line tool's tests show; a device node (like /dev/null)
    // can be made only by root.
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path / "fifo").c_str(), 0666), 0);
    const bool device = ::mknod((dir.path / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    for (const char* name : {"fifo", device ? "null" : "fifo"}) {
        SaveReport report;
        EXPECT_FALSE(Save(dir.path / name, "x", &report)) << name;
        EXPECT_NE(report.error.find("not a regular file"), std::string::npos) << report.error;
    }
    EXPECT_TRUE(fs::is_fifo(dir.path / "fifo"));
    EXPECT_TRUE(!device || fs::is_character_file(dir.path / "null"));
    EXPECT_EQ(dir.FileCount(), device ? 2u : 1u);
}

TEST(AtomicFile, FollowsLinksAndReportsPartedHardLinks) {
    TempDir dir;
    dir.File("real.spl", "old");
    fs::create_symlink("real.spl", dir.path / "link.spl");
    fs::create_symlink(dir.path / "link.spl", dir.path / "chain.spl");
    fs::create_symlink("missing.spl", dir.path / "dangling.spl");
    SaveReport report;
    ASSERT_TRUE(Save(dir.path / "chain.spl", "new", &report)) << report.error;
    EXPECT_TRUE(fs::is_symlink(dir.path / "chain.spl"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.spl"));
    EXPECT_EQ(Slurp(dir.path / "real.spl"), "new");
    EXPECT_EQ(report.Notice(), "");
    ASSERT_TRUE(Save(dir.path / "dangling.spl", "made", &report));
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling.spl"));
    EXPECT_EQ(Slurp(dir.path / "missing.spl"), "made");

    // A file with a second hard link: this name gets the new contents, the other keeps the old,
    // and the report says so.
    fs::create_hard_link(dir.path / "real.spl", dir.path / "hard.spl");
    ASSERT_TRUE(Save(dir.path / "real.spl", "newer", &report));
    EXPECT_TRUE(report.linksParted);
    EXPECT_NE(report.Notice().find("hard links"), std::string::npos);
    EXPECT_EQ(Slurp(dir.path / "real.spl"), "newer");
    EXPECT_EQ(Slurp(dir.path / "hard.spl"), "new");
    // root keeps another user's file theirs.
    if (::geteuid() == 0 && ::chown((dir.path / "real.spl").c_str(), 65534, 65534) == 0) {
        ASSERT_TRUE(Save(dir.path / "real.spl", "theirs", &report));
        struct stat st;
        ASSERT_EQ(::stat((dir.path / "real.spl").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
    // A loop of links is refused.
    fs::create_symlink("loop2", dir.path / "loop1");
    fs::create_symlink("loop1", dir.path / "loop2");
    EXPECT_FALSE(Save(dir.path / "loop1", "x", &report));
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
        dir.File(name, "left over");
    ASSERT_TRUE(Save(dir.path / "a.spl", ""));
    EXPECT_FALSE(fs::exists(dir.path / dead));
    EXPECT_TRUE(fs::exists(dir.path / alive));
    EXPECT_TRUE(fs::exists(dir.path / "a.spl.tmpnote"));
    EXPECT_EQ(dir.FileCount(), 4u); // a.spl, the live one, the note, b's (another file's)
}
