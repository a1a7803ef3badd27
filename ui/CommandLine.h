#pragma once

#include <optional>

// The dialog program's own options, as QCommandLineParser reads them: --help, --version and the
// files to list. Qt's options (-platform, -style, ...) are Qt's.
class CommandLine {
public:
    // Takes main's arguments before Qt has taken its own out, so that no window system is
    // needed. When they ask for the help or the version, writes it to standard output and
    // returns the exit status: 0, or 1 when it could not be written. Otherwise returns nothing.
    static std::optional<int> Answer(int argc, char** argv);

    // Takes the arguments after Qt has taken its own out. An option left is one the program
    // does not know: writes a usage message to standard error and returns 2. Otherwise takes
    // the "--" that ends the options out of argc and argv, leaving the files, and returns
    // nothing.
    static std::optional<int> Check(int& argc, char** argv);
};
