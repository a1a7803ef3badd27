#pragma once

namespace veldrun {

// The fixed messages of a failed merge: the error texts that callers show. Code branches on
// MergeError::Kind, never on these texts.
inline constexpr char kCantCreateOutput[] = "Can't create output file";
inline constexpr char kCantOpenInput[] = "Can't open input file";
inline constexpr char kUserAborted[] = "User aborted operation";
inline constexpr char kOutputIsInput[] = "Output file is also an input file";
inline constexpr char kCantWriteOutput[] = "Can't write output file";
inline constexpr char kCantReadInput[] = "Can't read input file";
inline constexpr char kNotEnoughSpace[] = "Not enough free space for the output file";
inline constexpr char kTooLarge[] = "Output file is too large for its file system";
inline constexpr char kInputChanged[] = "Input file changed during merging";
inline constexpr char kOutputMismatch[] = "Output file does not match its inputs";
inline constexpr char kCantReadOutput[] = "Can't read output file";
inline constexpr char kUnknownError[] = "Unknown error";
inline constexpr char kCantStartThread[] = "Can't start merge thread";

// The reasons the engine gives itself where the system has none to say, beside the system's
// own; callers that translate match them.
inline constexpr char kNotRegular[] = "Not a regular file (a pipe or a device)";
inline constexpr char kKernelInterface[] =
    "a setting or report of the kernel (in /proc or /sys), not a file for data";
inline constexpr char kCannotBeFoundAgain[] = "the open file cannot be found again";
inline constexpr char kNameTakenSince[] = "another file has taken its name since";
inline constexpr char kNoLongerThere[] = "it is no longer there";

} // namespace veldrun
