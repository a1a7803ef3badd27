#include "ui/OutputChoice.h"

#include <QAbstractButton>

#include "engine/PathName.h"
#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CEdit.h"
#include "platform/CFileDialog.h"
#include "res/Tr.h"
#include "ui/FolderChooser.h"
#include "ui/JoinQuestion.h"
#include "ui/Settings.h"
#include "ui/StreamFilter.h"

namespace {

QAbstractButton* Box(CWnd* control) {
    return static_cast<QAbstractButton*>(control->GetWidget());
}

} // namespace

void OutputChoice::Attach(CWnd* dialog, CEdit* output, CWnd* eachRecording, CWnd* verify) {
    m_dialog = dialog;
    m_output = output;
    m_eachRecording = eachRecording;
    m_verify = verify;
    Box(m_eachRecording)->setChecked(Settings::EachRecording());
    Box(m_verify)->setChecked(Settings::Verify());
}

std::wstring OutputChoice::Path() const {
    CString text;
    m_output->GetWindowText(text);
    return OutputPlan::Resolve(text.Str());
}

bool OutputChoice::EachRecording() const {
    return Box(m_eachRecording)->isChecked();
}

void OutputChoice::VerifyChanged() {
    Settings::SetVerify(Box(m_verify)->isChecked());
}

void OutputChoice::EachRecordingChanged() {
    Settings::SetEachRecording(EachRecording());
    CString text;
    m_output->GetWindowText(text);
    if (EachRecording() && !text.IsEmpty())
        m_output->SetWindowText(OutputPlan::FolderOf(Path()).c_str());
}

void OutputChoice::Select(const std::vector<std::string>& inputs,
                          const std::vector<OutputPlan::Recording>& recordings) {
    CString text;
    m_output->GetWindowText(text);
    const std::wstring start =
        OutputPlan::StartPath(text.IsEmpty() ? L"" : Path(), Settings::LastOutputFolder(), inputs,
                              recordings, EachRecording());
    if (EachRecording()) {
        const std::wstring folder =
            FolderChooser::Choose(m_dialog, res::Tr("OutputChoice", "Select Output Folder"), start);
        if (!folder.empty()) {
            Settings::SetLastOutputFolder(folder);
            m_output->SetWindowText(folder.c_str());
        }
        return;
    }
    const std::wstring filter = StreamFilter::Text();
    CFileDialog dialog(FALSE, L"mts", start.c_str(), OFN_OVERWRITEPROMPT, filter.c_str());
    if (dialog.DoModal() == IDOK) {
        m_chosen = dialog.GetPathName().Str();
        Settings::SetLastOutputFolder(OutputPlan::ParentOf(m_chosen));
        m_output->SetWindowText(m_chosen.c_str());
    }
}

bool OutputChoice::Prepare(veldrun::Veldrun& job,
                           const std::vector<OutputPlan::Recording>& recordings, bool allRead,
                           bool firstRead, std::vector<bool>& fromFileDate) {
    if (!EachRecording() && allRead && recordings.size() > 1 && !ConfirmJoin(recordings.size()))
        return false;
    veldrun::JobFiles& files = *job.files;
    // The job is the dialog's for every merge: what the last one planned goes.
    files.parts.clear();
    files.modifiedNs.reset();
    std::wstring question;
    if (EachRecording()) {
        if (!allRead) {
            AfxMessageBox(res::Tr("OutputChoice",
                                  "Some clips are still being read.\nMerge once they "
                                  "all are, so that each recording is found.")
                              .c_str(),
                          MB_OK | MB_ICONWARNING, 0);
            return false;
        }
        files.parts = OutputPlan::Parts(Path(), recordings);
        question = OutputPlan::ReplaceQuestion(files.parts, Path());
        fromFileDate = OutputPlan::FromFileDate(recordings);
    } else {
        question = OutputPlan::ReplaceQuestion(Path(), m_chosen);
        // The first clip tells when recording began, once it is read.
        if (firstRead && !recordings.empty() && recordings[0].dated) {
            files.modifiedNs = recordings[0].name.startNs;
            // Only a name that Select... proposed came from the file date.
            const bool proposed = veldrun::PathName::Last(Path()) ==
                                  veldrun::ToWide(recordings[0].name.file).value_or(L"");
            fromFileDate = {proposed && recordings[0].name.fromFileDate};
        }
    }
    if (!question.empty() &&
        AfxMessageBox(question.c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, 0) != IDYES)
        return false;
    job.options.verify = Box(m_verify)->isChecked();
    // From here on, a merge into the same file asks again: it would replace this one's work.
    m_chosen.clear();
    return true;
}

bool OutputChoice::ConfirmJoin(std::size_t recordings) {
    switch (JoinQuestion::Ask(m_dialog, OutputPlan::JoinQuestion(recordings))) {
    case JoinQuestion::Answer::Join:
        return true;
    case JoinQuestion::Answer::EachRecording:
        Box(m_eachRecording)->setChecked(true);
        EachRecordingChanged();
        return true;
    case JoinQuestion::Answer::Cancel:
        break;
    }
    return false;
}
