#pragma once

#include <string>
#include <vector>

namespace veldrun {

// What the words of the command line ask for.
class CommandLine {
public:
    // Takes main's arguments; returns what they ask for. Throws
    // boost::program_options::error, with a short message, for words that make no merge or
    // check: an unknown option, a missing value, no -o (-o with --check), no input, options
    // that cannot go together (--verify with --no-sync, --each-recording with -o -, a join's
    // options with --check).
    static CommandLine Parse(int argc, const char* const argv[]);

    // The short usage text shown after a usage error.
    static std::string Usage();

    // The usage text, what the tool does and its options, for --help.
    static std::string Help();

    bool help = false;
    bool version = false;
    bool quiet = false;
    bool noSync = false;
    // Read the inputs and tell which continue each other, instead of joining them.
    bool check = false;
    // One output per recording, into the folder `output`; each gets its recording's start as
    // its modification time.
    bool eachRecording = false;
    // The single output gets its recording's start as its modification time.
    bool keepDate = false;
    // Read each output back from the disk and compare it with its inputs.
    bool verify = false;
    // "-" writes to standard output.
    std::string output;
    std::vector<std::string> inputs;
};

} // namespace veldrun
