#include <algorithm>
#include <iostream>
#include <new>
#include <string>

#include <boost/program_options/errors.hpp>

#include "cli/CommandLine.h"
#include "cli/FolderInputs.h"
#include "cli/MergeRun.h"
#include "cli/OutputFolder.h"
#include "cli/RecordingCheck.h"
#include "cli/RecordingFiles.h"
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

// Reads the inputs to split them into recordings (--each-recording) or to date the output
// (--keep-date). Returns 0, or 1 after saying why nothing can be written.
int PlanFromRecordings(const CommandLine& line, veldrun::JobFiles& files,
                       veldrun::OutputFolder& folder) {
    // As a merge would, before the folder is made: an input that cannot be opened stops it.
    if (veldrun::RecordingCheck::Openable(line.inputs, std::cerr) != 0)
        return 1;
    try {
        const veldrun::RecordingFiles recordings(line.inputs);
        if (!line.eachRecording) {
            files.modifiedNs = recordings.FirstStart();
            if (!line.quiet)
                veldrun::RecordingCheck::Notes(recordings.Clips(), {}, std::cerr);
            return 0;
        }
        if (recordings.Parts(line.output, files.parts, std::cerr) != 0)
            return 1;
        if (!line.quiet)
            veldrun::RecordingCheck::Notes(recordings.Clips(), recordings.Groups(), std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "veldrun-cli: not enough memory to read the inputs\n" << std::flush;
        return 1;
    }
    return folder.Prepare(line.output, std::cerr);
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

    // Before anything is read or written: a folder without clips stops a join. A check goes on
    // with the other inputs, since it writes nothing, and still ends with status 1.
    const int expanded = veldrun::FolderInputs::Expand(line.inputs, std::cerr);
    if (line.check) {
        if (line.inputs.empty())
            return 1;
        return std::max(expanded, veldrun::RecordingCheck::Report(line.inputs, std::cout));
    }
    if (expanded != 0)
        return 1;

    veldrun::JobFiles files;
    files.inputs = line.inputs;
    veldrun::OutputFolder folder;
    if (line.eachRecording || line.keepDate) {
        if (PlanFromRecordings(line, files, folder) != 0)
            return 1;
    } else if (!line.quiet) {
        veldrun::RecordingCheck::Notes(line.inputs, std::cerr);
    }

    // Installed before the merge starts, so that no signal finds the default action.
    veldrun::IgnoreOutputSignals();
    veldrun::SignalCancel::Install();
    veldrun::MergeRun run(line, files, !line.quiet && veldrun::Terminal::ErrorIsTerminal());
    const int status = run.Execute();
    if (status != 0)
        folder.RemoveIfMadeAndEmpty();
    return status;
}
