#pragma once

#include <string>
#include <vector>

namespace veldrun {
namespace test {

// The command line of the built tool with `args`; VELDRUN_CLI_PATH comes from the build.
inline std::vector<std::string> Cli(std::vector<std::string> args) {
    args.insert(args.begin(), VELDRUN_CLI_PATH);
    return args;
}

// The same run under /bin/sh after `setup` (limits, traps, redirections); "$@" is the tool.
inline std::vector<std::string> CliInShell(const std::string& setup,
                                           std::vector<std::string> args) {
    args.insert(args.begin(), {"/bin/sh", "-c", setup + "; exec \"$@\"", "sh", VELDRUN_CLI_PATH});
    return args;
}

} // namespace test
} // namespace veldrun
