// The program with a long plain chart, offscreen: the time until the chart is on screen after
// LoadChart starts, the longest time the event loop went unserved meanwhile, the peak memory per
// row while reading and viewing, and the same for saving it, against the fgets + sscanf
// yardstick on the same file.
#include "app/commands/chart_commands.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "bench_registry.h"
#include "chart/settings.h"
#include "chart/spl_io.h"
#include "sscanf_reader.h"
#include "viewer/chart_viewer.h"
#include "views/chart_viewer_widget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Writes count plain rows (in a child process, so that building them leaves no trace in this
// process's peak memory).
bool MakeFile(const std::string& path, long count) {
    pid_t child = ::fork();
    if (child == 0) {
        ChartStore rows;
        rows.Reserve(static_cast<size_t>(count));
        uint64_t state = 12345;
        const uint32_t bg = rows.Intern("BG"), cs = rows.Intern("Cs-137");
        for (long i = 0; i < count; ++i) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            rows.AppendRow(static_cast<int32_t>(i),
                           1e-3 + std::ldexp(static_cast<double>(state >> 11), -53) * 0.05,
                           i % 1000 < 900 ? bg : cs);
        }
        SplChart chart;
        chart.tags = {{"Comment:", "benchmark"}, {"Num of DATA:", ""}};
        _exit(WriteSplData(path, rows, chart) ? 0 : 1);
    }
    int status = 1;
    if (child > 0) ::waitpid(child, &status, 0);
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double ResidentMb() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

double PeakMb() {
    rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1e3;
}

// Records the longest gap between the ticks of a 1 ms timer: how long the event loop went
// unserved.
struct StallProbe {
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    StallProbe() {
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        clock.start();
        timer.start();
    }
};

void Run(const bench::Options& options) {
    const long count = options.quick ? 1000000 : 10000000;
    fs::path dir = fs::temp_directory_path() / ("vortan_load_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "big.spl").string();
    if (!MakeFile(path, count)) {
        std::printf("could not write the chart\n");
        return;
    }
    const double mb = static_cast<double>(fs::file_size(path)) / 1e6;
    long yardRows = 0;
    double yard = bench::Seconds([&] { yardRows = bench::SscanfRead(path); }); // warms the cache
    yard = std::min(yard, bench::Seconds([&] { yardRows = bench::SscanfRead(path); }));

    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "vortan-bench-app";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    SetSettingsFilePath((dir / "VORTAN.INI").string());
    Settings.windowWidth = 1200;
    Settings.windowHeight = 600;
    Settings.detectPeaks = false;
    auto* window = new VortanMain();
    window->viewer()->setDesktopWidth(1920);
    window->show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const double before = ResidentMb();

    double onScreen = 0.0;
    qint64 loadStall = 0;
    {
        StallProbe probe;
        onScreen = bench::Seconds([&] {
            LoadChart(window, path);
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
        });
        loadStall = probe.longest;
    }
    const double peak = PeakMb();
    const double viewing = ResidentMb();
    const int rows = window->view()->Chart() ? window->view()->Chart()->sampleCount : -1;

    double save = 0.0;
    qint64 saveStall = 0;
    {
        StallProbe probe;
        save = bench::Seconds([&] { StoreChart(window, (dir / "saved.spl").string()); });
        saveStall = probe.longest;
    }
    const double afterSave = PeakMb();

    std::printf("program, %ld plain rows (%.1f MB), offscreen\n", count, mb);
    std::printf("  fgets + sscanf yardstick   %7.3f s%s\n", yard,
                yardRows == count ? "" : "  ROW COUNT WRONG");
    std::printf("  chart on screen after      %7.3f s  (%.2fx faster than the yardstick)%s\n",
                onScreen, yard / onScreen, rows == count ? "" : "  ROW COUNT WRONG");
    std::printf("  longest event-loop stall   %7lld ms during the load\n",
                static_cast<long long>(loadStall));
    std::printf("  peak memory while loading  %7.1f bytes/row (%.0f MB above the empty window)\n",
                (peak - before) * 1e6 / static_cast<double>(count), peak - before);
    std::printf("  memory while viewing       %7.1f bytes/row\n",
                (viewing - before) * 1e6 / static_cast<double>(count));
    std::printf("  save                       %7.3f s, longest stall %lld ms, peak memory %.1f "
                "bytes/row\n",
                save, static_cast<long long>(saveStall),
                (afterSave - before) * 1e6 / static_cast<double>(count));
    std::fflush(stdout);
    window->MarkChartSaved();
    delete window;
    SetSettingsFilePath("");
    fs::remove_all(dir);
}

bench::Register reg("app_load", Run);

} // namespace
