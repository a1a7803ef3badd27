#include "platform/CFileDialog.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "platform/CWinApp.h"
#include "platform/CWnd.h"

namespace {

// Large enough for any path of this file system.
const std::size_t kDefaultBufferSize = 32768;

// Why the last dialog ended with IDCANCEL, for CommDlgExtendedError.
DWORD lastError = 0;

std::wstring Text(LPCTSTR text) {
    return text ? text : L"";
}

// The folder part of `path` as given, "" for a bare name (Qt would say ".").
std::wstring FolderOf(const std::wstring& path) {
    const QFileInfo info(QString::fromStdWString(path));
    return info.fileName() == info.filePath() ? L"" : info.path().toStdWString();
}

std::wstring NameOf(const std::wstring& path) {
    return QFileInfo(QString::fromStdWString(path)).fileName().toStdWString();
}

// The deepest folder that holds all the paths. Win32's dialog chooses within one folder; Qt's
// also takes typed paths from several, whose names then keep the folders below this one.
std::wstring CommonFolderOf(const std::vector<std::wstring>& paths) {
    std::wstring folder = FolderOf(paths.front());
    for (const std::wstring& path : paths) {
        while (!folder.empty() && folder != L"/" &&
               path.compare(0, folder.size() + 1, folder + L'/') != 0)
            folder = FolderOf(folder);
    }
    return folder;
}

// Qt's own dialog; for several files it also takes typed names of files that do not exist, as
// Win32's does without OFN_FILEMUSTEXIST. Qt has no file mode for that: ExistingFiles refuses
// such names, disabling Open for them, and its accept step reads only the selected entries.
class FileDialog : public QFileDialog {
public:
    FileDialog(QWidget* parent, const QString& title, bool several) : QFileDialog(parent, title) {
        if (!several)
            return;
        setOption(DontUseNativeDialog);
        setFileMode(ExistingFiles);
        // After Qt's own check of the names. The buttons are made anew with each accept mode.
        connect(findChild<QLineEdit*>("fileNameEdit"), &QLineEdit::textChanged, this,
                [this](const QString& text) {
                    QPushButton* open =
                        findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
                    open->setEnabled(open->isEnabled() || !text.isEmpty());
                });
    }

    void accept() override {
        if (fileMode() != ExistingFiles)
            return QFileDialog::accept();
        // Typing selects the entries that exist; with none selected Qt reads the typed names.
        if (findChild<QLineEdit*>("fileNameEdit")->isModified())
            findChild<QAbstractItemView*>("listView")->selectionModel()->clear();
        // Names that all exist take Qt's own step, which also opens a typed folder.
        const QStringList files = selectedFiles();
        const bool missing = std::any_of(files.begin(), files.end(), [](const QString& file) {
            return !QFileInfo::exists(file);
        });
        if (missing)
            return QDialog::accept();
        QFileDialog::accept();
    }
};

} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName,
                         DWORD flags, LPCTSTR filter, CWnd* parent, DWORD /*size*/)
    : m_ofn(), m_open(openFileDialog), m_filter(Text(filter)),
      m_defaultExtension(Text(defaultExtension)), m_buffer(kDefaultBufferSize, L'\0'),
      m_parent(parent) {
    Text(fileName).copy(m_buffer.data(), m_buffer.size() - 1);
    m_ofn.lpstrFilter = m_filter.c_str();
    m_ofn.lpstrFile = m_buffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_buffer.size());
    m_ofn.Flags = flags;
    m_ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
}

INT_PTR CFileDialog::DoModal() {
    lastError = 0;
    const Request request = {m_open,
                             Text(m_ofn.lpstrTitle),
                             m_ofn.Flags,
                             Text(m_ofn.lpstrFilter),
                             Text(m_ofn.lpstrDefExt),
                             Text(m_ofn.lpstrFile)};
    std::optional<Answer> queued = Answers().Take(request);
    Answer answer = queued ? *queued : AskUser();
    if (answer.result != IDOK || answer.paths.empty())
        return IDCANCEL;
    const std::wstring extension = m_open ? L"" : Text(m_ofn.lpstrDefExt);
    for (std::wstring& path : answer.paths) {
        if (!extension.empty() && NameOf(path).find(L'.') == std::wstring::npos)
            path += L'.' + extension;
    }
    return StoreResult(answer.paths) ? IDOK : IDCANCEL;
}

// Fills the result buffer as Win32 does; false when the result does not fit. The dialog's own
// buffer grows to fit any result up to kMaxResultLength; a caller's buffer keeps its size.
bool CFileDialog::StoreResult(const std::vector<std::wstring>& paths) {
    std::wstring result;
    m_several = paths.size() > 1;
    if (m_several) {
        const std::wstring folder = CommonFolderOf(paths);
        const std::size_t rest = folder.empty() ? 0 : folder == L"/" ? 1 : folder.size() + 1;
        result = folder + L'\0';
        for (const std::wstring& path : paths)
            result += path.substr(rest) + L'\0';
    } else {
        result = paths.front();
    }
    result += L'\0';
    const bool ownBuffer = m_ofn.lpstrFile == m_buffer.data();
    if (ownBuffer && result.size() > m_buffer.size() && result.size() <= kMaxResultLength) {
        m_buffer.resize(result.size());
        m_ofn.lpstrFile = m_buffer.data();
        m_ofn.nMaxFile = static_cast<DWORD>(m_buffer.size());
    }
    if (!m_ofn.lpstrFile || result.size() > m_ofn.nMaxFile) {
        lastError = FNERR_BUFFERTOOSMALL;
        return false;
    }
    std::copy(result.begin(), result.end(), m_ofn.lpstrFile);
    return true;
}

CString CFileDialog::GetFileName() const {
    if (m_several || !m_ofn.lpstrFile)
        return CString();
    return NameOf(m_ofn.lpstrFile);
}

CFileDialog::Answer CFileDialog::AskUser() const {
    // Without a title of its own, Qt's dialog says "Open" or "Save As".
    FileDialog dialog(m_parent ? m_parent->GetWidget() : AfxGetDialogOwner(),
                      QString::fromWCharArray(Text(m_ofn.lpstrTitle).c_str()),
                      m_open && (m_ofn.Flags & OFN_ALLOWMULTISELECT));
    dialog.setNameFilters(ToQtFilters(m_ofn.lpstrFilter));
    if (!m_open) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_ofn.Flags & OFN_OVERWRITEPROMPT));
        if (m_ofn.lpstrDefExt)
            dialog.setDefaultSuffix(QString::fromWCharArray(m_ofn.lpstrDefExt));
    }
    if (m_ofn.lpstrInitialDir && *m_ofn.lpstrInitialDir)
        dialog.setDirectory(QString::fromWCharArray(m_ofn.lpstrInitialDir));
    if (m_ofn.lpstrFile && *m_ofn.lpstrFile)
        dialog.selectFile(QString::fromWCharArray(m_ofn.lpstrFile));
    if (dialog.exec() != QDialog::Accepted)
        return {IDCANCEL, {}};
    Answer answer = {IDOK, {}};
    for (const QString& path : dialog.selectedFiles())
        answer.paths.push_back(path.toStdWString());
    return answer;
}

QStringList CFileDialog::ToQtFilters(LPCTSTR filter) {
    static const QRegularExpression trailingPatterns("\\s*\\([^()]*\\)\\s*$");
    const QStringList parts = QString::fromWCharArray(filter ? filter : L"").split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        const QString description = QString(parts[i]).remove(trailingPatterns);
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == "*.*")
                pattern = "*";
            patterns << pattern << pattern.toLower() << pattern.toUpper();
        }
        patterns.removeDuplicates();
        filters << description + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

AnswerQueue<CFileDialog::Answer, CFileDialog::Request>& CFileDialog::Answers() {
    static AnswerQueue<Answer, Request> answers;
    return answers;
}

DWORD CommDlgExtendedError() {
    return lastError;
}
