#include "ui/ErrorTexts.h"

#include <QLocale>

#include "engine/Messages.h"
#include "engine/TextConversion.h"
#include "engine/Veldrun.h"
#include "progress/LocalFormat.h"
#include "res/Tr.h"
#include "ui/VisibleText.h"

namespace {

// A name or text from the system as a message box may show it.
std::wstring Shown(const std::string& text) {
    return veldrun::VisibleText(veldrun::ToWide(text).value_or(L"?"));
}

} // namespace

std::wstring ErrorTexts::Message(veldrun::MergeError::Kind kind) {
    using Kind = veldrun::MergeError::Kind;
    switch (kind) {
    case Kind::CantCreateOutput:
        return res::Tr("ErrorTexts", "Can't create output file");
    case Kind::CantOpenInput:
        return res::Tr("ErrorTexts", "Can't open input file");
    case Kind::UserAborted:
        return res::Tr("ErrorTexts", "User aborted operation");
    case Kind::OutputIsInput:
        return res::Tr("ErrorTexts", "Output file is also an input file");
    case Kind::CantWriteOutput:
        return res::Tr("ErrorTexts", "Can't write output file");
    case Kind::CantReadInput:
        return res::Tr("ErrorTexts", "Can't read input file");
    case Kind::NotEnoughSpace:
        return res::Tr("ErrorTexts", "Not enough free space for the output file");
    case Kind::InputChanged:
        return res::Tr("ErrorTexts", "Input file changed during merging");
    case Kind::OutputMismatch:
        return res::Tr("ErrorTexts", "Output file does not match its inputs");
    case Kind::CantReadOutput:
        return res::Tr("ErrorTexts", "Can't read output file");
    case Kind::TooLarge:
        break;
    }
    return res::Tr("ErrorTexts", "Output file is too large for its file system");
}

std::wstring ErrorTexts::Message(veldrun::Veldrun& job) {
    if (const auto kind = job.ErrorKind())
        return Message(*kind);
    const std::string text = job.ErrorText();
    // These two have no kind; their fixed texts say which they are.
    if (text == veldrun::kCantStartThread)
        return res::Tr("ErrorTexts", "Can't start merge thread");
    if (text == veldrun::kUnknownError)
        return res::Tr("ErrorTexts", "Unknown error");
    return veldrun::ToWide(text).value_or(L"");
}

std::wstring ErrorTexts::Detail(const std::vector<veldrun::ErrorNote>& notes) {
    std::wstring detail;
    for (const veldrun::ErrorNote& note : notes) {
        const std::wstring text = Note(note);
        //: Two notes of an error's detail, one after the other.
        detail =
            detail.empty() ? text : res::Filled(res::Tr("ErrorTexts", "%1; %2"), {detail, text});
    }
    return detail;
}

std::wstring ErrorTexts::Note(const veldrun::ErrorNote& note) {
    using Type = veldrun::ErrorNote::Value::Type;
    std::vector<std::wstring> values;
    int count = -1;
    for (const veldrun::ErrorNote::Value& value : note.Values()) {
        switch (value.type) {
        case Type::Text:
            values.push_back(Shown(value.text));
            break;
        case Type::Reason:
            values.push_back(Reason(value.text));
            break;
        case Type::Size:
            values.push_back(LocalFormat().RoundedSize(value.number));
            break;
        case Type::Bytes:
            values.push_back(
                QLocale().toString(static_cast<qlonglong>(value.number)).toStdWString());
            break;
        case Type::Count:
            count = int(value.number);
            break;
        }
    }
    const std::wstring text = res::Filled(Shape(note.GetShape(), count), values);
    if (note.Subject().empty())
        return text;
    //: A note about a file: %1 is the file's name, %2 what the note says of it.
    return res::Filled(res::Tr("ErrorTexts", "%1: %2"), {Shown(note.Subject()), text});
}

std::wstring ErrorTexts::Reason(const std::string& reason) {
    if (reason == veldrun::kNotRegular)
        return res::Tr("ErrorTexts", "Not a regular file (a pipe or a device)");
    if (reason == veldrun::kKernelInterface)
        return res::Tr("ErrorTexts",
                       "a setting or report of the kernel (in /proc or /sys), not a file for data");
    if (reason == veldrun::kCannotBeFoundAgain)
        return res::Tr("ErrorTexts", "the open file cannot be found again");
    if (reason == veldrun::kNameTakenSince)
        return res::Tr("ErrorTexts", "another file has taken its name since");
    if (reason == veldrun::kNoLongerThere)
        return res::Tr("ErrorTexts", "it is no longer there");
    return Shown(reason);
}

std::wstring ErrorTexts::Shape(veldrun::ErrorNote::Shape shape, int count) {
    using S = veldrun::ErrorNote::Shape;
    switch (shape) {
    case S::Problem:
        return L"%1";
    case S::SizeUnreadable:
        return res::Tr("ErrorTexts", "its size cannot be read");
    case S::InputsTooLarge:
        return res::Tr("ErrorTexts", "the inputs together hold more bytes than any file can");
    case S::OutputAndInputsTooLarge:
        return res::Tr(
            "ErrorTexts",
            "the inputs and what %1 holds before them come to more bytes than any file can");
    case S::EndedShortOfMeasured:
        return res::Tr("ErrorTexts", "it ended after %1 of the %2 bytes measured");
    case S::Replaced:
        return res::Tr("ErrorTexts", "another file took its name since it was measured");
    case S::SizeChanged:
        return res::Tr("ErrorTexts", "its size went from %1 to %2 bytes since it was measured");
    case S::SizeAndModificationTimeChanged:
        return res::Tr("ErrorTexts",
                       "its size went from %1 to %2 bytes and its modification time changed "
                       "since it was measured");
    case S::SizeAndChangeTimeChanged:
        return res::Tr("ErrorTexts",
                       "its size went from %1 to %2 bytes and its change time changed since "
                       "it was measured");
    case S::SizeAndTimesChanged:
        return res::Tr("ErrorTexts",
                       "its size went from %1 to %2 bytes, its modification time and its "
                       "change time changed since it was measured");
    case S::ModificationTimeChanged:
        return res::Tr("ErrorTexts", "its modification time changed since it was measured");
    case S::ChangeTimeChanged:
        return res::Tr("ErrorTexts", "its change time changed since it was measured");
    case S::TimesChanged:
        return res::Tr("ErrorTexts",
                       "its modification time and its change time changed since it was "
                       "measured");
    case S::SameAsInput:
        return res::Tr("ErrorTexts", "%1 is the same file as the input %2");
    case S::AlsoEarlierOutput:
        return res::Tr("ErrorTexts", "%1 is also the output of an earlier recording of the run");
    case S::NoReader:
        return res::Tr("ErrorTexts",
                       "no program is reading this pipe, so nothing could be written to it");
    case S::WrittenByOtherMerge:
        return res::Tr("ErrorTexts", "another merge is writing this file; wait until it is done");
    case S::NotLockable:
        return res::Tr("ErrorTexts", "the file could not be locked against other merges: %1");
    case S::ChangedByOtherProgram:
        return res::Tr("ErrorTexts", "another program changed the output file");
    case S::NeedsFree:
        //: %1 is the size the output needs, %2 the free space, %3 the file system's folder.
        return res::Tr("ErrorTexts", "needs %1, %2 free on %3");
    case S::OutputsNeedFree:
        return res::Tr("ErrorTexts", "%n output files need %1 together, %2 free on %3", nullptr,
                       count);
    case S::NeedsOn:
        //: %1 is a size, %2 the file system's folder, %3 the system's reason.
        return res::Tr("ErrorTexts", "needs %1 on %2: %3");
    case S::NeedsOverFileSystemLimit:
        return res::Tr("ErrorTexts", "needs %1; the file system on %2 holds files of at most %3");
    case S::NamedNeedsOverFileSystemLimit:
        return res::Tr("ErrorTexts",
                       "%1 needs %2; the file system on %3 holds files of at most %4");
    case S::NeedsOverProcessLimit:
        return res::Tr(
            "ErrorTexts",
            "needs %1; this program may write files of at most %2 (its file size limit)");
    case S::NamedNeedsOverProcessLimit:
        return res::Tr(
            "ErrorTexts",
            "%1 needs %2; this program may write files of at most %3 (its file size limit)");
    case S::WhileWritingToDisk:
        //: %1 is the system's reason.
        return res::Tr("ErrorTexts", "%1 while writing it to the disk");
    case S::WhileSettingModificationTime:
        return res::Tr("ErrorTexts", "%1 while setting its modification time");
    case S::WhileClosing:
        return res::Tr("ErrorTexts", "%1 while closing it");
    case S::WhileVerifying:
        return res::Tr("ErrorTexts", "%1 while verifying");
    case S::UnreadableFrom:
        return res::Tr("ErrorTexts", "it cannot be read from byte %1");
    case S::OutputEndsShort:
        return res::Tr("ErrorTexts",
                       "it ends after %1 bytes, short of the %2 that its inputs fill");
    case S::InputEndedShortOfMerged:
        return res::Tr("ErrorTexts", "it ended after %1 of the %2 bytes merged from it");
    case S::BytesDiffer:
        //: %1 and %2 are byte positions, %3 the input's name.
        return res::Tr("ErrorTexts", "byte %1 differs from byte %2 of %3");
    case S::Untrusted:
        return res::Tr("ErrorTexts", "what is in %1 cannot be trusted");
    case S::LeftEmpty:
        return res::Tr("ErrorTexts", "%1 is left empty");
    case S::LeftAfterCancel:
        //: %1 is a size, %2 the output's name.
        return res::Tr("ErrorTexts", "%1 written before the cancel are left in %2");
    case S::LeftAfterFailure:
        return res::Tr("ErrorTexts", "%1 written before the failure are left in %2");
    case S::NotGivenBack:
        //: "them": the bytes written. %1 is the system's reason.
        return res::Tr("ErrorTexts", "the space reserved beyond them could not be given back: %1");
    case S::LeftInPlace:
        return res::Tr("ErrorTexts", "%1 is left in place as it was written");
    case S::CompleteNotVerified:
        return res::Tr("ErrorTexts", "%1 is complete but not verified");
    case S::ThreadRefused:
        return res::Tr("ErrorTexts", "the system refused a new thread: %1");
    case S::UnknownFailure:
        break;
    }
    return res::Tr("ErrorTexts", "the merge was stopped by a failure of an unknown kind");
}
