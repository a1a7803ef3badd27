#pragma once

#include <string>
#include <vector>

#include <QMessageBox>

#include "platform/AnswerQueue.h"

class CWnd;

// A modal message box, captioned with the application's name, whose buttons say what they do
// ("Open Folder", "Quit"), which AfxMessageBox's fixed sets cannot.
class ChoiceBox {
public:
    struct Request {
        std::wstring text;
        std::vector<std::wstring> buttons;
        int defaultButton;
    };

    // Shows `text` (plain) with `icon` and `buttons` (texts with their mnemonics, from the one
    // that accepts), owned by `parent` or else by the active dialog. Returns the index of the
    // button pressed; `escapeButton` for Escape and the close button; or a queued answer.
    static int Ask(CWnd* parent, QMessageBox::Icon icon, const std::wstring& text,
                   const std::vector<std::wstring>& buttons, int defaultButton, int escapeButton);

    // The test seam.
    static AnswerQueue<int, Request>& Answers();
};
