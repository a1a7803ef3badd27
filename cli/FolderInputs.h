#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace veldrun {

// Folders among the command line's inputs: each stands for the clips inside it.
class FolderInputs {
public:
    // Takes the inputs as given; replaces each folder among them, where it stands, with the
    // clips that ClipSearch finds inside it, and leaves every other input as it is. Returns 0;
    // or 1 after printing on `err` "veldrun-cli: No clips found in FOLDER" for each folder
    // without clips (and a line with the reason when it could not be read), and "veldrun-cli:
    // N folders in FOLDER could not be read; clips in it may be missing" for a folder with parts
    // that could not be read, so that a script never joins or checks a list with a piece
    // silently missing. Throws only std::bad_alloc.
    static int Expand(std::vector<std::string>& inputs, std::ostream& err);
};

} // namespace veldrun
