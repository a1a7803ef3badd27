#include "recordings/Recordings.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <tuple>
#include <utility>

#include <queue>

namespace veldrun {

namespace {

const std::size_t kNone = static_cast<std::size_t>(-1);

bool HasClock(const Recordings::Clip& clip) {
    return clip.probe && clip.probe->kind == StreamProbe::Kind::Clock;
}

bool IsNotStream(const Recordings::Clip& clip) {
    return clip.probe && clip.probe->kind == StreamProbe::Kind::NotStream;
}

std::int64_t Gap(const Recordings::Clip& a, const Recordings::Clip& b) {
    return StreamProbe::ClockDistance(a.probe->lastClock, b.probe->firstClock);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Natural comparison of two names: negative, 0 or positive.
int NaturalCompare(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    int zeros = 0; // the first difference in leading zeros, for names otherwise equal
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::size_t zerosA = i, zerosB = j;
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            const std::size_t startA = i, startB = j;
            while (i < a.size() && IsDigit(a[i]))
                ++i;
            while (j < b.size() && IsDigit(b[j]))
                ++j;
            // Without leading zeros, the longer run is the larger number.
            if (i - startA != j - startB)
                return i - startA < j - startB ? -1 : 1;
            const int digits = a.compare(startA, i - startA, b, startB, j - startB);
            if (digits != 0)
                return digits;
            if (zeros == 0)
                zeros = Sign(static_cast<int>(startA - zerosA) - static_cast<int>(startB - zerosB));
        } else {
            const char ca = Lower(a[i]), cb = Lower(b[j]);
            if (ca != cb)
                return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
            ++i;
            ++j;
        }
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return zeros != 0 ? zeros : a.compare(b);
}

// The chains of pieces joined so far, for telling whether a new link would close a loop.
class ChainSets {
public:
    explicit ChainSets(std::size_t size) : m_parent(size) {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }
    std::size_t Find(std::size_t at) {
        while (m_parent[at] != at)
            at = m_parent[at] = m_parent[m_parent[at]];
        return at;
    }
    void Join(std::size_t a, std::size_t b) { m_parent[Find(a)] = Find(b); }

private:
    std::vector<std::size_t> m_parent;
};

// A possible link: `to` could continue `from`. Links are made in the order of Key: smallest
// gap, then the names of the earlier and of the later piece (as ranks), their clocks, their
// indexes.
struct Link {
    std::int64_t gap;
    std::size_t fromRank;
    std::size_t toRank;
    std::int64_t fromClock; // the earlier piece's first PCR
    std::int64_t toClock;   // the later piece's last PCR
    std::size_t from;
    std::size_t to;

    std::tuple<std::int64_t, std::size_t, std::size_t, std::int64_t, std::int64_t, std::size_t,
               std::size_t>
    Key() const {
        return std::tie(gap, fromRank, toRank, fromClock, toClock, from, to);
    }
};

// Takes the indexes of the pieces with a clock; returns for every index of the list the rank
// of its name among them: equal for names that `less` does not tell apart. Ranking once keeps
// the calls to `less` at n log n, however many links there could be.
std::vector<std::size_t> NameRanks(std::size_t count, std::vector<std::size_t> timed,
                                   const Recordings::IndexLess& less) {
    std::stable_sort(timed.begin(), timed.end(),
                     [&](std::size_t a, std::size_t b) { return less(a, b); });
    std::vector<std::size_t> ranks(count, 0);
    std::size_t rank = 0;
    for (std::size_t at = 0; at < timed.size(); ++at) {
        if (at > 0 && less(timed[at - 1], timed[at]))
            ++rank;
        ranks[timed[at]] = rank;
    }
    return ranks;
}

// Pieces sorted by a clock value and, for equal clocks, in the order links prefer them, of
// which some are free. A piece taken is skipped from then on through a path-compressed "next
// free place", so that lists with thousands of equal clocks do not make every search walk
// past the pieces already taken.
class FreePieces {
public:
    // Takes the pieces and, for each index, its clock and the key that orders equal clocks.
    template <typename ClockOf, typename KeyOf>
    FreePieces(std::size_t count, std::vector<std::size_t> pieces, const ClockOf& clock,
               const KeyOf& key)
        : m_sorted(std::move(pieces)), m_nextFree(m_sorted.size() + 1),
          m_freeBefore(m_sorted.size() + 1), m_placeOf(count, kNone) {
        std::sort(m_sorted.begin(), m_sorted.end(), [&](std::size_t a, std::size_t b) {
            return std::make_pair(clock(a), key(a)) < std::make_pair(clock(b), key(b));
        });
        for (std::size_t place = 0; place < m_sorted.size(); ++place) {
            m_clocks.push_back(clock(m_sorted[place]));
            m_placeOf[m_sorted[place]] = place;
        }
        std::iota(m_nextFree.begin(), m_nextFree.end(), 0);
        std::iota(m_freeBefore.begin(), m_freeBefore.end(), 0);
    }

    // The first free piece whose clock lies in (low, high] and that `allowed` accepts; kNone
    // when there is none. `refused` tells whether `allowed` refused one before it, which it
    // does for at most one free piece (the head of the searching piece's own chain).
    template <typename Allowed>
    std::size_t First(std::int64_t low, std::int64_t high, const Allowed& allowed, bool& refused) {
        std::size_t place = static_cast<std::size_t>(
            std::upper_bound(m_clocks.begin(), m_clocks.end(), low) - m_clocks.begin());
        for (place = Free(place); place < m_sorted.size() && m_clocks[place] <= high;
             place = Free(place + 1)) {
            if (allowed(m_sorted[place]))
                return m_sorted[place];
            refused = true;
        }
        return kNone;
    }

    // The free piece after `at` (free or not) in the order, or before it, round the end of
    // the order; kNone when there is no other.
    std::size_t After(std::size_t at) {
        std::size_t place = Free(m_placeOf[at] + 1);
        if (place == m_sorted.size())
            place = Free(0);
        return place == m_sorted.size() || m_sorted[place] == at ? kNone : m_sorted[place];
    }
    std::size_t Before(std::size_t at) {
        std::size_t place = FreeBefore(m_placeOf[at]);
        if (place == 0)
            place = FreeBefore(m_sorted.size());
        return place == 0 || m_sorted[place - 1] == at ? kNone : m_sorted[place - 1];
    }

    const std::vector<std::size_t>& Sorted() const { return m_sorted; }
    std::size_t Place(std::size_t at) const { return m_placeOf[at]; }

    void Take(std::size_t at) {
        m_nextFree[m_placeOf[at]] = m_placeOf[at] + 1;
        m_freeBefore[m_placeOf[at] + 1] = m_placeOf[at];
    }

private:
    // One past the last free place before `place` (1-based, so that 0 means none).
    std::size_t FreeBefore(std::size_t place) { return Root(m_freeBefore, place); }
    std::size_t Free(std::size_t place) { return Root(m_nextFree, place); }

    // Follows `links` from `place` to a place that links to itself, shortening the way.
    static std::size_t Root(std::vector<std::size_t>& links, std::size_t place) {
        std::size_t root = place;
        while (links[root] != root)
            root = links[root];
        while (links[place] != root)
            place = std::exchange(links[place], root);
        return root;
    }

    std::vector<std::size_t> m_sorted;
    std::vector<std::int64_t> m_clocks;
    std::vector<std::size_t> m_nextFree;   // one past the end stays free: the search's stop
    std::vector<std::size_t> m_freeBefore; // the same backwards, shifted by one
    std::vector<std::size_t> m_placeOf;
};

} // namespace

Recordings::Seam Recordings::Verdict(const Clip& a, const Clip& b) {
    if (!HasClock(a) || !HasClock(b))
        return Seam::Unknown;
    const std::int64_t gap = Gap(a, b);
    return gap > 0 && gap <= kMaxGap ? Seam::Continues : Seam::NewRecording;
}

std::vector<Recordings::Mark> Recordings::Marks(const std::vector<Clip>& clips) {
    std::vector<Mark> marks;
    marks.reserve(clips.size());
    for (std::size_t at = 0; at < clips.size(); ++at) {
        if (IsNotStream(clips[at])) {
            marks.push_back(Mark::NotStream);
        } else if (at == 0) {
            marks.push_back(Mark::Start);
        } else {
            switch (Verdict(clips[at - 1], clips[at])) {
            case Seam::Continues:
                marks.push_back(Mark::Continues);
                break;
            case Seam::NewRecording:
                marks.push_back(Mark::NewRecording);
                break;
            case Seam::Unknown:
                marks.push_back(Mark::Unknown);
                break;
            }
        }
    }
    return marks;
}

Recordings::Summary Recordings::Summarize(const std::vector<Clip>& clips,
                                          const std::vector<Mark>& marks) {
    Summary summary;
    summary.clips = clips.size();
    std::int64_t duration = 0;
    bool known = true;
    for (std::size_t at = 0; at < clips.size() && at < marks.size(); ++at) {
        if (marks[at] == Mark::NotStream)
            ++summary.notStreams;
        else if (clips[at].probe && marks[at] != Mark::Continues)
            ++summary.recordings;
        known = known && HasClock(clips[at]);
        if (known) {
            duration += StreamProbe::Duration(*clips[at].probe);
            if (marks[at] == Mark::Continues)
                duration += Gap(clips[at - 1], clips[at]);
        }
    }
    if (known && !clips.empty())
        summary.duration = duration;
    return summary;
}

std::vector<std::size_t> Recordings::Order(const std::vector<Clip>& clips, const IndexLess& less) {
    const std::size_t count = clips.size();
    std::vector<std::size_t> timed;
    for (std::size_t at = 0; at < count; ++at) {
        if (HasClock(clips[at]))
            timed.push_back(at);
    }
    const std::vector<std::size_t> ranks = NameRanks(count, timed, less);
    // Pieces that nothing continues yet, by first PCR; pieces that continue nothing yet and
    // may still, by last PCR.
    FreePieces starts(
        count, timed, [&](std::size_t at) { return clips[at].probe->firstClock; },
        [&](std::size_t at) { return std::make_tuple(ranks[at], clips[at].probe->lastClock, at); });
    FreePieces ends(
        count, timed, [&](std::size_t at) { return clips[at].probe->lastClock; },
        [&](std::size_t at) {
            // Of equal last PCRs the piece whose links are preferred comes last, next to the
            // pieces with later last PCRs, which are preferred too (smaller gaps).
            return std::make_tuple(count - ranks[at], -clips[at].probe->firstClock, count - at);
        });
    std::vector<std::size_t> next(count, kNone), previous(count, kNone);
    ChainSets chains(count);

    // Each piece's best link, taken lazily from a heap: made when it is still possible when it
    // comes up, else replaced by the piece's best link now. A link that is no longer possible
    // never becomes possible again, so this makes the links in the same order as trying every
    // possible link in Key order would, without listing them (n squared for equal clocks).
    // `refused` tells whether the piece's own chain head was passed over.
    // The first free piece that could continue `from` and that `allowed` accepts.
    const auto firstAfter = [&](std::size_t from, const auto& allowed, bool& refused) {
        const std::int64_t last = clips[from].probe->lastClock;
        const std::int64_t high = last + kMaxGap;
        refused = false;
        std::size_t to =
            starts.First(last, std::min(high, StreamProbe::kClockWrap - 1), allowed, refused);
        if (to == kNone && high >= StreamProbe::kClockWrap)
            to = starts.First(-1, high - StreamProbe::kClockWrap, allowed, refused);
        return to;
    };
    const auto best = [&](std::size_t from, bool& refused) -> boost::optional<Link> {
        const auto allowed = [&](std::size_t to) {
            return chains.Find(to) != chains.Find(from);
        };
        const std::size_t to = firstAfter(from, allowed, refused);
        if (to == kNone)
            return boost::none;
        return Link{
            Gap(clips[from], clips[to]), ranks[from], ranks[to], clips[from].probe->firstClock,
            clips[to].probe->lastClock,  from,        to};
    };
    const auto later = [](const Link& a, const Link& b) {
        return a.Key() > b.Key();
    };
    std::priority_queue<Link, std::vector<Link>, decltype(later)> pending(later);
    // Not every piece needs a link in the heap. Take a piece and the next free one by last PCR
    // (round the wrap), which also sees as its first free successor the same piece: the next
    // one's best link has the smaller gap (or, for equal last PCRs, the preferred piece), so
    // the piece's own best link cannot be made before it, unless the next one passed over its
    // own chain head. Such a piece waits outside the heap until the next one is linked or
    // changes its link; a run of them costs nothing while the last of the run is being linked.
    std::vector<char> inHeap(count, 0), refusedOne(count, 0);
    const auto firstFree = [&](std::size_t from) {
        bool refused = false;
        return firstAfter(
            from, [](std::size_t) { return true; }, refused);
    };
    const auto waits = [&](std::size_t from) {
        const std::size_t after = ends.After(from);
        if (after == kNone || (inHeap[after] && refusedOne[after]))
            return false;
        const std::size_t to = firstFree(from), theirs = firstFree(after);
        if (to == kNone || theirs == kNone ||
            clips[to].probe->firstClock != clips[theirs].probe->firstClock)
            return false;
        const std::int64_t mine = Gap(clips[from], clips[to]);
        const std::int64_t their = Gap(clips[after], clips[to]);
        return their < mine || (their == mine && ends.Place(after) > ends.Place(from));
    };
    // Gives `from`, whose link or successor changed, a link in the heap unless it waits; then
    // the piece before it, when its own successor is no longer one it may wait for.
    const auto settle = [&](std::size_t from) {
        while (from != kNone && !inHeap[from] && !waits(from)) {
            bool refused = false;
            const std::size_t before = ends.Before(from);
            if (const boost::optional<Link> link = best(from, refused)) {
                pending.push(*link);
                inHeap[from] = 1;
                refusedOne[from] = refused;
                if (!refused)
                    return;
            } else {
                ends.Take(from); // it never will have one
            }
            from = before;
        }
    };
    for (auto it = ends.Sorted().rbegin(); it != ends.Sorted().rend(); ++it)
        settle(*it);
    while (!pending.empty()) {
        const Link link = pending.top();
        pending.pop();
        inHeap[link.from] = 0;
        if (previous[link.to] == kNone && chains.Find(link.from) != chains.Find(link.to)) {
            next[link.from] = link.to;
            previous[link.to] = link.from;
            chains.Join(link.from, link.to);
            starts.Take(link.to);
            const std::size_t before = ends.Before(link.from);
            ends.Take(link.from);
            settle(before);
        } else {
            settle(link.from);
            if (!inHeap[link.from] || refusedOne[link.from])
                settle(ends.Before(link.from));
        }
    }

    std::vector<std::size_t> heads, headOf(count, kNone);
    for (std::size_t at : timed) {
        if (previous[at] == kNone) {
            heads.push_back(at);
            for (std::size_t piece = at; piece != kNone; piece = next[piece])
                headOf[piece] = at;
        }
    }
    // Chains whose first piece has a recorded date first, by that date; then by name.
    std::stable_sort(heads.begin(), heads.end(), [&](std::size_t a, std::size_t b) {
        const boost::optional<RecordedTime>&dateA = clips[a].probe->recorded,
              &dateB = clips[b].probe->recorded;
        if (dateA.has_value() != dateB.has_value())
            return dateA.has_value();
        if (dateA && !(*dateA == *dateB))
            return *dateA < *dateB;
        return ranks[a] < ranks[b];
    });

    // Entries without a clock, gathered behind the head of the chain above them.
    std::vector<std::vector<std::size_t>> following(count);
    std::vector<std::size_t> trailing;
    std::size_t above = kNone;
    for (std::size_t at = 0; at < count; ++at) {
        if (HasClock(clips[at]))
            above = at;
        else if (above == kNone)
            trailing.push_back(at);
        else
            following[headOf[above]].push_back(at);
    }

    std::vector<std::size_t> order;
    order.reserve(count);
    for (std::size_t head : heads) {
        for (std::size_t at = head; at != kNone; at = next[at])
            order.push_back(at);
        order.insert(order.end(), following[head].begin(), following[head].end());
    }
    order.insert(order.end(), trailing.begin(), trailing.end());
    return order;
}

bool Recordings::NaturalLess(const std::string& a, const std::string& b) {
    return NaturalCompare(a, b) < 0;
}

std::string Recordings::FormatDuration(std::int64_t ticks) {
    const std::int64_t seconds =
        (std::max<std::int64_t>(ticks, 0) + StreamProbe::kClockRate / 2) / StreamProbe::kClockRate;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

} // namespace veldrun
