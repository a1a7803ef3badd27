#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "recordings/Recordings.h"

namespace veldrun {

// Splits a list into its recordings and names one output per recording after when it was
// recorded. Pure functions of their arguments, apart from the local time zone.
class RecordingSplit {
public:
    // One recording: the entries [first, first + count) of the list.
    struct Group {
        std::size_t first = 0;
        std::size_t count = 0;
    };

    // Takes the list's marks (Recordings::Marks) and, for each entry, whether it names the same
    // file as an entry above it (empty: none does). Returns the recordings in list order: one
    // starts at the first entry and at every entry marked NewRecording that does not list a
    // file again; every other entry (continuing, unknown, not a stream, unreadable, listed
    // twice) belongs to the recording above it. Empty for an empty list.
    static std::vector<Group> Split(const std::vector<Recordings::Mark>& marks,
                                    const std::vector<bool>& listedTwice);

    // For each entry, whether it names the same file (device and inode, as read) as an entry
    // above it; entries that could not be read never do.
    static std::vector<bool> ListedTwice(const std::vector<Recordings::Clip>& clips);

    struct Name {
        // "YYYY-MM-DD HH.MM.SS" and the first piece's extension as it is spelled ("2024-07-14
        // 10.03.41.MTS"), " (2)", " (3)" before the extension for a second and third recording
        // of the same name (names that differ only in case count as the same); empty when no
        // entry of the recording could be read.
        std::string file;
        // Named from the first readable piece's modification time, in local time: it has no
        // camera date.
        bool fromFileDate = false;
        // The recording's start in nanoseconds since the epoch: the camera's date taken as
        // local time in this computer's time zone, else the piece's modification time.
        std::int64_t startNs = 0;
    };

    // Takes the recordings of `clips` (from Split); returns one name per recording, from its
    // first piece that could be read. Throws only std::bad_alloc.
    static std::vector<Name> Names(const std::vector<Group>& groups,
                                   const std::vector<Recordings::Clip>& clips);
};

} // namespace veldrun
