#pragma once

#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <QObject>
#include <QPointer>

#include "platform/AnswerQueue.h"
#include "recordings/ClipSearch.h"

class CWnd;
class QProgressDialog;
class QTimer;
class QWidget;

// Brings names into the input list with each folder among them replaced by the clips inside it
// (ClipSearch), on a thread of its own, so that the window never waits for a slow card. A search
// that runs longer than kQuietMs shows a modal progress dialog whose Cancel stops it. Names that
// arrive while a search runs wait behind it and come in the order they arrived; Cancel drops
// them too, so that nothing comes in after the user said stop. A folder without clips says "No
// clips found in FOLDER" once its arrival has come in.
class FolderSearch : public QObject {
public:
    typedef std::vector<std::wstring> Names;
    // Takes the entries of one arrival, in order, on the user-interface thread.
    typedef std::function<void(const Names& entries)> Then;
    // Searches one folder as ClipSearch::Find does; tests put a slower one in.
    typedef std::function<veldrun::ClipSearch::Result(const std::string& folder,
                                                      const veldrun::ClipSearch::Report& report)>
        Searcher;

    // How long a search runs before its progress shows, in milliseconds.
    static constexpr int kQuietMs = 500;

    // Takes the window that the progress dialog and the folder chooser belong to, and what
    // takes an arrival's entries when its caller gives no `then`.
    FolderSearch(CWnd* window, Then list);
    // Stops a running search.
    ~FolderSearch() override;

    void SetSearcher(Searcher searcher) { m_searcher = std::move(searcher); }

    // Takes names in the order to list them. Hands them to `then` with each folder replaced by
    // its clips: at once when none is a folder and nothing waits, otherwise once the search and
    // the arrivals before it are done. A cancelled search hands nothing over.
    void Add(Names names, Then then = nullptr);
    // The same for names known not to be folders (chosen in a file dialog): none is looked at.
    void AddFiles(Names names, Then then = nullptr);
    // Asks for a folder ("Add Folder...") and adds its clips as Add does.
    void Choose(Then then = nullptr);
    // True while a search runs or arrivals wait.
    bool Busy() const { return m_worker.joinable() || !m_waiting.empty() || m_finishing; }
    // Cancels the search and whatever waits, and waits until the search has stopped; nothing
    // is handed over after it.
    void Stop();

    // While one lives, nothing is handed over and no progress shows: a merge reads the list.
    // What a search finds meanwhile is handed over when the last one ends.
    class Hold {
    public:
        explicit Hold(FolderSearch& search) : m_search(search) { ++m_search.m_holds; }
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        FolderSearch& m_search;
    };

    // The test seam of the folder chooser: a queued answer (a folder, or empty for Cancel)
    // stands in for the user's.
    static AnswerQueue<std::wstring, std::wstring>& ChooserAnswers();

private:
    struct Arrival {
        Names names;
        std::vector<bool> folders;
        Then then;
    };
    struct Outcome {
        Names entries;
        // Folders without clips, with the reason when they could not be read.
        std::vector<std::pair<std::wstring, std::error_code>> empty;
        // Folders with parts that could not be read, and how many of their folders those are.
        std::vector<std::pair<std::wstring, std::size_t>> unreadable;
        bool cancelled = false;
    };

    void Queue(Names names, std::vector<bool> folders, Then then);
    // Hands over the waiting arrivals that need no search, up to the first that does, which
    // it starts; unless a search runs or its messages show.
    void StartNext();
    Outcome Search(const Arrival& arrival);
    void Finished(Outcome outcome);
    void ShowProgress();
    void UpdateProgress();
    void Cancel();

    // The dialog's window exists once the dialog shows.
    QWidget* Window() const;

    CWnd* m_window;
    Then m_list;
    Searcher m_searcher;
    std::deque<Arrival> m_waiting;
    std::thread m_worker;
    // Set by the user-interface thread, read by the worker.
    std::atomic<bool> m_cancel{false};
    // Set by the worker, read by the progress dialog.
    std::atomic<std::size_t> m_folder{0};
    std::atomic<std::size_t> m_foldersSearched{0};
    std::atomic<std::size_t> m_clipsFound{0};
    bool m_finishing = false;
    bool m_stopped = false;
    int m_holds = 0;
    // A search's outcome that came while held.
    std::optional<Outcome> m_held;
    QTimer* m_quiet;
    QTimer* m_refresh;
    QPointer<QProgressDialog> m_progress;
};
