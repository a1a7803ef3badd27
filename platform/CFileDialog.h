#pragma once

#include <string>
#include <vector>

#include <QStringList>

#include "platform/AnswerQueue.h"
#include "platform/CString.h"
#include "platform/WinTypes.h"

class CWnd;

// The file-open or file-save dialog. The filter is MFC's "Description|patterns|...||"; set
// m_ofn.lpstrTitle for a title and m_ofn.lpstrFile / nMaxFile (GetOFN) for a result buffer of
// your own. The dialog's own buffer, which m_ofn points at until then, grows to fit any
// result up to kMaxResultLength characters. A save dialog asks before overwriting with
// OFN_OVERWRITEPROMPT and appends the default extension to a chosen name without one. An open
// dialog with OFN_ALLOWMULTISELECT, always Qt's own, also takes typed names of missing files.
class CFileDialog {
public:
    // What a dialog was asked for, for tests.
    struct Request {
        BOOL open;
        std::wstring title;
        DWORD flags;
        std::wstring filter;
        std::wstring defaultExtension;
        // The name the dialog proposes; with a folder, the dialog opens there.
        std::wstring fileName;
    };
    // What the user did: IDOK with the chosen paths in the dialog's order, or IDCANCEL.
    struct Answer {
        INT_PTR result;
        std::vector<std::wstring> paths;
    };

    // The longest result, NULs included, that the dialog's own buffer takes: 16 MiB of text.
    static constexpr std::size_t kMaxResultLength = std::size_t(1) << 22;

    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr,
                         LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR filter = nullptr, CWnd* parent = nullptr, DWORD size = 0);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when files were chosen and their names fit the result buffer, else IDCANCEL (with
    // CommDlgExtendedError FNERR_BUFFERTOOSMALL when they did not fit).
    virtual INT_PTR DoModal();
    OPENFILENAME& GetOFN() { return m_ofn; }
    // The full path of the one chosen file; after a choice of several, their folder.
    CString GetPathName() const { return m_ofn.lpstrFile; }
    // The name of the one chosen file, without its folder; empty after a choice of several.
    CString GetFileName() const;

    // The test seam.
    static AnswerQueue<Answer, Request>& Answers();

    // The filter as Qt's name filters. Win32's "*.*" becomes "*", and every pattern also
    // matches its upper- and lower-case forms, since camcorders write "00001.MTS".
    static QStringList ToQtFilters(LPCTSTR filter);

    OPENFILENAME m_ofn;

private:
    Answer AskUser() const;
    bool StoreResult(const std::vector<std::wstring>& paths);

    BOOL m_open;
    std::wstring m_filter;
    std::wstring m_defaultExtension;
    std::vector<wchar_t> m_buffer;
    CWnd* m_parent;
    bool m_several = false;
};

// Why the last file dialog ended with IDCANCEL: FNERR_BUFFERTOOSMALL when the chosen names
// did not fit its buffer, else 0.
DWORD CommDlgExtendedError();
