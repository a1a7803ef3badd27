#include "ui/CVeldrunApp.h"

// The one application object; AfxWinMain finds it.
CVeldrunApp theApp;

// The program takes no arguments: only the executable's name is handed on, which names the
// application, so that not even Qt's own options change what the program does.
int main(int argc, char* argv[]) {
    return AfxWinMain(argc > 0 ? 1 : 0, argv);
}
