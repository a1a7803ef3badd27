#pragma once

#include <cstdint>

// One queued set of progress figures; fileIndex -1 marks an end notification. The figures of
// the verifying pass count the bytes compared where the copy's count the bytes written.
struct ProgressRecord {
    std::int32_t fileIndex;
    std::int64_t fileSize;
    std::int64_t filePosition;
    std::int64_t totalSize;
    std::int64_t totalWritten;
    bool verifying = false;
};
