#include "cli/OutputFolder.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/QuotedName.h"

namespace veldrun {

int OutputFolder::Prepare(const std::string& path, std::ostream& err) {
    int error = 0;
    struct stat status;
    if (::stat(path.c_str(), &status) == 0) {
        if (!S_ISDIR(status.st_mode))
            error = ENOTDIR;
    } else if (errno != ENOENT) {
        error = errno;
    } else if (::mkdir(path.c_str(), 0777) == 0) {
        m_made = path;
    } else {
        error = errno;
    }
    if (error == 0)
        return 0;
    err << "Merge error: Can't create output file\n"
        << QuotedName(path) << ": " << std::strerror(error) << '\n'
        << std::flush;
    return 1;
}

void OutputFolder::RemoveIfMadeAndEmpty() {
    // rmdir removes only an empty folder: anything a run left in it stays.
    if (!m_made.empty())
        ::rmdir(m_made.c_str());
}

} // namespace veldrun
