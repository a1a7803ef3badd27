#include "cli/RecordingCheck.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <system_error>

#include "engine/File.h"
#include "engine/MergeError.h"
#include "engine/QuotedName.h"
#include "engine/Veldrun.h"
#include "recordings/ProbeCache.h"
#include "recordings/Recordings.h"

namespace veldrun {

namespace {

const char* Word(Recordings::Mark mark) {
    switch (mark) {
    case Recordings::Mark::Start:
        return "start";
    case Recordings::Mark::Continues:
        return "continues";
    case Recordings::Mark::NewRecording:
        return "new recording";
    case Recordings::Mark::NotStream:
        return "not a transport stream";
    case Recordings::Mark::Unknown:
        break;
    }
    return "unknown";
}

std::string DurationText(const Recordings::Clip& clip) {
    if (!clip.probe || clip.probe->kind != StreamProbe::Kind::Clock)
        return "-";
    return Recordings::FormatDuration(StreamProbe::Duration(*clip.probe));
}

std::string DateText(const Recordings::Clip& clip) {
    return clip.probe && clip.probe->recorded ? clip.probe->recorded->Text() : "-";
}

// Why `path` could not be read, in the words a merge would use: File's own reason for what it
// refuses to open (a pipe, a device), else the system's for `error`, the failure of the read.
std::string Reason(const std::string& path, int error) {
    File file;
    if (!file.OpenForReading(path))
        return file.Problem();
    return std::generic_category().message(error);
}

std::string Counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string SummaryText(const Recordings::Summary& summary, std::size_t unreadable) {
    std::string text = Counted(summary.clips, "input", "inputs") + ", " +
                       Counted(summary.recordings, "recording", "recordings");
    if (summary.notStreams > 0)
        text +=
            ", " + Counted(summary.notStreams, "not a transport stream", "not transport streams");
    if (summary.duration)
        text += ", " + Recordings::FormatDuration(*summary.duration);
    if (unreadable > 0)
        text += ", " + std::to_string(unreadable) + " cannot be read";
    return text;
}

} // namespace

std::vector<Recordings::Clip> RecordingCheck::Read(const std::vector<std::string>& inputs,
                                                   std::vector<int>* errors) {
    // Through the cache, so that an input listed twice is read once.
    ProbeCache cache;
    std::vector<Recordings::Clip> clips;
    for (const std::string& input : inputs) {
        int error = 0;
        clips.push_back(Recordings::Clip{input, cache.Probe(input, &error)});
        if (errors)
            errors->push_back(error);
    }
    return clips;
}

int RecordingCheck::Openable(const std::vector<std::string>& inputs, std::ostream& err) {
    try {
        for (const std::string& input : inputs)
            Veldrun::FileSize(input);
    } catch (const MergeError& error) {
        err << "Merge error: " << error.what() << '\n';
        if (!error.Detail().empty())
            err << error.Detail() << '\n';
        err << std::flush;
        return 1;
    }
    return 0;
}

int RecordingCheck::Report(const std::vector<std::string>& inputs, std::ostream& out) {
    std::vector<int> errors;
    const std::vector<Recordings::Clip> clips = Read(inputs, &errors);
    const std::vector<Recordings::Mark> marks = Recordings::Marks(clips);

    // Columns line up: numbers and durations to the right, dates and marks to the left.
    std::vector<std::string> durations, dates, words;
    std::size_t durationWidth = 0, dateWidth = 0, wordWidth = 0, unreadable = 0;
    for (std::size_t at = 0; at < clips.size(); ++at) {
        durations.push_back(DurationText(clips[at]));
        durationWidth = std::max(durationWidth, durations.back().size());
        dates.push_back(DateText(clips[at]));
        dateWidth = std::max(dateWidth, dates.back().size());
        // Too little memory to read a clip says nothing about the clip: it stays unknown.
        const bool readable = errors[at] == 0 || errors[at] == ENOMEM;
        words.push_back(readable ? Word(marks[at])
                                 : "cannot be read: " + Reason(inputs[at], errors[at]));
        unreadable += readable ? 0 : 1;
        wordWidth = std::max(wordWidth, words.back().size());
    }
    const int numberWidth = static_cast<int>(std::to_string(clips.size()).size());
    std::ostringstream text;
    for (std::size_t at = 0; at < clips.size(); ++at) {
        text << std::setw(numberWidth) << at + 1 << "  " << std::setw(int(durationWidth))
             << durations[at] << "  " << std::left << std::setw(int(dateWidth)) << dates[at] << "  "
             << std::setw(int(wordWidth)) << words[at] << std::right << "  "
             << QuotedName(clips[at].name) << '\n';
    }
    text << SummaryText(Recordings::Summarize(clips, marks), unreadable) << '\n';
    out << text.str() << std::flush;
    return out && unreadable == 0 ? 0 : 1;
}

void RecordingCheck::Notes(const std::vector<std::string>& inputs, std::ostream& err) {
    // The notes are advice: without memory for them the join goes on without them.
    try {
        Write(Read(inputs), {}, err);
    } catch (const std::exception&) {
    }
}

void RecordingCheck::Notes(const std::vector<Recordings::Clip>& clips,
                           const std::vector<RecordingSplit::Group>& outputs, std::ostream& err) {
    try {
        Write(clips, outputs, err);
    } catch (const std::exception&) {
    }
}

void RecordingCheck::Write(const std::vector<Recordings::Clip>& clips,
                           const std::vector<RecordingSplit::Group>& outputs, std::ostream& err) {
    std::vector<bool> startsOutput(clips.size(), false);
    for (const RecordingSplit::Group& output : outputs)
        startsOutput[output.first] = true;
    const bool anyStream =
        std::any_of(clips.begin(), clips.end(), [](const Recordings::Clip& clip) {
            return clip.probe && clip.probe->kind != StreamProbe::Kind::NotStream;
        });
    if (!anyStream)
        return;
    const std::vector<Recordings::Mark> marks = Recordings::Marks(clips);
    std::string text;
    for (std::size_t at = 0; at < clips.size(); ++at) {
        const std::string name = QuotedName(clips[at].name);
        if (marks[at] == Recordings::Mark::NewRecording && !startsOutput[at])
            text += "note: " + name + " starts a new recording; players may show a jump here\n";
        else if (marks[at] == Recordings::Mark::NotStream)
            text +=
                "note: " + name + " is not a transport stream; players may stop or stumble here\n";
        // After a file that is not a stream, its note already marks the place.
        else if (marks[at] == Recordings::Mark::Unknown && clips[at].probe &&
                 marks[at - 1] != Recordings::Mark::NotStream)
            text += "note: can't tell whether " + name +
                    " continues the input before it; players may show a jump here\n";
    }
    err << text << std::flush;
}

} // namespace veldrun
