#pragma once

#include <string>
#include <vector>

#include "platform/AnswerQueue.h"
#include "platform/WinTypes.h"

// The test seam of AfxMessageBox: queued results answer the next message boxes instead of
// the user, and the message boxes asked for are recorded once a test calls Record.
class MessageBoxAnswers {
public:
    struct Request {
        std::wstring text;
        std::wstring caption;
        UINT type;
        UINT helpId;
    };

    static void Queue(int result) { Answers().Queue(result); }
    static void Record() { Answers().Record(); }
    static std::vector<Request> TakeRequests() { return Answers().TakeRequests(); }
    static void Clear() { Answers().Clear(); }

    static AnswerQueue<int, Request>& Answers();
};
