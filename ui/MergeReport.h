#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/Veldrun.h"

class CWnd;

// The boxes that end a merge run: what was written, and what to do with what a cancel left.
class MergeReport {
public:
    // Deletes a run's partial output; false, with the reason in its argument, when it could not.
    using RemovePartial = std::function<bool(std::string& problem)>;

    // After a run that ended well: "Merging complete", then each output's file name and size,
    // one per line (" (named from the file date)" after those whose `fromFileDate` is set), then
    // what verifying found. The box offers Open Folder beside OK, which opens the first output's
    // folder in the desktop's file manager.
    static void Complete(CWnd* parent, const veldrun::RunOutcome& outcome,
                         const std::vector<bool>& fromFileDate);

    // After a cancelled run: the outputs that are complete, and when part of one was written,
    // the question whether to delete it (Yes, the default, removes it through the job). A cancel
    // that stopped only the verifying of the run's last output ends as Complete does.
    static void Cancelled(CWnd* parent, veldrun::Veldrun& job,
                          const std::vector<bool>& fromFileDate) {
        Cancelled(
            parent, job.Outcome(), std::max<std::size_t>(1, job.files->parts.size()),
            [&job](std::string& problem) { return job.RemovePartial(problem); }, fromFileDate);
    }
    // The same for what a run of `outputs` outputs left and the way to delete its partial one.
    static void Cancelled(CWnd* parent, const veldrun::RunOutcome& outcome, std::size_t outputs,
                          const RemovePartial& removePartial,
                          const std::vector<bool>& fromFileDate);

    // Opens `folder` in the desktop's file manager; says so in a box when none would take it.
    static void OpenFolder(const std::string& folder);

private:
    // The complete outputs, each on a line of its own after a line break, then what verifying
    // found.
    static std::wstring Listed(const veldrun::RunOutcome& outcome,
                               const std::vector<bool>& fromFileDate);
    // What verifying found, a line; empty when the outputs were not verified.
    static std::wstring VerifiedLine(const veldrun::RunOutcome& outcome);
};
