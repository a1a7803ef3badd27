// Times Order by Recording on long lists: one card's recording shuffled, a card copied many
// times over (every clock value shared by many entries), two pieces listed thousands of times
// each (every entry of one could continue every entry of the other), and lists where many
// pieces want the same continuation, so that every link changes the best link of the rest.
//
//   order_bench [--count N] [--runs R]
//
// Defaults: 8,000 entries, 5 runs; prints the median time of each list.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "recordings/Recordings.h"

namespace {

using veldrun::Recordings;
using veldrun::StreamProbe;

typedef std::chrono::steady_clock Clock;

const std::int64_t kSecond = StreamProbe::kClockRate;
const std::int64_t kClipSpan = 600 * kSecond;

Recordings::Clip Timed(int number, std::int64_t first, std::int64_t last) {
    StreamProbe::Result result;
    result.kind = StreamProbe::Kind::Clock;
    result.packetSize = 192;
    result.firstClock = first % StreamProbe::kClockWrap;
    result.lastClock = last % StreamProbe::kClockWrap;
    return Recordings::Clip{"/media/card/PRIVATE/AVCHD/BDMV/STREAM/" +
                                std::to_string(100000 + number).substr(1) + ".MTS",
                            result};
}

// Piece `at` of one recording, each starting a frame after the one before ends.
Recordings::Clip Piece(int number, int at) {
    const std::int64_t first = at * (kClipSpan + kSecond / 25);
    return Timed(number, first, first + kClipSpan);
}

std::vector<Recordings::Clip> OneRecording(int count, std::mt19937& random) {
    std::vector<Recordings::Clip> clips;
    for (int at = 0; at < count; ++at)
        clips.push_back(Piece(at, at));
    std::shuffle(clips.begin(), clips.end(), random);
    return clips;
}

std::vector<Recordings::Clip> CopiedCard(int count, std::mt19937& random) {
    const int pieces = std::max(1, count / 40);
    std::vector<Recordings::Clip> clips;
    for (int at = 0; at < count; ++at)
        clips.push_back(Piece(at, at % pieces));
    std::shuffle(clips.begin(), clips.end(), random);
    return clips;
}

std::vector<Recordings::Clip> TwoPiecesRepeated(int count, std::mt19937& random) {
    std::vector<Recordings::Clip> clips;
    for (int at = 0; at < count; ++at)
        clips.push_back(Piece(at, at % 2));
    std::shuffle(clips.begin(), clips.end(), random);
    return clips;
}

// Half the entries copies of one piece, half pieces that could each continue it, their first
// PCRs spread over the second after its end: every copy wants the nearest of them.
std::vector<Recordings::Clip> CopiesAndCandidates(int count, std::mt19937& random) {
    std::vector<Recordings::Clip> clips;
    for (int at = 0; at < count; ++at) {
        const std::int64_t first = kClipSpan + 1 + at / 2 * (kSecond / count);
        clips.push_back(at % 2 ? Timed(at, 0, kClipSpan) : Timed(at, first, first + kClipSpan));
    }
    std::shuffle(clips.begin(), clips.end(), random);
    return clips;
}

// Pieces whose last PCRs lie a tick apart and whose first PCRs spread over the second after
// them: after each link every piece's nearest candidate is taken.
std::vector<Recordings::Clip> PackedEnds(int count, std::mt19937& random) {
    std::vector<Recordings::Clip> clips;
    for (int at = 0; at < count; ++at) {
        const std::int64_t last = kClipSpan + at;
        const std::int64_t first = kClipSpan + count + 1 + at * (kSecond / 2 / count);
        clips.push_back(Timed(at, first, first + kClipSpan));
        clips.back().probe->lastClock = last;
    }
    std::shuffle(clips.begin(), clips.end(), random);
    return clips;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Time(const char* name, const std::vector<Recordings::Clip>& clips, int runs) {
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        const std::vector<std::size_t> order =
            Recordings::Order(clips, [&clips](std::size_t a, std::size_t b) {
                return Recordings::NaturalLess(clips[a].name, clips[b].name);
            });
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        if (order.size() != clips.size()) {
            std::fprintf(stderr, "%s: the order lost entries\n", name);
            std::exit(1);
        }
    }
    std::printf("%-22s %zu entries: median %.4f s, slowest %.4f s (%d runs)\n", name, clips.size(),
                Median(seconds), *std::max_element(seconds.begin(), seconds.end()), runs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    int count = 8000, runs = 5;
    for (int at = 1; at < argc; ++at) {
        const std::string word = argv[at];
        if (word == "--count" && at + 1 < argc) {
            count = std::atoi(argv[++at]);
        } else if (word == "--runs" && at + 1 < argc) {
            runs = std::atoi(argv[++at]);
        } else {
            count = 0;
            break;
        }
    }
    if (count < 1 || runs < 1) {
        std::fprintf(stderr, "usage: order_bench [--count N] [--runs R]\n");
        return 2;
    }
    std::mt19937 random(8000);
    Time("one recording:", OneRecording(count, random), runs);
    Time("card copied 40 times:", CopiedCard(count, random), runs);
    Time("two pieces repeated:", TwoPiecesRepeated(count, random), runs);
    Time("copies and candidates:", CopiesAndCandidates(count, random), runs);
    Time("packed ends:", PackedEnds(count, random), runs);
    return 0;
}
