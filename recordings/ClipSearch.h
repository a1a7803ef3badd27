#pragma once

#include <cstddef>
#include <string>
#include <system_error>
#include <vector>

#include <boost/function.hpp>

namespace veldrun {

// Finds the clips inside a folder, as a camcorder's card holds them (PRIVATE/AVCHD/BDMV/STREAM,
// AVCHD/BDMV/STREAM) or as they were copied anywhere. May be called from any thread, several at
// once.
class ClipSearch {
public:
    // How far a search has come.
    struct Progress {
        std::size_t folders = 0; // folders entered, the searched one included
        std::size_t clips = 0;   // clips found so far
    };

    struct Result {
        // Full paths, each the searched folder as given followed by the path below it.
        std::vector<std::string> clips;
        Progress progress;
        // Folders that could not be read, or not to their end (no permission, a failing card):
        // what they hold beyond what was read is left out.
        std::size_t unreadable = 0;
        // Why the searched folder itself could not be read; then nothing was searched.
        std::error_code error;
        // The callback asked to stop: `clips` holds what was found until then.
        bool cancelled = false;
    };

    // Called as the search goes, at least once per folder entered; returns false to stop it.
    typedef boost::function<bool(const Progress&)> Report;
    // True when the first name sorts before the second.
    typedef boost::function<bool(const std::string&, const std::string&)> NameLess;

    // Takes a folder; returns the clips inside it, searched depth first: a folder's own clips
    // before its subfolders', each group in the order of `less` on the names (natural order
    // when none is given). A clip is a regular file whose name ends in .mts, .m2ts or .m2t in
    // any case. Names starting with a dot (hidden folders and files), other files, links whose
    // target lies outside the searched folder and folders met before (a link loop) are passed
    // over. Calls `report`, when given, before each folder is read and every few hundred
    // entries. Throws only std::bad_alloc, or what `report` or `less` throw.
    static Result Find(const std::string& folder, const Report& report = Report(),
                       const NameLess& less = NameLess());

    // True when `name` ends in .mts, .m2ts or .m2t, in any case. Never throws.
    static bool IsClipName(const std::string& name);
};

} // namespace veldrun
