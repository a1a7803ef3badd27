#include "engine/Veldrun.h"

#include <utility>

#include <boost/bind/bind.hpp>

#include "engine/File.h"
#include "engine/Messages.h"
#include "engine/OutputFile.h"
#include "engine/QuotedName.h"

namespace veldrun {

namespace {

const std::size_t kBlockSize = 0x100000;

// Copies the next block of `input` to `output`; returns its size, 0 at the end of the input.
// The kernel copies when it can, which spares copying every byte through `buffer`; where it
// cannot (a pipe or device, another file system) `inKernel` turns off and the buffer serves.
std::int64_t CopyBlock(File& input, const std::string& inputName, OutputFile& output, char* buffer,
                       bool& inKernel) {
    File& out = output.Stream();
    std::int64_t copied = 0;
    if (inKernel) {
        bool stopped = false;
        copied = input.CopyTo(out, kBlockSize, stopped);
        if (!stopped)
            return copied;
        // Either unsupported or an error that the plain read and write below will name.
        inKernel = false;
    }
    const std::int64_t got = input.Read(buffer, kBlockSize - static_cast<std::size_t>(copied));
    if (got < 0)
        throw MergeError(MergeError::Kind::CantReadInput, inputName + ": " + input.Problem());
    if (!out.Write(buffer, static_cast<std::size_t>(got)))
        throw MergeError(MergeError::Kind::CantWriteOutput, output.Name() + ": " + out.Problem());
    return copied + got;
}

void CopyInputs(const JobFiles& job, const ProgressCallback& progress, OutputFile& output,
                const MergeOptions& options) {
    const std::unique_ptr<char[]> buffer(new char[kBlockSize]);
    const std::int64_t total = Veldrun::TotalSize(job);
    output.Prepare(total);
    std::int64_t written = 0;

    for (std::size_t index = 0; index < job.inputs.size(); ++index) {
        const std::string& path = job.inputs[index];
        const std::string name = QuotedName(path);
        const std::int64_t size = Veldrun::FileSize(path);
        File input;
        if (!input.OpenForReading(path))
            throw MergeError(MergeError::Kind::CantOpenInput, name + ": " + input.Problem());

        std::int64_t position = 0;
        bool inKernel = true;
        for (;;) {
            if (progress &&
                !progress(static_cast<std::int32_t>(index), size, position, total, written))
                throw MergeError(MergeError::Kind::UserAborted, "");
            const std::int64_t got = CopyBlock(input, name, output, buffer.get(), inKernel);
            if (got == 0)
                break;
            output.Advance(got);
            position += got;
            written += got;
        }
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
    File file;
    if (!file.OpenForReading(path))
        throw MergeError(MergeError::Kind::CantOpenInput, QuotedName(path) + ": " + file.Problem());
    const std::int64_t size = file.Size();
    if (size < 0)
        throw MergeError(MergeError::Kind::CantOpenInput,
                         QuotedName(path) + ": its size cannot be read");
    return size;
}

std::int64_t Veldrun::TotalSize(const JobFiles& job) {
    std::int64_t total = 0;
    for (const std::string& input : job.inputs)
        total += FileSize(input);
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
        const std::string detail = Joined(error.Detail(), output.Leftover(cancelled));
        output.Abandon();
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
