// SPL reading and writing speed against the floor of a bare pass over the same file (read it in
// big blocks and count its lines), and the peak memory per row while reading.
#include "bench_registry.h"
#include "chart/spl_io.h"
#include "sscanf_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Processor time (user and system) of this process so far: the machine may be shared, and then
// wall-clock ratios say more about the neighbours than about the code.
double CpuSeconds() {
    rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
    double wall = 1e9;
    double cpu = 1e9;
    void Keep(double w, double c) {
        if (w < wall) wall = w;
        if (c < cpu) cpu = c;
    }
};

template <class F> Timing Time(F&& fn) {
    Timing t;
    double cpu0 = CpuSeconds();
    double wall = bench::Seconds(fn);
    t.Keep(wall, CpuSeconds() - cpu0);
    return t;
}

ChartStore MakeRows(long count, bool extended) {
    ChartStore rows;
    rows.Reserve(static_cast<size_t>(count));
    uint64_t state = 12345;
    for (long i = 0; i < count; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        SplSample s;
        s.time = static_cast<int32_t>(i);
        s.data = 1e-3 + std::ldexp(static_cast<double>(state >> 11), -53) * 0.05;
        std::strcpy(s.isotopeName, i % 1000 < 900 ? "BG" : "Cs-137");
        if (extended) {
            s.smoothed = s.data * 0.99;
            if (i % 100 == 50) {
                s.flags = SAMPLE_HAS_PEAK | SAMPLE_HAS_REVISED;
                s.top[0] = s.top[1] = s.data;
                s.base[0] = 2e-3;
                s.base[1] = 2.5e-3;
            }
        }
        rows.Append(s);
    }
    return rows;
}

// Reads the file in 1 MiB blocks and counts its line feeds.
long BarePass(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return -1;
    std::vector<char> buf(1 << 20);
    long lines = 0;
    ssize_t n;
    while ((n = ::read(fd, buf.data(), buf.size())) > 0) {
        const char* p = buf.data();
        const char* end = p + n;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))))
            ++lines, ++p;
    }
    ::close(fd);
    return lines;
}

struct ReadFigures {
    double seconds = 0;
    double cpu = 0;
    long rows = 0;
    double maxRssGrowthKb = 0;
    size_t storeBytes = 0;
};

// Reads path and writes the figures to fd.
int ReadInto(const std::string& path, int fd) {
    rusage before;
    ::getrusage(RUSAGE_SELF, &before);
    SplChart chart;
    std::optional<ChartStore> rows;
    ReadFigures f;
    double cpu0 = CpuSeconds();
    f.seconds = bench::Seconds([&] { rows = ReadSplData(path, chart); });
    f.cpu = CpuSeconds() - cpu0;
    rusage after;
    ::getrusage(RUSAGE_SELF, &after);
    f.rows = rows ? static_cast<long>(rows->size()) : -1;
    f.storeBytes = rows ? rows->BytesHeld() : 0;
    f.maxRssGrowthKb = static_cast<double>(after.ru_maxrss - before.ru_maxrss);
    return ::write(fd, &f, sizeof f) == sizeof f ? 0 : 1;
}

// Reads in a fresh process, as the command-line tool does, so that its peak resident size is the
// reader's alone and its memory comes new from the system (a forked copy of this process would
// reuse pages of this one, each first write copying a page).
ReadFigures TimedRead(const std::string& path) {
    ReadFigures figures;
    int fds[2];
    if (::pipe(fds) != 0) return figures;
    pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        ::execl("/proc/self/exe", "vortan-bench", "--read-child", path.c_str(), fd.c_str(),
                static_cast<char*>(nullptr));
        _exit(ReadInto(path, fds[1])); // no fresh process to be had: read in this copy
    }
    ::close(fds[1]);
    if (child > 0) {
        if (::read(fds[0], &figures, sizeof figures) != sizeof figures) figures.rows = -1;
        ::waitpid(child, nullptr, 0);
    }
    ::close(fds[0]);
    return figures;
}

void Run(long count, bool extended, const fs::path& dir) {
    std::string path = (dir / (extended ? "spl2.spl" : "plain.spl")).string();
    Timing write;
    {
        ChartStore rows = MakeRows(count, extended);
        SplChart chart;
        chart.version = extended ? 2 : 0;
        chart.flags = extended ? HASSM : 0;
        chart.tags = {{"Comment:", "benchmark"}, {"Num of DATA:", ""}};
        int ok = 0;
        write = Time([&] { ok = WriteSplData(path, rows, chart); });
        if (!ok) {
            std::printf("  write failed\n");
            return;
        }
    }
    double mb = static_cast<double>(fs::file_size(path)) / 1e6;
    long lines = 0;
    Timing bare;
    for (int k = 0; k < 3; ++k) { // the first pass also brings the file into the page cache
        Timing t = Time([&] { lines = BarePass(path); });
        bare.Keep(t.wall, t.cpu);
    }
    Timing yardstick;
    long yardRows = 0;
    for (int k = 0; k < 2; ++k) {
        Timing t = Time([&] { yardRows = bench::SscanfRead(path); });
        yardstick.Keep(t.wall, t.cpu);
    }
    ReadFigures read = TimedRead(path);
    for (int k = 0; k < 2; ++k) {
        ReadFigures again = TimedRead(path);
        read.seconds = std::min(read.seconds, again.seconds);
        read.cpu = std::min(read.cpu, again.cpu);
    }
    const char* layout = extended ? "SPL2 " : "plain";
    std::printf("  %s %9ld rows, %7.1f MB, %ld lines\n", layout, count, mb, lines);
    std::printf("    bare pass %7.3f s wall %7.3f s cpu  %6.0f MB/s\n", bare.wall, bare.cpu,
                mb / bare.wall);
    std::printf("    read      %7.3f s wall %7.3f s cpu  %6.0f MB/s  %5.2f Mrows/s  "
                "%5.2fx bare (wall) %5.2fx (cpu)%s\n",
                read.seconds, read.cpu, mb / read.seconds,
                static_cast<double>(count) / read.seconds / 1e6, read.seconds / bare.wall,
                read.cpu / bare.cpu, read.rows == count ? "" : "  ROW COUNT WRONG");
    std::printf("    sscanf    %7.3f s wall %7.3f s cpu  (fgets + sscanf yardstick%s): read is "
                "%.2fx faster (wall)\n",
                yardstick.wall, yardstick.cpu, yardRows == count ? "" : ", ROW COUNT WRONG",
                yardstick.wall / read.seconds);
    std::printf("    write     %7.3f s wall %7.3f s cpu  %6.0f MB/s  %5.2f Mrows/s  "
                "%5.2fx bare (wall) %5.2fx (cpu), synced to disk\n",
                write.wall, write.cpu, mb / write.wall,
                static_cast<double>(count) / write.wall / 1e6, write.wall / bare.wall,
                write.cpu / bare.cpu);
    std::printf("    write is %.2fx faster than the yardstick's read (wall)\n",
                yardstick.wall / write.wall);
    std::printf("    peak memory while reading: %.1f bytes/row (store holds %.1f bytes/row)\n",
                read.maxRssGrowthKb * 1024.0 / static_cast<double>(count),
                static_cast<double>(read.storeBytes) / static_cast<double>(count));
    std::fflush(stdout);
    fs::remove(path);
}

void SplIo(const bench::Options& options) {
    fs::path dir = fs::temp_directory_path() / ("vortan_spl_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (long count :
         options.quick ? std::vector<long>{100000, 1000000} : std::vector<long>{1000000, 10000000})
        for (bool extended : {false, true})
            Run(count, extended, dir);
    fs::remove_all(dir);
}

bench::Register registered("spl_io", SplIo);
bench::RegisterChildMode readChild("--read-child", [](const std::vector<std::string>& args) {
    return args.size() == 2 ? ReadInto(args[0], std::stoi(args[1])) : 2;
});

} // namespace
