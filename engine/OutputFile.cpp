#include "engine/OutputFile.h"

#include <cerrno>

#include "engine/Amount.h"
#include "engine/MergeError.h"
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

OutputFile::OutputFile(const JobFiles& job, const MergeOptions& options)
    : m_inputs(job.inputs), m_path(job.output), m_toStandardOutput(options.toStandardOutput),
      m_syncToDisk(options.syncToDisk),
      m_name(options.toStandardOutput ? "standard output" : QuotedName(job.output)) {}

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

    if (m_regular && !m_file.Lock()) {
        // Removing the file here could pull it from under the merge that holds it.
        if (m_file.Error() == EWOULDBLOCK) {
            throw MergeError(MergeError::Kind::CantCreateOutput,
                             m_name +
                                 ": another merge is writing this file; wait until it is done");
        }
        // No other holder (a network file system without locks, say): a file this open
        // created is nobody else's and goes.
        const std::string problem = m_file.Problem();
        Abandon();
        throw MergeError(MergeError::Kind::CantCreateOutput,
                         m_name +
                             ": the file could not be locked against other merges: " + problem);
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
    const std::int64_t finalSize = m_start + total;
    const std::int64_t fileSystemLimit = m_file.MaxFileSize();
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
    if (!m_file.Reserve(m_start, total)) {
        throw MergeError(m_file.Error() == EFBIG ? MergeError::Kind::TooLarge
                                                 : MergeError::Kind::NotEnoughSpace,
                         "needs " + Text(total) + " on " + where + ": " + m_file.Problem());
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
            m_writeBackFailed = true;
            FailToWrite("while writing it to the disk");
        }
        m_settled = upTo;
    }
}

bool OutputFile::FlushesToDisk() const {
    return m_regular && m_syncToDisk;
}

void OutputFile::Finish() {
    // Inputs that shrank while they were copied leave reserved space unused.
    if (m_regular && m_end - m_start < m_reserved)
        m_file.Trim();
    if (FlushesToDisk() && !m_file.Flush()) {
        m_writeBackFailed = true;
        FailToWrite("while writing it to the disk");
    }
    if (!m_file.Close())
        FailToWrite("while closing it");
}

void OutputFile::FailToWrite(const std::string& when) const {
    throw MergeError(MergeError::Kind::CantWriteOutput,
                     m_name + ": " + m_file.Problem() + " " + when);
}

void OutputFile::Abandon() {
    if (!m_prepared)
        m_file.RemoveIfCreatedAndEmpty(m_path);
    else if (m_regular)
        m_file.Trim();
    m_file.Close();
}

std::string OutputFile::Leftover(bool cancelled) const {
    if (!m_prepared || !m_regular)
        return "";
    if (m_writeBackFailed)
        return "what is in " + m_name + " cannot be trusted";
    const std::int64_t written = m_end - m_start;
    if (written <= 0 && m_start == 0)
        return m_name + " is left empty";
    return Text(written) + " written before the " + (cancelled ? "cancel" : "failure") +
           " are left in " + m_name;
}

} // namespace veldrun
