#include "chart/platform.h"

#include <cerrno>
#include <clocale>
#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <locale.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool OpenForReading(const std::string& path, ReadableFile* file) {
    *file = ReadableFile();
    // Without blocking: opening a FIFO would otherwise wait for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        const int error = !known ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
        file->notRegular = known && !S_ISDIR(st.st_mode);
        ::close(fd);
        errno = error;
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    file->handle = fd;
    file->size = st.st_size;
    return true;
}

long long ReadSome(int handle, void* out, size_t size) {
    for (;;) {
        const ssize_t n = ::read(handle, out, size);
        if (n >= 0) return n;
        if (errno != EINTR) return -1;
    }
}

void CloseFile(int handle) {
    if (handle >= 0) ::close(handle);
}

bool SyncToDisk(std::FILE* stream) {
    return ::fsync(::fileno(stream)) == 0 || errno == EINVAL;
}

void SyncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void PrepareForWriting(void* begin, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto from = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
    const auto to = (reinterpret_cast<uintptr_t>(begin) + bytes) / page * page;
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#else
    (void)begin;
    (void)bytes;
#endif
}

double StrtodC(const char* text, char** end) {
    static locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (cLocale) return ::strtod_l(text, end, cLocale);
    return std::strtod(text, end);
}

} // namespace platform
