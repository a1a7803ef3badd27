// Qt's libraries are not built for ThreadSanitizer, which therefore cannot see their locks and
// takes their hand-over of memory between their own threads for a race. Accesses made by the
// interceptors that Qt calls (allocation, freeing) are not checked; the program's own code
// still is. Link this file into every threaded test executable that runs Qt.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n";
}
