// The verifying of a merge's output, timed by bench/verify-vs-cmp against cmp.
//   verify_bench OUTPUT INPUT...   compares as a merge does after its flush; exits 0 when the
//                                  output matches, 1 when it does not, 2 when misused
//   verify_bench --drop FILE...    drops the files' cached pages, for a run without root
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "engine/File.h"
#include "engine/Verifier.h"

using veldrun::File;
using veldrun::MergeError;
using veldrun::Verifier;

namespace {

int Drop(int argc, char** argv) {
    for (int i = 2; i < argc; ++i) {
        File file;
        if (!file.OpenForReading(argv[i])) {
            std::cerr << argv[i] << ": " << file.Problem() << "\n";
            return 2;
        }
        file.DropCachedPages(0, file.Size());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--drop")
        return Drop(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: verify_bench OUTPUT INPUT... | --drop FILE...\n";
        return 2;
    }
    File output;
    if (output.OpenForWriting(argv[1]) != File::Opened::Existing) {
        std::cerr << argv[1] << ": " << output.Problem() << "\n";
        return 2;
    }
    std::vector<Verifier::Input> inputs;
    std::int64_t total = 0;
    for (int i = 2; i < argc; ++i) {
        File input;
        if (!input.OpenForReading(argv[i])) {
            std::cerr << argv[i] << ": " << input.Problem() << "\n";
            return 2;
        }
        inputs.push_back({argv[i], input.Size()});
        total += input.Size();
    }
    std::int64_t verified = 0;
    try {
        Verifier::Compare(output, 0, argv[1], inputs, 0, total, verified,
                          [](std::int32_t, std::int64_t, std::int64_t, std::int64_t, std::int64_t) {
                              return true;
                          });
    } catch (const MergeError& error) {
        std::cerr << error.what() << ": " << error.Detail() << "\n";
        return 1;
    }
    return 0;
}
