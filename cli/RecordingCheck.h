#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "recordings/RecordingSplit.h"
#include "recordings/Recordings.h"

namespace veldrun {

// What the command line tells about recordings: the table of --check, and the notes before a
// join about seams where players may show a jump. Reads at most 1 MiB at each end of an input.
class RecordingCheck {
public:
    // Takes the inputs; prints on `out` one line per input (number, duration, recorded date and
    // time or "-", mark, the input as given, quoted by QuotedName when it holds control characters)
    // and a summary line. An input that cannot be read gets "cannot be read: " and the reason
    // in the mark's column, and the summary counts it. Returns the exit status: 0 when every
    // input could be read, 1 when one could not or when `out` cannot be written.
    static int Report(const std::vector<std::string>& inputs, std::ostream& out);

    // Takes the inputs of a join; prints on `err` a note for each input where the joined stream
    // does not continue: a new recording, not a stream, or a seam that cannot be told. Prints
    // nothing when no input is a stream (other files joined on purpose); inputs that cannot be
    // read, or not for want of memory, are left to the merge to report. Never throws.
    static void Notes(const std::vector<std::string>& inputs, std::ostream& err);

    // The same for inputs already read, joined into one output per recording of `outputs`
    // (from RecordingSplit::Split): an input that starts an output gets no note.
    static void Notes(const std::vector<Recordings::Clip>& clips,
                      const std::vector<RecordingSplit::Group>& outputs, std::ostream& err);

    // Takes the inputs; reads each once. Returns what was read, and, when `errors` is given,
    // appends for each input the errno value of why it could not be read (0 when it was).
    // Throws only std::bad_alloc.
    static std::vector<Recordings::Clip> Read(const std::vector<std::string>& inputs,
                                              std::vector<int>* errors = nullptr);

    // Takes the inputs; returns 0 when each can be opened as a merge opens it, else 1 after
    // printing "Merge error: Can't open input file" and its detail on `err`.
    static int Openable(const std::vector<std::string>& inputs, std::ostream& err);

private:
    static void Write(const std::vector<Recordings::Clip>& clips,
                      const std::vector<RecordingSplit::Group>& outputs, std::ostream& err);
};

} // namespace veldrun
