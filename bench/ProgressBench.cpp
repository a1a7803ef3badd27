// Times merges through the real progress dialog (offscreen) against the engine alone on the
// same inputs, alternating runs, and reports how far the dialog's queue of records grew.
//
//   progress_bench [--pairs N] OUTPUT INPUT...

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <boost/thread/mutex.hpp>

#include <QApplication>
#include <QTimer>

#include "engine/TextConversion.h"
#include "progress/CProgressDlg.h"
#include "ui/CVeldrunDlg.h"

namespace {

typedef std::chrono::steady_clock Clock;

// The progress dialog, noting the longest queue it found when a message arrived.
class MeasuredProgressDlg : public CProgressDlg {
public:
    using CProgressDlg::CProgressDlg;
    std::size_t longestQueue = 0;
    std::size_t messages = 0;
    double handling = 0;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message != WM_MERGE_PROGRESS)
            return CProgressDlg::OnWndMsg(message, wParam, lParam, result);
        {
            boost::mutex::scoped_lock lock(m_queueLock);
            longestQueue = std::max(longestQueue, m_queue.size());
            ++messages;
        }
        const Clock::time_point start = Clock::now();
        const BOOL handled = CProgressDlg::OnWndMsg(message, wParam, lParam, result);
        handling += std::chrono::duration<double>(Clock::now() - start).count();
        return handled;
    }
};

// The main dialog with its list filled, running one merge under the progress dialog.
class BenchDialog : public CVeldrunDlg {
public:
    struct Outcome {
        double seconds = 0;
        INT_PTR result = 0;
        std::size_t longestQueue = 0;
        std::size_t messages = 0;
        double handling = 0;
    };

    std::string Error() const { return m_job->ErrorText(); }

    Outcome Merge(const std::vector<std::string>& inputs, const std::string& output) {
        Outcome outcome;
        QTimer::singleShot(0, [&] {
            for (const std::string& input : inputs)
                m_inputList.InsertString(-1, veldrun::ToWide(input).value().c_str());
            m_job->files->inputs = inputs;
            m_job->files->output = output;
            MeasuredProgressDlg progress(m_job, &m_inputList);
            const Clock::time_point start = Clock::now();
            outcome.result = progress.DoModal();
            outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
            outcome.longestQueue = progress.longestQueue;
            outcome.messages = progress.messages;
            outcome.handling = progress.handling;
            EndDialog(IDCANCEL);
        });
        DoModal();
        return outcome;
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    int pairs = 7;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--pairs") {
        pairs = std::atoi(args[1].c_str());
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() < 2 || pairs < 1) {
        std::fprintf(stderr, "usage: progress_bench [--pairs N] OUTPUT INPUT...\n");
        return 2;
    }
    const std::string output = args[0];
    veldrun::JobFiles job;
    job.inputs.assign(args.begin() + 1, args.end());
    job.output = output;

    std::vector<double> engineTimes, dialogTimes, handlingTimes;
    std::size_t longestQueue = 0, messages = 0;
    for (int pair = 1; pair <= pairs; ++pair) {
        std::remove(output.c_str());
        const Clock::time_point start = Clock::now();
        veldrun::Veldrun::Merge(job, veldrun::ProgressCallback());
        engineTimes.push_back(std::chrono::duration<double>(Clock::now() - start).count());

        std::remove(output.c_str());
        BenchDialog dialog;
        const BenchDialog::Outcome outcome = dialog.Merge(job.inputs, output);
        if (outcome.result != IDOK) {
            std::fprintf(stderr, "merge through the dialog failed: %s\n", dialog.Error().c_str());
            return 1;
        }
        dialogTimes.push_back(outcome.seconds);
        handlingTimes.push_back(outcome.handling);
        longestQueue = std::max(longestQueue, outcome.longestQueue);
        messages = outcome.messages;
        std::printf("pair %d: engine %.4f s, dialog %.4f s\n", pair, engineTimes.back(),
                    outcome.seconds);
    }
    std::remove(output.c_str());

    const std::int64_t total = veldrun::Veldrun::TotalSize(job);
    const double engine = Median(engineTimes), dialog = Median(dialogTimes);
    std::printf("input: %zu files, %.0f MiB, %d pairs\n", job.inputs.size(),
                static_cast<double>(total) / (1 << 20), pairs);
    std::printf("median engine alone: %.3f s\n", engine);
    std::printf("median through the progress dialog: %.3f s\n", dialog);
    std::printf("ratio (engine / dialog): %.3f (goal >= 0.95)\n", engine / dialog);
    std::printf("messages per merge: %zu; longest queue seen: %zu records\n", messages,
                longestQueue);
    std::printf("user-interface thread busy with them: %.1f ms per merge (median)\n",
                Median(handlingTimes) * 1000);
    return 0;
}
