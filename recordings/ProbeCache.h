#pragma once

#include <cstddef>
#include <map>
#include <string>

#include <boost/optional.hpp>
#include <boost/thread/mutex.hpp>

#include "recordings/StreamProbe.h"

namespace veldrun {

// Remembers what StreamProbe found for each path, so that a clip is read once and read again
// only when it has changed: a result is used while the file still has the same size,
// modification time, inode change time and identity.
//
// Thread safety: every function may be called from any thread, several at once. The lock is
// held only to look up and to store, never while a file is read, so a slow card does not hold
// up callers whose clips are known. Two callers asking for the same new file may both read it.
class ProbeCache {
public:
    // Takes a path; returns the cached result when the file is unchanged, otherwise reads it
    // with StreamProbe::Read and keeps the result. Returns nothing, and keeps nothing, for a
    // file that cannot be read or when memory runs out while reading, with the reason's errno
    // value in `*error` when it is given. Never throws.
    boost::optional<StreamProbe::Result> Probe(const std::string& path, int* error = nullptr);

    // Forgets every result.
    void Clear();

    // The number of paths with a result kept.
    std::size_t Size();

private:
    boost::mutex m_lock;
    std::map<std::string, StreamProbe::Result> m_results;
};

} // namespace veldrun
