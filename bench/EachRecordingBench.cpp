// One run of several recordings against the same merges done one after the other, timed by
// bench/each-recording.
//   each_recording_bench run FOLDER INPUT...      one run, each input a recording of its own,
//                                                 into FOLDER/run-1.mts, run-2.mts...
//   each_recording_bench merges FOLDER INPUT...   one merge per input, one after the other,
//                                                 into FOLDER/merge-1.mts, merge-2.mts...
// Both flush every output and give it a date, as the dialog does. Exits 0 on success, 1 when
// a merge fails, 2 when misused.
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "engine/Veldrun.h"

using veldrun::JobFiles;
using veldrun::MergeError;
using veldrun::MergeOptions;
using veldrun::RunOutcome;
using veldrun::Veldrun;

namespace {

// A date for the outputs: setting it is part of what a run does.
const std::int64_t kRecorded = std::int64_t(1720951421) * 1000000000;

bool Quiet(std::int32_t, std::int64_t, std::int64_t, std::int64_t, std::int64_t) {
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc >= 4 ? argv[1] : "";
    if (mode != "run" && mode != "merges") {
        std::cerr << "usage: each_recording_bench run|merges FOLDER INPUT...\n";
        return 2;
    }
    const std::string folder = argv[2];
    const std::vector<std::string> inputs(argv + 3, argv + argc);
    try {
        if (mode == "run") {
            JobFiles job;
            job.inputs = inputs;
            for (std::size_t i = 0; i < inputs.size(); ++i) {
                JobFiles::Part part;
                part.path = folder + "/run-" + std::to_string(i + 1) + ".mts";
                part.first = i;
                part.modifiedNs = kRecorded;
                job.parts.push_back(part);
            }
            RunOutcome outcome;
            Veldrun::MergeRun(job, Quiet, MergeOptions(), outcome);
        } else {
            for (std::size_t i = 0; i < inputs.size(); ++i) {
                JobFiles job;
                job.inputs = {inputs[i]};
                job.output = folder + "/merge-" + std::to_string(i + 1) + ".mts";
                job.modifiedNs = kRecorded;
                Veldrun::Merge(job, Quiet);
            }
        }
    } catch (const MergeError& error) {
        std::cerr << error.what() << ": " << error.Detail() << "\n";
        return 1;
    }
    return 0;
}
