#include "ui/OutputPlan.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QStandardPaths>

#include "engine/PathName.h"
#include "engine/TextConversion.h"
#include "res/Tr.h"
#include "ui/VisibleText.h"

namespace fs = std::filesystem;

namespace {

using veldrun::RecordingSplit;

std::wstring Joined(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder.back() == L'/')
        return folder + name;
    return folder + L'/' + name;
}

// Paths meet the file system in its own encoding, never through the C++ locale's.
std::string Narrow(const std::wstring& path) {
    return veldrun::ToNarrow(path).value_or(std::string());
}

std::wstring Wide(const std::string& path) {
    return veldrun::ToWide(path).value_or(std::wstring());
}

bool IsFolder(const std::wstring& path) {
    std::error_code unknown;
    return fs::is_directory(fs::path(Narrow(path)), unknown);
}

// The path as the file system finds it, links followed as far as it exists.
fs::path Real(const fs::path& path) {
    std::error_code unknown;
    const fs::path real = fs::weakly_canonical(path, unknown);
    return unknown ? path.lexically_normal() : real;
}

// Whether `path` is one of `folders` or lies below one.
bool WithinAny(const std::wstring& path, const std::vector<std::string>& folders) {
    const fs::path real = Real(fs::path(Narrow(path)));
    for (const std::string& folder : folders) {
        const fs::path relative = real.lexically_relative(Real(fs::path(folder)));
        if (!relative.empty() && *relative.begin() != "..")
            return true;
    }
    return false;
}

std::wstring Visible(const std::wstring& path) {
    return veldrun::VisibleText(path);
}

} // namespace

std::wstring OutputPlan::ParentOf(const std::wstring& path) {
    return Wide(veldrun::PathName::Parent(Narrow(path)));
}

std::wstring OutputPlan::HomeFolder() {
    const QString home = QDir::homePath();
    return home.isEmpty() ? L"/" : home.toStdWString();
}

std::wstring OutputPlan::VideosFolder() {
    const std::wstring videos =
        QStandardPaths::writableLocation(QStandardPaths::MoviesLocation).toStdWString();
    return !videos.empty() && IsFolder(videos) ? videos : HomeFolder();
}

std::wstring OutputPlan::Resolve(const std::wstring& typed) {
    if (typed.empty())
        return typed;
    if (typed == L"~")
        return HomeFolder();
    if (typed.compare(0, 2, L"~/") == 0)
        return Joined(HomeFolder(), typed.substr(2));
    if (typed.front() == L'/')
        return typed;
    return Joined(VideosFolder(), typed);
}

std::wstring OutputPlan::FolderOf(const std::wstring& resolved) {
    if (IsFolder(resolved))
        return resolved;
    const std::wstring parent = ParentOf(resolved);
    return IsFolder(parent) ? parent : VideosFolder();
}

std::vector<OutputPlan::Recording> OutputPlan::Split(const std::vector<std::string>& paths,
                                                     std::vector<veldrun::Recordings::Clip> clips) {
    for (std::size_t i = 0; i < clips.size() && i < paths.size(); ++i)
        clips[i].name = paths[i];
    const std::vector<RecordingSplit::Group> groups = RecordingSplit::Split(
        veldrun::Recordings::Marks(clips), RecordingSplit::ListedTwice(clips));
    const std::vector<RecordingSplit::Name> names = RecordingSplit::Names(groups, clips);
    std::vector<Recording> recordings;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        Recording recording{groups[i].first, groups[i].count, names.at(i), true};
        if (recording.name.file.empty()) {
            recording.name.file = veldrun::PathName::Last(clips[recording.first].name);
            recording.dated = false;
        }
        recordings.push_back(recording);
    }
    return recordings;
}

std::vector<veldrun::JobFiles::Part> OutputPlan::Parts(const std::wstring& folder,
                                                       const std::vector<Recording>& recordings) {
    const std::string narrowFolder = Narrow(folder);
    std::vector<veldrun::JobFiles::Part> parts;
    for (const Recording& recording : recordings) {
        veldrun::JobFiles::Part part;
        part.path = (fs::path(narrowFolder) / recording.name.file).string();
        part.first = recording.first;
        if (recording.dated)
            part.modifiedNs = recording.name.startNs;
        parts.push_back(part);
    }
    return parts;
}

std::vector<bool> OutputPlan::FromFileDate(const std::vector<Recording>& recordings) {
    std::vector<bool> fromFileDate;
    for (const Recording& recording : recordings)
        fromFileDate.push_back(recording.name.fromFileDate);
    return fromFileDate;
}

std::wstring OutputPlan::ReplaceQuestion(const std::vector<veldrun::JobFiles::Part>& parts,
                                         const std::wstring& folder) {
    std::size_t existing = 0;
    for (const veldrun::JobFiles::Part& part : parts) {
        std::error_code unknown;
        if (fs::exists(fs::symlink_status(part.path, unknown)))
            ++existing;
    }
    if (existing == 0)
        return L"";
    // English takes its singular from its own text: the program needs no English translation.
    const std::wstring question =
        existing == 1 ? res::Tr("OutputPlan", "1 of the %1 files already exists in %2.\nDo you "
                                              "want to replace it?")
                      : res::Tr("OutputPlan",
                                "%n of the %1 files already exist in %2.\nDo you want to "
                                "replace them?",
                                nullptr, int(existing));
    return res::Filled(question, {std::to_wstring(parts.size()), Visible(folder)});
}

std::wstring OutputPlan::JoinQuestion(std::size_t recordings) {
    return res::Tr("OutputPlan",
                   "The list holds %n separate recordings.\nJoin them into one file anyway?",
                   nullptr, int(recordings));
}

std::wstring OutputPlan::ReplaceQuestion(const std::wstring& output, const std::wstring& chosen) {
    std::error_code unknown;
    if ((!chosen.empty() && output == chosen) ||
        !fs::is_regular_file(fs::path(Narrow(output)), unknown))
        return L"";
    return res::Filled(res::Tr("OutputPlan", "%1 already exists.\nDo you want to replace it?"),
                       {Visible(output)});
}

std::wstring OutputPlan::StartPath(const std::wstring& current, const std::wstring& lastFolder,
                                   const std::vector<std::string>& inputs,
                                   const std::vector<Recording>& recordings, bool folder) {
    std::vector<std::string> clipFolders;
    for (const std::string& input : inputs)
        clipFolders.push_back(veldrun::PathName::Parent(input));
    std::wstring proposed;
    if (!folder && !recordings.empty() && recordings[0].dated)
        proposed = Wide(recordings[0].name.file);
    std::wstring at = !lastFolder.empty() ? lastFolder : VideosFolder();
    if (!current.empty()) {
        const bool whole = folder || IsFolder(current);
        at = whole ? current : ParentOf(current);
        if (!whole)
            proposed = veldrun::PathName::Last(current);
    }
    if (WithinAny(at, clipFolders))
        at = VideosFolder();
    if (WithinAny(at, clipFolders))
        at = HomeFolder();
    return proposed.empty() ? at : Joined(at, proposed);
}
