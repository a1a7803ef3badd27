#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include <boost/optional.hpp>

#include "engine/Veldrun.h"
#include "recordings/RecordingSplit.h"
#include "recordings/Recordings.h"

namespace veldrun {

// The recordings among the command line's inputs, each read once: the files that
// --each-recording writes, and the date that --keep-date gives.
class RecordingFiles {
public:
    // Takes the inputs; reads at most 1 MiB at each end of each, splits them into recordings
    // and names these. Throws only std::bad_alloc.
    explicit RecordingFiles(const std::vector<std::string>& inputs);

    const std::vector<Recordings::Clip>& Clips() const { return m_clips; }
    const std::vector<RecordingSplit::Group>& Groups() const { return m_groups; }

    // Takes the folder to write into; returns 0 after setting `parts` to one output per
    // recording, FOLDER/NAME, dated by the recording's start. Returns 1 after printing
    // "Merge error: Can't read input file" and the reason on `err` when no piece of a recording
    // could be read, so that it has no name.
    int Parts(const std::string& folder, std::vector<JobFiles::Part>& parts,
              std::ostream& err) const;

    // The start of the first recording, in nanoseconds since the epoch; nothing when none of
    // its pieces could be read.
    boost::optional<std::int64_t> FirstStart() const;

private:
    // Before the clips: reading them fills it.
    std::vector<int> m_errors;
    std::vector<Recordings::Clip> m_clips;
    std::vector<RecordingSplit::Group> m_groups;
    std::vector<RecordingSplit::Name> m_names;
};

} // namespace veldrun
