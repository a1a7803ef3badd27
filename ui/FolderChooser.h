#pragma once

#include <string>

#include "platform/AnswerQueue.h"

class CWnd;

// The desktop's folder chooser, for an output folder.
class FolderChooser {
public:
    struct Request {
        std::wstring caption;
        std::wstring start;
    };

    // Opens the chooser in `start`; returns the chosen folder, empty when cancelled.
    static std::wstring Choose(CWnd* parent, const std::wstring& caption,
                               const std::wstring& start);

    // The test seam: a queued answer (a folder, or empty for Cancel) stands in for the user's.
    static AnswerQueue<std::wstring, Request>& Answers();
};
