#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/ProgressLine.h"
#include "engine/Veldrun.h"

namespace veldrun {

// One run of the command line tool: drives the engine the way the progress dialog does,
// drawing the progress line on standard error and stopping on a cancel request.
class MergeRun {
public:
    // Takes what the command line asks for, the paths to join (with parts: one output per
    // recording, whose paths are printed as they complete) and whether to draw the progress
    // line.
    MergeRun(const CommandLine& line, const JobFiles& files, bool showProgress);

    // Runs the merge to its end. Returns the exit status: 0 on success, after a line saying that
    // the outputs were verified when asked for (or a note for each that could not be); 1 after
    // printing "Merge error: " and the engine's text on standard error, its detail on a second
    // line and, with parts, which of them are complete; 1 when verifying was cancelled.
    int Execute();

private:
    // The engine's callbacks, called on its worker thread.
    bool OnProgress(std::int32_t fileIndex, std::int64_t fileSize, std::int64_t filePosition,
                    std::int64_t totalSize, std::int64_t totalWritten);
    bool OnVerifyProgress(std::int32_t fileIndex, std::int64_t fileSize, std::int64_t filePosition,
                          std::int64_t totalSize, std::int64_t totalVerified);
    void OnOutputComplete(std::size_t output);

    bool Show(ProgressLine::Pass pass, std::int32_t fileIndex, std::int64_t totalSize,
              std::int64_t totalDone);
    void Draw();
    // After a run that did not fail: a note for each output that could not be verified, and
    // the line that says how many were. Returns 1 when verifying the last output was
    // cancelled, else 0.
    int ReportVerified(const RunOutcome& outcome);
    int Fail(const RunOutcome& outcome);

    Veldrun m_job;
    ProgressLine m_line;
    const bool m_showProgress;
    const bool m_verify;
    // Written by the worker, read once it is joined.
    bool m_failed = false;
};

} // namespace veldrun
