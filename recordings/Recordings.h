#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <boost/function.hpp>
#include <boost/optional.hpp>

#include "recordings/StreamProbe.h"

namespace veldrun {

// Tells from the clocks of listed clips which of them continue one another: the verdict at
// each seam, a summary of the list, and the order in which the pieces were recorded. Pure
// functions of their arguments: they may be called from any thread, several at once.
class Recordings {
public:
    // One list entry: its name (the path as listed, for messages; Order compares entries
    // through the caller's IndexLess instead) and what reading it found, nothing when it could
    // not be read.
    struct Clip {
        std::string name;
        boost::optional<StreamProbe::Result> probe;
    };

    // The verdict at the seam between two neighbouring entries.
    enum class Seam { Continues, NewRecording, Unknown };

    // What an entry is, seen from the entry above it: the word that --check prints.
    enum class Mark { Start, Continues, NewRecording, Unknown, NotStream };

    struct Summary {
        std::size_t clips = 0;
        // Streams that do not continue the entry above (start, new recording, unknown): an
        // upper bound when some are unknown. Unreadable entries are not counted.
        std::size_t recordings = 0;
        std::size_t notStreams = 0;
        // The playing time of the joined list in 27 MHz ticks: each clip from its first to its
        // last PCR, plus the gaps at continuing seams. Set only when every entry has a clock.
        boost::optional<std::int64_t> duration;
    };

    // Compares two entries by their indexes in the list: true when entry i's name comes before
    // entry j's.
    typedef boost::function<bool(std::size_t i, std::size_t j)> IndexLess;

    // The most that B's first PCR may come after A's last for B to continue A.
    static constexpr std::int64_t kMaxGap = StreamProbe::kClockRate;

    // Takes two neighbours, `a` above `b`. Returns Continues when b's first PCR comes after a's
    // last by more than 0 and at most kMaxGap, counted forward across the wrap of the clock;
    // Unknown when either has no clock (not a stream, none found, unreadable); NewRecording
    // otherwise. Never throws.
    static Seam Verdict(const Clip& a, const Clip& b);

    // Takes a list; returns the mark of each entry in list order. The first entry is Start and
    // an entry that is not a stream is NotStream wherever it stands; any other entry gets the
    // verdict of its seam with the entry above. Throws only std::bad_alloc.
    static std::vector<Mark> Marks(const std::vector<Clip>& clips);

    // Takes a list and its marks (from Marks); returns its summary. Throws nothing.
    static Summary Summarize(const std::vector<Clip>& clips, const std::vector<Mark>& marks);

    // Takes a list and the order of its entries' names, given on indexes (`less(i, j)`: entry
    // i's name comes before entry j's); returns the list's indexes in recording order, each
    // exactly once:
    //  - Pieces with a clock form chains, each piece continuing the one before (Verdict). When
    //    several could continue the same piece, or one could continue several, links are made
    //    smallest gap first, then by the name of the earlier piece, then of the later one, then
    //    by their clocks, then by their indexes; a link that would close a loop is not made.
    //  - Chains whose first piece has a recorded date (the camera's, never the file's) come
    //    first, by that date; then those whose first piece has none. Equal dates, and chains
    //    without one, follow each other in the name order of their first pieces, equal names
    //    in list order.
    //  - Entries without a clock follow, in list order, the chain of the nearest entry with a
    //    clock above them in the list; those above every such entry come last.
    // The result depends on the list's order only through copies (the same name and clocks
    // listed twice, whatever their dates) and equal names; applied to its own result it changes
    // nothing, copies aside, which may swap places. Throws only std::bad_alloc, or what `less`
    // throws.
    static std::vector<std::size_t> Order(const std::vector<Clip>& clips, const IndexLess& less);

    // Takes two names; true when `a` comes before `b` in natural order: runs of digits compare
    // as numbers, letters without regard to case (ASCII), other bytes by value. Names that are
    // equal in this sense are ordered by the fewer leading zeros, then byte by byte, so that
    // the order is total. Never throws.
    static bool NaturalLess(const std::string& a, const std::string& b);

    // Takes a duration in 27 MHz ticks; returns it as H:MM:SS, rounded to the nearest second.
    static std::string FormatDuration(std::int64_t ticks);
};

} // namespace veldrun
