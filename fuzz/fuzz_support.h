// What the fuzz targets share: a scratch folder of their own and whole-file reads.
#pragma once

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fuzz {

// A folder of this process's own, memory-backed where there is such a folder (every save is
// synced), so that the look for left-over temporaries at each save stays short. Ends with '/'.
inline const std::string& ScratchFolder(const char* what) {
    static const std::string folder = [what] {
        const std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/";
        const std::string path =
            base + "vortan_" + what + "_fuzz_" + std::to_string(::getpid()) + "/";
        ::mkdir(path.c_str(), 0700);
        return path;
    }();
    return folder;
}

// The whole file, or nothing when it cannot be read.
inline std::string Slurp(const std::string& path) {
    std::string text;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            text.append(buf, n);
        std::fclose(f);
    }
    return text;
}

} // namespace fuzz
