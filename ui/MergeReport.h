#pragma once

#include <vector>

#include "engine/Veldrun.h"

class CWnd;

// The boxes that end a merge run: what was written, and what to do with what a cancel left.
class MergeReport {
public:
    // After a run that ended well: "Merging complete", then each output's file name and size,
    // one per line (" (named from the file date)" after those whose `fromFileDate` is set), then
    // what verifying found. The box offers Open Folder beside OK, which opens the first output's
    // folder in the desktop's file manager.
    static void Complete(CWnd* parent, const veldrun::RunOutcome& outcome,
                         const std::vector<bool>& fromFileDate);

    // After a cancelled run: the outputs that are complete, and when part of one was written,
    // the question whether to delete it (Yes, the default, removes it through the job).
    static void Cancelled(CWnd* parent, veldrun::Veldrun& job,
                          const std::vector<bool>& fromFileDate);
};
