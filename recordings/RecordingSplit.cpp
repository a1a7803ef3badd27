#include "recordings/RecordingSplit.h"

#include <cstdio>
#include <ctime>
#include <map>
#include <set>
#include <utility>

namespace veldrun {

namespace {

const std::int64_t kNsPerSecond = 1000000000;

// The extension of the path's last component as it is spelled, dot included; none for a
// name without a dot or whose only dot leads it (a hidden file).
std::string Extension(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= start)
        return std::string();
    return path.substr(dot);
}

std::string Stem(const std::tm& time) {
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d.%02d.%02d", time.tm_year + 1900,
                  time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    return text;
}

std::tm FromRecorded(const RecordedTime& recorded) {
    std::tm time = {};
    time.tm_year = recorded.year - 1900;
    time.tm_mon = recorded.month - 1;
    time.tm_mday = recorded.day;
    time.tm_hour = recorded.hour;
    time.tm_min = recorded.minute;
    time.tm_sec = recorded.second;
    // The camera's clock knows no zone: let the computer's rules say whether summer time held.
    time.tm_isdst = -1;
    return time;
}

// A recording's name before numbering: the name is stem + extension.
struct Named {
    RecordingSplit::Name name;
    std::string stem;
    std::string extension;
};

Named NameOf(const Recordings::Clip& clip) {
    Named named;
    RecordingSplit::Name& name = named.name;
    const StreamProbe::Result& probe = *clip.probe;
    std::string& stem = named.stem;
    if (probe.recorded) {
        stem = Stem(FromRecorded(*probe.recorded));
        // mktime normalises its argument, so convert a copy: the name keeps the camera's
        // figures even for a time that summer time skips.
        std::tm local = FromRecorded(*probe.recorded);
        name.startNs = static_cast<std::int64_t>(std::mktime(&local)) * kNsPerSecond;
    } else {
        // Whole seconds rounded down, also before 1970.
        std::int64_t seconds = probe.stamp.modifiedNs / kNsPerSecond;
        if (probe.stamp.modifiedNs % kNsPerSecond < 0)
            --seconds;
        const std::time_t when = static_cast<std::time_t>(seconds);
        std::tm local = {};
        ::localtime_r(&when, &local);
        stem = Stem(local);
        name.fromFileDate = true;
        name.startNs = probe.stamp.modifiedNs;
    }
    named.extension = Extension(clip.name);
    name.file = stem + named.extension;
    return named;
}

} // namespace

std::vector<RecordingSplit::Group> RecordingSplit::Split(const std::vector<Recordings::Mark>& marks,
                                                         const std::vector<bool>& listedTwice) {
    std::vector<Group> groups;
    for (std::size_t at = 0; at < marks.size(); ++at) {
        const bool again = at < listedTwice.size() && listedTwice[at];
        if (groups.empty() || (marks[at] == Recordings::Mark::NewRecording && !again))
            groups.push_back(Group{at, 0});
        ++groups.back().count;
    }
    return groups;
}

std::vector<bool> RecordingSplit::ListedTwice(const std::vector<Recordings::Clip>& clips) {
    std::vector<bool> twice;
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    for (const Recordings::Clip& clip : clips) {
        const bool read = clip.probe && clip.probe->stamp.size >= 0;
        twice.push_back(read && !seen.insert(std::make_pair(clip.probe->stamp.id.device,
                                                            clip.probe->stamp.id.inode))
                                     .second);
    }
    return twice;
}

std::vector<RecordingSplit::Name>
RecordingSplit::Names(const std::vector<Group>& groups,
                      const std::vector<Recordings::Clip>& clips) {
    std::vector<Name> names;
    // How many recordings took each name so far, to number the later ones.
    std::map<std::string, int> taken;
    for (const Group& group : groups) {
        std::size_t at = group.first;
        while (at < group.first + group.count && !clips[at].probe)
            ++at;
        if (at == group.first + group.count) {
            names.push_back(Name());
            continue;
        }
        Named named = NameOf(clips[at]);
        const int count = ++taken[named.name.file];
        if (count > 1)
            named.name.file = named.stem + " (" + std::to_string(count) + ")" + named.extension;
        names.push_back(std::move(named.name));
    }
    return names;
}

} // namespace veldrun
