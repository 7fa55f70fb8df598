// vortan-cli: batch work on chart files without a screen.
#include "chart/atomic_file.h"
#include "chart/run_log.h"
#include "cli/cli_command.h"
#include "cli/read_chart.h"

#include <cstdio>
#include <string>
#include <vector>

namespace cli {
int Fail(const std::string& message) {
    std::fprintf(stderr, "vortan-cli: %s\n", message.c_str());
    return 1;
}
} // namespace cli

static void PrintHelp() {
    std::printf("usage: vortan-cli [--log] COMMAND [ARGS]\n\n"
                "Works on SPL and SPL2 chart files without a window.\n\n"
                "commands:\n");
    for (auto& [name, command] : cli::Commands())
        std::printf("  %-58s %s\n", command.usage.c_str(), command.summary.c_str());
    std::printf("\noptions:\n"
                "  --log    print every run-log line to standard error as it is logged\n"
                "  --help   show this help\n"
                "\nexit status: 0 done, 1 failed, 2 no command given, 3 done on a chart that "
                "was cut short\n(its rows end at a line that is not a row, with more after it)\n");
}

int main(int argc, char** argv) {
    // An interrupted save leaves no temporary file behind.
    RemoveTemporariesOnSignals();
    std::vector<std::string> args(argv + 1, argv + argc);
    size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        if (args[i] == "--log") {
            OpenLog();
            SetLogListener(
                [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
        } else if (args[i] == "--help") {
            PrintHelp();
            return 0;
        } else {
            return cli::Fail("unknown option " + args[i] + " (see --help)");
        }
    }
    if (i == args.size()) {
        PrintHelp();
        return 2;
    }
    auto it = cli::Commands().find(args[i]);
    if (it == cli::Commands().end())
        return cli::Fail("unknown command " + args[i] + " (see --help)");
    std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());
    for (const auto& a : rest) {
        if (a == "--help") {
            std::printf("usage: vortan-cli %s\n%s\n", it->second.usage.c_str(),
                        it->second.summary.c_str());
            return 0;
        }
    }
    try {
        const int status = it->second.run(rest);
        return status == 0 && cli::ChartWasCutShort() ? cli::EXIT_CUT_SHORT : status;
    } catch (const std::exception& e) {
        return cli::Fail(e.what());
    }
}
