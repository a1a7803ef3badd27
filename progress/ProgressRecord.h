#pragma once

#include <cstdint>

// One queued set of progress figures; fileIndex -1 marks an end notification.
struct ProgressRecord {
    std::int32_t fileIndex;
    std::int64_t fileSize;
    std::int64_t filePosition;
    std::int64_t totalSize;
    std::int64_t totalWritten;
};
