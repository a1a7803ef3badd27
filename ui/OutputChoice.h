#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/Veldrun.h"
#include "ui/OutputPlan.h"

class CEdit;
class CWnd;

// The main dialog's output side: the Output File text, its two check boxes and Select..., and
// what a merge writes from them. OutputPlan decides; this asks the user and fills the job.
class OutputChoice {
public:
    // Takes the dialog's controls once they exist; the check boxes start as remembered.
    void Attach(CWnd* dialog, CEdit* output, CWnd* eachRecording, CWnd* verify);

    // The Output File text as a full path (OutputPlan::Resolve).
    std::wstring Path() const;
    bool EachRecording() const;
    // After a check box changed: remembered; turned on, "One file per recording" makes Output
    // File name the folder of what it named.
    void EachRecordingChanged();
    void VerifyChanged();

    // Select...: a folder, or a file to write, opened where OutputPlan::StartPath says for the
    // listed `inputs` and their `recordings`.
    void Select(const std::vector<std::string>& inputs,
                const std::vector<OutputPlan::Recording>& recordings);

    // Before a merge of `recordings` (all read when `allRead`; the first entry read when
    // `firstRead`): asks whether to join several recordings, whether to replace what exists,
    // and fills `job`'s outputs, their dates and its verify option; `fromFileDate` gets, for
    // each output, whether its name or date came from a file date. False when the merge is
    // not to run.
    bool Prepare(veldrun::Veldrun& job, const std::vector<OutputPlan::Recording>& recordings,
                 bool allRead, bool firstRead, std::vector<bool>& fromFileDate);

private:
    // One File per Recording turns the check box on; false for Cancel.
    bool ConfirmJoin(std::size_t recordings);

    CWnd* m_dialog = nullptr;
    CEdit* m_output = nullptr;
    CWnd* m_eachRecording = nullptr;
    CWnd* m_verify = nullptr;
    // The output that Select... chose since the last merge: its dialog asked about replacing.
    std::wstring m_chosen;
};
