#include "chart/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A fresh name in the target's folder. A long target name would make the temporary's name too
// long for the file system, so then a short name of our own is used.
std::string TempPathFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    std::string suffix = ".tmp" + std::to_string(static_cast<long>(::getpid())) + "_" +
                         std::to_string(counter.fetch_add(1));
    size_t slash = path.find_last_of('/');
    size_t baseLength = slash == std::string::npos ? path.size() : path.size() - slash - 1;
    if (baseLength + suffix.size() <= 200) return path + suffix;
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + ".vortan-save" + suffix;
}

} // namespace

AtomicFile::~AtomicFile() {
    Abandon();
}

void AtomicFile::Fail(const std::string& what) {
    if (!failed_) error_ = what + ": " + std::strerror(errno);
    failed_ = true;
}

bool AtomicFile::Open(const std::string& path) {
    Abandon();
    failed_ = false;
    error_.clear();
    path_ = path;
    tempPath_ = TempPathFor(path);
    // O_EXCL: never write through a file or link that is already there.
    int fd = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        Fail("cannot create " + tempPath_);
        tempPath_.clear();
        return false;
    }
    // A replaced file keeps its permissions.
    struct stat old;
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        Fail("cannot open " + tempPath_);
        ::close(fd);
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return false;
    }
    return true;
}

bool AtomicFile::Write(const void* data, size_t size) {
    if (!file_ || failed_) return false;
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
        Fail("write failed");
        return false;
    }
    return true;
}

bool AtomicFile::Commit() {
    if (!file_) {
        if (error_.empty()) error_ = "no file open";
        return false;
    }
    if (!failed_ && std::ferror(file_)) Fail("write failed");
    if (!failed_ && std::fflush(file_) != 0) Fail("write failed");
    if (!failed_ && ::fsync(::fileno(file_)) != 0 && errno != EINVAL) Fail("sync failed");
    int closed = std::fclose(file_);
    file_ = nullptr;
    if (!failed_ && closed != 0) Fail("close failed");
    if (!failed_ && std::rename(tempPath_.c_str(), path_.c_str()) != 0)
        Fail("cannot replace " + path_);
    if (failed_) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return false;
    }
    tempPath_.clear();
    return true;
}

void AtomicFile::Abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

bool AtomicWriteFile(const std::string& path, const std::function<bool(std::FILE*)>& writer,
                     std::string* error) {
    AtomicFile file;
    bool ok = file.Open(path);
    if (ok && !writer(file.stream())) {
        if (error) *error = "writing " + path + " was abandoned";
        return false;
    }
    ok = ok && file.Commit();
    if (!ok && error) *error = file.error();
    return ok;
}
