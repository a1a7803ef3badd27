#pragma once

#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

// What the program remembers between runs, in an INI file at
// $XDG_CONFIG_HOME/veldrun/veldrun.conf (~/.config/veldrun/veldrun.conf without it). Each call
// reads or writes the file itself, so that every window sees the same values; a value that is
// missing or unreadable reads as its default.
class Settings {
public:
    // The file's path, from the environment as it is now.
    static QString Path();

    // The main window's geometry as QWidget::saveGeometry gives it; empty when none was saved.
    static QByteArray WindowGeometry();
    static void SetWindowGeometry(const QByteArray& geometry);

    // The input list's column widths in pixels, from the first column; empty when none.
    static std::vector<int> ColumnWidths();
    static void SetColumnWidths(const std::vector<int>& widths);

    // The folders that files were last added from and last written to; empty when none.
    static std::wstring LastInputFolder();
    static void SetLastInputFolder(const std::wstring& folder);
    static std::wstring LastOutputFolder();
    static void SetLastOutputFolder(const std::wstring& folder);

    // The check boxes "One file per recording" (off until the user turns it on) and "Verify
    // after writing" (on until the user turns it off).
    static bool EachRecording();
    static void SetEachRecording(bool on);
    static bool Verify();
    static void SetVerify(bool on);
};
