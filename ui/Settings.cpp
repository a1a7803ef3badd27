#include "ui/Settings.h"

#include <QDir>
#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace {

const char kGeometry[] = "window/geometry";
const char kColumns[] = "window/columns";
const char kInputFolder[] = "folders/input";
const char kOutputFolder[] = "folders/output";
const char kEachRecording[] = "merge/eachRecording";
const char kVerify[] = "merge/verify";

QVariant Value(const char* key, const QVariant& fallback) {
    return QSettings(Settings::Path(), QSettings::IniFormat).value(key, fallback);
}

// QSettings writes the file when it goes; a file that cannot be written keeps the old values,
// which is all a preference can lose.
void SetValue(const char* key, const QVariant& value) {
    QSettings(Settings::Path(), QSettings::IniFormat).setValue(key, value);
}

// A value that is not "true" or "false" (hand-edited, say) reads as the default.
bool Flag(const char* key, bool fallback) {
    const QString text = Value(key, QVariant()).toString();
    return text == "true" ? true : text == "false" ? false : fallback;
}

} // namespace

QString Settings::Path() {
    // The base directory is taken only when absolute, as the XDG rules ask.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + "/.config";
    return base + "/veldrun/veldrun.conf";
}

QByteArray Settings::WindowGeometry() {
    return Value(kGeometry, QByteArray()).toByteArray();
}

void Settings::SetWindowGeometry(const QByteArray& geometry) {
    SetValue(kGeometry, geometry);
}

std::vector<int> Settings::ColumnWidths() {
    std::vector<int> widths;
    for (const QString& text : Value(kColumns, QStringList()).toStringList()) {
        bool number = false;
        const int width = text.toInt(&number);
        if (!number || width <= 0)
            return {};
        widths.push_back(width);
    }
    return widths;
}

void Settings::SetColumnWidths(const std::vector<int>& widths) {
    QStringList texts;
    for (const int width : widths)
        texts << QString::number(width);
    SetValue(kColumns, texts);
}

std::wstring Settings::LastInputFolder() {
    return Value(kInputFolder, QString()).toString().toStdWString();
}

void Settings::SetLastInputFolder(const std::wstring& folder) {
    SetValue(kInputFolder, QString::fromStdWString(folder));
}

std::wstring Settings::LastOutputFolder() {
    return Value(kOutputFolder, QString()).toString().toStdWString();
}

void Settings::SetLastOutputFolder(const std::wstring& folder) {
    SetValue(kOutputFolder, QString::fromStdWString(folder));
}

bool Settings::EachRecording() {
    return Flag(kEachRecording, false);
}

void Settings::SetEachRecording(bool on) {
    SetValue(kEachRecording, on);
}

bool Settings::Verify() {
    return Flag(kVerify, true);
}

void Settings::SetVerify(bool on) {
    SetValue(kVerify, on);
}
