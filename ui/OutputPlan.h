#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/Veldrun.h"
#include "recordings/RecordingSplit.h"
#include "recordings/Recordings.h"

// Where the main dialog's outputs go and what they are called: the Output File text read as
// the user means it, one output per recording of the list, and the questions asked before a
// run. No widget and no window: the dialog asks, this decides.
class OutputPlan {
public:
    // One recording of the list: entries [first, first + count) and its output's name.
    struct Recording {
        std::size_t first = 0;
        std::size_t count = 0;
        veldrun::RecordingSplit::Name name;
        // False for a recording none of whose clips could be read: it has no start.
        bool dated = true;
    };

    // The user's videos folder (the desktop's standard location), else the home folder.
    static std::wstring VideosFolder();
    // The folder `path` is in, as spelled (PathName::Parent).
    static std::wstring ParentOf(const std::wstring& path);
    // The home folder ($HOME), else "/".
    static std::wstring HomeFolder();

    // The Output File text as a full path: "~" alone or before "/" is the home folder, a
    // relative path goes into the videos folder, an absolute one stays; empty stays empty.
    static std::wstring Resolve(const std::wstring& typed);
    // The folder that a resolved Output File text stands for when outputs go one per
    // recording: the text itself when it names a folder, else the folder it is in when that
    // exists, else the videos folder.
    static std::wstring FolderOf(const std::wstring& resolved);

    // Takes the list's paths and its clips as read (ClipFacts::Clips); returns its recordings
    // in list order, each named after when it was recorded. A recording none of whose clips
    // could be read is named after its first entry's file, so that the merge says why.
    static std::vector<Recording> Split(const std::vector<std::string>& paths,
                                        std::vector<veldrun::Recordings::Clip> clips);
    // One output per recording, in `folder`, dated by the recording's start.
    static std::vector<veldrun::JobFiles::Part> Parts(const std::wstring& folder,
                                                      const std::vector<Recording>& recordings);
    // For each recording, whether its name came from a file date.
    static std::vector<bool> FromFileDate(const std::vector<Recording>& recordings);

    // The question before writing `parts` into `folder` when some of them exist already; empty
    // when none does.
    static std::wstring ReplaceQuestion(const std::vector<veldrun::JobFiles::Part>& parts,
                                        const std::wstring& folder);
    // The question before joining several recordings into one file.
    static std::wstring JoinQuestion(std::size_t recordings);

    // The question before `output` is replaced, when it is a file of the user's that was not
    // `chosen` in Select... (whose dialog asked already); empty when there is nothing to ask.
    static std::wstring ReplaceQuestion(const std::wstring& output, const std::wstring& chosen);

    // Where Select... opens for the listed `inputs`: at `current` (the resolved Output File
    // text) when there is one; else in `lastFolder` when set, else in the videos folder,
    // proposing the first of `recordings`' names (none for a `folder` choice). Never inside
    // the folder of a listed input: the videos folder instead, else the home folder.
    static std::wstring StartPath(const std::wstring& current, const std::wstring& lastFolder,
                                  const std::vector<std::string>& inputs,
                                  const std::vector<Recording>& recordings, bool folder);
};
