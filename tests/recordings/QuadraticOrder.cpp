#include "tests/recordings/QuadraticOrder.h"

#include <algorithm>

namespace veldrun {
namespace test {

namespace {

const std::size_t kNone = static_cast<std::size_t>(-1);

bool HasClock(const Recordings::Clip& clip) {
    return clip.probe && clip.probe->kind == StreamProbe::Kind::Clock;
}

std::int64_t Gap(const Recordings::Clip& a, const Recordings::Clip& b) {
    return StreamProbe::ClockDistance(a.probe->lastClock, b.probe->firstClock);
}

// True when `to` heads the chain that ends in `from`: linking them would close a loop.
bool SameChain(const std::vector<std::size_t>& next, std::size_t from, std::size_t to) {
    std::size_t at = to;
    while (next[at] != kNone)
        at = next[at];
    return at == from;
}

// A possible link: `to` could continue `from`.
struct Link {
    std::int64_t gap;
    std::size_t from;
    std::size_t to;
};

// Every pair of clips with clocks where the second could continue the first, found through
// the clips sorted by their first PCR rather than by trying every pair.
std::vector<Link> CandidateLinks(const std::vector<Recordings::Clip>& clips) {
    std::vector<std::size_t> byFirst;
    for (std::size_t at = 0; at < clips.size(); ++at) {
        if (HasClock(clips[at]))
            byFirst.push_back(at);
    }
    const auto first = [&](std::size_t at) {
        return clips[at].probe->firstClock;
    };
    std::stable_sort(byFirst.begin(), byFirst.end(),
                     [&](std::size_t a, std::size_t b) { return first(a) < first(b); });
    std::vector<std::int64_t> firsts;
    for (std::size_t at : byFirst)
        firsts.push_back(first(at));

    std::vector<Link> links;
    // The clips whose first PCR lies in (low, high].
    const auto collect = [&](std::size_t from, std::int64_t low, std::int64_t high) {
        auto it = std::upper_bound(firsts.begin(), firsts.end(), low);
        for (; it != firsts.end() && *it <= high; ++it) {
            const std::size_t to = byFirst[static_cast<std::size_t>(it - firsts.begin())];
            if (to != from)
                links.push_back(Link{Gap(clips[from], clips[to]), from, to});
        }
    };
    for (std::size_t from : byFirst) {
        const std::int64_t last = clips[from].probe->lastClock;
        const std::int64_t high = last + Recordings::kMaxGap;
        collect(from, last, std::min(high, StreamProbe::kClockWrap - 1));
        if (high >= StreamProbe::kClockWrap)
            collect(from, -1, high - StreamProbe::kClockWrap);
    }
    return links;
}

} // namespace

std::vector<std::size_t> QuadraticOrder(const std::vector<Recordings::Clip>& clips,
                                        const Recordings::IndexLess& less) {
    const std::size_t count = clips.size();
    std::vector<Link> links = CandidateLinks(clips);
    std::sort(links.begin(), links.end(), [&](const Link& a, const Link& b) {
        if (a.gap != b.gap)
            return a.gap < b.gap;
        if (less(a.from, b.from))
            return true;
        if (less(b.from, a.from))
            return false;
        if (less(a.to, b.to))
            return true;
        if (less(b.to, a.to))
            return false;
        // Pieces of equal names: the clocks decide, so that only true copies depend on the
        // list's order.
        const StreamProbe::Result &fromA = *clips[a.from].probe, &fromB = *clips[b.from].probe;
        const StreamProbe::Result &toA = *clips[a.to].probe, &toB = *clips[b.to].probe;
        if (fromA.firstClock != fromB.firstClock)
            return fromA.firstClock < fromB.firstClock;
        if (toA.lastClock != toB.lastClock)
            return toA.lastClock < toB.lastClock;
        return a.from != b.from ? a.from < b.from : a.to < b.to;
    });
    std::vector<std::size_t> next(count, kNone), previous(count, kNone);
    for (const Link& link : links) {
        if (next[link.from] != kNone || previous[link.to] != kNone ||
            SameChain(next, link.from, link.to))
            continue;
        next[link.from] = link.to;
        previous[link.to] = link.from;
    }

    std::vector<std::size_t> heads;
    for (std::size_t at = 0; at < count; ++at) {
        if (HasClock(clips[at]) && previous[at] == kNone)
            heads.push_back(at);
    }
    // Dated chains first, by the date of their first piece; the rest, and equal dates, by name.
    std::stable_sort(heads.begin(), heads.end(), [&](std::size_t a, std::size_t b) {
        const boost::optional<RecordedTime>&dateA = clips[a].probe->recorded,
              &dateB = clips[b].probe->recorded;
        if (dateA && dateB && (*dateA < *dateB || *dateB < *dateA))
            return *dateA < *dateB;
        if (!dateA != !dateB)
            return bool(dateA);
        return less(a, b);
    });

    // Each chain, then the entries without a clock whose nearest entry with one above them in
    // the list is in that chain; last, those above every entry with a clock.
    std::vector<std::size_t> order;
    for (std::size_t head : heads) {
        std::vector<bool> inChain(count, false);
        for (std::size_t at = head; at != kNone; at = next[at]) {
            order.push_back(at);
            inChain[at] = true;
        }
        std::size_t above = kNone;
        for (std::size_t at = 0; at < count; ++at) {
            if (HasClock(clips[at]))
                above = at;
            else if (above != kNone && inChain[above])
                order.push_back(at);
        }
    }
    for (std::size_t at = 0; at < count && !HasClock(clips[at]); ++at)
        order.push_back(at);
    return order;
}

} // namespace test
} // namespace veldrun
