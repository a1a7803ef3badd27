#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/ProgressLine.h"
#include "engine/Veldrun.h"

namespace veldrun {

// One merge of the command line tool: drives the engine the way the progress dialog does,
// drawing the progress line on standard error and stopping on a cancel request.
class MergeRun {
public:
    // Takes what the command line asks for and whether to draw the progress line.
    MergeRun(const CommandLine& line, bool showProgress);

    // Runs the merge to its end. Returns the exit status: 0 on success, 1 after printing
    // "Merge error: " and the engine's text on standard error, and its detail on a second line.
    int Execute();

private:
    // The engine's callback, called on its worker thread.
    bool OnProgress(std::int32_t fileIndex, std::int64_t fileSize, std::int64_t filePosition,
                    std::int64_t totalSize, std::int64_t totalWritten);
    void Draw();
    int Fail();

    Veldrun m_job;
    ProgressLine m_line;
    const bool m_showProgress;
    // Written by the worker, read once it is joined.
    bool m_failed = false;
};

} // namespace veldrun
