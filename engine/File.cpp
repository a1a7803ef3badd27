#include "engine/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldrun {

namespace {

File::Id IdOf(const struct stat& info) {
    File::Id id;
    id.device = static_cast<std::uint64_t>(info.st_dev);
    id.inode = static_cast<std::uint64_t>(info.st_ino);
    return id;
}

std::int64_t Nanoseconds(const struct timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

File::Stamp StampFrom(const struct stat& info) {
    File::Stamp stamp;
    stamp.id = IdOf(info);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modifiedNs = Nanoseconds(info.st_mtim);
    stamp.changedNs = Nanoseconds(info.st_ctim);
    return stamp;
}

} // namespace

File::~File() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool File::OpenForReading(const std::string& path) {
    // Refuse anything but a regular file before opening it: opening a device can have side
    // effects, and opening a pipe would wait for a writer.
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    // O_NONBLOCK keeps a pipe swapped in since the stat from blocking the open.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0)
        return false;
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        Close();
        return false;
    }
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

bool File::OpenForWriting(const std::string& path) {
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    return m_fd >= 0;
}

bool File::IdentityOf(const std::string& path, Id& id) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return false;
    id = IdOf(info);
    return true;
}

bool File::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

File::Id File::Identity() const {
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return Id();
    return IdOf(info);
}

std::int64_t File::Size() const {
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.st_size);
}

bool File::Truncate() {
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return false;
    // An empty file is left alone: on ext4, truncating marks the file for a flush on close,
    // which would slow every merge into a new file.
    if (!S_ISREG(info.st_mode) || info.st_size == 0)
        return true;
    return ::ftruncate(m_fd, 0) == 0;
}

std::int64_t File::Read(char* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(m_fd, buffer + got, size - got);
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else if (n == 0)
            break;
        else if (errno != EINTR)
            return -1;
    }
    return static_cast<std::int64_t>(got);
}

std::int64_t File::CopyTo(File& output, std::size_t size, bool& stopped) {
    stopped = false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::copy_file_range(m_fd, nullptr, output.m_fd, nullptr, size - done, 0);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            stopped = true;
            break;
        }
    }
    return static_cast<std::int64_t>(done);
}

bool File::Write(const char* buffer, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(m_fd, buffer, size);
        if (n > 0) {
            buffer += n;
            size -= static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool File::Close() {
    if (m_fd < 0)
        return true;
    const int result = ::close(m_fd);
    m_fd = -1;
    // Linux releases the descriptor even when close is interrupted.
    return result == 0 || errno == EINTR;
}

bool File::StampOf(const std::string& path, Stamp& stamp) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return false;
    stamp = StampFrom(info);
    return true;
}

File::Stamp File::CurrentStamp() const {
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return Stamp();
    return StampFrom(info);
}

void File::AdviseRandomAccess() {
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_RANDOM);
}

bool File::Seek(std::int64_t offset) {
    return ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

} // namespace veldrun
