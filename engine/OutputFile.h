#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <boost/optional.hpp>

#include "engine/ErrorNote.h"
#include "engine/File.h"

namespace veldrun {

struct MergeOptions;

// The output of one merge, from opening to closing. It is opened without being emptied and
// emptied only once the inputs are known to fit; one merge at a time writes it; its data are
// written back to the disk as the copy goes, and are on the disk before the merge succeeds.
// Outputs that are not regular files (pipes, devices) are only opened, written and closed.
// Every failure is a MergeError whose detail names the output.
class OutputFile {
public:
    // Takes the merge's inputs, its output's path and the options; opens nothing yet. The
    // strings must outlive this object.
    OutputFile(const std::vector<std::string>& inputs, const std::string& path,
               const MergeOptions& options);

    // Opens the output, creating it when missing, and locks it against other merges.
    // Throws "Output file is also an input file" when it is one of the inputs (before
    // anything is created), "Can't create output file" when it cannot be opened or locked.
    void Open();

    // Takes the number of bytes the inputs hold. Checks that the output's file system can
    // take them, then empties the output and reserves the space. Throws "Output file is too
    // large for its file system" or "Not enough free space for the output file"; before the
    // output was emptied, such a failure leaves it as it was.
    void Prepare(std::int64_t total);

    // The open output, for the copy.
    File& Stream() { return m_file; }

    // Takes the number of bytes just written; starts writing them back and waits for those
    // a few MiB behind. Throws "Can't write output file" when the disk reports an error.
    void Advance(std::int64_t bytes);

    // True when Finish will wait for the disk: a regular file, and flushing was asked for.
    bool FlushesToDisk() const;

    // After the last write: gives back unused reserved space, gives a regular output the
    // modification time `modifiedNs` when set, puts data and times on the disk (when asked
    // for) and checks that the output still holds exactly the bytes written under its name.
    // Throws "Can't write output file" when any of these fails.
    void Complete(const boost::optional<std::int64_t>& modifiedNs);

    // Closes the output. Throws "Can't write output file" when the close reports an error.
    void Close();

    // After a failure: a file that Open created and nothing was written to is removed again;
    // a prepared output gives back the space reserved beyond what it holds; the output is
    // closed. Never throws.
    void Abandon();

    // The notes to add to a failure's detail about what the output holds, taken before
    // Abandon; none when there is nothing to say (not yet emptied, or not a regular file).
    std::vector<ErrorNote> Leftover(bool cancelled) const;

    // The output's name in messages: its path as QuotedName shows it, or "standard output".
    const std::string& Name() const { return m_name; }
    bool IsRegular() const { return m_regular; }
    File::Id Identity() const { return m_file.Identity(); }
    // A regular output that this merge emptied or created, so that what it holds is the
    // merge's, and not yet Complete.
    bool HoldsPart() const { return m_regular && m_prepared && !m_complete; }
    // Where the merge's bytes start in the file, and how many were written.
    std::int64_t Start() const { return m_start; }
    std::int64_t Written() const { return m_end - m_start; }

    // Throws "Output file is too large for its file system" when a file of `finalSize` bytes
    // is more than the file system on `where` (limit `fileSystemLimit`, -1 for none) or this
    // process may write; the detail names `output` unless it is "".
    static void CheckFits(std::int64_t finalSize, std::int64_t fileSystemLimit,
                          const std::string& where, const std::string& output = "");

private:
    // Throws "Can't write output file" with the system's reason and `when` (a shape of one
    // value, the reason).
    [[noreturn]] void FailToWrite(ErrorNote::Shape when) const;
    // The output's name and the system's reason for its last failure.
    ErrorNote ProblemNote() const;
    // After the copy: the file still has the merge's bytes, all of them and nothing after,
    // under its name.
    bool HoldsWhatWasWritten() const;
    // The inputs, laid end to end, have a hole over [from, to).
    bool InputsHaveHole(std::int64_t from, std::int64_t to) const;

    const std::vector<std::string>& m_inputs;
    const std::string& m_path;
    const bool m_toStandardOutput;
    const bool m_syncToDisk;
    std::string m_name;
    File m_file;
    bool m_regular = false;
    bool m_prepared = false;
    bool m_complete = false;
    // What the file holds is not what was written: write-back failed, or another program
    // changed it.
    bool m_untrusted = false;
    // Why the space reserved beyond what was written could not be given back; empty when it was.
    std::string m_trimProblem;
    // Where the merge's bytes start in the file, where they end now, and how far write-back
    // has been waited for.
    std::int64_t m_start = 0;
    std::int64_t m_end = 0;
    std::int64_t m_settled = 0;
    std::int64_t m_reserved = 0;
};

} // namespace veldrun
