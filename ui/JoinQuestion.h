#pragma once

#include <string>

#include "platform/AnswerQueue.h"

class CWnd;

// The question before a list of several recordings is joined into one file, with the choice
// to write one file per recording instead.
class JoinQuestion {
public:
    enum class Answer { Join, EachRecording, Cancel };

    // Shows `text` with the buttons Join, One File per Recording and Cancel; Escape and the
    // close button cancel.
    static Answer Ask(CWnd* parent, const std::wstring& text);

    // The test seam: a queued answer stands in for the user's; the request is the text.
    static AnswerQueue<Answer, std::wstring>& Answers();
};
