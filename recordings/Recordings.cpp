#include "recordings/Recordings.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

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
    ChainSets chains(count);
    for (const Link& link : links) {
        if (next[link.from] != kNone || previous[link.to] != kNone ||
            chains.Find(link.from) == chains.Find(link.to))
            continue;
        next[link.from] = link.to;
        previous[link.to] = link.from;
        chains.Join(link.from, link.to);
    }

    std::vector<std::size_t> heads;
    for (std::size_t at = 0; at < count; ++at) {
        if (HasClock(clips[at]) && previous[at] == kNone)
            heads.push_back(at);
    }
    std::stable_sort(heads.begin(), heads.end(),
                     [&](std::size_t a, std::size_t b) { return less(a, b); });

    // Entries without a clock, gathered behind the head of the chain above them.
    std::vector<std::vector<std::size_t>> following(count);
    std::vector<std::size_t> trailing;
    std::size_t above = kNone;
    for (std::size_t at = 0; at < count; ++at) {
        if (HasClock(clips[at])) {
            above = at;
            continue;
        }
        if (above == kNone) {
            trailing.push_back(at);
            continue;
        }
        std::size_t head = above;
        while (previous[head] != kNone)
            head = previous[head];
        following[head].push_back(at);
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
