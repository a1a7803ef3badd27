#include "recordings/ClipSearch.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "recordings/Recordings.h"

namespace veldrun {

namespace {

// Progress is reported this often within one large folder, so that a cancel is heard.
constexpr std::size_t kEntriesPerReport = 256;

std::string Join(const std::string& folder, const std::string& name) {
    return folder == "/" ? folder + name : folder + '/' + name;
}

// The path as the system resolves it, links and dots taken out; empty when it cannot.
std::string RealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    if (!real && errno == ENOMEM)
        throw std::bad_alloc();
    return real ? std::string(real.get()) : std::string();
}

bool Inside(const std::string& path, const std::string& root) {
    return root == "/" || (path.compare(0, root.size(), root) == 0 &&
                           (path.size() == root.size() || path[root.size()] == '/'));
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// One folder's entries as the search takes them: its clips and its subfolders, by name.
class Folder {
public:
    Folder(const std::string& path, const std::string& root) : m_path(path), m_root(root) {}

    // Sorts the entry `name` of the open folder `dir` into clips and subfolders.
    void Take(int dir, const char* name, unsigned char type) {
        if (name[0] == '.')
            return;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat status;
            if (::fstatat(dir, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
                return;
            // A link counts as what it names, only when that lies inside the searched folder.
            if (S_ISLNK(status.st_mode) &&
                (!Inside(RealPath(Join(m_path, name)), m_root) || ::fstatat(dir, name, &status, 0)))
                return;
            type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR)
            subfolders.emplace_back(name);
        else if (type == DT_REG && ClipSearch::IsClipName(name))
            clips.emplace_back(name);
    }

    std::vector<std::string> clips;
    std::vector<std::string> subfolders;

private:
    const std::string& m_path;
    const std::string& m_root;
};

} // namespace

ClipSearch::Result ClipSearch::Find(const std::string& folder, const Report& report,
                                    const NameLess& less) {
    Result result;
    const NameLess order = less ? less : NameLess(&Recordings::NaturalLess);
    const auto reportDue = [&] {
        if (report && !report(result.progress))
            result.cancelled = true;
        return result.cancelled;
    };

    std::string given = folder;
    while (given.size() > 1 && given.back() == '/')
        given.pop_back();
    const std::string root = RealPath(given);
    if (root.empty()) {
        result.error = std::error_code(errno, std::generic_category());
        return result;
    }

    std::set<std::pair<dev_t, ino_t>> entered;
    std::vector<std::string> pending = {given};
    while (!pending.empty()) {
        const std::string path = std::move(pending.back());
        pending.pop_back();
        if (reportDue())
            return result;

        const int descriptor = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat status;
        if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
            const int reason = errno;
            if (descriptor >= 0)
                ::close(descriptor);
            if (path == given)
                result.error = std::error_code(reason, std::generic_category());
            else
                ++result.unreadable;
            continue;
        }
        const std::unique_ptr<DIR, DirCloser> dir(::fdopendir(descriptor));
        if (!dir) {
            const int reason = errno;
            ::close(descriptor);
            if (path == given)
                result.error = std::error_code(reason, std::generic_category());
            else
                ++result.unreadable;
            continue;
        }
        if (!entered.insert({status.st_dev, status.st_ino}).second)
            continue;
        ++result.progress.folders;

        Folder entries(path, root);
        std::size_t seen = 0;
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(dir.get());
            // A read error ends the folder, which then counts as one that could not be read.
            if (!entry) {
                if (errno != 0)
                    ++result.unreadable;
                break;
            }
            entries.Take(descriptor, entry->d_name, entry->d_type);
            if (++seen % kEntriesPerReport == 0 && reportDue())
                return result;
        }

        std::sort(entries.clips.begin(), entries.clips.end(), order);
        for (const std::string& name : entries.clips)
            result.clips.push_back(Join(path, name));
        result.progress.clips = result.clips.size();
        // Last in, first out: the first subfolder is searched next.
        std::sort(entries.subfolders.rbegin(), entries.subfolders.rend(), order);
        for (const std::string& name : entries.subfolders)
            pending.push_back(Join(path, name));
    }
    return result;
}

bool ClipSearch::IsClipName(const std::string& name) {
    const auto endsWith = [&name](const char* suffix) {
        const std::size_t length = std::char_traits<char>::length(suffix);
        if (name.size() <= length)
            return false;
        for (std::size_t at = 0; at < length; ++at) {
            const char c = name[name.size() - length + at];
            if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != suffix[at])
                return false;
        }
        return true;
    };
    return endsWith(".mts") || endsWith(".m2ts") || endsWith(".m2t");
}

} // namespace veldrun
