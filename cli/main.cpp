#include <iostream>
#include <string>

#include <boost/program_options/errors.hpp>

#include "cli/CommandLine.h"
#include "cli/FolderInputs.h"
#include "cli/MergeRun.h"
#include "cli/RecordingCheck.h"
#include "cli/SignalCancel.h"
#include "cli/Terminal.h"
#include "engine/OutputSignals.h"
#include "res/Version.h"

using veldrun::CommandLine;

namespace {

// Exit status of help and version output: 1 when it could not be written (a full disk).
int Print(const std::string& text) {
    std::cout << text << std::flush;
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    CommandLine line;
    try {
        line = CommandLine::Parse(argc, argv);
    } catch (const boost::program_options::error& error) {
        std::cerr << "veldrun-cli: " << error.what() << '\n'
                  << CommandLine::Usage() << "Try 'veldrun-cli --help' for more information.\n";
        return 2;
    }
    if (line.help)
        return Print(CommandLine::Help());
    if (line.version)
        return Print("veldrun-cli " VELDRUN_VERSION "\n");

    // Before anything is read or written: a folder without clips stops the run.
    if (veldrun::FolderInputs::Expand(line.inputs, std::cerr) != 0)
        return 1;
    if (line.check)
        return veldrun::RecordingCheck::Report(line.inputs, std::cout, std::cerr);
    if (!line.quiet)
        veldrun::RecordingCheck::Notes(line.inputs, std::cerr);

    // Installed before the merge starts, so that no signal finds the default action.
    veldrun::IgnoreOutputSignals();
    veldrun::SignalCancel::Install();
    veldrun::MergeRun run(line, !line.quiet && veldrun::Terminal::ErrorIsTerminal());
    return run.Execute();
}
