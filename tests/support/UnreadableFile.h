#pragma once

namespace veldrun {
namespace test {

// A regular file with a size whose read fails, standing in for a damaged disk: the loopback
// interface's link speed, which the kernel cannot tell (the read fails with "Invalid
// argument") while stat reports 4096 bytes.
inline constexpr char kUnreadableFile[] = "/sys/class/net/lo/speed";

} // namespace test
} // namespace veldrun
