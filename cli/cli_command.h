// Subcommands of vortan-cli register themselves here; main.cpp parses the global options and
// dispatches. A command gets its own arguments (after the command name) and returns the exit
// status; on failure it prints one line "vortan-cli: <reason>" to standard error.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace cli {

struct Command {
    std::string usage;   // one line: "info FILE"
    std::string summary; // one line: what it does
    std::function<int(const std::vector<std::string>& args)> run;
};

inline std::map<std::string, Command>& Commands() {
    static std::map<std::string, Command> commands;
    return commands;
}

struct Register {
    Register(const std::string& name, Command command) { Commands()[name] = std::move(command); }
};

// Prints "vortan-cli: <message>" to standard error and returns 1.
int Fail(const std::string& message);

} // namespace cli
