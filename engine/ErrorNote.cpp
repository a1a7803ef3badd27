#include "engine/ErrorNote.h"

#include <utility>

#include "engine/Amount.h"

namespace veldrun {

namespace {

std::string EnglishValue(const ErrorNote::Value& value) {
    switch (value.type) {
    case ErrorNote::Value::Type::Text:
    case ErrorNote::Value::Type::Reason:
        return value.text;
    case ErrorNote::Value::Type::Size:
        return Amount::Size(value.number, Amount::Style::Rounded);
    case ErrorNote::Value::Type::Bytes:
    case ErrorNote::Value::Type::Count:
        break;
    }
    return std::to_string(value.number);
}

} // namespace

ErrorNote::ErrorNote(Shape shape, std::vector<Value> values, std::string subject)
    : m_shape(shape), m_values(std::move(values)), m_subject(std::move(subject)) {}

const char* ErrorNote::English(Shape shape) {
    switch (shape) {
    case Shape::Problem:
        return "%1";
    case Shape::SizeUnreadable:
        return "its size cannot be read";
    case Shape::InputsTooLarge:
        return "the inputs together hold more bytes than any file can";
    case Shape::OutputAndInputsTooLarge:
        return "the inputs and what %1 holds before them come to more bytes than any file can";
    case Shape::EndedShortOfMeasured:
        return "it ended after %1 of the %2 bytes measured";
    case Shape::Replaced:
        return "another file took its name since it was measured";
    case Shape::SizeChanged:
        return "its size went from %1 to %2 bytes since it was measured";
    case Shape::SizeAndModificationTimeChanged:
        return "its size went from %1 to %2 bytes and its modification time changed since it "
               "was measured";
    case Shape::SizeAndChangeTimeChanged:
        return "its size went from %1 to %2 bytes and its change time changed since it was "
               "measured";
    case Shape::SizeAndTimesChanged:
        return "its size went from %1 to %2 bytes, its modification time and its change time "
               "changed since it was measured";
    case Shape::ModificationTimeChanged:
        return "its modification time changed since it was measured";
    case Shape::ChangeTimeChanged:
        return "its change time changed since it was measured";
    case Shape::TimesChanged:
        return "its modification time and its change time changed since it was measured";
    case Shape::SameAsInput:
        return "%1 is the same file as the input %2";
    case Shape::AlsoEarlierOutput:
        return "%1 is also the output of an earlier recording of the run";
    case Shape::NoReader:
        return "no program is reading this pipe, so nothing could be written to it";
    case Shape::WrittenByOtherMerge:
        return "another merge is writing this file; wait until it is done";
    case Shape::NotLockable:
        return "the file could not be locked against other merges: %1";
    case Shape::ChangedByOtherProgram:
        return "another program changed the output file";
    case Shape::NeedsFree:
        return "needs %1, %2 free on %3";
    case Shape::OutputsNeedFree:
        return "%n output files need %1 together, %2 free on %3";
    case Shape::NeedsOn:
        return "needs %1 on %2: %3";
    case Shape::NeedsOverFileSystemLimit:
        return "needs %1; the file system on %2 holds files of at most %3";
    case Shape::NamedNeedsOverFileSystemLimit:
        return "%1 needs %2; the file system on %3 holds files of at most %4";
    case Shape::NeedsOverProcessLimit:
        return "needs %1; this program may write files of at most %2 (its file size limit)";
    case Shape::NamedNeedsOverProcessLimit:
        return "%1 needs %2; this program may write files of at most %3 (its file size limit)";
    case Shape::WhileWritingToDisk:
        return "%1 while writing it to the disk";
    case Shape::WhileSettingModificationTime:
        return "%1 while setting its modification time";
    case Shape::WhileClosing:
        return "%1 while closing it";
    case Shape::WhileVerifying:
        return "%1 while verifying";
    case Shape::UnreadableFrom:
        return "it cannot be read from byte %1";
    case Shape::OutputEndsShort:
        return "it ends after %1 bytes, short of the %2 that its inputs fill";
    case Shape::InputEndedShortOfMerged:
        return "it ended after %1 of the %2 bytes merged from it";
    case Shape::BytesDiffer:
        return "byte %1 differs from byte %2 of %3";
    case Shape::Untrusted:
        return "what is in %1 cannot be trusted";
    case Shape::LeftEmpty:
        return "%1 is left empty";
    case Shape::LeftAfterCancel:
        return "%1 written before the cancel are left in %2";
    case Shape::LeftAfterFailure:
        return "%1 written before the failure are left in %2";
    case Shape::NotGivenBack:
        return "the space reserved beyond them could not be given back: %1";
    case Shape::LeftInPlace:
        return "%1 is left in place as it was written";
    case Shape::CompleteNotVerified:
        return "%1 is complete but not verified";
    case Shape::ThreadRefused:
        return "the system refused a new thread: %1";
    case Shape::UnknownFailure:
        break;
    }
    return "the merge was stopped by a failure of an unknown kind";
}

std::string ErrorNote::EnglishText() const {
    const std::string shape = English(m_shape);
    std::vector<std::string> numbered;
    std::string count;
    for (const Value& value : m_values) {
        if (value.type == Value::Type::Count)
            count = EnglishValue(value);
        else
            numbered.push_back(EnglishValue(value));
    }
    std::string text;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char next = i + 1 < shape.size() ? shape[i + 1] : '\0';
        if (shape[i] == '%' && next == 'n') {
            text += count;
            ++i;
        } else if (shape[i] == '%' && next >= '1' && next <= '9' &&
                   static_cast<std::size_t>(next - '1') < numbered.size()) {
            text += numbered[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            text += shape[i];
        }
    }
    return m_subject.empty() ? text : m_subject + ": " + text;
}

std::string ErrorNote::Joined(const std::vector<ErrorNote>& notes) {
    std::string text;
    for (const ErrorNote& note : notes)
        text += (text.empty() ? "" : "; ") + note.EnglishText();
    return text;
}

} // namespace veldrun
