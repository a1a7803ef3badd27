#pragma once

#include <iosfwd>
#include <string>

namespace veldrun {

// The folder that --each-recording writes into. Like `cp -r` and `rsync` with a destination
// folder, it makes the folder itself when it is missing, but not its parents: a mistyped
// parent is a mistake to report, not a tree to build.
class OutputFolder {
public:
    // Takes the folder's path. Returns 0 when it is a folder, or was missing and has been made;
    // otherwise 1 after printing "Merge error: Can't create output file" and the reason (the
    // path is a file, its parent is missing, no permission) on `err`.
    int Prepare(const std::string& path, std::ostream& err);

    // Removes the folder if Prepare made it and it is still empty: a run that failed before
    // writing leaves nothing behind.
    void RemoveIfMadeAndEmpty();

private:
    std::string m_made;
};

} // namespace veldrun
