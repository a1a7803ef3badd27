#pragma once

#include <memory>

class QApplication;

// Creates the Qt application, which opens the window system. Qt aborts the process when no
// window system can be opened, with a core dump and advice that does not apply; this turns
// that into one line on standard error and exit status 1.
class WindowSystemStart {
public:
    // Creates the application for argc and argv; Qt takes its own options out of both. When no
    // display can be opened, writes the program's file name and IDS_NO_DISPLAY as one line to
    // standard error and ends the process with status 1. Qt's messages of a start that succeeds are
    // passed on afterwards; those of one that fails are dropped, unless QT_DEBUG_PLUGINS is set.
    static std::unique_ptr<QApplication> Open(int& argc, char** argv);
};
