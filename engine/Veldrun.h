#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <boost/function.hpp>
#include <boost/optional.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include "engine/MergeError.h"

namespace veldrun {

// Called before every 1 MiB read with (fileIndex, fileSize, filePosition, totalSize,
// totalWritten); returning false aborts the merge. Run also sends two end notifications:
// (-1, 0, 0, 0, 0) when the run is over and, before it, (-1, -1, -1, -1, -1) when it failed.
typedef boost::function<bool(std::int32_t fileIndex, std::int64_t fileSize,
                             std::int64_t filePosition, std::int64_t totalSize,
                             std::int64_t totalWritten)>
    ProgressCallback;

// The paths of one merge: inputs in merge order, and the output; or, with `parts`, one output
// per recording, each taking a run of neighbouring inputs.
struct JobFiles {
    std::vector<std::string> inputs;
    std::string output;
    // When set: the modification time to give `output`, in nanoseconds since the epoch.
    boost::optional<std::int64_t> modifiedNs;

    // One output of a run of several: `path` takes the inputs from index `first` up to the next
    // part's first (the last part: to the end), and gets `modifiedNs` as its modification time.
    struct Part {
        std::string path;
        std::size_t first = 0;
        boost::optional<std::int64_t> modifiedNs;
    };
    // Empty: every input goes to `output`. Otherwise `output` is unused, parts[0].first is 0
    // and the firsts rise.
    std::vector<Part> parts;
};

// How a merge writes its output. The defaults suit every caller that writes a file.
struct MergeOptions {
    // A regular-file output is written back to its disk as the copy goes and flushed before
    // the merge succeeds. Off for callers that do not need the data on disk yet.
    bool syncToDisk = true;
    // Writes to the process's standard output, as it was opened, instead of JobFiles::output.
    bool toStandardOutput = false;
    // Called on the merge's thread when every byte of an output is copied and its final flush
    // begins; once per output.
    boost::function<void()> writingToDisk;
    // After the flush, each regular-file output is read back from its disk (its cached pages
    // dropped first) and compared byte for byte with its inputs, read again likewise.
    bool verify = false;
    // The verifying pass's figures, called like the progress callback (input index and
    // positions over the whole run; false stops verifying, and the run, leaving the output
    // complete but not verified). Called before every block read back.
    ProgressCallback verifyProgress;
    // Called on the merge's thread when an output is complete (written, flushed, and verified
    // when asked for), with its index in the run (0 for a single output).
    boost::function<void(std::size_t output)> outputComplete;
};

// What a run left behind, for the end box and the cancel question.
struct RunOutcome {
    enum class Verified { No, Yes, Cancelled, NotRegular };
    struct Written {
        std::string path;
        std::int64_t size = 0;
        Verified verified = Verified::No;
    };
    // The outputs that are complete, in run order.
    std::vector<Written> complete;
    // After a failure or a cancel: the output that holds part of its merge, which this run
    // created or emptied; empty path when there is none (an existing file not yet emptied is
    // never named here).
    std::string partialPath;
    std::int64_t partialBytes = 0;
    // The partial output's device and inode, so that only that file is ever removed under
    // its name.
    std::uint64_t partialDevice = 0;
    std::uint64_t partialInode = 0;
};

// One merge job: joins the inputs of `files` byte for byte into the output, on a worker
// thread when started with Start. The members are public: the window rewrites `files` in
// place between runs, and the progress dialog joins `worker`.
//
// Failures are MergeError (a std::runtime_error) of a MergeError::Kind, with one of these what()
// texts, one for each kind:
//   "Can't create output file", "Can't open input file", "User aborted operation",
//   "Output file is also an input file", "Can't write output file", "Can't read input file",
//   "Not enough free space for the output file", "Output file is too large for its file system",
//   "Input file changed during merging", "Output file does not match its inputs",
//   "Can't read output file";
// and a detail line naming the file (as QuotedName shows it) and the system's reason. Run stores
// "Unknown error" for an exception of any other kind, and Start stores "Can't start merge thread"
// when the thread cannot be created.
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
    // Throws MergeError "Can't open input file", with the path and the reason as its detail,
    // when it cannot be opened or is not a regular file (a folder, a pipe, a device); never
    // blocks on a pipe.
    static std::int64_t FileSize(const std::string& path);

    // Takes the paths of a merge; returns the sum of FileSize over its inputs, in list order.
    // Throws what FileSize throws for the first input that fails, and "Output file is too large
    // for its file system" when the sum does not fit in 64 bits.
    static std::int64_t TotalSize(const JobFiles& job);

    // Takes the paths of a merge, a progress callback (may be empty) and the options; writes
    // into the output the bytes of every input in list order, in blocks of 1 MiB, calling
    // `progress` before every read. Each input is copied for exactly the size it had when the
    // inputs were measured; one that ends early, or whose size or times differ after its copy,
    // fails the merge ("Input file changed during merging"), as does one that turns out to be
    // the output when it is opened ("Output file is also an input file"). The output is opened (or
    // created) first, but emptied only once every input is measured and the output's file system is
    // known to take them; a failure before that leaves an existing output as it was and removes an
    // output this call created. A regular-file output is on its disk before Merge returns and is
    // locked against other merges meanwhile. After emptying, nothing is rolled back: the output
    // keeps what was written, and gives back the space reserved beyond it. Throws MergeError as
    // listed above.
    static void Merge(const JobFiles& job, ProgressCallback progress, const MergeOptions& options);
    // The same with the default options.
    static void Merge(const JobFiles& job, ProgressCallback progress);

    // Starts Run on a new worker thread, detaching any thread `worker` still held. A callback
    // should be installed first. Throws boost::thread_resource_error when the thread cannot be
    // created, after storing "Can't start merge thread" as the error text.
    void Start();

    // The worker's body: runs Merge on `files` with a copy of the callback and `options`,
    // stores the text and detail of a failure and sends the end notifications. Throws only what
    // the callback throws from an end notification.
    void Run();

    // Takes the paths and options of a run; with parts, merges each part in turn into its
    // output, with the progress figures (input index, totals) counted over the whole run, after
    // checking that every output's file system can take all the run puts on it before anything
    // is written (and refusing, as "Can't create output file", two parts with one output
    // name). Fills `outcome` as outputs complete. Throws as Merge does, for the first part
    // that fails; the outputs completed before it stay. Verifying cancelled leaves that output
    // complete and ends the run: a success after the last output, "User aborted operation"
    // before it.
    static void MergeRun(const JobFiles& job, ProgressCallback progress,
                         const MergeOptions& options, RunOutcome& outcome);

    // Returns a copy of what the last run left behind.
    RunOutcome Outcome();
    // Removes the last run's partial output, if its path still names the file the run wrote.
    // Returns true when it was removed or there is none; false, with the reason in `problem`
    // (the system's, or one of the engine's own in engine/Messages.h), when it could not be
    // removed.
    bool RemovePartial(std::string& problem);

    // Returns a copy of the text of the last failed run; empty until a run fails.
    std::string ErrorText();
    // Returns a copy of the detail of the last failed run: one line naming the file and what
    // the system said, or what the output now holds; empty where there is nothing to add.
    std::string ErrorDetail();
    // Returns a copy of the notes that ErrorDetail() is the English of.
    std::vector<ErrorNote> ErrorNotes();
    // Returns the kind of the last failed run's MergeError; none until a run fails, or when it
    // failed otherwise (the thread could not start, an unknown failure).
    boost::optional<MergeError::Kind> ErrorKind();

    const std::unique_ptr<JobFiles> files;
    boost::thread worker;
    boost::mutex errorLock;
    std::string errorText;
    ProgressCallback callback;
    // Guarded by errorLock, set together with errorText.
    std::string errorDetail;
    // How later runs write their output; like `callback`, set only while no run is going.
    MergeOptions options;

private:
    // Guarded by errorLock: what the last run left behind.
    RunOutcome m_outcome;
    // Guarded by errorLock, set together with errorText.
    boost::optional<MergeError::Kind> m_errorKind;
    // Guarded by errorLock, set together with errorDetail.
    std::vector<ErrorNote> m_errorNotes;

    void ReportFailure(const std::string& text, const std::vector<ErrorNote>& notes,
                       boost::optional<MergeError::Kind> kind);
    void StoreError(const std::string& text, const std::vector<ErrorNote>& notes,
                    boost::optional<MergeError::Kind> kind = boost::none);
};

} // namespace veldrun
