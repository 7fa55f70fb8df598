#include "bench_registry.h"

#include <cstdio>
#include <cstring>
#include <set>

int main(int argc, char** argv) {
    if (argc >= 2 && bench::ChildModes().count(argv[1]))
        return bench::ChildModes()[argv[1]](std::vector<std::string>(argv + 2, argv + argc));
    bench::Options options;
    std::set<std::string> only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            options.quick = true;
        else if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: %s [--quick] [benchmark ...]\nbenchmarks:", argv[0]);
            for (auto& [name, fn] : bench::Registry())
                std::printf(" %s", name.c_str());
            std::printf("\n");
            return 0;
        } else
            only.insert(argv[i]);
    }
    for (auto& [name, fn] : bench::Registry()) {
        if (!only.empty() && !only.count(name)) continue;
        std::printf("== %s\n", name.c_str());
        std::fflush(stdout);
        fn(options);
    }
    return 0;
}
