#include "engine/OutputFile.h"

#include <algorithm>
#include <cerrno>

#include "engine/MergeError.h"
#include "engine/OutputTrim.h"
#include "engine/QuotedName.h"
#include "engine/Veldrun.h"

namespace veldrun {

namespace {

using Note = ErrorNote;
using Shape = ErrorNote::Shape;

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

// "a is the same file as the input b".
Note SameAsInput(const std::string& output, const std::string& input) {
    return Note(Shape::SameAsInput, {Note::Text(output), Note::Text(QuotedName(input))});
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
            throw MergeError(MergeError::Kind::OutputIsInput, {SameAsInput(m_name, *input)});
    }

    if (m_toStandardOutput) {
        if (!m_file.OpenStandardOutput())
            throw MergeError(MergeError::Kind::CantCreateOutput, {ProblemNote()});
    } else {
        switch (m_file.OpenForWriting(m_path)) {
        case File::Opened::NoReader:
            throw MergeError(MergeError::Kind::CantCreateOutput,
                             {Note(Shape::NoReader, {}, m_name)});
        case File::Opened::Failed:
            throw MergeError(MergeError::Kind::CantCreateOutput, {ProblemNote()});
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
                         {Note(Shape::WrittenByOtherMerge, {}, m_name)});
    case File::Locked::Failed: {
        // No other holder (a network file system without locks, say): a file this open
        // created is nobody else's and goes.
        const std::string problem = m_file.Problem();
        Abandon();
        throw MergeError(MergeError::Kind::CantCreateOutput,
                         {Note(Shape::NotLockable, {Note::Reason(problem)}, m_name)});
    }
    }
    // Checked again on the open file: the path may have changed since, and an input that did
    // not exist yet may name the file just created (through a dangling link, say).
    if (const std::string* input = InputNamed(m_file.Identity(), m_inputs)) {
        Abandon();
        throw MergeError(MergeError::Kind::OutputIsInput, {SameAsInput(m_name, *input)});
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
    if (__builtin_add_overflow(m_start, total, &finalSize))
        throw MergeError(MergeError::Kind::TooLarge,
                         {Note(Shape::OutputAndInputsTooLarge, {Note::Text(m_name)})});
    CheckFits(finalSize, m_file.MaxFileSize(), where);
    // Emptying the output gives its blocks back first; appending to standard output does not.
    const std::int64_t available = m_file.AvailableSpace();
    const std::int64_t room = available + (m_toStandardOutput ? 0 : m_file.FreedByEmptying());
    if (available >= 0 && room < total) {
        throw MergeError(
            MergeError::Kind::NotEnoughSpace,
            {Note(Shape::NeedsFree, {Note::Size(total), Note::Size(room), Note::Text(where)})});
    }

    if (!m_toStandardOutput && !m_file.Truncate())
        throw MergeError(MergeError::Kind::CantCreateOutput, {ProblemNote()});
    m_prepared = true;
    m_reserved = total;
    if (m_regular)
        OutputTrim::Arm(m_file.Descriptor());
    if (!m_file.Reserve(m_start, total)) {
        throw MergeError(
            m_file.Error() == EFBIG ? MergeError::Kind::TooLarge : MergeError::Kind::NotEnoughSpace,
            {Note(Shape::NeedsOn,
                  {Note::Size(total), Note::Text(where), Note::Reason(m_file.Problem())})});
    }
}

void OutputFile::CheckFits(std::int64_t finalSize, std::int64_t fileSystemLimit,
                           const std::string& where, const std::string& output) {
    std::vector<Note::Value> values;
    if (!output.empty())
        values.push_back(Note::Text(output));
    values.push_back(Note::Size(finalSize));
    if (fileSystemLimit >= 0 && finalSize > fileSystemLimit) {
        values.push_back(Note::Text(where));
        values.push_back(Note::Size(fileSystemLimit));
        throw MergeError(MergeError::Kind::TooLarge,
                         {Note(output.empty() ? Shape::NeedsOverFileSystemLimit
                                              : Shape::NamedNeedsOverFileSystemLimit,
                               values)});
    }
    const std::int64_t processLimit = File::ProcessFileSizeLimit();
    if (processLimit >= 0 && finalSize > processLimit) {
        values.push_back(Note::Size(processLimit));
        throw MergeError(
            MergeError::Kind::TooLarge,
            {Note(output.empty() ? Shape::NeedsOverProcessLimit : Shape::NamedNeedsOverProcessLimit,
                  values)});
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
            FailToWrite(Shape::WhileWritingToDisk);
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
        FailToWrite(Shape::WhileSettingModificationTime);
    if (FlushesToDisk() && !m_file.Flush()) {
        m_untrusted = true;
        FailToWrite(Shape::WhileWritingToDisk);
    }
    if (m_regular && !HoldsWhatWasWritten()) {
        m_untrusted = true;
        throw MergeError(MergeError::Kind::CantWriteOutput,
                         {Note(Shape::ChangedByOtherProgram, {}, m_name)});
    }
    m_complete = true;
}

void OutputFile::Close() {
    if (!m_file.Close())
        FailToWrite(Shape::WhileClosing);
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

ErrorNote OutputFile::ProblemNote() const {
    return Note(Shape::Problem, {Note::Reason(m_file.Problem())}, m_name);
}

void OutputFile::FailToWrite(ErrorNote::Shape when) const {
    throw MergeError(MergeError::Kind::CantWriteOutput,
                     {Note(when, {Note::Reason(m_file.Problem())}, m_name)});
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

std::vector<ErrorNote> OutputFile::Leftover(bool cancelled) const {
    if (!m_prepared || !m_regular)
        return {};
    if (m_untrusted)
        return {Note(Shape::Untrusted, {Note::Text(m_name)})};
    const std::int64_t written = m_end - m_start;
    std::vector<Note> notes;
    if (written <= 0 && m_start == 0)
        notes.push_back(Note(Shape::LeftEmpty, {Note::Text(m_name)}));
    else
        notes.push_back(Note(cancelled ? Shape::LeftAfterCancel : Shape::LeftAfterFailure,
                             {Note::Size(written), Note::Text(m_name)}));
    // An append-only file, say, keeps the space reserved for the whole output.
    if (!m_trimProblem.empty())
        notes.push_back(Note(Shape::NotGivenBack, {Note::Reason(m_trimProblem)}));
    return notes;
}

} // namespace veldrun
