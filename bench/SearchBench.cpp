// Times the search of a camcorder's card for its clips: a card of sparse clips (2 GiB each by
// default) under PRIVATE/AVCHD/BDMV/STREAM with an index file per clip in CLIPINF and PLAYLIST,
// searched with a cold page cache (dropped before each run; needs root) and a warm one,
// alternating which goes first; medians of 7 runs. Makes the card when missing.
//
//   search_bench [--count N] FOLDER

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "recordings/ClipSearch.h"

namespace {

typedef std::chrono::steady_clock Clock;

struct Options {
    int count = 300;
    const std::uintmax_t sizeMiB = 2048;
    const int runs = 7;
    std::string folder;
};

void MakeCard(const Options& options) {
    namespace fs = std::filesystem;
    const fs::path bdmv = fs::path(options.folder) / "PRIVATE/AVCHD/BDMV";
    for (const char* sub : {"STREAM", "CLIPINF", "PLAYLIST"})
        fs::create_directories(bdmv / sub);
    std::ofstream(bdmv / "INDEX.BDM") << "index";
    for (int at = 0; at < options.count; ++at) {
        const std::string number = std::to_string(100000 + at).substr(1);
        const fs::path clip = bdmv / "STREAM" / (number + ".MTS");
        if (!fs::exists(clip)) {
            std::ofstream(clip) << "clip";
            fs::resize_file(clip, options.sizeMiB << 20);
        }
        std::ofstream(bdmv / "CLIPINF" / (number + ".CPI")) << "info";
        std::ofstream(bdmv / "PLAYLIST" / (number + ".MPL")) << "list";
    }
}

bool DropCaches() {
    ::sync();
    std::FILE* file = std::fopen("/proc/sys/vm/drop_caches", "w");
    if (!file)
        return false;
    const bool written = std::fputs("3\n", file) >= 0;
    return std::fclose(file) == 0 && written;
}

double Search(const Options& options) {
    const Clock::time_point start = Clock::now();
    const veldrun::ClipSearch::Result result = veldrun::ClipSearch::Find(options.folder);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (result.clips.size() != static_cast<std::size_t>(options.count)) {
        std::fprintf(stderr, "found %zu clips, expected %d\n", result.clips.size(), options.count);
        std::exit(1);
    }
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    Options options;
    for (int at = 1; at < argc; ++at) {
        if (std::string(argv[at]) == "--count" && at + 1 < argc)
            options.count = std::atoi(argv[++at]);
        else
            options.folder = argv[at];
    }
    if (options.folder.empty() || options.count < 1) {
        std::fprintf(stderr, "usage: search_bench [--count N] FOLDER\n");
        return 2;
    }
    MakeCard(options);
    const bool cold = DropCaches();
    std::vector<double> warm, dropped;
    for (int run = 0; run < options.runs; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            if ((run + turn) % 2 == 0) {
                Search(options);
                warm.push_back(Search(options));
            } else if (cold && DropCaches()) {
                dropped.push_back(Search(options));
            }
        }
    }
    std::printf("%d clips of %ju MiB, medians of %d runs\n", options.count, options.sizeMiB,
                options.runs);
    std::printf("warm: %.3f ms\n", Median(warm) * 1e3);
    if (dropped.empty())
        std::printf("cold: not measured (dropping the page cache needs root)\n");
    else
        std::printf("cold: %.3f ms (slowest %.3f ms)\n", Median(dropped) * 1e3,
                    *std::max_element(dropped.begin(), dropped.end()) * 1e3);
    return 0;
}
