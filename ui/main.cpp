#include "engine/OutputSignals.h"
#include "ui/CVeldrunApp.h"

// The one application object; AfxWinMain finds it.
CVeldrunApp theApp;

// The program takes no arguments: only the executable's name is handed on, which names the
// application, so that not even Qt's own options change what the program does.
int main(int argc, char* argv[]) {
    // An output pipe whose reader leaves, or the file size limit, must fail the merge with a
    // message rather than end the program.
    veldrun::IgnoreOutputSignals();
    return AfxWinMain(argc > 0 ? 1 : 0, argv);
}
