#include "engine/OutputFile.h"

#include <algorithm>
#include <cerrno>

#include "engine/Amount.h"
#include "engine/MergeError.h"
#include "engine/OutputTrim.h"
#include "engine/QuotedName.h"
#include "engine/Veldrun.h"

namespace veldrun {

namespace {

// How far write-back may trail the copy before the copy waits for it: enough to keep the
// disk's queue deep while the next blocks are copied (8 MiB measured a little slower here),
// little enough to leave the final flush short and the progress close to the disk.
const std::int64_t kWriteBackLag = std::int64_t(32) << 20;

// The input that `output` is, or nullptr.
const std::string* InputNamed(const File::Id& output, const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        File::Id id;
        if (File::IdentityOf(input, id) && id == output)
            return &input;
    }
    return nullptr;
}

// Amounts in messages, as the command line shows them.
std::string Text(std::int64_t bytes) {
    return Amount::Size(bytes, Amount::Style::Rounded);
}

} // namespace

OutputFile::OutputFile(const std::vector<std::string>& inputs, const std::string& path,
                       const MergeOptions& options)
    : m_inputs(inputs), m_path(path), m_toStandardOutput(options.toStandardOutput),
      m_syncToDisk(options.syncToDisk),
      m_name(options.toStandardOutput ? "standard output" : QuotedName(path)) {}

void OutputFile::Open() {
    // Opening would create or lock a file that is one of the inputs, and copying from it into
    // itself would never end: refuse before touching it.
    File::Id before;
    if (!m_toStandardOutput && File::IdentityOf(m_path, before)) {
        if (const std::string* input = InputNamed(before, m_inputs))
            throw MergeError(MergeError::Kind::OutputIsInput,
                             m_name + " is the same file as the input " + QuotedName(*input));
    }

    if (m_toStandardOutput) {
        if (!m_file.OpenStandardOutput())
            throw MergeError(MergeError::Kind::CantCreateOutput, m_name + ": " + m_file.Problem());
    } else {
        switch (m_file.OpenForWriting(m_path)) {
        case File::Opened::NoReader:
            throw MergeError(MergeError::Kind::CantCreateOutput,
                             m_name + ": no program is reading this pipe, so nothing could be "
                                      "written to it");
        case File::Opened::Failed:
            throw MergeError(MergeError::Kind::CantCreateOutput, m_name + ": " + m_file.Problem());
        case File::Opened::Created:
        case File::Opened::Existing:
            break;
        }
    }
    m_regular = m_file.IsRegular();
    m_start = m_end = m_settled = m_regular ? m_file.Position() : 0;

    switch (m_regular ? m_file.Lock() : File::Locked::Yes) {
    case File::Locked::Yes:
        break;
    case File::Locked::ByReader:
        // A program that only reads the file (a player, a backup) is no merge; and since any
        // user who can read it may hold such a lock, heeding it would let them block merges.
        break;
    case File::Locked::ByWriter:
        // Removing the file here could pull it from under the merge that holds it.
        throw MergeError(MergeError::Kind::CantCreateOutput,
                         m_name + ": another merge is writing this file; wait until it is done");
    case File::Locked::Failed: {
        // No other holder (a network file system without locks, say): a file this open
        // created is nobody else's and goes.
        const std::string problem = m_file.Problem();
        Abandon();
        throw MergeError(MergeError::Kind::CantCreateOutput,
                         m_name +
                             ": the file could not be locked against other merges: " + problem);
    }
    }
    // Checked again on the open file: the path may have changed since, and an input that did
    // not exist yet may name the file just created (through a dangling link, say).
    if (const std::string* input = InputNamed(m_file.Identity(), m_inputs)) {
        Abandon();
        throw MergeError(MergeError::Kind::OutputIsInput,
                         m_name + " is the same file as the input " + QuotedName(*input));
    }
}

void OutputFile::Prepare(std::int64_t total) {
    if (!m_regular) {
        m_prepared = true;
        return;
    }
    const std::string where = m_toStandardOutput ? std::string("the output's file system")
                                                 : QuotedName(m_file.MountPointOf(m_path));
    std::int64_t finalSize = 0;
    if (__builtin_add_overflow(m_start, total, &finalSize)) {
        const std::string what = "the inputs and what " + m_name + " holds before them";
        throw MergeError(MergeError::Kind::TooLarge,
                         what + " come to more bytes than any file can");
    }
    CheckFits(finalSize, m_file.MaxFileSize(), where);
    // Emptying the output gives its blocks back first; appending to standard output does not.
    const std::int64_t available = m_file.AvailableSpace();
    const std::int64_t room = available + (m_toStandardOutput ? 0 : m_file.FreedByEmptying());
    if (available >= 0 && room < total) {
        throw MergeError(MergeError::Kind::NotEnoughSpace,
                         "needs " + Text(total) + ", " + Text(room) + " free on " + where);
    }

    if (!m_toStandardOutput && !m_file.Truncate())
        throw MergeError(MergeError::Kind::CantCreateOutput, m_name + ": " + m_file.Problem());
    m_prepared = true;
    m_reserved = total;
    if (m_regular)
        OutputTrim::Arm(m_file.Descriptor());
    if (!m_file.Reserve(m_start, total)) {
        throw MergeError(m_file.Error() == EFBIG ? MergeError::Kind::TooLarge
                                                 : MergeError::Kind::NotEnoughSpace,
                         "needs " + Text(total) + " on " + where + ": " + m_file.Problem());
    }
}

void OutputFile::CheckFits(std::int64_t finalSize, std::int64_t fileSystemLimit,
                           const std::string& where) {
    if (fileSystemLimit >= 0 && finalSize > fileSystemLimit) {
        throw MergeError(MergeError::Kind::TooLarge,
                         "needs " + Text(finalSize) + "; the file system on " + where +
                             " holds files of at most " + Text(fileSystemLimit));
    }
    const std::int64_t processLimit = File::ProcessFileSizeLimit();
    if (processLimit >= 0 && finalSize > processLimit) {
        throw MergeError(MergeError::Kind::TooLarge,
                         "needs " + Text(finalSize) + "; this program may write files of at most " +
                             Text(processLimit) + " (its file size limit)");
    }
}

void OutputFile::Advance(std::int64_t bytes) {
    m_end += bytes;
    if (!m_regular || !m_syncToDisk || bytes <= 0)
        return;
    m_file.StartWriteBack(m_end - bytes, bytes);
    if (m_end - m_settled > kWriteBackLag) {
        const std::int64_t upTo = m_end - kWriteBackLag;
        if (!m_file.WaitForWriteBack(m_settled, upTo - m_settled)) {
            m_untrusted = true;
            FailToWrite("while writing it to the disk");
        }
        m_settled = upTo;
    }
}

bool OutputFile::FlushesToDisk() const {
    return m_regular && m_syncToDisk;
}

void OutputFile::Complete(const boost::optional<std::int64_t>& modifiedNs) {
    OutputTrim::Disarm();
    // Inputs that shrank while they were copied leave reserved space unused.
    if (m_regular && m_end - m_start < m_reserved)
        m_file.Trim();
    // After the last write and the trim, which would both move the time on again; before the
    // flush, which puts the time on the disk with the data.
    if (m_regular && modifiedNs && !m_file.SetModified(*modifiedNs))
        FailToWrite("while setting its modification time");
    if (FlushesToDisk() && !m_file.Flush()) {
        m_untrusted = true;
        FailToWrite("while writing it to the disk");
    }
    if (m_regular && !HoldsWhatWasWritten()) {
        m_untrusted = true;
        throw MergeError(MergeError::Kind::CantWriteOutput,
                         m_name + ": another program changed the output file");
    }
    m_complete = true;
}

void OutputFile::Close() {
    if (!m_file.Close())
        FailToWrite("while closing it");
}

bool OutputFile::HoldsWhatWasWritten() const {
    // Standard output may have been opened without emptying (1<>), so bytes beyond the merge's
    // may be the file's own; an output this merge emptied ends where the merge stopped.
    const std::int64_t size = m_file.Size();
    if (m_toStandardOutput ? size < m_end : size != m_end)
        return false;
    // Renamed away or replaced: the user would find another file, or none, under the name.
    File::Id named;
    if (!m_toStandardOutput && (!File::IdentityOf(m_path, named) || !(named == m_file.Identity())))
        return false;
    // A file cut short and written on from the merge's position has a hole where the cut
    // bytes were. Holes the inputs have too are theirs: a copy that shares blocks keeps them.
    for (std::int64_t at = m_start; at < m_end;) {
        const std::int64_t hole = m_file.NextHole(at);
        if (hole < 0 || hole >= m_end)
            return true;
        std::int64_t data = m_file.NextData(hole);
        if (data < 0 || data > m_end)
            data = m_end;
        if (!InputsHaveHole(hole - m_start, data - m_start))
            return false;
        at = data;
    }
    return true;
}

bool OutputFile::InputsHaveHole(std::int64_t from, std::int64_t to) const {
    std::int64_t inputStart = 0;
    for (const std::string& path : m_inputs) {
        if (inputStart >= to)
            break;
        File input;
        if (!input.OpenForReading(path))
            return false;
        const std::int64_t size = input.Size();
        if (size < 0)
            return false;
        const std::int64_t inputEnd = inputStart + size;
        if (inputEnd > from) {
            const std::int64_t begin = std::max(from, inputStart) - inputStart;
            const std::int64_t end = std::min(to, inputEnd) - inputStart;
            const std::int64_t data = input.NextData(begin);
            if (data < 0 || data < end)
                return false;
        }
        inputStart = inputEnd;
    }
    return inputStart >= to;
}

void OutputFile::FailToWrite(const std::string& when) const {
    throw MergeError(MergeError::Kind::CantWriteOutput,
                     m_name + ": " + m_file.Problem() + " " + when);
}

void OutputFile::Abandon() {
    OutputTrim::Disarm();
    // A complete output gave its space back already; cutting it again would date it now.
    if (!m_prepared)
        m_file.RemoveIfCreatedAndEmpty(m_path);
    else if (m_regular && !m_complete && !m_file.Trim())
        m_trimProblem = m_file.Problem();
    m_file.Close();
}

std::string OutputFile::Leftover(bool cancelled) const {
    if (!m_prepared || !m_regular)
        return "";
    if (m_untrusted)
        return "what is in " + m_name + " cannot be trusted";
    const std::int64_t written = m_end - m_start;
    // An append-only file, say, keeps the space reserved for the whole output.
    const std::string untrimmed =
        m_trimProblem.empty()
            ? std::string()
            : "; the space reserved beyond them could not be given back: " + m_trimProblem;
    if (written <= 0 && m_start == 0)
        return m_name + " is left empty" + untrimmed;
    return Text(written) + " written before the " + (cancelled ? "cancel" : "failure") +
           " are left in " + m_name + untrimmed;
}

} // namespace veldrun
