#pragma once

#include <deque>
#include <optional>
#include <utility>
#include <vector>

// The test seam of a modal dialog: queued answers stand in for the user's, and requests are
// recorded once asked for. Without a queued answer the real dialog is shown.
template <class Answer, class Request>
class AnswerQueue {
public:
    void Queue(Answer answer) { m_answers.push_back(std::move(answer)); }

    void Record() { m_recording = true; }

    // Records `request` when asked to; returns the next queued answer, or none.
    std::optional<Answer> Take(Request request) {
        if (m_recording)
            m_requests.push_back(std::move(request));
        if (m_answers.empty())
            return std::nullopt;
        Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer;
    }

    std::vector<Request> TakeRequests() { return std::exchange(m_requests, {}); }

    // Also stops recording.
    void Clear() {
        m_answers.clear();
        m_requests.clear();
        m_recording = false;
    }

private:
    bool m_recording = false;
    std::deque<Answer> m_answers;
    std::vector<Request> m_requests;
};
