#include "engine/Veldrun.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <boost/bind/bind.hpp>

#include "engine/File.h"
#include "engine/Messages.h"
#include "engine/OutputFile.h"
#include "engine/QuotedName.h"

namespace veldrun {

namespace {

const std::size_t kBlockSize = 0x100000;

// Opens `path` as an input; throws "Can't open input file" with the reason when it cannot.
void OpenInput(File& input, const std::string& path) {
    if (!input.OpenForReading(path))
        throw MergeError(MergeError::Kind::CantOpenInput,
                         QuotedName(path) + ": " + input.Problem());
}

// The stamp of the input at `path` as the size pass takes it. Throws "Can't open input file".
File::Stamp Measure(const std::string& path) {
    File file;
    OpenInput(file, path);
    const File::Stamp stamp = file.CurrentStamp();
    if (stamp.size < 0)
        throw MergeError(MergeError::Kind::CantOpenInput,
                         QuotedName(path) + ": its size cannot be read");
    return stamp;
}

// The stamps of every input in list order, and the sum of their sizes. Sparse inputs can
// claim more than 64 bits hold together; the space checks would then pass on a wrapped sum.
std::vector<File::Stamp> MeasureAll(const JobFiles& job, std::int64_t& total) {
    std::vector<File::Stamp> stamps;
    total = 0;
    for (const std::string& input : job.inputs) {
        stamps.push_back(Measure(input));
        if (__builtin_add_overflow(total, stamps.back().size, &total))
            throw MergeError(MergeError::Kind::TooLarge,
                             "the inputs together hold more bytes than any file can");
    }
    return stamps;
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

// What tells the input's stamp `now` from the one `measured`, in words; "" when nothing does.
std::string Changes(const File::Stamp& measured, const File::Stamp& now) {
    if (!(now.id == measured.id))
        return "another file took its name";
    std::vector<std::string> changes;
    if (now.size != measured.size)
        changes.push_back("its size went from " + std::to_string(measured.size) + " to " +
                          std::to_string(now.size) + " bytes");
    if (now.modifiedNs != measured.modifiedNs)
        changes.push_back("its modification time");
    if (now.changedNs != measured.changedNs)
        changes.push_back("its change time");
    // "its size went from 3 to 5 bytes, its modification time and its change time changed"
    std::string text = Listed(changes);
    if (now.modifiedNs != measured.modifiedNs || now.changedNs != measured.changedNs)
        text += " changed";
    return text;
}

// Throws "Input file changed during merging" when the open `input` is no longer the file that
// was measured, or when its copy ended after `copied` bytes, short of the measured size.
void CheckUnchanged(const File& input, const std::string& path, const File::Stamp& measured,
                    std::int64_t copied, bool ended) {
    std::string changes = Changes(measured, input.CurrentStamp());
    if (!changes.empty())
        changes += " since it was measured";
    if (ended && copied < measured.size) {
        changes = "it ended after " + std::to_string(copied) + " of the " +
                  std::to_string(measured.size) + " bytes measured" +
                  (changes.empty() ? "" : "; " + changes);
    }
    if (!changes.empty())
        throw MergeError(MergeError::Kind::InputChanged, QuotedName(path) + ": " + changes);
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
        throw MergeError(MergeError::Kind::CantReadInput, inputName + ": " + input.Problem());
    if (!out.Write(buffer, static_cast<std::size_t>(got)))
        throw MergeError(MergeError::Kind::CantWriteOutput, output.Name() + ": " + out.Problem());
    return copied + got;
}

void CopyInputs(const JobFiles& job, const ProgressCallback& progress, OutputFile& output,
                const MergeOptions& options) {
    const std::unique_ptr<char[]> buffer(new char[kBlockSize]);
    std::int64_t total = 0;
    const std::vector<File::Stamp> measured = MeasureAll(job, total);
    output.Prepare(total);
    const File::Id outputId = output.Stream().Identity();
    std::int64_t written = 0;

    for (std::size_t index = 0; index < job.inputs.size(); ++index) {
        const std::string& path = job.inputs[index];
        const std::int64_t size = measured[index].size;
        File input;
        OpenInput(input, path);
        // The output was compared with the inputs' paths when it was opened, but a path can
        // be pointed at it since; copying the output into itself would fill the disk.
        if (input.Identity() == outputId)
            throw MergeError(MergeError::Kind::OutputIsInput,
                             output.Name() + " is the same file as the input " + QuotedName(path));
        CheckUnchanged(input, path, measured[index], 0, false);

        // Only the measured bytes: the space checks and the reservation were made for them.
        std::int64_t position = 0;
        bool inKernel = true;
        bool ended = false;
        for (;;) {
            if (progress &&
                !progress(static_cast<std::int32_t>(index), size, position, total, written))
                throw MergeError(MergeError::Kind::UserAborted, "");
            if (position == size)
                break;
            const std::size_t limit =
                static_cast<std::size_t>(std::min<std::int64_t>(kBlockSize, size - position));
            const std::int64_t got =
                CopyBlock(input, QuotedName(path), output, buffer.get(), limit, inKernel);
            if (got == 0) {
                ended = true;
                break;
            }
            output.Advance(got);
            position += got;
            written += got;
        }
        CheckUnchanged(input, path, measured[index], position, ended);
    }

    if (output.FlushesToDisk() && options.writingToDisk)
        options.writingToDisk();
    output.Finish();
}

// "first; second", leaving out what is empty.
std::string Joined(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty())
        return first + second;
    return first + "; " + second;
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
    MeasureAll(job, total);
    return total;
}

void Veldrun::Merge(const JobFiles& job, ProgressCallback progress) {
    Merge(job, std::move(progress), MergeOptions());
}

void Veldrun::Merge(const JobFiles& job, ProgressCallback progress, const MergeOptions& options) {
    OutputFile output(job, options);
    output.Open();
    try {
        CopyInputs(job, progress, output, options);
    } catch (const MergeError& error) {
        const bool cancelled = error.GetKind() == MergeError::Kind::UserAborted;
        // Abandoning trims the reservation, whose failure the leftover's words tell.
        output.Abandon();
        const std::string detail = Joined(error.Detail(), output.Leftover(cancelled));
        throw MergeError(error.GetKind(), detail);
    } catch (...) {
        output.Abandon();
        throw;
    }
}

void Veldrun::Start() {
    boost::thread thread;
    try {
        boost::thread started(boost::bind(&Veldrun::Run, this));
        thread.swap(started);
    } catch (const boost::thread_resource_error& error) {
        StoreError(kCantStartThread, "the system refused a new thread: " + error.code().message());
        throw;
    }
    if (worker.joinable())
        worker.detach();
    worker.swap(thread);
}

void Veldrun::Run() {
    const ProgressCallback progress = callback;
    try {
        Merge(*files, progress, options);
    } catch (const MergeError& error) {
        ReportFailure(error.what(), error.Detail());
    } catch (const std::exception& error) {
        ReportFailure(error.what(), "");
    } catch (...) {
        ReportFailure(kUnknownError, "the merge was stopped by a failure of an unknown kind");
    }
    // Guarded although Start asks for a callback: an empty one would end the process here.
    if (callback)
        callback(-1, 0, 0, 0, 0);
}

std::string Veldrun::ErrorText() {
    boost::mutex::scoped_lock lock(errorLock);
    return errorText;
}

std::string Veldrun::ErrorDetail() {
    boost::mutex::scoped_lock lock(errorLock);
    return errorDetail;
}

void Veldrun::ReportFailure(const std::string& text, const std::string& detail) {
    if (callback)
        callback(-1, -1, -1, -1, -1);
    StoreError(text, detail);
}

void Veldrun::StoreError(const std::string& text, const std::string& detail) {
    boost::mutex::scoped_lock lock(errorLock);
    errorText = text;
    errorDetail = detail;
}

} // namespace veldrun
