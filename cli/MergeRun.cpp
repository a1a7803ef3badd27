#include "cli/MergeRun.h"

#include <iostream>

#include <boost/bind/bind.hpp>

#include "cli/SignalCancel.h"

namespace veldrun {

MergeRun::MergeRun(const CommandLine& line, bool showProgress)
    : m_line(line.inputs.size(), ProgressLine::Clock::now()), m_showProgress(showProgress) {
    m_job.files->inputs = line.inputs;
    m_job.options.toStandardOutput = line.output == "-";
    m_job.files->output = m_job.options.toStandardOutput ? std::string() : line.output;
    m_job.options.syncToDisk = !line.noSync;
}

int MergeRun::Execute() {
    namespace ph = boost::placeholders;
    m_job.SetCallback(
        boost::bind(&MergeRun::OnProgress, this, ph::_1, ph::_2, ph::_3, ph::_4, ph::_5));
    try {
        m_job.Start();
    } catch (const boost::thread_resource_error&) {
        return Fail();
    }
    m_job.worker.join();

    // The last figures may not have been drawn yet; the newline keeps the line on screen.
    if (m_showProgress && m_line.HasFigures()) {
        Draw();
        std::cerr << '\n';
    }
    return m_failed ? Fail() : 0;
}

bool MergeRun::OnProgress(std::int32_t fileIndex, std::int64_t, std::int64_t,
                          std::int64_t totalSize, std::int64_t totalWritten) {
    if (fileIndex < 0) {
        if (totalSize == -1)
            m_failed = true;
        return true;
    }
    if (m_showProgress) {
        m_line.Update(fileIndex, totalSize, totalWritten);
        if (m_line.Due(ProgressLine::Clock::now()))
            Draw();
    }
    return !SignalCancel::Requested();
}

void MergeRun::Draw() {
    // One write per redraw; \033[K clears what a longer previous line left behind.
    std::cerr << ('\r' + m_line.Text(ProgressLine::Clock::now()) + "\033[K") << std::flush;
}

int MergeRun::Fail() {
    std::cerr << "Merge error: " << m_job.ErrorText() << '\n';
    const std::string detail = m_job.ErrorDetail();
    if (!detail.empty())
        std::cerr << detail << '\n';
    std::cerr << std::flush;
    return 1;
}

} // namespace veldrun
