#include "ui/ClipFacts.h"

#include <algorithm>
#include <set>

#include "engine/Amount.h"
#include "engine/PathName.h"

namespace {

using veldrun::Recordings;
using veldrun::StreamProbe;

bool SameReading(const ClipFacts::Reading& a, const ClipFacts::Reading& b) {
    if (!a || !b)
        return !a && !b;
    return a->kind == b->kind && a->packetSize == b->packetSize && a->clockPid == b->clockPid &&
           a->firstClock == b->firstClock && a->lastClock == b->lastClock && a->stamp == b->stamp;
}

// Empty for an entry that continues the one above, or starts the list.
std::wstring MarkNote(Recordings::Mark mark, const Recordings::Clip& clip) {
    using Mark = Recordings::Mark;
    if (!clip.probe)
        return L"Cannot be read";
    switch (mark) {
    case Mark::NewRecording:
        return L"New recording: its clock does not continue from the clip above";
    case Mark::NotStream:
        return L"Not a transport stream";
    case Mark::Unknown:
        return L"Can't tell whether it continues the clip above: one of them has no clock";
    case Mark::Start:
    case Mark::Continues:
        break;
    }
    return L"";
}

bool AnyStream(const std::vector<Recordings::Clip>& clips) {
    return std::any_of(clips.begin(), clips.end(), [](const Recordings::Clip& clip) {
        return clip.probe && clip.probe->kind != StreamProbe::Kind::NotStream;
    });
}

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring CountText(std::size_t count) {
    return std::to_wstring(count) + (count == 1 ? L" clip" : L" clips");
}

std::wstring SizeText(std::int64_t bytes) {
    return Wide(veldrun::Amount::Size(bytes, veldrun::Amount::Style::Truncated));
}

} // namespace

void ClipFacts::Keep(const std::vector<std::wstring>& listed) {
    const std::set<std::wstring> keep(listed.begin(), listed.end());
    for (auto known = m_read.begin(); known != m_read.end();)
        known = keep.count(known->first) ? std::next(known) : m_read.erase(known);
}

bool ClipFacts::Take(const std::wstring& path, const Reading& reading) {
    const auto known = m_read.find(path);
    if (known != m_read.end() && SameReading(known->second, reading))
        return false;
    m_read[path] = reading;
    return true;
}

boost::optional<std::int64_t> ClipFacts::Size(const std::wstring& path) const {
    const auto known = m_read.find(path);
    if (known == m_read.end() || !known->second)
        return boost::none;
    return known->second->stamp.size;
}

std::vector<Recordings::Clip> ClipFacts::Clips(const std::vector<std::wstring>& paths,
                                               bool& allRead) const {
    std::vector<Recordings::Clip> clips(paths.size());
    allRead = true;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const auto known = m_read.find(paths[i]);
        if (known == m_read.end())
            allRead = false;
        else
            clips[i].probe = known->second;
    }
    return clips;
}

std::vector<std::wstring> ClipFacts::MarkNotes(const std::vector<std::wstring>& paths) const {
    bool allRead = true;
    const std::vector<Recordings::Clip> clips = Clips(paths, allRead);
    std::vector<std::wstring> notes(paths.size());
    if (!AnyStream(clips))
        return notes;
    const std::vector<Recordings::Mark> marks = Recordings::Marks(clips);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const bool known = IsRead(paths[i]) && (i == 0 || IsRead(paths[i - 1]));
        if (known)
            notes[i] = MarkNote(marks[i], clips[i]);
    }
    return notes;
}

std::wstring ClipFacts::Summary(const std::vector<std::wstring>& paths) const {
    bool allRead = true;
    const std::vector<Recordings::Clip> clips = Clips(paths, allRead);
    if (!allRead)
        return CountText(paths.size());
    std::int64_t total = 0;
    std::vector<std::wstring> unreadable;
    for (std::size_t i = 0; i < clips.size(); ++i) {
        if (clips[i].probe)
            total += clips[i].probe->stamp.size;
        else
            unreadable.push_back(veldrun::PathName::Last(paths[i]));
    }
    boost::optional<Recordings::Summary> recordings;
    if (AnyStream(clips))
        recordings = Recordings::Summarize(clips, Recordings::Marks(clips));
    return SummaryText(static_cast<int>(paths.size()), total, unreadable, recordings);
}

std::wstring ClipFacts::SummaryText(int count, std::int64_t total,
                                    const std::vector<std::wstring>& unreadable,
                                    const boost::optional<Recordings::Summary>& recordings) {
    if (count <= 0)
        return L"";
    const int measured = count - static_cast<int>(unreadable.size());
    std::wstring text = CountText(static_cast<std::size_t>(count));
    if (recordings) {
        const std::size_t made = recordings->recordings;
        text += made == 1 ? L", one recording" : L", " + std::to_wstring(made) + L" recordings";
        const std::size_t others = recordings->notStreams;
        if (others > 0)
            text += L", " + std::to_wstring(others) +
                    (others == 1 ? L" not a transport stream" : L" not transport streams");
        if (recordings->duration)
            text += L", " + Wide(Recordings::FormatDuration(*recordings->duration));
    }
    if (unreadable.empty())
        return text + L", " + SizeText(total) + (recordings ? L"" : L" in all");
    if (measured > 0)
        text += L", " + std::to_wstring(measured) + L" of them " + SizeText(total);
    text += L"; " + unreadable.front();
    if (unreadable.size() == 2)
        text += L" and " + unreadable.back();
    else if (unreadable.size() > 2)
        text += L" and " + std::to_wstring(unreadable.size() - 1) + L" more";
    return text + L" cannot be read";
}
