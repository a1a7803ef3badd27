#include "engine/Verifier.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/QuotedName.h"

namespace veldrun {

namespace {

using Note = ErrorNote;
using Shape = ErrorNote::Shape;

// Large enough that each read keeps the disk streaming; the progress figures still move often.
const std::int64_t kBlockSize = 4 << 20;

std::vector<Note> WhileVerifying(const std::string& name, const File& file) {
    return {Note(Shape::WhileVerifying, {Note::Reason(file.Problem())}, name)};
}

// Reads the next `size` bytes of the output and of the input, one block of each, and compares
// them. Both disks are first asked for the block after, so that they read it while this one is
// compared. Returns false at the first difference, with its place in `at`; throws for a read
// that fails or comes back short.
class BlockPair {
public:
    BlockPair(File& output, const std::string& outputName, std::int64_t outputEnd)
        : m_output(output), m_outputName(outputName), m_outputEnd(outputEnd),
          m_outputBlock(new char[kBlockSize]), m_inputBlock(new char[kBlockSize]) {}

    bool Compare(std::int64_t outputAt, File& input, const std::string& inputName,
                 std::int64_t inputAt, std::int64_t inputSize, std::int64_t size,
                 std::int64_t& at) {
        m_output.ReadAhead(outputAt + size, std::min(kBlockSize, m_outputEnd - outputAt - size));
        input.ReadAhead(inputAt + size, std::min(kBlockSize, inputSize - inputAt - size));

        const std::size_t length = static_cast<std::size_t>(size);
        const std::int64_t fromOutput = m_output.Read(m_outputBlock.get(), length);
        if (fromOutput < 0)
            throw MergeError(MergeError::Kind::CantReadOutput,
                             WhileVerifying(m_outputName, m_output));
        const std::int64_t fromInput = input.Read(m_inputBlock.get(), length);
        if (fromInput < 0)
            throw MergeError(MergeError::Kind::CantReadInput, WhileVerifying(inputName, input));

        const std::size_t common = static_cast<std::size_t>(std::min(fromOutput, fromInput));
        const char* const outputBytes = m_outputBlock.get();
        // memcmp runs many times faster than a byte loop; the byte is looked for only after.
        if (std::memcmp(outputBytes, m_inputBlock.get(), common) != 0) {
            at = std::mismatch(outputBytes, outputBytes + common, m_inputBlock.get()).first -
                 outputBytes;
            return false;
        }
        if (fromOutput < size)
            throw MergeError(MergeError::Kind::OutputMismatch,
                             {Note(Shape::OutputEndsShort,
                                   {Note::Bytes(outputAt + fromOutput), Note::Bytes(m_outputEnd)},
                                   m_outputName)});
        if (fromInput < size)
            throw MergeError(
                MergeError::Kind::InputChanged,
                {Note(Shape::InputEndedShortOfMerged,
                      {Note::Bytes(inputAt + fromInput), Note::Bytes(inputSize)}, inputName)});
        return true;
    }

private:
    File& m_output;
    const std::string& m_outputName;
    const std::int64_t m_outputEnd;
    const std::unique_ptr<char[]> m_outputBlock;
    const std::unique_ptr<char[]> m_inputBlock;
};

} // namespace

Verifier::Result Verifier::Compare(File& output, std::int64_t start, const std::string& outputName,
                                   const std::vector<Input>& inputs, std::int32_t firstIndex,
                                   std::int64_t runTotal, std::int64_t& runVerified,
                                   const ProgressCallback& progress) {
    std::int64_t total = 0;
    for (const Input& input : inputs)
        total += input.size;

    // Through a descriptor of its own: the merge's is for writing only, and its position is
    // shared with whoever else holds the output open.
    File reader;
    if (!reader.OpenAgainForReading(output))
        throw MergeError(MergeError::Kind::CantReadOutput, WhileVerifying(outputName, reader));
    reader.DropCachedPages(start, total);
    if (!reader.Seek(start))
        throw MergeError(MergeError::Kind::CantReadOutput,
                         {Note(Shape::UnreadableFrom, {Note::Bytes(start)}, outputName)});
    BlockPair blocks(reader, outputName, start + total);

    std::int64_t outputAt = start;
    for (std::size_t index = 0; index < inputs.size(); ++index) {
        const std::string inputName = QuotedName(inputs[index].path);
        const std::int64_t size = inputs[index].size;
        File input;
        if (!input.OpenForReading(inputs[index].path))
            throw MergeError(MergeError::Kind::CantOpenInput,
                             {Note(Shape::Problem, {Note::Reason(input.Problem())}, inputName)});
        input.DropCachedPages(0, size);

        std::int64_t position = 0;
        for (;;) {
            if (progress && !progress(firstIndex + static_cast<std::int32_t>(index), size, position,
                                      runTotal, runVerified))
                return Result::Cancelled;
            if (position == size)
                break;
            const std::int64_t length = std::min(kBlockSize, size - position);
            std::int64_t at = 0;
            if (!blocks.Compare(outputAt, input, inputName, position, size, length, at))
                throw MergeError(MergeError::Kind::OutputMismatch,
                                 {Note(Shape::BytesDiffer,
                                       {Note::Bytes(outputAt + at), Note::Bytes(position + at),
                                        Note::Text(inputName)},
                                       outputName)});
            position += length;
            outputAt += length;
            runVerified += length;
        }
    }
    return Result::Match;
}

} // namespace veldrun
