// A tiny registry so that every benchmark file adds itself to one program.
// Each benchmark prints its own figures; main runs them in name order, or those named on the
// command line. The first argument "--quick" asks for smaller sizes (a smoke run).
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct Options {
    bool quick = false;
};

using Fn = std::function<void(const Options&)>;

inline std::map<std::string, Fn>& Registry() {
    static std::map<std::string, Fn> registry;
    return registry;
}

struct Register {
    Register(const std::string& name, Fn fn) { Registry()[name] = std::move(fn); }
};

// Modes a benchmark starts this program in for a fresh process of its own: the first argument
// names the mode, the rest are its arguments.
using ChildMode = std::function<int(const std::vector<std::string>&)>;
inline std::map<std::string, ChildMode>& ChildModes() {
    static std::map<std::string, ChildMode> modes;
    return modes;
}
struct RegisterChildMode {
    RegisterChildMode(const std::string& name, ChildMode fn) { ChildModes()[name] = std::move(fn); }
};

// Seconds taken by fn().
template <class F> double Seconds(F&& fn) {
    auto t0 = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace bench
