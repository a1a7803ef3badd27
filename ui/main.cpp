#include "ui/CVeldrunApp.h"

// The one application object; AfxWinMain finds it.
CVeldrunApp theApp;

// Qt takes its own options (-platform, -style, ...); the other arguments are files to list.
int main(int argc, char* argv[]) {
    return AfxWinMain(argc, argv);
}
