#include "engine/Veldrun.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include <boost/bind/bind.hpp>

#include "engine/ErrorNote.h"
#include "engine/File.h"
#include "engine/Messages.h"
#include "engine/OutputFile.h"
#include "engine/PathName.h"
#include "engine/QuotedName.h"
#include "engine/Verifier.h"

namespace veldrun {

namespace {

using Note = ErrorNote;
using Shape = ErrorNote::Shape;

const std::size_t kBlockSize = 0x100000;

// Opens `path` as an input; throws "Can't open input file" with the reason when it cannot.
void OpenInput(File& input, const std::string& path) {
    if (!input.OpenForReading(path))
        throw MergeError(MergeError::Kind::CantOpenInput,
                         {Note(Shape::Problem, {Note::Reason(input.Problem())}, QuotedName(path))});
}

// The stamp of the input at `path` as the size pass takes it. Throws "Can't open input file".
File::Stamp Measure(const std::string& path) {
    File file;
    OpenInput(file, path);
    const File::Stamp stamp = file.CurrentStamp();
    if (stamp.size < 0)
        throw MergeError(MergeError::Kind::CantOpenInput,
                         {Note(Shape::SizeUnreadable, {}, QuotedName(path))});
    return stamp;
}

// The stamps of every input in list order, and the sum of their sizes. Sparse inputs can
// claim more than 64 bits hold together; the space checks would then pass on a wrapped sum.
std::vector<File::Stamp> MeasureAll(const std::vector<std::string>& inputs, std::int64_t& total) {
    std::vector<File::Stamp> stamps;
    total = 0;
    for (const std::string& input : inputs) {
        stamps.push_back(Measure(input));
        if (__builtin_add_overflow(total, stamps.back().size, &total))
            throw MergeError(MergeError::Kind::TooLarge, {Note(Shape::InputsTooLarge)});
    }
    return stamps;
}

// What tells the input's stamp `now` from the one `measured`, as the note after "since it was
// measured"; none when nothing does.
boost::optional<Note> Changes(const File::Stamp& measured, const File::Stamp& now) {
    if (!(now.id == measured.id))
        return Note(Shape::Replaced);
    const bool size = now.size != measured.size;
    const bool modified = now.modifiedNs != measured.modifiedNs;
    const bool changed = now.changedNs != measured.changedNs;
    if (!size) {
        if (!modified && !changed)
            return boost::none;
        return Note(modified && changed ? Shape::TimesChanged
                    : modified          ? Shape::ModificationTimeChanged
                                        : Shape::ChangeTimeChanged);
    }
    const Shape shape = modified && changed ? Shape::SizeAndTimesChanged
                        : modified          ? Shape::SizeAndModificationTimeChanged
                        : changed           ? Shape::SizeAndChangeTimeChanged
                                            : Shape::SizeChanged;
    return Note(shape, {Note::Bytes(measured.size), Note::Bytes(now.size)});
}

// Throws "Input file changed during merging" when the open `input` is no longer the file that
// was measured, or when its copy ended after `copied` bytes, short of the measured size.
void CheckUnchanged(const File& input, const std::string& path, const File::Stamp& measured,
                    std::int64_t copied, bool ended) {
    std::vector<Note> notes;
    if (ended && copied < measured.size)
        notes.push_back(
            Note(Shape::EndedShortOfMeasured, {Note::Bytes(copied), Note::Bytes(measured.size)}));
    if (const boost::optional<Note> changes = Changes(measured, input.CurrentStamp()))
        notes.push_back(*changes);
    if (notes.empty())
        return;
    // "a.mts: it ended after ...; its size went from ...": the name once, before the first.
    notes.front() = Note(notes.front().GetShape(), notes.front().Values(), QuotedName(path));
    throw MergeError(MergeError::Kind::InputChanged, notes);
}

// Copies the next block of at most `limit` bytes of `input` to `output`; returns its size, 0
// at the end of the input. The kernel copies when it can, which spares copying every byte
// through `buffer`; where it cannot (a pipe or device, another file system) `inKernel` turns
// off and the buffer serves.
std::int64_t CopyBlock(File& input, const std::string& inputName, OutputFile& output, char* buffer,
                       std::size_t limit, bool& inKernel) {
    File& out = output.Stream();
    std::int64_t copied = 0;
    if (inKernel) {
        bool stopped = false;
        copied = input.CopyTo(out, limit, stopped);
        if (!stopped)
            return copied;
        // Either unsupported or an error that the plain read and write below will name.
        inKernel = false;
    }
    const std::int64_t got = input.Read(buffer, limit - static_cast<std::size_t>(copied));
    if (got < 0)
        throw MergeError(MergeError::Kind::CantReadInput,
                         {Note(Shape::Problem, {Note::Reason(input.Problem())}, inputName)});
    if (!out.Write(buffer, static_cast<std::size_t>(got)))
        throw MergeError(MergeError::Kind::CantWriteOutput,
                         {Note(Shape::Problem, {Note::Reason(out.Problem())}, output.Name())});
    return copied + got;
}

// Where an output's figures sit in its run: the run's total, and the bytes written and
// verified before it.
struct RunFrame {
    std::int64_t total = 0;
    std::int64_t written = 0;
    std::int64_t verified = 0;
};

// One output of a run: its inputs with their stamps, its path and time, and the run index of
// its first input. A single merge measures its inputs only once its output is open.
struct RunPart {
    std::vector<std::string> inputs;
    std::vector<File::Stamp> measured;
    bool measureOnOpen = false;
    std::string path;
    boost::optional<std::int64_t> modifiedNs;
    std::size_t firstIndex = 0;
};

std::int64_t SizeOf(const std::vector<File::Stamp>& stamps) {
    std::int64_t total = 0;
    for (const File::Stamp& stamp : stamps)
        total += stamp.size;
    return total;
}

void CopyInputs(const RunPart& part, const ProgressCallback& progress, OutputFile& output,
                const MergeOptions& options, RunFrame& frame) {
    const std::unique_ptr<char[]> buffer(new char[kBlockSize]);
    output.Prepare(SizeOf(part.measured));
    const File::Id outputId = output.Stream().Identity();

    for (std::size_t index = 0; index < part.inputs.size(); ++index) {
        const std::string& path = part.inputs[index];
        const File::Stamp& measured = part.measured[index];
        const std::int32_t runIndex = static_cast<std::int32_t>(part.firstIndex + index);
        File input;
        OpenInput(input, path);
        // The output was compared with the inputs' paths when it was opened, but a path can
        // be pointed at it since; copying the output into itself would fill the disk.
        if (input.Identity() == outputId)
            throw MergeError(MergeError::Kind::OutputIsInput,
                             {Note(Shape::SameAsInput,
                                   {Note::Text(output.Name()), Note::Text(QuotedName(path))})});
        CheckUnchanged(input, path, measured, 0, false);

        // Only the measured bytes: the space checks and the reservation were made for them.
        std::int64_t position = 0;
        bool inKernel = true;
        bool ended = false;
        for (;;) {
            if (progress &&
                !progress(runIndex, measured.size, position, frame.total, frame.written))
                throw MergeError(MergeError::Kind::UserAborted);
            if (position == measured.size)
                break;
            const std::size_t limit = static_cast<std::size_t>(
                std::min<std::int64_t>(kBlockSize, measured.size - position));
            const std::int64_t got =
                CopyBlock(input, QuotedName(path), output, buffer.get(), limit, inKernel);
            if (got == 0) {
                ended = true;
                break;
            }
            output.Advance(got);
            position += got;
            frame.written += got;
        }
        CheckUnchanged(input, path, measured, position, ended);
    }

    if (output.FlushesToDisk() && options.writingToDisk)
        options.writingToDisk();
}

// Reads a complete output back and compares it with its inputs, when asked for.
RunOutcome::Verified Verify(OutputFile& output, const RunPart& part, const MergeOptions& options,
                            RunFrame& frame) {
    if (!options.verify)
        return RunOutcome::Verified::No;
    if (!output.IsRegular())
        return RunOutcome::Verified::NotRegular;
    std::vector<Verifier::Input> inputs;
    for (std::size_t i = 0; i < part.inputs.size(); ++i)
        inputs.push_back(Verifier::Input{part.inputs[i], part.measured[i].size});
    const Verifier::Result result =
        Verifier::Compare(output.Stream(), output.Start(), output.Name(), inputs,
                          static_cast<std::int32_t>(part.firstIndex), frame.total, frame.verified,
                          options.verifyProgress);
    return result == Verifier::Result::Match ? RunOutcome::Verified::Yes
                                             : RunOutcome::Verified::Cancelled;
}

// After a failure: names in `outcome` the output at `path` when it holds part of its merge.
void NotePartial(const OutputFile& output, const std::string& path, RunOutcome& outcome) {
    if (!output.HoldsPart())
        return;
    outcome.partialPath = path;
    outcome.partialBytes = output.Written();
    const File::Id id = output.Identity();
    outcome.partialDevice = id.device;
    outcome.partialInode = id.inode;
}

// Merges `part` into its output, the `index`th of the run, and adds it to `outcome` once it is
// complete. Returns false when verifying was cancelled: the output is complete, the run stops.
// On failure names in `outcome` the output this merge emptied or created, and throws.
bool MergePart(RunPart& part, std::size_t index, const ProgressCallback& progress,
               const MergeOptions& options, RunFrame& frame, RunOutcome& outcome) {
    OutputFile output(part.inputs, part.path, options);
    output.Open();
    RunOutcome::Verified verified = RunOutcome::Verified::No;
    try {
        if (part.measureOnOpen) {
            part.measured = MeasureAll(part.inputs, frame.total);
            part.measureOnOpen = false;
        }
        CopyInputs(part, progress, output, options, frame);
        output.Complete(part.modifiedNs);
        verified = Verify(output, part, options, frame);
        output.Close();
    } catch (const MergeError& error) {
        const bool cancelled = error.GetKind() == MergeError::Kind::UserAborted;
        const bool holdsPart = output.HoldsPart();
        NotePartial(output, part.path, outcome);
        // Abandoning trims the reservation, whose failure the leftover's words tell.
        output.Abandon();
        // Complete on the disk but not as it should be: neither done nor partial.
        std::vector<Note> notes = error.Notes();
        if (holdsPart || !output.IsRegular()) {
            const std::vector<Note> left = output.Leftover(cancelled);
            notes.insert(notes.end(), left.begin(), left.end());
        } else if (output.Written() > 0) {
            notes.push_back(Note(Shape::LeftInPlace, {Note::Text(output.Name())}));
        }
        throw MergeError(error.GetKind(), notes);
    } catch (...) {
        NotePartial(output, part.path, outcome);
        output.Abandon();
        throw;
    }
    outcome.complete.push_back(RunOutcome::Written{part.path, output.Written(), verified});
    if (options.outputComplete)
        options.outputComplete(index);
    return verified != RunOutcome::Verified::Cancelled;
}

// The space one file system must give the outputs on it, in run order.
struct Room {
    std::string where;
    std::int64_t available = -1;
    std::int64_t freed = 0;
    std::int64_t needed = 0;
    int outputs = 0;
};

// Throws, before anything is created or written, what the run's outputs would meet one after
// the other: an output that is one of the run's inputs or another part's output, one too
// large for its file system or this process, or file systems without room for every output
// they take (less what emptying existing outputs gives back first).
void CheckRun(const std::vector<RunPart>& parts) {
    std::map<std::uint64_t, Room> rooms;
    // Where each output goes so far: its folder and its name there.
    std::vector<std::pair<File::Id, std::string>> names;
    for (const RunPart& part : parts) {
        const std::string name = QuotedName(part.path);
        File::Id id;
        if (File::IdentityOf(part.path, id)) {
            for (const RunPart& other : parts) {
                for (std::size_t i = 0; i < other.inputs.size(); ++i) {
                    if (other.measured[i].id == id)
                        throw MergeError(
                            MergeError::Kind::OutputIsInput,
                            {Note(Shape::SameAsInput,
                                  {Note::Text(name), Note::Text(QuotedName(other.inputs[i]))})});
                }
            }
        }
        File probe;
        const bool exists = probe.OpenToInspect(part.path);
        if (!exists && !probe.OpenToInspect(PathName::Parent(part.path)))
            continue; // Opening it will say why.
        if (exists && !probe.IsRegular())
            continue; // Pipes and devices take what comes.
        // A second output under the same name would replace the first.
        File::Id folder;
        const std::string last = PathName::Last(part.path);
        const bool placed = File::IdentityOf(PathName::Parent(part.path), folder);
        for (const std::pair<File::Id, std::string>& earlier : names) {
            if (placed && earlier.first == folder && earlier.second == last)
                throw MergeError(MergeError::Kind::CantCreateOutput,
                                 {Note(Shape::AlsoEarlierOutput, {Note::Text(name)})});
        }
        names.emplace_back(folder, last);

        Room& room = rooms[probe.Identity().device];
        if (room.outputs == 0) {
            room.where = QuotedName(probe.MountPointOf(part.path));
            room.available = probe.AvailableSpace();
        }
        const std::int64_t total = SizeOf(part.measured);
        OutputFile::CheckFits(total, probe.MaxFileSize(), room.where, name);
        if (exists)
            room.freed += probe.FreedByEmptying();
        room.needed += total;
        ++room.outputs;
        // Each output is emptied just before it is written, so what it frees comes too late
        // for the outputs before it: checked at every output, not only for the sum.
        const std::int64_t free = room.available + room.freed;
        if (room.available >= 0 && room.needed > free) {
            std::vector<Note::Value> values = {Note::Size(room.needed), Note::Size(free),
                                               Note::Text(room.where)};
            if (room.outputs > 1)
                values.push_back(Note::Count(room.outputs));
            throw MergeError(
                MergeError::Kind::NotEnoughSpace,
                {Note(room.outputs == 1 ? Shape::NeedsFree : Shape::OutputsNeedFree, values)});
        }
    }
}

// The parts of `job`, their inputs measured. Throws std::invalid_argument for parts whose
// firsts do not start at 0 and rise within the inputs.
std::vector<RunPart> SplitRun(const JobFiles& job, std::int64_t& total) {
    const std::vector<File::Stamp> measured = MeasureAll(job.inputs, total);
    std::vector<RunPart> parts;
    for (std::size_t i = 0; i < job.parts.size(); ++i) {
        const std::size_t first = job.parts[i].first;
        const std::size_t end =
            i + 1 < job.parts.size() ? job.parts[i + 1].first : job.inputs.size();
        if ((i == 0 && first != 0) || first >= end || end > job.inputs.size())
            throw std::invalid_argument("the parts of a run must start at 0 and rise");
        RunPart part;
        part.inputs.assign(job.inputs.begin() + first, job.inputs.begin() + end);
        part.measured.assign(measured.begin() + first, measured.begin() + end);
        part.path = job.parts[i].path;
        part.modifiedNs = job.parts[i].modifiedNs;
        part.firstIndex = first;
        parts.push_back(part);
    }
    return parts;
}

} // namespace

Veldrun::Veldrun() : files(new JobFiles) {}

Veldrun::~Veldrun() {
    if (worker.joinable())
        worker.detach();
}

void Veldrun::SetCallback(ProgressCallback progress) {
    callback.swap(progress);
}

std::int64_t Veldrun::FileSize(const std::string& path) {
    return Measure(path).size;
}

std::int64_t Veldrun::TotalSize(const JobFiles& job) {
    std::int64_t total = 0;
    MeasureAll(job.inputs, total);
    return total;
}

void Veldrun::Merge(const JobFiles& job, ProgressCallback progress) {
    Merge(job, std::move(progress), MergeOptions());
}

void Veldrun::Merge(const JobFiles& job, ProgressCallback progress, const MergeOptions& options) {
    RunOutcome outcome;
    MergeRun(job, std::move(progress), options, outcome);
}

void Veldrun::MergeRun(const JobFiles& job, ProgressCallback progress, const MergeOptions& options,
                       RunOutcome& outcome) {
    RunFrame frame;
    if (job.parts.empty()) {
        RunPart part;
        part.inputs = job.inputs;
        part.measureOnOpen = true;
        part.path = job.output;
        part.modifiedNs = job.modifiedNs;
        MergePart(part, 0, progress, options, frame, outcome);
        return;
    }
    std::vector<RunPart> parts = SplitRun(job, frame.total);
    if (!options.toStandardOutput)
        CheckRun(parts);
    for (std::size_t index = 0; index < parts.size(); ++index) {
        if (!MergePart(parts[index], index, progress, options, frame, outcome) &&
            index + 1 < parts.size())
            throw MergeError(
                MergeError::Kind::UserAborted,
                {Note(Shape::CompleteNotVerified, {Note::Text(QuotedName(parts[index].path))})});
    }
}

void Veldrun::Start() {
    boost::thread thread;
    try {
        boost::thread started(boost::bind(&Veldrun::Run, this));
        thread.swap(started);
    } catch (const boost::thread_resource_error& error) {
        StoreError(kCantStartThread,
                   {Note(Shape::ThreadRefused, {Note::Reason(error.code().message())})});
        throw;
    }
    if (worker.joinable())
        worker.detach();
    worker.swap(thread);
}

void Veldrun::Run() {
    const ProgressCallback progress = callback;
    RunOutcome outcome;
    bool failed = true;
    std::string text;
    std::vector<Note> notes;
    boost::optional<MergeError::Kind> kind;
    try {
        MergeRun(*files, progress, options, outcome);
        failed = false;
    } catch (const MergeError& error) {
        text = error.what();
        notes = error.Notes();
        kind = error.GetKind();
    } catch (const std::exception& error) {
        text = error.what();
    } catch (...) {
        text = kUnknownError;
        notes = {Note(Shape::UnknownFailure)};
    }
    {
        boost::mutex::scoped_lock lock(errorLock);
        m_outcome = outcome;
    }
    if (failed)
        ReportFailure(text, notes, kind);
    // Guarded although Start asks for a callback: an empty one would end the process here.
    if (callback)
        callback(-1, 0, 0, 0, 0);
}

RunOutcome Veldrun::Outcome() {
    boost::mutex::scoped_lock lock(errorLock);
    return m_outcome;
}

bool Veldrun::RemovePartial(std::string& problem) {
    boost::mutex::scoped_lock lock(errorLock);
    if (m_outcome.partialPath.empty())
        return true;
    File::Id id;
    id.device = m_outcome.partialDevice;
    id.inode = m_outcome.partialInode;
    if (!File::RemoveIfSame(m_outcome.partialPath, id, problem))
        return false;
    m_outcome.partialPath.clear();
    m_outcome.partialBytes = 0;
    return true;
}

std::string Veldrun::ErrorText() {
    boost::mutex::scoped_lock lock(errorLock);
    return errorText;
}

std::string Veldrun::ErrorDetail() {
    boost::mutex::scoped_lock lock(errorLock);
    return errorDetail;
}

std::vector<ErrorNote> Veldrun::ErrorNotes() {
    boost::mutex::scoped_lock lock(errorLock);
    return m_errorNotes;
}

boost::optional<MergeError::Kind> Veldrun::ErrorKind() {
    boost::mutex::scoped_lock lock(errorLock);
    return m_errorKind;
}

void Veldrun::ReportFailure(const std::string& text, const std::vector<ErrorNote>& notes,
                            boost::optional<MergeError::Kind> kind) {
    if (callback)
        callback(-1, -1, -1, -1, -1);
    StoreError(text, notes, kind);
}

void Veldrun::StoreError(const std::string& text, const std::vector<ErrorNote>& notes,
                         boost::optional<MergeError::Kind> kind) {
    boost::mutex::scoped_lock lock(errorLock);
    errorText = text;
    errorDetail = ErrorNote::Joined(notes);
    m_errorNotes = notes;
    m_errorKind = kind;
}

} // namespace veldrun
