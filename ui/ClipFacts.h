#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <boost/optional.hpp>

#include "recordings/Recordings.h"
#include "recordings/StreamProbe.h"

// What reading found of the listed clips, and what the list shows from it: each entry's marks
// and columns, the summary line under the list and each clip's size. No window and no file: the
// readings come from the clip reader, so nothing here waits for a disk.
class ClipFacts {
public:
    // Nothing when the file could not be read.
    typedef boost::optional<veldrun::StreamProbe::Result> Reading;

    // What an entry's row shows of its reading. Columns stay empty until the clip is read.
    struct Row {
        // The marks, several at once: the entry does not continue the one above (a line across
        // its top), it cannot be read, it names the same file as an entry above.
        enum Mark : unsigned { kNone = 0, kNewPiece = 1, kUnreadable = 2, kListedTwice = 4 };
        unsigned marks = kNone;
        // The marks in words, "" for none.
        std::wstring note;
        // When recording began, else the file's modification time (fileDate), to the minute
        // in the locale's order (LocalFormat); the tooltip has the seconds, or says "file
        // date". For a clip that cannot be read, the reason.
        std::wstring recorded;
        std::wstring recordedTip;
        bool fileDate = false;
        // H:MM:SS for a clip with a clock; the size as LocalFormat writes it.
        std::wstring length;
        std::wstring size;
    };

    // Forgets the readings of paths no longer listed.
    void Keep(const std::vector<std::wstring>& listed);
    // Takes what reading found for `path`, with the errno value of why it could not be read
    // (0 when unknown); true when it differs from what was known.
    bool Take(const std::wstring& path, const Reading& reading, int error = 0);

    bool IsRead(const std::wstring& path) const { return m_read.count(path) != 0; }
    // The size of the clip at `path` as it was read; nothing when it is not read yet or could
    // not be read.
    boost::optional<std::int64_t> Size(const std::wstring& path) const;

    // Each entry's row. An entry that cannot be read is marked as soon as that is known, and one
    // that names the same file (device and inode) as an entry above once both are read; the
    // line of a new piece needs the entry and the one above read, and a list without any
    // transport stream (other files, joined on purpose) has no lines.
    std::vector<Row> Rows(const std::vector<std::wstring>& paths) const;
    // The words of each entry's marks (Row::note).
    std::vector<std::wstring> MarkNotes(const std::vector<std::wstring>& paths) const;

    // The summary line of the list (see SummaryText); while some clip is not read yet, only the
    // count ("3 clips"), since the sizes are not all known.
    std::wstring Summary(const std::vector<std::wstring>& paths) const;

    // The summary line, its numbers in the user's locale (LocalFormat): "3 clips, 6.4 GB in
    // all"; with files that cannot be read, the size of the others and the unreadable names
    // ("3 clips, 2 of them 4.2 GB; 00003.MTS cannot be read"); empty for no clips. With
    // `recordings` (once every clip has been read and one is a stream) the recordings, the files
    // that are not streams and the playing time come after the count, and "in all" goes: "3 clips,
    // one recording, 0:38:12, 6.4 GB". Entries that list a file again (`twice`) are told before the
    // playing time: "10 clips, 3 recordings, 1 listed twice, 0:41:20, 8.5 GB".
    static std::wstring
    SummaryText(int count, std::int64_t total, const std::vector<std::wstring>& unreadable,
                const boost::optional<veldrun::Recordings::Summary>& recordings = boost::none,
                std::size_t twice = 0);

    // The clips of `paths` as the recordings see them; `allRead` tells whether every one is read.
    std::vector<veldrun::Recordings::Clip> Clips(const std::vector<std::wstring>& paths,
                                                 bool& allRead) const;

private:
    struct Known {
        Reading reading;
        int error = 0;
    };
    // For each entry, the index of the first entry above that names the same file, else -1.
    std::vector<int> FirstListings(const std::vector<std::wstring>& paths) const;

    std::map<std::wstring, Known> m_read;
};
