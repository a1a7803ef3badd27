#include "ui/ClipFacts.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <map>
#include <set>
#include <tuple>

#include "engine/PathName.h"
#include "engine/TextConversion.h"
#include "progress/LocalFormat.h"
#include "res/Tr.h"

namespace {

using veldrun::Recordings;
using veldrun::StreamProbe;

bool SameReading(const ClipFacts::Reading& a, const ClipFacts::Reading& b) {
    if (!a || !b)
        return !a && !b;
    return a->kind == b->kind && a->packetSize == b->packetSize && a->clockPid == b->clockPid &&
           a->firstClock == b->firstClock && a->lastClock == b->lastClock && a->stamp == b->stamp &&
           a->recorded == b->recorded;
}

// Empty for an entry that continues the one above, or starts the list.
std::wstring SeamNote(Recordings::Mark mark) {
    using Mark = Recordings::Mark;
    switch (mark) {
    case Mark::NewRecording:
        return res::Tr("ClipFacts",
                       "New recording: its clock does not continue from the clip above");
    case Mark::NotStream:
        return res::Tr("ClipFacts", "Not a transport stream");
    case Mark::Unknown:
        return res::Tr("ClipFacts",
                       "Can't tell whether it continues the clip above: one of them has no clock");
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

std::wstring Joined(const std::wstring& a, const std::wstring& b) {
    return a.empty() || b.empty() ? a + b : a + L"; " + b;
}

// The modification time in local time, as the camera's date is shown.
veldrun::RecordedTime FileDate(std::int64_t modifiedNs) {
    const std::time_t seconds = static_cast<std::time_t>(modifiedNs / 1000000000);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::wstring ReasonText(int error) {
    // strerror_r's GNU form may return a static text instead of filling the buffer.
    char buffer[256] = "";
    // In the user's language, and so in the locale's encoding.
    return veldrun::ToWide(error ? strerror_r(error, buffer, sizeof buffer) : "").value_or(L"");
}

void FillColumns(const StreamProbe::Result& probe, ClipFacts::Row& row) {
    const LocalFormat format;
    row.fileDate = !probe.recorded;
    const veldrun::RecordedTime when =
        probe.recorded ? *probe.recorded : FileDate(probe.stamp.modifiedNs);
    row.recorded = format.DateTime(when, false);
    row.recordedTip =
        row.fileDate ? res::Tr("ClipFacts", "file date") : format.DateTime(when, true);
    if (probe.kind == StreamProbe::Kind::Clock)
        row.length = format.Duration(StreamProbe::Duration(probe));
    row.size = format.Size(probe.stamp.size);
}

std::wstring CountText(std::size_t count) {
    // English takes its singular from its own text: the program needs no English translation.
    return count == 1 ? res::Tr("ClipFacts", "1 clip")
                      : res::Tr("ClipFacts", "%n clips", nullptr, int(count));
}

std::wstring SizeText(std::int64_t bytes) {
    return LocalFormat().Size(bytes);
}

} // namespace

void ClipFacts::Keep(const std::vector<std::wstring>& listed) {
    const std::set<std::wstring> keep(listed.begin(), listed.end());
    for (auto known = m_read.begin(); known != m_read.end();)
        known = keep.count(known->first) ? std::next(known) : m_read.erase(known);
}

bool ClipFacts::Take(const std::wstring& path, const Reading& reading, int error) {
    const auto known = m_read.find(path);
    if (known != m_read.end() && SameReading(known->second.reading, reading) &&
        known->second.error == error)
        return false;
    m_read[path] = Known{reading, error};
    return true;
}

boost::optional<std::int64_t> ClipFacts::Size(const std::wstring& path) const {
    const auto known = m_read.find(path);
    if (known == m_read.end() || !known->second.reading)
        return boost::none;
    return known->second.reading->stamp.size;
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
            clips[i].probe = known->second.reading;
    }
    return clips;
}

// Without an inode (a reading made by hand) the path tells the file.
std::vector<int> ClipFacts::FirstListings(const std::vector<std::wstring>& paths) const {
    std::map<std::tuple<std::uint64_t, std::uint64_t, std::wstring>, int> first;
    std::vector<int> listings(paths.size(), -1);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const auto known = m_read.find(paths[i]);
        if (known == m_read.end() || !known->second.reading)
            continue;
        const veldrun::File::Id id = known->second.reading->stamp.id;
        const auto key = id.inode ? std::make_tuple(id.device, id.inode, std::wstring())
                                  : std::make_tuple(std::uint64_t(0), std::uint64_t(0), paths[i]);
        const auto inserted = first.emplace(key, static_cast<int>(i));
        if (!inserted.second)
            listings[i] = inserted.first->second;
    }
    return listings;
}

std::vector<ClipFacts::Row> ClipFacts::Rows(const std::vector<std::wstring>& paths) const {
    bool allRead = true;
    const std::vector<Recordings::Clip> clips = Clips(paths, allRead);
    const bool lines = AnyStream(clips);
    const std::vector<Recordings::Mark> marks =
        lines ? Recordings::Marks(clips) : std::vector<Recordings::Mark>();
    const std::vector<int> firsts = FirstListings(paths);
    std::vector<Row> rows(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        Row& row = rows[i];
        const auto known = m_read.find(paths[i]);
        if (known == m_read.end())
            continue;
        if (!known->second.reading) {
            row.marks = Row::kUnreadable;
            row.recorded = row.recordedTip = ReasonText(known->second.error);
            row.note =
                row.recorded.empty()
                    ? res::Tr("ClipFacts", "Cannot be read")
                    : res::Filled(res::Tr("ClipFacts", "Cannot be read: %1"), {row.recorded});
            continue;
        }
        FillColumns(*known->second.reading, row);
        if (firsts[i] >= 0) {
            row.marks |= Row::kListedTwice;
            row.note = res::Filled(res::Tr("ClipFacts", "Listed twice: the same file as entry %1"),
                                   {std::to_wstring(firsts[i] + 1)});
        }
        if (lines && (i == 0 || IsRead(paths[i - 1]))) {
            const std::wstring seam = SeamNote(marks[i]);
            row.marks |= seam.empty() ? Row::kNone : Row::kNewPiece;
            row.note = Joined(row.note, seam);
        }
    }
    return rows;
}

std::vector<std::wstring> ClipFacts::MarkNotes(const std::vector<std::wstring>& paths) const {
    std::vector<std::wstring> notes;
    for (const Row& row : Rows(paths))
        notes.push_back(row.note);
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
    // A file listed again is joined again, so its time and size count, but it is no recording
    // of its own.
    const std::vector<int> firsts = FirstListings(paths);
    const std::size_t twice = paths.size() - std::count(firsts.begin(), firsts.end(), -1);
    boost::optional<Recordings::Summary> recordings;
    if (AnyStream(clips)) {
        const std::vector<Recordings::Mark> marks = Recordings::Marks(clips);
        recordings = Recordings::Summarize(clips, marks);
        for (std::size_t i = 0; i < clips.size(); ++i) {
            if (firsts[i] >= 0 && marks[i] != Recordings::Mark::Continues &&
                marks[i] != Recordings::Mark::NotStream)
                --recordings->recordings;
        }
    }
    return SummaryText(static_cast<int>(paths.size()), total, unreadable, recordings, twice);
}

std::wstring ClipFacts::SummaryText(int count, std::int64_t total,
                                    const std::vector<std::wstring>& unreadable,
                                    const boost::optional<Recordings::Summary>& recordings,
                                    std::size_t twice) {
    if (count <= 0)
        return L"";
    const int measured = count - static_cast<int>(unreadable.size());
    std::wstring text = CountText(static_cast<std::size_t>(count));
    if (recordings) {
        const std::size_t made = recordings->recordings;
        text += L", " + (made == 1 ? res::Tr("ClipFacts", "one recording")
                                   : res::Tr("ClipFacts", "%n recordings", nullptr, int(made)));
        const std::size_t others = recordings->notStreams;
        if (others > 0)
            text += L", " + (others == 1 ? res::Tr("ClipFacts", "1 not a transport stream")
                                         : res::Tr("ClipFacts", "%n not transport streams", nullptr,
                                                   int(others)));
    }
    if (twice > 0)
        text += L", " + res::Tr("ClipFacts", "%n listed twice", nullptr, int(twice));
    if (recordings) {
        if (recordings->duration)
            text += L", " + LocalFormat().Duration(*recordings->duration);
    }
    if (unreadable.empty())
        return text + L", " +
               (recordings ? SizeText(total)
                           : res::Filled(res::Tr("ClipFacts", "%1 in all"), {SizeText(total)}));
    if (measured > 0)
        text += L", " + res::Filled(res::Tr("ClipFacts", "%n of them %1", nullptr, measured),
                                    {SizeText(total)});
    const int more = static_cast<int>(unreadable.size()) - 1;
    if (more == 0)
        return text + L"; " +
               res::Filled(res::Tr("ClipFacts", "%1 cannot be read"), {unreadable.front()});
    if (more == 1)
        return text + L"; " +
               res::Filled(res::Tr("ClipFacts", "%1 and %2 cannot be read"),
                           {unreadable.front(), unreadable.back()});
    return text + L"; " +
           res::Filled(res::Tr("ClipFacts", "%1 and %n more cannot be read", nullptr, more),
                       {unreadable.front()});
}
