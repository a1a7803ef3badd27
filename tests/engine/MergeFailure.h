#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/Veldrun.h"

namespace veldrun {
namespace test {

// The message, detail and kind of a failed merge; all empty after a success.
struct Failure {
    std::string message;
    std::string detail;
    std::optional<MergeError::Kind> kind;
};

// Merges `inputs` into `output` and returns how it failed.
inline Failure MergeFailure(const std::vector<std::string>& inputs, const std::string& output,
                            ProgressCallback progress = ProgressCallback(),
                            const MergeOptions& options = MergeOptions()) {
    JobFiles job;
    job.inputs = inputs;
    job.output = output;
    try {
        Veldrun::Merge(job, progress, options);
    } catch (const MergeError& error) {
        return {error.what(), error.Detail(), error.GetKind()};
    }
    return {};
}

} // namespace test
} // namespace veldrun
