#include <memory>
#include <optional>

#include <QApplication>

#include "engine/OutputSignals.h"
#include "ui/CVeldrunApp.h"
#include "ui/CommandLine.h"
#include "ui/Translations.h"
#include "ui/WindowSystemStart.h"

// The one application object; AfxWinMain finds it.
CVeldrunApp theApp;

// Qt takes its own options (-platform, -style, ...); the other arguments are files to list.
int main(int argc, char* argv[]) {
    // Before any window system, so that they answer on a text console too; and before the
    // signals are ignored, so that a reader of the help that leaves ends it quietly.
    if (const std::optional<int> status = CommandLine::Answer(argc, argv))
        return *status;
    // An output pipe whose reader leaves, or the file size limit, must fail the merge with a
    // message rather than end the program.
    veldrun::IgnoreOutputSignals();
    // Made here so that a missing display ends the program with one line; AfxWinMain uses it.
    const std::unique_ptr<QApplication> application = WindowSystemStart::Open(argc, argv);
    // Before any window: every text, Qt's too, is in the desktop's language from the start.
    Translations::Load();
    if (const std::optional<int> status = CommandLine::Check(argc, argv))
        return *status;
    return AfxWinMain(argc, argv);
}
