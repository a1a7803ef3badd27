#include "engine/Veldrun.h"

#include <stdexcept>
#include <utility>

#include <boost/bind/bind.hpp>

#include "engine/File.h"

namespace veldrun {

namespace {

const std::size_t kBlockSize = 0x100000;

const char kCantCreateOutput[] = "Can't create output file";
const char kCantOpenInput[] = "Can't open input file";
const char kUserAborted[] = "User aborted operation";
const char kOutputIsInput[] = "Output file is also an input file";
const char kCantWriteOutput[] = "Can't write output file";
const char kCantReadInput[] = "Can't read input file";
const char kUnknownError[] = "Unknown error";
const char kCantStartThread[] = "Can't start merge thread";

[[noreturn]] void Fail(const char* message) {
    throw std::runtime_error(message);
}

bool IsAnInput(const File::Id& output, const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        File::Id id;
        if (File::IdentityOf(input, id) && id == output)
            return true;
    }
    return false;
}

// Opens the output for writing and empties it, unless it is one of the inputs: truncating
// it would destroy that input, and copying from it into itself would never end.
void OpenOutput(File& output, const JobFiles& job) {
    File::Id before;
    const bool existed = File::IdentityOf(job.output, before);
    if (existed && IsAnInput(before, job.inputs))
        Fail(kOutputIsInput);
    if (!output.OpenForWriting(job.output))
        Fail(kCantCreateOutput);
    // Checked again on the open file: the path may have changed since, and an input that did
    // not exist yet may name the file just created.
    if (IsAnInput(output.Identity(), job.inputs)) {
        output.Close();
        if (!existed)
            File::Remove(job.output);
        Fail(kOutputIsInput);
    }
    if (!output.Truncate())
        Fail(kCantCreateOutput);
}

// Copies the next block of `input` to `output`; returns its size, 0 at the end of the input.
// The kernel copies when it can, which spares copying every byte through `buffer`; where it
// cannot (a pipe or device, another file system) `inKernel` turns off and the buffer serves.
std::int64_t CopyBlock(File& input, File& output, char* buffer, bool& inKernel) {
    std::int64_t copied = 0;
    if (inKernel) {
        bool stopped = false;
        copied = input.CopyTo(output, kBlockSize, stopped);
        if (!stopped)
            return copied;
        // Either unsupported or an error that the plain read and write below will name.
        inKernel = false;
    }
    const std::int64_t got = input.Read(buffer, kBlockSize - static_cast<std::size_t>(copied));
    if (got < 0)
        Fail(kCantReadInput);
    if (!output.Write(buffer, static_cast<std::size_t>(got)))
        Fail(kCantWriteOutput);
    return copied + got;
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
        Fail(kCantOpenInput);
    const std::int64_t size = file.Size();
    if (size < 0)
        Fail(kCantOpenInput);
    return size;
}

std::int64_t Veldrun::TotalSize(const JobFiles& job) {
    std::int64_t total = 0;
    for (const std::string& input : job.inputs)
        total += FileSize(input);
    return total;
}

void Veldrun::Merge(const JobFiles& job, ProgressCallback progress) {
    File output;
    OpenOutput(output, job);

    const std::unique_ptr<char[]> buffer(new char[kBlockSize]);
    const std::int64_t total = TotalSize(job);
    std::int64_t written = 0;

    for (std::size_t index = 0; index < job.inputs.size(); ++index) {
        const std::string& path = job.inputs[index];
        const std::int64_t size = FileSize(path);
        File input;
        if (!input.OpenForReading(path))
            Fail(kCantOpenInput);

        std::int64_t position = 0;
        bool inKernel = true;
        for (;;) {
            if (progress &&
                !progress(static_cast<std::int32_t>(index), size, position, total, written))
                Fail(kUserAborted);
            const std::int64_t got = CopyBlock(input, output, buffer.get(), inKernel);
            if (got == 0)
                break;
            position += got;
            written += got;
        }
    }

    // A write error can surface only when the file is closed (a network or full file system).
    if (!output.Close())
        Fail(kCantWriteOutput);
}

void Veldrun::Start() {
    boost::thread thread;
    try {
        boost::thread started(boost::bind(&Veldrun::Run, this));
        thread.swap(started);
    } catch (const boost::thread_resource_error&) {
        StoreError(kCantStartThread);
        throw;
    }
    if (worker.joinable())
        worker.detach();
    worker.swap(thread);
}

void Veldrun::Run() {
    const ProgressCallback progress = callback;
    try {
        Merge(*files, progress);
    } catch (const std::exception& error) {
        ReportFailure(error.what());
    } catch (...) {
        ReportFailure(kUnknownError);
    }
    // Guarded although Start asks for a callback: an empty one would end the process here.
    if (callback)
        callback(-1, 0, 0, 0, 0);
}

std::string Veldrun::ErrorText() {
    boost::mutex::scoped_lock lock(errorLock);
    return errorText;
}

void Veldrun::ReportFailure(const std::string& text) {
    if (callback)
        callback(-1, -1, -1, -1, -1);
    StoreError(text);
}

void Veldrun::StoreError(const std::string& text) {
    boost::mutex::scoped_lock lock(errorLock);
    errorText = text;
}

} // namespace veldrun
