#include "chart/atomic_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        path =
            fs::temp_directory_path() /
            ("vortan_atomic_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    size_t FileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(path), {}));
    }
};

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

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
        EXPECT_EQ(dir.FileCount(), 2u);
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

TEST(AtomicFile, TargetIsDirectoryFails) {
    TempDir dir;
    fs::create_directories(dir.path / "sub");
    AtomicFile f;
    ASSERT_TRUE(f.Open((dir.path / "sub").string()));
    f.Write("x");
    EXPECT_FALSE(f.Commit());
    EXPECT_FALSE(f.error().empty());
    EXPECT_TRUE(fs::is_directory(dir.path / "sub"));
    EXPECT_EQ(dir.FileCount(), 1u);
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
