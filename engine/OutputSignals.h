#pragma once

namespace veldrun {

// Makes the two signals that a failing output raises harmless for the whole process: SIGPIPE
// (the program reading a pipe went away) and SIGXFSZ (the process's file size limit). Their
// default action ends the process without a word; ignored, the write fails instead, and the
// merge reports "Can't write output file". Programs call this once at start-up.
void IgnoreOutputSignals();

} // namespace veldrun
