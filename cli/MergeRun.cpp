#include "cli/MergeRun.h"

#include <iostream>

#include <boost/bind/bind.hpp>

#include "cli/SignalCancel.h"
#include "cli/Terminal.h"
#include "engine/QuotedName.h"

namespace veldrun {

namespace {

std::string OutputName(const std::string& path) {
    return path.empty() ? "standard output" : QuotedName(path);
}

} // namespace

MergeRun::MergeRun(const CommandLine& line, const JobFiles& files, bool showProgress)
    : m_line(files.inputs, ProgressLine::Clock::now()), m_showProgress(showProgress),
      m_verify(line.verify) {
    *m_job.files = files;
    m_job.options.toStandardOutput = files.parts.empty() && line.output == "-";
    if (files.parts.empty())
        m_job.files->output = m_job.options.toStandardOutput ? std::string() : line.output;
    m_job.options.syncToDisk = !line.noSync;
    m_job.options.verify = line.verify;
}

int MergeRun::Execute() {
    namespace ph = boost::placeholders;
    m_job.SetCallback(
        boost::bind(&MergeRun::OnProgress, this, ph::_1, ph::_2, ph::_3, ph::_4, ph::_5));
    if (m_verify)
        m_job.options.verifyProgress =
            boost::bind(&MergeRun::OnVerifyProgress, this, ph::_1, ph::_2, ph::_3, ph::_4, ph::_5);
    if (!m_job.files->parts.empty())
        m_job.options.outputComplete = boost::bind(&MergeRun::OnOutputComplete, this, ph::_1);
    try {
        m_job.Start();
    } catch (const boost::thread_resource_error&) {
        return Fail(RunOutcome());
    }
    m_job.worker.join();

    // The last figures may not have been drawn yet; the newline keeps the line on screen.
    if (m_showProgress && m_line.HasFigures()) {
        Draw();
        std::cerr << '\n';
    }
    const RunOutcome outcome = m_job.Outcome();
    if (m_failed)
        return Fail(outcome);
    const int status = m_verify ? ReportVerified(outcome) : 0;
    // A script reads the written paths from standard output: losing them is a failure.
    std::cout << std::flush;
    if (!std::cout) {
        std::cerr << "veldrun-cli: standard output: the paths of the files written could not be "
                     "printed\n"
                  << std::flush;
        return 1;
    }
    return status;
}

bool MergeRun::OnProgress(std::int32_t fileIndex, std::int64_t, std::int64_t,
                          std::int64_t totalSize, std::int64_t totalWritten) {
    if (fileIndex < 0) {
        if (totalSize == -1)
            m_failed = true;
        return true;
    }
    return Show(ProgressLine::Pass::Writing, fileIndex, totalSize, totalWritten);
}

bool MergeRun::OnVerifyProgress(std::int32_t fileIndex, std::int64_t, std::int64_t,
                                std::int64_t totalSize, std::int64_t totalVerified) {
    if (fileIndex < 0)
        return true;
    return Show(ProgressLine::Pass::Verifying, fileIndex, totalSize, totalVerified);
}

bool MergeRun::Show(ProgressLine::Pass pass, std::int32_t fileIndex, std::int64_t totalSize,
                    std::int64_t totalDone) {
    if (m_showProgress) {
        const ProgressLine::Clock::time_point now = ProgressLine::Clock::now();
        m_line.Update(pass, fileIndex, totalSize, totalDone, now);
        if (m_line.Due(now))
            Draw();
    }
    return !SignalCancel::Requested();
}

void MergeRun::OnOutputComplete(std::size_t output) {
    // Standard output may share the terminal with the progress line: clear it first, and let
    // the next redraw put it back below the path.
    if (m_showProgress && m_line.HasFigures())
        std::cerr << "\r\033[K" << std::flush;
    std::cout << OutputName(m_job.files->parts[output].path) << '\n' << std::flush;
}

void MergeRun::Draw() {
    // One write per redraw; \033[K clears what a longer previous line left behind. The last
    // column stays free: a line that fills it makes some terminals wrap, and \r would then
    // redraw on a new line each time.
    const std::size_t columns = Terminal::ErrorColumns();
    std::cerr << ('\r' + m_line.Text(ProgressLine::Clock::now(), columns - 1) + "\033[K")
              << std::flush;
}

int MergeRun::ReportVerified(const RunOutcome& outcome) {
    std::size_t verified = 0;
    const RunOutcome::Written* cancelled = nullptr;
    for (const RunOutcome::Written& written : outcome.complete) {
        if (written.verified == RunOutcome::Verified::Yes)
            ++verified;
        else if (written.verified == RunOutcome::Verified::NotRegular)
            std::cerr << "note: " << OutputName(written.path)
                      << " is not a regular file, so it was not verified\n";
        else if (written.verified == RunOutcome::Verified::Cancelled)
            cancelled = &written;
    }
    // A signal stopped the run, as one during the copy does: the status says so.
    if (cancelled && m_job.files->parts.empty())
        std::cerr << "Verifying was cancelled: the output is complete but not verified.\n";
    else if (cancelled)
        std::cerr << "Verifying was cancelled: " << OutputName(cancelled->path)
                  << " is complete but not verified.\n";
    else if (verified == 1 && outcome.complete.size() == 1)
        std::cerr << "Verified: the output matches its inputs byte for byte.\n";
    else if (verified > 0)
        std::cerr << "Verified: " << verified << " outputs match their inputs byte for byte.\n";
    std::cerr << std::flush;
    return cancelled ? 1 : 0;
}

int MergeRun::Fail(const RunOutcome& outcome) {
    std::cerr << "Merge error: " << m_job.ErrorText() << '\n';
    const std::string detail = m_job.ErrorDetail();
    if (!detail.empty())
        std::cerr << detail << '\n';
    const std::size_t outputs = m_job.files->parts.size();
    if (outputs > 0) {
        const std::size_t complete = outcome.complete.size();
        if (complete == 0)
            std::cerr << "None of the " << outputs << " files is complete.\n";
        else
            std::cerr << complete << " of the " << outputs
                      << (complete == 1 ? " files is complete:\n" : " files are complete:\n");
        for (const RunOutcome::Written& written : outcome.complete)
            std::cerr << "  " << OutputName(written.path) << '\n';
    }
    std::cerr << std::flush;
    return 1;
}

} // namespace veldrun
