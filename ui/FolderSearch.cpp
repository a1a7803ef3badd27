#include "ui/FolderSearch.h"

#include <algorithm>
#include <optional>
#include <sys/stat.h>
#include <utility>

#include <QFileDialog>
#include <QProgressDialog>
#include <QTimer>

#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CWnd.h"
#include "res/Tr.h"
#include "ui/Settings.h"
#include "ui/VisibleText.h"

namespace {

// How often the progress dialog takes the worker's figures.
constexpr int kRefreshMs = 100;

bool IsFolder(const std::wstring& name) {
    const std::optional<std::string> narrow = veldrun::ToNarrow(name);
    struct stat status;
    return narrow && ::stat(narrow->c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

FolderSearch::FolderSearch(CWnd* window, Then list)
    : m_window(window), m_list(std::move(list)),
      m_searcher([](const std::string& folder, const veldrun::ClipSearch::Report& report) {
          return veldrun::ClipSearch::Find(folder, report);
      }),
      m_quiet(new QTimer(this)), m_refresh(new QTimer(this)) {
    m_quiet->setSingleShot(true);
    m_quiet->setInterval(kQuietMs);
    connect(m_quiet, &QTimer::timeout, this, &FolderSearch::ShowProgress);
    m_refresh->setInterval(kRefreshMs);
    connect(m_refresh, &QTimer::timeout, this, &FolderSearch::UpdateProgress);
}

FolderSearch::~FolderSearch() {
    Stop();
}

AnswerQueue<std::wstring, std::wstring>& FolderSearch::ChooserAnswers() {
    static AnswerQueue<std::wstring, std::wstring> answers;
    return answers;
}

QWidget* FolderSearch::Window() const {
    return m_window ? m_window->GetWidget() : nullptr;
}

void FolderSearch::Add(Names names, Then then) {
    std::vector<bool> folders;
    for (const std::wstring& name : names)
        folders.push_back(IsFolder(name));
    Queue(std::move(names), std::move(folders), std::move(then));
}

void FolderSearch::AddFiles(Names names, Then then) {
    std::vector<bool> folders(names.size(), false);
    Queue(std::move(names), std::move(folders), std::move(then));
}

void FolderSearch::Choose(Then then) {
    const std::wstring caption = res::Tr("FolderSearch", "Select Folder");
    std::optional<std::wstring> folder = ChooserAnswers().Take(caption);
    if (!folder) {
        folder =
            QFileDialog::getExistingDirectory(Window(), QString::fromStdWString(caption),
                                              QString::fromStdWString(Settings::LastInputFolder()))
                .toStdWString();
    }
    // Searched even when it has gone meanwhile, so that the user hears why nothing came.
    if (!folder->empty())
        Queue({*folder}, {true}, std::move(then));
}

void FolderSearch::Queue(Names names, std::vector<bool> folders, Then then) {
    m_waiting.push_back(Arrival{std::move(names), std::move(folders), then ? then : m_list});
    StartNext();
}

void FolderSearch::StartNext() {
    while (!m_stopped && m_holds == 0 && !m_worker.joinable() && !m_finishing &&
           !m_waiting.empty()) {
        const Arrival& next = m_waiting.front();
        if (std::find(next.folders.begin(), next.folders.end(), true) != next.folders.end()) {
            m_cancel = false;
            m_folder = 0;
            m_foldersSearched = 0;
            m_clipsFound = 0;
            try {
                m_worker = std::thread([this, next] {
                    const Outcome outcome = Search(next);
                    QMetaObject::invokeMethod(
                        this, [this, outcome] { Finished(outcome); }, Qt::QueuedConnection);
                });
            } catch (const std::system_error&) {
                // Without a thread the search runs here: the window waits, but the folder comes.
                Finished(Search(next));
                return;
            }
            m_quiet->start();
            return;
        }
        const Arrival ready = std::move(m_waiting.front());
        m_waiting.pop_front();
        ready.then(ready.names);
    }
}

FolderSearch::Outcome FolderSearch::Search(const Arrival& arrival) {
    Outcome outcome;
    try {
        veldrun::ClipSearch::Progress before;
        for (std::size_t at = 0; at < arrival.names.size(); ++at) {
            if (!arrival.folders[at]) {
                outcome.entries.push_back(arrival.names[at]);
                continue;
            }
            m_folder = at;
            const veldrun::ClipSearch::Result found =
                m_searcher(veldrun::ToNarrow(arrival.names[at]).value_or(std::string()),
                           [this, &before](const veldrun::ClipSearch::Progress& progress) {
                               m_foldersSearched = before.folders + progress.folders;
                               m_clipsFound = before.clips + progress.clips;
                               return !m_cancel;
                           });
            if (found.cancelled || m_cancel) {
                outcome.cancelled = true;
                return outcome;
            }
            before.folders += found.progress.folders;
            before.clips += found.clips.size();
            const std::size_t listed = outcome.entries.size();
            // A name that is not valid UTF-8 could not be listed as itself.
            for (const std::string& clip : found.clips) {
                if (std::optional<std::wstring> wide = veldrun::ToWide(clip))
                    outcome.entries.push_back(std::move(*wide));
            }
            if (outcome.entries.size() == listed)
                outcome.empty.emplace_back(arrival.names[at], found.error);
            if (found.unreadable > 0)
                outcome.unreadable.emplace_back(arrival.names[at], found.unreadable);
        }
    } catch (const std::bad_alloc&) {
        // Nothing half found is listed; the list stays as it was.
        outcome = Outcome();
        outcome.cancelled = true;
    }
    return outcome;
}

void FolderSearch::Finished(Outcome outcome) {
    if (m_worker.joinable())
        m_worker.join();
    m_quiet->stop();
    m_refresh->stop();
    delete m_progress.data();
    if (m_stopped || m_waiting.empty())
        return;
    if (m_holds > 0) {
        m_held = std::move(outcome);
        return;
    }
    const Arrival arrival = std::move(m_waiting.front());
    m_waiting.pop_front();
    // A Cancel that came after the search had ended still holds.
    if (!outcome.cancelled && !m_cancel) {
        // Arrivals meanwhile wait until the messages are read, so that they come after these.
        m_finishing = true;
        arrival.then(outcome.entries);
        for (const auto& [folder, error] : outcome.empty) {
            // The dialog may have ended while a message showed.
            if (m_stopped)
                break;
            std::wstring text = res::Filled(res::Tr("FolderSearch", "No clips found in %1"),
                                            {veldrun::VisibleText(folder)});
            if (error)
                text += L"\n" + veldrun::ToWide(error.message()).value_or(std::wstring());
            AfxMessageBox(text.c_str(), MB_OK | MB_ICONWARNING, 0);
        }
        for (const auto& [folder, count] : outcome.unreadable) {
            if (m_stopped)
                break;
            // English takes its singular from its own text: it needs no English translation.
            const std::wstring text = res::Filled(
                count == 1 ? res::Tr("FolderSearch", "1 folder in %1 could not be read; clips in "
                                                     "it may be missing.")
                           : res::Tr("FolderSearch",
                                     "%n folders in %1 could not be read; clips in it may be "
                                     "missing.",
                                     nullptr, int(count)),
                {veldrun::VisibleText(folder)});
            AfxMessageBox(text.c_str(), MB_OK | MB_ICONWARNING, 0);
        }
        m_finishing = false;
    }
    StartNext();
}

void FolderSearch::ShowProgress() {
    if (!m_worker.joinable() || m_progress || m_holds > 0)
        return;
    m_progress = new QProgressDialog(Window());
    m_progress->setWindowTitle(
        QString::fromStdWString(res::Tr("FolderSearch", "Searching for Clips")));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setRange(0, 0);
    m_progress->setAutoReset(false);
    m_progress->setAutoClose(false);
    connect(m_progress, &QProgressDialog::canceled, this, &FolderSearch::Cancel);
    connect(m_progress, &QDialog::rejected, this, &FolderSearch::Cancel);
    UpdateProgress();
    m_progress->show();
    m_refresh->start();
}

void FolderSearch::UpdateProgress() {
    if (!m_progress || m_waiting.empty())
        return;
    const Names& names = m_waiting.front().names;
    const std::size_t at = std::min<std::size_t>(m_folder, names.size() - 1);
    const std::wstring folders =
        m_foldersSearched == 1
            ? res::Tr("FolderSearch", "1 folder searched")
            : res::Tr("FolderSearch", "%n folders searched", nullptr, int(m_foldersSearched));
    const std::wstring clips =
        m_clipsFound == 1 ? res::Tr("FolderSearch", "1 clip found")
                          : res::Tr("FolderSearch", "%n clips found", nullptr, int(m_clipsFound));
    m_progress->setLabelText(QString::fromStdWString(
        res::Filled(res::Tr("FolderSearch", "Searching for clips in %1\n%2, %3"),
                    {veldrun::VisibleText(names[at]), folders, clips})));
}

void FolderSearch::Cancel() {
    m_cancel = true;
    // The search under way stays first until it has stopped; what waited behind it goes.
    if (m_worker.joinable() && !m_waiting.empty())
        m_waiting.erase(m_waiting.begin() + 1, m_waiting.end());
}

FolderSearch::Hold::~Hold() {
    if (--m_search.m_holds > 0)
        return;
    if (std::optional<Outcome> held = std::exchange(m_search.m_held, std::nullopt))
        m_search.Finished(std::move(*held));
    else
        m_search.StartNext();
}

void FolderSearch::Stop() {
    m_stopped = true;
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
    m_waiting.clear();
    m_quiet->stop();
    m_refresh->stop();
    delete m_progress.data();
}
