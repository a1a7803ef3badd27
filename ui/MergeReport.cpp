#include "ui/MergeReport.h"

#include <algorithm>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

#include "engine/PathName.h"
#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "progress/LocalFormat.h"
#include "res/Tr.h"
#include "ui/ChoiceBox.h"
#include "ui/ErrorTexts.h"
#include "ui/VisibleText.h"

namespace {

using veldrun::RunOutcome;

std::wstring Shown(const std::string& text) {
    return veldrun::VisibleText(veldrun::ToWide(text).value_or(L"?"));
}

std::wstring SizeText(std::int64_t bytes) {
    return LocalFormat().Size(bytes);
}

bool AllAre(const std::vector<RunOutcome::Written>& written, RunOutcome::Verified verified) {
    return std::all_of(written.begin(), written.end(),
                       [verified](const RunOutcome::Written& w) { return w.verified == verified; });
}

bool AnyIs(const std::vector<RunOutcome::Written>& written, RunOutcome::Verified verified) {
    return std::any_of(written.begin(), written.end(),
                       [verified](const RunOutcome::Written& w) { return w.verified == verified; });
}

} // namespace

void MergeReport::Complete(CWnd* parent, const RunOutcome& outcome,
                           const std::vector<bool>& fromFileDate) {
    const std::wstring text =
        res::Tr("MergeReport", "Merging complete") + Listed(outcome, fromFileDate);
    // Without an output there is no folder to open.
    std::vector<std::wstring> buttons = {res::Tr("MergeReport", "OK")};
    if (!outcome.complete.empty())
        buttons.push_back(res::Tr("MergeReport", "&Open Folder"));
    if (ChoiceBox::Ask(parent, QMessageBox::Information, text, buttons, 0, 0) == 1)
        OpenFolder(veldrun::PathName::Parent(outcome.complete.front().path));
}

void MergeReport::Cancelled(CWnd* parent, const RunOutcome& outcome, std::size_t outputs,
                            const RemovePartial& removePartial,
                            const std::vector<bool>& fromFileDate) {
    if (outcome.partialPath.empty() && outcome.complete.size() >= outputs &&
        AnyIs(outcome.complete, RunOutcome::Verified::Cancelled)) {
        Complete(parent, outcome, fromFileDate);
        return;
    }
    std::wstring text =
        res::Tr("MergeReport", "Merging cancelled.") + Listed(outcome, fromFileDate);
    if (outcome.partialPath.empty()) {
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONINFORMATION, 0);
        return;
    }
    text += L"\n" + res::Filled(res::Tr("MergeReport", "%1 written so far are left in %2.\nDo you "
                                                       "want to delete this partial file?"),
                                {SizeText(outcome.partialBytes), Shown(outcome.partialPath)});
    if (AfxMessageBox(text.c_str(), MB_YESNO | MB_ICONWARNING, 0) != IDYES)
        return;
    std::string problem;
    if (removePartial(problem))
        return;
    const std::wstring failed =
        res::Filled(res::Tr("MergeReport", "Can't delete the partial file %1\n%2"),
                    {Shown(outcome.partialPath), ErrorTexts::Reason(problem)});
    AfxMessageBox(failed.c_str(), MB_OK | MB_ICONERROR, 0);
}

void MergeReport::OpenFolder(const std::string& folder) {
    const QString path = QDir(QFile::decodeName(folder.c_str())).absolutePath();
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return;
    const std::wstring text =
        res::Filled(res::Tr("MergeReport", "Can't open the folder %1\nNo file manager took it."),
                    {veldrun::VisibleText(path.toStdWString())});
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONERROR, 0);
}

std::wstring MergeReport::Listed(const RunOutcome& outcome, const std::vector<bool>& fromFileDate) {
    std::wstring lines;
    for (std::size_t i = 0; i < outcome.complete.size(); ++i) {
        const RunOutcome::Written& written = outcome.complete[i];
        lines +=
            L"\n" + Shown(veldrun::PathName::Last(written.path)) + L", " + SizeText(written.size);
        if (i < fromFileDate.size() && fromFileDate[i])
            lines += L" " + res::Tr("MergeReport", "(named from the file date)");
    }
    const std::wstring verified = VerifiedLine(outcome);
    if (!verified.empty())
        lines += L"\n" + verified;
    return lines;
}

std::wstring MergeReport::VerifiedLine(const RunOutcome& outcome) {
    const std::vector<RunOutcome::Written>& complete = outcome.complete;
    if (complete.empty())
        return L"";
    if (AnyIs(complete, RunOutcome::Verified::Cancelled))
        return res::Tr("MergeReport",
                       "Verifying was cancelled: the output is complete but not verified.");
    if (AllAre(complete, RunOutcome::Verified::Yes))
        return res::Tr("MergeReport", "Verified: the output matches its inputs byte for byte.");
    if (AnyIs(complete, RunOutcome::Verified::NotRegular))
        return res::Tr(
            "MergeReport",
            "Not verified: the output is not a regular file, which cannot be read back.");
    return L"";
}
