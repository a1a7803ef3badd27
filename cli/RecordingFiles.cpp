#include "cli/RecordingFiles.h"

#include <cstring>
#include <ostream>

#include "cli/RecordingCheck.h"
#include "engine/QuotedName.h"

namespace veldrun {

RecordingFiles::RecordingFiles(const std::vector<std::string>& inputs)
    : m_clips(RecordingCheck::Read(inputs, &m_errors)),
      m_groups(
          RecordingSplit::Split(Recordings::Marks(m_clips), RecordingSplit::ListedTwice(m_clips))),
      m_names(RecordingSplit::Names(m_groups, m_clips)) {}

int RecordingFiles::Parts(const std::string& folder, std::vector<JobFiles::Part>& parts,
                          std::ostream& err) const {
    // "out/" names the same folder as "out"; the printed paths should not say "out//".
    std::string prefix = folder;
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    if (prefix != "/")
        prefix += '/';

    parts.clear();
    for (std::size_t at = 0; at < m_groups.size(); ++at) {
        if (m_names[at].file.empty()) {
            const std::size_t first = m_groups[at].first;
            err << "Merge error: Can't read input file\n"
                << QuotedName(m_clips[first].name) << ": "
                << (m_errors[first] != 0 ? std::strerror(m_errors[first]) : "it could not be read")
                << '\n'
                << std::flush;
            return 1;
        }
        JobFiles::Part part;
        part.path = prefix + m_names[at].file;
        part.first = m_groups[at].first;
        part.modifiedNs = m_names[at].startNs;
        parts.push_back(part);
    }
    return 0;
}

boost::optional<std::int64_t> RecordingFiles::FirstStart() const {
    if (m_names.empty() || m_names.front().file.empty())
        return boost::none;
    return m_names.front().startNs;
}

} // namespace veldrun
