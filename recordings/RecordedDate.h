#pragma once

#include <cstddef>
#include <vector>

#include <boost/optional.hpp>

#include "recordings/RecordedTime.h"

namespace veldrun {

// Finds the date and time that AVCHD camcorders write into their H.264 video: an SEI message
// of type 5 (user data unregistered) with the UUID 17ee8c60-f84d-11d9-8cd6-0800200c9a66,
// then "MDPM", a tag count and 5-byte tags, of which tag 0x18 holds the century, year and
// month and tag 0x19 the day, hour, minute and second, all in BCD.
//
// Takes the video's transport packets one by one, reassembles each PES as far as the first
// kPesLimit bytes of it (the SEI comes before the pictures of its access unit), and looks at
// the SEI messages there. Memory and work are bounded by kPesLimit per PES. Not thread safe:
// one reader per walk over a clip.
class RecordedDate {
public:
    // The most of one PES that is kept and looked at.
    static constexpr std::size_t kPesLimit = 64 * 1024;

    // Takes the payload of one packet of the video's PID, whether a PES starts in it, and its
    // continuity counter. A packet out of sequence drops the PES it belongs to; a repeated one
    // is skipped. Does nothing once a date was found. Throws only std::bad_alloc.
    void Add(const unsigned char* payload, std::size_t size, bool unitStart, int counter);

    // Looks at the PES still being gathered, as far as it came: called at the end of what was
    // read, whose last PES may be cut off. Throws nothing.
    void Finish();

    // The first date found whose every field is valid BCD and a real date and time.
    const boost::optional<RecordedTime>& Found() const { return m_found; }

private:
    void Look();

    std::vector<unsigned char> m_pes;
    bool m_gathering = false;
    int m_counter = -1;
    boost::optional<RecordedTime> m_found;
};

} // namespace veldrun
