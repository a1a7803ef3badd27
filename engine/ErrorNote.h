#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace veldrun {

// One fact of a failure's detail, kept apart from its English words so that a window can say
// it in the user's language: which fact it is (its shape), the values it names, and the file
// it is about. EnglishText() is what the command line prints.
class ErrorNote {
public:
    // Each shape's English is English(shape); %1, %2 ... stand for its values other than a
    // count, in order, and %n for its count.
    enum class Shape {
        Problem,
        SizeUnreadable,
        InputsTooLarge,
        OutputAndInputsTooLarge,
        EndedShortOfMeasured,
        Replaced,
        SizeChanged,
        SizeAndModificationTimeChanged,
        SizeAndChangeTimeChanged,
        SizeAndTimesChanged,
        ModificationTimeChanged,
        ChangeTimeChanged,
        TimesChanged,
        SameAsInput,
        AlsoEarlierOutput,
        NoReader,
        WrittenByOtherMerge,
        NotLockable,
        ChangedByOtherProgram,
        NeedsFree,
        OutputsNeedFree,
        NeedsOn,
        NeedsOverFileSystemLimit,
        NamedNeedsOverFileSystemLimit,
        NeedsOverProcessLimit,
        NamedNeedsOverProcessLimit,
        WhileWritingToDisk,
        WhileSettingModificationTime,
        WhileClosing,
        WhileVerifying,
        UnreadableFrom,
        OutputEndsShort,
        InputEndedShortOfMerged,
        BytesDiffer,
        Untrusted,
        LeftEmpty,
        LeftAfterCancel,
        LeftAfterFailure,
        NotGivenBack,
        LeftInPlace,
        CompleteNotVerified,
        ThreadRefused,
        UnknownFailure,
        Last = UnknownFailure
    };

    // A value a shape names: text as it is shown (a quoted name, a mount point), a reason (the
    // system's, or one of the engine's own in engine/Messages.h), a size (written as amounts
    // are), an exact number of bytes, or a count.
    struct Value {
        enum class Type { Text, Reason, Size, Bytes, Count };
        Type type;
        std::string text;
        std::int64_t number;
    };
    static Value Text(std::string text) { return {Value::Type::Text, std::move(text), 0}; }
    static Value Reason(std::string reason) { return {Value::Type::Reason, std::move(reason), 0}; }
    static Value Size(std::int64_t bytes) { return {Value::Type::Size, "", bytes}; }
    static Value Bytes(std::int64_t bytes) { return {Value::Type::Bytes, "", bytes}; }
    static Value Count(std::int64_t count) { return {Value::Type::Count, "", count}; }

    // Takes the shape, its values in the order of its placeholders (the count wherever it
    // stands), and the file the note is about, written before it as "file: ", or "" for none.
    // Throws only std::bad_alloc.
    ErrorNote(Shape shape, std::vector<Value> values = {}, std::string subject = "");

    Shape GetShape() const { return m_shape; }
    const std::vector<Value>& Values() const { return m_values; }
    const std::string& Subject() const { return m_subject; }

    // Takes a shape; returns its English with its placeholders.
    static const char* English(Shape shape);

    // Returns the note in English, its placeholders filled and its subject before it. Throws
    // only std::bad_alloc.
    std::string EnglishText() const;

    // Takes notes; returns their English joined by "; ", "" for none. Throws only
    // std::bad_alloc.
    static std::string Joined(const std::vector<ErrorNote>& notes);

private:
    Shape m_shape;
    std::vector<Value> m_values;
    std::string m_subject;
};

} // namespace veldrun
