// Times reading the clock of many large clips through the engine's probe, with a cold page
// cache (dropped before each pass; needs root) and a warm one, alternating which goes first,
// and the answer of the cache for unchanged clips. Makes the clips when missing: sparse files
// with real packets, tables and PCRs at both ends, each piece continuing the one before, the
// camera's date in the first picture of each.
//
//   probe_bench [--count N] [--size-mib M] [--runs R] [--no-tables | --no-date] FOLDER
//
// --no-tables leaves out the programme tables, as in clips cut by other tools: the start is
// then read up to the 1 MiB limit in search of them. --no-date leaves out the date, as in
// H.264 streams from other recorders: the start is then read up to the limit in search of it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/BenchSupport.h"
#include "recordings/ProbeCache.h"
#include "recordings/Recordings.h"
#include "recordings/StreamProbe.h"
#include "tests/support/TestStream.h"

namespace {

using veldrun::bench::DropCaches;
using veldrun::bench::Median;

using veldrun::ProbeCache;
using veldrun::Recordings;
using veldrun::StreamProbe;
using veldrun::test::TestStream;

typedef std::chrono::steady_clock Clock;

const std::int64_t kSecond = TestStream::kSecond;
const std::int64_t kClipSpan = 600 * kSecond;
const int kPacket = 192;

struct Options {
    int count = 50;
    std::int64_t sizeMiB = 2048;
    int runs = 7;
    bool tables = true;
    bool date = true;
    std::string folder;
};

// About 2 MiB of a camcorder-like stream: a PCR every 600 packets (about 40 ms at 24 Mbit/s),
// the tables before every tenth.
std::string Piece(std::int64_t first, std::int64_t last, bool tables) {
    return TestStream(kPacket).Recording(first, last, 18, 600, tables).Bytes();
}

std::string MakeClip(const Options& options, int at) {
    const std::string path = options.folder + "/" +
                             (!options.tables ? "cut-"
                              : options.date  ? ""
                                              : "undated-") +
                             std::to_string(10000 + at).substr(1) + ".MTS";
    const std::int64_t size = (options.sizeMiB << 20) / kPacket * kPacket;
    std::error_code error;
    if (std::filesystem::file_size(path, error) == static_cast<std::uintmax_t>(size))
        return path;
    const std::int64_t first = at * (kClipSpan + kSecond / 25);
    const std::string date = options.tables && options.date
                                 ? TestStream(kPacket).Dated(0x202407, 0x14101502).Bytes()
                                 : std::string();
    const std::string head = date + Piece(first, first + kSecond * 7 / 10, options.tables);
    const std::string tail =
        Piece(first + kClipSpan - kSecond * 7 / 10, first + kClipSpan, options.tables);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(head.data(), head.size());
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
    std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(size - static_cast<std::int64_t>(tail.size()));
    out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

// One pass over every clip: the seconds each took. Checks that the clips form one recording.
std::vector<double> Pass(const std::vector<std::string>& paths) {
    std::vector<double> seconds;
    std::vector<Recordings::Clip> clips;
    for (const std::string& path : paths) {
        const Clock::time_point start = Clock::now();
        clips.push_back(Recordings::Clip{path, StreamProbe::Read(path)});
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const Recordings::Summary summary = Recordings::Summarize(clips, Recordings::Marks(clips));
    if (summary.recordings != 1 || !summary.duration) {
        std::fprintf(stderr, "the clips were not read as one recording\n");
        std::exit(1);
    }
    return seconds;
}

struct Figures {
    std::vector<double> totals;
    std::vector<double> perClip;
    void Add(const std::vector<double>& seconds) {
        double total = 0;
        for (double s : seconds)
            total += s;
        totals.push_back(total);
        perClip.insert(perClip.end(), seconds.begin(), seconds.end());
    }
    void Print(const char* name, std::size_t count) const {
        if (totals.empty()) {
            std::printf("%-6s not measured (dropping the page cache needs root)\n", name);
            return;
        }
        std::printf("%-6s %zu passes: median pass %.3f s = %.2f ms per clip; clip median %.2f ms, "
                    "slowest %.2f ms\n",
                    name, totals.size(), Median(totals), Median(totals) * 1000 / double(count),
                    Median(perClip) * 1000,
                    *std::max_element(perClip.begin(), perClip.end()) * 1000);
    }
};

Options Parse(int argc, char* argv[]) {
    Options options;
    for (int at = 1; at < argc; ++at) {
        const std::string word = argv[at];
        if (word == "--count" && at + 1 < argc)
            options.count = std::atoi(argv[++at]);
        else if (word == "--size-mib" && at + 1 < argc)
            options.sizeMiB = std::atoll(argv[++at]);
        else if (word == "--runs" && at + 1 < argc)
            options.runs = std::atoi(argv[++at]);
        else if (word == "--no-tables")
            options.tables = false;
        else if (word == "--no-date")
            options.date = false;
        else if (options.folder.empty() && word[0] != '-')
            options.folder = word;
        else
            options.folder.clear(), at = argc;
    }
    if (options.folder.empty() || options.count < 1 || options.runs < 1 || options.sizeMiB < 8) {
        std::fprintf(stderr,
                     "usage: probe_bench [--count N] [--size-mib M] [--runs R] [--no-tables | "
                     "--no-date] FOLDER\n");
        std::exit(2);
    }
    return options;
}

} // namespace

int main(int argc, char* argv[]) {
    const Options options = Parse(argc, argv);
    std::filesystem::create_directories(options.folder);
    std::vector<std::string> paths;
    for (int at = 0; at < options.count; ++at)
        paths.push_back(MakeClip(options, at));

    const bool canDrop = DropCaches();
    Figures cold, warm;
    for (int run = 0; run < options.runs; ++run) {
        // Alternate: a warm pass straight after a cold one finds every page it needs.
        if (run % 2 == 0 && canDrop) {
            DropCaches();
            cold.Add(Pass(paths));
        }
        warm.Add(Pass(paths));
        if (run % 2 == 1 && canDrop) {
            DropCaches();
            cold.Add(Pass(paths));
        }
    }

    ProbeCache cache;
    for (const std::string& path : paths)
        cache.Probe(path);
    const Clock::time_point start = Clock::now();
    for (const std::string& path : paths)
        cache.Probe(path);
    const double cached = std::chrono::duration<double>(Clock::now() - start).count();

    std::printf("%d clips of %lld MiB (sparse, real packets at both ends), %s, in %s\n",
                options.count, static_cast<long long>(options.sizeMiB),
                !options.tables ? "without tables"
                : options.date  ? "with tables and the camera's date"
                                : "with tables, without a date",
                options.folder.c_str());
    cold.Print("cold:", paths.size());
    warm.Print("warm:", paths.size());
    std::printf("cached: %.4f ms per clip (unchanged clips are not read again)\n",
                cached * 1000 / double(paths.size()));
    return 0;
}
