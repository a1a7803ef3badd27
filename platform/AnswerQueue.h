#pragma once

#include <deque>
#include <optional>
#include <utility>
#include <vector>

// The test seam of a modal platform dialog: answers that tests queue stand in for the user's,
// and every request is recorded. Without a queued answer the real dialog is shown.
template <class Answer, class Request>
class AnswerQueue {
public:
    void Queue(Answer answer) { m_answers.push_back(std::move(answer)); }

    // Records `request`; returns the next queued answer, or nothing to ask the user.
    std::optional<Answer> Take(Request request) {
        m_requests.push_back(std::move(request));
        if (m_answers.empty())
            return std::nullopt;
        Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer;
    }

    // The requests recorded since the last call, oldest first.
    std::vector<Request> TakeRequests() { return std::exchange(m_requests, {}); }

    void Clear() {
        m_answers.clear();
        m_requests.clear();
    }

private:
    std::deque<Answer> m_answers;
    std::vector<Request> m_requests;
};
