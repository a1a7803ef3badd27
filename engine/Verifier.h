#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/File.h"
#include "engine/Veldrun.h"

namespace veldrun {

// Reads a flushed output back from its disk and compares it byte for byte with its inputs,
// read again from theirs: the cached pages of both are dropped first, so that a copy that
// reached the disk wrong, or a card that read differently the second time, is not compared
// with the page cache's memory of it.
class Verifier {
public:
    struct Input {
        std::string path;
        // The bytes of it that the merge copied.
        std::int64_t size = 0;
    };

    enum class Result { Match, Cancelled };

    // Takes the output's open, flushed regular file (left open, its position moved), where the
    // merge's bytes start in it, its name for messages (as QuotedName shows it), the inputs in
    // order, and the frame of the progress figures: the run index of the first input, the run's
    // total, and the bytes verified before this output (`runVerified`, advanced as blocks
    // compare equal). Calls `progress` (may be empty) before every block. Returns Match, or
    // Cancelled when `progress` returned false. Throws MergeError: OutputMismatch with a detail
    // naming the first differing byte in the output and in which input, and where it is there;
    // CantReadOutput or CantReadInput with the system's reason; CantOpenInput for an input that
    // cannot be opened any more; OutputMismatch when the output is shorter than its inputs.
    static Result Compare(File& output, std::int64_t start, const std::string& outputName,
                          const std::vector<Input>& inputs, std::int32_t firstIndex,
                          std::int64_t runTotal, std::int64_t& runVerified,
                          const ProgressCallback& progress);
};

} // namespace veldrun
