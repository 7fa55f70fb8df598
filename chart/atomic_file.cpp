#include "chart/atomic_file.h"

#include "chart/platform.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int MAX_LINK_HOPS = 40;
constexpr int NAME_ATTEMPTS = 100;
const char TEMP_MARK[] = ".tmp";
const char LONG_NAME_TEMP[] = ".vortan-save";

// Named temporaries of saves under way, for the signal handler: fixed slots, written only
// outside it.
constexpr int TEMP_SLOTS = 4;
constexpr size_t TEMP_SLOT_SIZE = 4096;
char tempSlots[TEMP_SLOTS][TEMP_SLOT_SIZE];
volatile std::sig_atomic_t tempSlotUsed[TEMP_SLOTS];

void RegisterTemporary(const std::string& path) {
    if (path.size() >= TEMP_SLOT_SIZE) return;
    for (int i = 0; i < TEMP_SLOTS; ++i) {
        if (tempSlotUsed[i]) continue;
        std::memcpy(tempSlots[i], path.c_str(), path.size() + 1);
        tempSlotUsed[i] = 1;
        return;
    }
}

void UnregisterTemporary(const std::string& path) {
    for (int i = 0; i < TEMP_SLOTS; ++i) {
        if (tempSlotUsed[i] && path == tempSlots[i]) tempSlotUsed[i] = 0;
    }
}

void RemoveTemporariesAndDie(int signal) {
    for (int i = 0; i < TEMP_SLOTS; ++i) {
        if (tempSlotUsed[i]) ::unlink(tempSlots[i]);
    }
    std::signal(signal, SIG_DFL);
    ::raise(signal);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BaseOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A fresh name in the target's folder. A long target name would make the temporary's name too
// long for the file system, so then a short name of our own is used.
std::string TempPathFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    std::string suffix = TEMP_MARK + std::to_string(static_cast<long>(::getpid())) + "_" +
                         std::to_string(counter.fetch_add(1));
    if (BaseOf(path).size() + suffix.size() <= 200) return path + suffix;
    return FolderOf(path) + LONG_NAME_TEMP + suffix;
}

// Follows the symbolic links from path to the name of the file that a save replaces. False (with
// errno set) on a loop or a link that cannot be read.
bool FollowLinks(const std::string& path, std::string* target) {
    std::string current = path;
    for (int hop = 0; hop < MAX_LINK_HOPS; ++hop) {
        struct stat st;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *target = current;
            return true;
        }
        std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 2);
        ssize_t n = ::readlink(current.c_str(), buf.data(), buf.size());
        if (n < 0) return false;
        if (static_cast<size_t>(n) >= buf.size()) { // the link changed meanwhile
            errno = ELOOP;
            return false;
        }
        std::string link(buf.data(), static_cast<size_t>(n));
        current = (!link.empty() && link[0] == '/') ? link : FolderOf(current) + link;
    }
    errno = ELOOP;
    return false;
}

bool ProcessIsGone(long pid) {
    if (pid <= 0 || pid == static_cast<long>(::getpid())) return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// "<prefix>.tmp<pid>_<n>": the pid, or -1 when name is no temporary of ours for prefix.
long TemporaryOwner(const std::string& name, const std::string& prefix) {
    const std::string mark = prefix + TEMP_MARK;
    if (name.size() <= mark.size() || name.compare(0, mark.size(), mark) != 0) return -1;
    size_t i = mark.size();
    long pid = 0;
    size_t digits = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && digits < 10; ++i, ++digits)
        pid = pid * 10 + (name[i] - '0');
    if (digits == 0 || i >= name.size() || name[i] != '_' || i + 1 == name.size()) return -1;
    for (++i; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return -1;
    }
    return pid;
}

// Removes temporaries left beside target by saves of processes that no longer run.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string base = BaseOf(target);
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    while (struct dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        long pid = TemporaryOwner(name, base);
        if (pid < 0) pid = TemporaryOwner(name, LONG_NAME_TEMP);
        if (pid < 0 || !ProcessIsGone(pid)) continue;
        const std::string path = folder + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

bool UnnamedTemporariesWork() {
    // Giving an unnamed file its name goes through /proc.
    static const bool works = ::access("/proc/self/fd", X_OK) == 0;
    return works;
}

} // namespace

std::string SaveReport::Notice() const {
    std::string text;
    if (linksParted) text += "The file had other hard links; they keep the old contents.";
    if (ownerLost || groupLost) {
        if (!text.empty()) text += ' ';
        text += ownerLost && groupLost ? "Its owner and group could not be kept."
                : ownerLost            ? "Its owner could not be kept."
                                       : "Its group could not be kept.";
    }
    return text;
}

AtomicFile::~AtomicFile() {
    Abandon();
}

void AtomicFile::Fail(int error) {
    Fail(std::string(std::strerror(error)));
}

void AtomicFile::Fail(const std::string& what) {
    if (!failed_) report_.error = what;
    failed_ = true;
}

bool AtomicFile::Open(const std::string& path) {
    Abandon();
    failed_ = false;
    report_ = SaveReport();
    target_.clear();
    if (path.empty()) {
        Fail(ENOENT);
        return false;
    }
    if (!FollowLinks(path, &target_)) {
        Fail(errno);
        return false;
    }
    struct stat old;
    const bool exists = ::lstat(target_.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        Fail(errno);
        return false;
    }
    if (exists) {
        if (S_ISDIR(old.st_mode)) {
            Fail(EISDIR);
            return false;
        }
        if (!S_ISREG(old.st_mode)) {
            Fail("not a regular file (a device, FIFO or socket)");
            return false;
        }
        // Replacing would need only the folder's permission: ask for the file's own.
        if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
            Fail(errno);
            return false;
        }
        report_.linksParted = old.st_nlink > 1;
    }
    RemoveStaleTemporaries(target_);

    int fd = -1;
#ifdef O_TMPFILE
    if (UnnamedTemporariesWork()) {
        const std::string folder = FolderOf(target_);
        fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        unnamed_ = fd >= 0;
    }
#endif
    // O_EXCL: never write through a file or link that is already there. A name taken (by a
    // left-over of an earlier process with our pid) is passed over.
    for (int attempt = 0; fd < 0 && attempt < NAME_ATTEMPTS; ++attempt) {
        tempPath_ = TempPathFor(target_);
        RegisterTemporary(tempPath_);
        fd = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) break;
        const int error = errno;
        UnregisterTemporary(tempPath_);
        tempPath_.clear();
        if (error != EEXIST || attempt + 1 == NAME_ATTEMPTS) {
            Fail(error);
            return false;
        }
    }
    if (exists) {
        // Owner and group first: changing them clears the set-id bits that fchmod then restores.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            report_.ownerLost = old.st_uid != ::geteuid();
            report_.groupLost = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0;
        }
        ::fchmod(fd, old.st_mode & 07777);
    }
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        Fail(errno);
        ::close(fd);
        Abandon();
        return false;
    }
    return true;
}

bool AtomicFile::Write(const void* data, size_t size) {
    if (!file_ || failed_) return false;
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
        Fail(errno);
        return false;
    }
    return true;
}

bool AtomicFile::LinkUnnamed(const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file_));
    RegisterTemporary(name);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    UnregisterTemporary(name);
    return false;
}

bool AtomicFile::Commit() {
    if (!file_) {
        if (report_.error.empty()) report_.error = "no file open";
        return false;
    }
    if (!failed_ && std::ferror(file_)) Fail(EIO);
    if (!failed_ && std::fflush(file_) != 0) Fail(errno);
    if (!failed_ && !platform::SyncToDisk(file_)) Fail(errno);
    // An unnamed temporary gets a fresh name of its own first: a link cannot replace a file, a
    // rename can.
    for (int attempt = 0; !failed_ && unnamed_ && tempPath_.empty(); ++attempt) {
        const std::string name = TempPathFor(target_);
        if (LinkUnnamed(name))
            tempPath_ = name;
        else if (errno != EEXIST || attempt + 1 == NAME_ATTEMPTS)
            Fail(errno);
    }
    int closed = std::fclose(file_);
    file_ = nullptr;
    if (!failed_ && closed != 0) Fail(errno);
    if (!failed_ && std::rename(tempPath_.c_str(), target_.c_str()) != 0) Fail(errno);
    if (failed_) {
        Abandon();
        return false;
    }
    UnregisterTemporary(tempPath_);
    tempPath_.clear();
    // The new name itself reaches the disk with its folder.
    platform::SyncFolder(FolderOf(target_));
    return true;
}

void AtomicFile::Abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    unnamed_ = false;
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        UnregisterTemporary(tempPath_);
        tempPath_.clear();
    }
}

bool AtomicWriteFile(const std::string& path, const std::function<bool(std::FILE*)>& writer,
                     SaveReport* report) {
    AtomicFile file;
    bool ok = file.Open(path);
    if (ok && !writer(file.stream())) {
        file.Abandon();
        if (report) *report = file.report();
        if (report) report->error = "writing was abandoned";
        return false;
    }
    ok = ok && file.Commit();
    if (report) *report = file.report();
    return ok;
}

bool AtomicWriteFile(const std::string& path, const std::function<bool(std::FILE*)>& writer,
                     std::string* error) {
    SaveReport report;
    bool ok = AtomicWriteFile(path, writer, &report);
    if (!ok && error) *error = report.error;
    return ok;
}

void RemoveTemporariesOnSignals() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, RemoveTemporariesAndDie);
}
