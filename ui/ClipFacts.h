#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <boost/optional.hpp>

#include "recordings/Recordings.h"
#include "recordings/StreamProbe.h"

// What reading found of the listed clips, and what the list shows from it: the mark above each
// entry, the summary line under the list and each clip's size. No window and no file: the
// readings come from the clip reader, so nothing here waits for a disk.
class ClipFacts {
public:
    // Nothing when the file could not be read.
    typedef boost::optional<veldrun::StreamProbe::Result> Reading;

    // Forgets the readings of paths no longer listed.
    void Keep(const std::vector<std::wstring>& listed);
    // Takes what reading found for `path`; true when it differs from what was known.
    bool Take(const std::wstring& path, const Reading& reading);

    bool IsRead(const std::wstring& path) const { return m_read.count(path) != 0; }
    // The size of the clip at `path` as it was read; nothing when it is not read yet or could
    // not be read.
    boost::optional<std::int64_t> Size(const std::wstring& path) const;

    // The words of each entry's mark, "" for none. An entry is marked once it and the entry
    // above have been read; a list without any transport stream (other files, joined on
    // purpose) has no marks.
    std::vector<std::wstring> MarkNotes(const std::vector<std::wstring>& paths) const;

    // The summary line of the list (see SummaryText); while some clip is not read yet, only the
    // count ("3 clips"), since the sizes are not all known.
    std::wstring Summary(const std::vector<std::wstring>& paths) const;

    // The summary line: "3 clips, 6.4 GB in all"; with files that cannot be read, the size of
    // the others and the unreadable names ("3 clips, 2 of them 4.2 GB; 00003.MTS cannot be
    // read"); empty for no clips. With `recordings` (once every clip has been read and one is a
    // stream) the recordings, the files that are not streams and the playing time come after
    // the count, and "in all" goes: "3 clips, one recording, 0:38:12, 6.4 GB".
    static std::wstring
    SummaryText(int count, std::int64_t total, const std::vector<std::wstring>& unreadable,
                const boost::optional<veldrun::Recordings::Summary>& recordings = boost::none);

    // The clips of `paths` as the recordings see them; `allRead` tells whether every one is read.
    std::vector<veldrun::Recordings::Clip> Clips(const std::vector<std::wstring>& paths,
                                                 bool& allRead) const;

private:
    std::map<std::wstring, Reading> m_read;
};
