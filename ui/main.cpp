#include <memory>

#include <QApplication>

#include "engine/OutputSignals.h"
#include "ui/CVeldrunApp.h"
#include "ui/Translations.h"
#include "ui/WindowSystemStart.h"

// The one application object; AfxWinMain finds it.
CVeldrunApp theApp;

// Qt takes its own options (-platform, -style, ...); the other arguments are files to list.
int main(int argc, char* argv[]) {
    // An output pipe whose reader leaves, or the file size limit, must fail the merge with a
    // message rather than end the program.
    veldrun::IgnoreOutputSignals();
    // Made here so that a missing display ends the program with one line; AfxWinMain uses it.
    const std::unique_ptr<QApplication> application = WindowSystemStart::Open(argc, argv);
    // Before any window: every text, Qt's too, is in the desktop's language from the start.
    Translations::Load();
    return AfxWinMain(argc, argv);
}
