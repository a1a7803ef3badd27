#pragma once

#include <deque>
#include <string>
#include <vector>

#include <boost/optional.hpp>
#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include "platform/CWnd.h"
#include "recordings/ProbeCache.h"

// Reads the clips of a window's list on a thread of its own, through a ProbeCache, so that
// the window never waits for a slow card. Each batch of results is queued and announced to
// the window with one posted message, which the window answers with Take.
//
// Thread safety: every function is for the window's (user-interface) thread; only the reader
// thread touches the cache, and the queues are shared under one lock.
class ClipReader {
public:
    struct Result {
        // The path as the window listed it.
        std::wstring path;
        // What reading found; nothing when the file cannot be read or its name converted.
        boost::optional<veldrun::StreamProbe::Result> probe;
        // Without a probe: the errno value of why, 0 when unknown.
        int error = 0;
    };

    // Posts `message` to `window` whenever results wait to be taken. Starts no thread yet.
    ClipReader(CWnd* window, UINT message);
    // Stops the thread and waits for it.
    ~ClipReader();
    ClipReader(const ClipReader&) = delete;
    ClipReader& operator=(const ClipReader&) = delete;

    // Replaces what is still to be read with `paths`, read in this order; a file read before
    // and unchanged since is answered from the cache. Starts the thread on first use; if no
    // thread can be started, nothing is read.
    void Read(const std::vector<std::wstring>& paths);

    // Pause: no read starts until Resume (the one under way, at most a few MiB, ends first).
    // Neither waits.
    void Pause();
    void Resume();

    // The results that arrived since the last call, oldest first.
    std::vector<Result> Take();

    // Ends the thread: the read under way ends, the rest is dropped, and results not taken
    // are discarded. Waits for the thread. Read starts a new one.
    void Stop();

    // Waits until nothing is left to read and no read is under way, or the reader is paused
    // with nothing under way. For tests: the user-interface thread never waits.
    void WaitUntilIdle();
    // True when nothing is left to read (or reading is paused), no read is under way and every
    // result has been taken.
    bool Idle();

private:
    void Run();

    CWnd* m_window;
    UINT m_message;
    veldrun::ProbeCache m_cache;
    boost::mutex m_lock; // guards every member below it
    boost::condition_variable m_changed;
    std::deque<std::wstring> m_toRead;
    std::vector<Result> m_results;
    bool m_paused = false;
    bool m_stopping = false;
    bool m_busy = false;
    boost::thread m_thread;
};
