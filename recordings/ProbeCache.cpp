#include "recordings/ProbeCache.h"

#include <cerrno>
#include <exception>

#include <boost/thread/lock_guard.hpp>

namespace veldrun {

boost::optional<StreamProbe::Result> ProbeCache::Probe(const std::string& path, int* error) {
    File::Stamp now;
    if (!File::StampOf(path, now)) {
        if (error)
            *error = errno;
        boost::lock_guard<boost::mutex> guard(m_lock);
        m_results.erase(path);
        return boost::none;
    }
    {
        boost::lock_guard<boost::mutex> guard(m_lock);
        const auto known = m_results.find(path);
        if (known != m_results.end() && known->second.stamp == now) {
            if (error)
                *error = 0;
            return known->second;
        }
    }
    const boost::optional<StreamProbe::Result> result = StreamProbe::Read(path, error);
    boost::lock_guard<boost::mutex> guard(m_lock);
    try {
        if (result)
            m_results[path] = *result;
        else
            m_results.erase(path);
    } catch (const std::exception&) {
        // Out of memory for the entry: the result is still good, only not kept, and the
        // stale one must not be answered for the changed file.
        m_results.erase(path);
    }
    return result;
}

void ProbeCache::Clear() {
    boost::lock_guard<boost::mutex> guard(m_lock);
    m_results.clear();
}

std::size_t ProbeCache::Size() {
    boost::lock_guard<boost::mutex> guard(m_lock);
    return m_results.size();
}

} // namespace veldrun
