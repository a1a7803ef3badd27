#include "cli/FolderInputs.h"

#include <ostream>
#include <sys/stat.h>

#include "engine/QuotedName.h"
#include "recordings/ClipSearch.h"

namespace veldrun {

int FolderInputs::Expand(std::vector<std::string>& inputs, std::ostream& err) {
    std::vector<std::string> expanded;
    bool failed = false;
    for (std::string& input : inputs) {
        struct stat status;
        // What is not a folder, or cannot be looked at, is the merge's to report.
        if (::stat(input.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
            expanded.push_back(std::move(input));
            continue;
        }
        ClipSearch::Result found = ClipSearch::Find(input);
        if (found.clips.empty()) {
            failed = true;
            err << "veldrun-cli: No clips found in " << QuotedName(input) << '\n';
            if (found.error)
                err << QuotedName(input) << ": " << found.error.message() << '\n';
        }
        if (found.unreadable > 0) {
            failed = true;
            err << "veldrun-cli: " << found.unreadable
                << (found.unreadable == 1 ? " folder in " : " folders in ") << QuotedName(input)
                << " could not be read; clips in it may be missing\n";
        }
        for (std::string& clip : found.clips)
            expanded.push_back(std::move(clip));
    }
    inputs = std::move(expanded);
    err << std::flush;
    return failed ? 1 : 0;
}

} // namespace veldrun
