#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <boost/function.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

namespace veldrun {

// Called before every 1 MiB read with (fileIndex, fileSize, filePosition, totalSize,
// totalWritten); returning false aborts the merge. Run also sends two end notifications:
// (-1, 0, 0, 0, 0) when the run is over and, before it, (-1, -1, -1, -1, -1) when it failed.
typedef boost::function<bool(std::int32_t fileIndex, std::int64_t fileSize,
                             std::int64_t filePosition, std::int64_t totalSize,
                             std::int64_t totalWritten)>
    ProgressCallback;

// The paths of one merge: inputs in merge order, and the output.
struct JobFiles {
    std::vector<std::string> inputs;
    std::string output;
};

// One merge job: joins the inputs of `files` byte for byte into the output, on a worker
// thread when started with Start. The members are public: the window rewrites `files` in
// place between runs, and the progress dialog joins `worker`.
//
// Failures are std::runtime_error with one of these what() texts:
//   "Can't create output file", "Can't open input file", "User aborted operation",
//   "Output file is also an input file", "Can't write output file", "Can't read input file";
// Run stores "Unknown error" for an exception of any other kind, and Start stores
// "Can't start merge thread" when the thread cannot be created.
class Veldrun {
public:
    Veldrun();
    // Detaches a worker that is still attached; the engine must outlive its thread.
    ~Veldrun();

    Veldrun(const Veldrun&) = delete;
    Veldrun& operator=(const Veldrun&) = delete;

    // Installs `progress` as the callback of later runs, replacing any earlier one.
    void SetCallback(ProgressCallback progress);

    // Takes a path; returns the size in bytes of the regular file it names.
    // Throws std::runtime_error "Can't open input file" when it cannot be opened or is not a
    // regular file (a folder, a pipe, a device); never blocks on a pipe.
    static std::int64_t FileSize(const std::string& path);

    // Takes the paths of a merge; returns the sum of FileSize over its inputs, in list order.
    // Throws what FileSize throws for the first input that fails.
    static std::int64_t TotalSize(const JobFiles& job);

    // Takes the paths of a merge and a progress callback (may be empty); creates or truncates
    // the output and writes into it the bytes of every input in list order, through one 1 MiB
    // buffer, calling `progress` before every read. Nothing is rolled back on failure: the
    // output keeps what was written. Throws std::runtime_error with one of the texts above;
    // "Output file is also an input file" is thrown before anything is created or truncated.
    static void Merge(const JobFiles& job, ProgressCallback progress);

    // Starts Run on a new worker thread, detaching any thread `worker` still held. A callback
    // should be installed first. Throws boost::thread_resource_error when the thread cannot be
    // created, after storing "Can't start merge thread" as the error text.
    void Start();

    // The worker's body: runs Merge on `files` with a copy of the callback, stores the text of
    // a failure and sends the end notifications. Throws only what the callback throws from an
    // end notification.
    void Run();

    // Returns a copy of the text of the last failed run; empty until a run fails.
    std::string ErrorText();

    const std::unique_ptr<JobFiles> files;
    boost::thread worker;
    boost::mutex errorLock;
    std::string errorText;
    ProgressCallback callback;

private:
    void ReportFailure(const std::string& text);
    void StoreError(const std::string& text);
};

} // namespace veldrun
