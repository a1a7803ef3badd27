#include "ui/ClipReader.h"

#include <exception>
#include <optional>
#include <string>

#include <boost/thread/exceptions.hpp>

#include "engine/TextConversion.h"

ClipReader::ClipReader(CWnd* window, UINT message) : m_window(window), m_message(message) {}

ClipReader::~ClipReader() {
    Stop();
}

void ClipReader::Read(const std::vector<std::wstring>& paths) {
    boost::unique_lock<boost::mutex> lock(m_lock);
    m_toRead.assign(paths.begin(), paths.end());
    if (!m_thread.joinable()) {
        m_stopping = false;
        try {
            m_thread = boost::thread(&ClipReader::Run, this);
        } catch (const boost::thread_resource_error&) {
            // The list works without what reading would add.
            m_toRead.clear();
            return;
        }
    }
    m_changed.notify_all();
}

void ClipReader::Pause() {
    boost::lock_guard<boost::mutex> lock(m_lock);
    m_paused = true;
}

void ClipReader::Resume() {
    boost::lock_guard<boost::mutex> lock(m_lock);
    m_paused = false;
    m_changed.notify_all();
}

std::vector<ClipReader::Result> ClipReader::Take() {
    boost::lock_guard<boost::mutex> lock(m_lock);
    std::vector<Result> taken;
    taken.swap(m_results);
    return taken;
}

void ClipReader::Stop() {
    {
        boost::lock_guard<boost::mutex> lock(m_lock);
        m_stopping = true;
        m_toRead.clear();
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
    boost::lock_guard<boost::mutex> lock(m_lock);
    m_results.clear();
}

void ClipReader::WaitUntilIdle() {
    boost::unique_lock<boost::mutex> lock(m_lock);
    while (m_busy || (!m_paused && !m_stopping && !m_toRead.empty() && m_thread.joinable()))
        m_changed.wait(lock);
}

bool ClipReader::Idle() {
    boost::lock_guard<boost::mutex> lock(m_lock);
    return !m_busy && m_results.empty() && (m_paused || m_toRead.empty() || !m_thread.joinable());
}

void ClipReader::Run() {
    boost::unique_lock<boost::mutex> lock(m_lock);
    for (;;) {
        while (!m_stopping && (m_paused || m_toRead.empty()))
            m_changed.wait(lock);
        if (m_stopping)
            return;
        Result result;
        result.path = m_toRead.front();
        m_toRead.pop_front();
        m_busy = true;
        lock.unlock();
        try {
            // A name that cannot be converted names no file that could be read.
            if (const std::optional<std::string> name = veldrun::ToNarrow(result.path))
                result.probe = m_cache.Probe(*name, &result.error);
        } catch (const std::exception&) {
            // Out of memory or a name that cannot be converted: the clip stays unknown.
        }
        lock.lock();
        const bool announce = m_results.empty();
        try {
            m_results.push_back(result);
        } catch (const std::exception&) {
            // No memory to queue it: the entry stays unread, as when no thread could start.
        }
        if (announce) {
            // Outside the lock, which the window takes when the message arrives. Posting never
            // waits for the window.
            lock.unlock();
            m_window->PostMessage(m_message, 0, 0);
            lock.lock();
        }
        // Idle only once the message is on its way.
        m_busy = false;
        m_changed.notify_all();
    }
}
