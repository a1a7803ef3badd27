#include "ui/ErrorTexts.h"

#include "engine/Messages.h"
#include "engine/TextConversion.h"
#include "engine/Veldrun.h"
#include "res/Tr.h"

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
