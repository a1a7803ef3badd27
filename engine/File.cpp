#include "engine/File.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

#include "engine/Messages.h"
#include "engine/PathName.h"

namespace veldrun {

namespace {

// statfs's f_type of the FAT family (vfat, msdos); exFAT is another type and has no such limit.
const long kFatMagic = MSDOS_SUPER_MAGIC;
const std::int64_t kFatMaxFileSize = (std::int64_t(1) << 32) - 1;

// How many extents one FIEMAP call brings back.
const unsigned kExtentsPerCall = 64;

// True when FIEMAP answers for every extent of `fd` and none is shared with another file
// (a copy made with --reflink, a snapshot).
bool NoExtentShared(int fd) {
    // In 64-bit words, so that the header and its extents are aligned.
    std::vector<std::uint64_t> buffer(
        (sizeof(struct fiemap) + kExtentsPerCall * sizeof(struct fiemap_extent)) / 8 + 1);
    struct fiemap* const map = reinterpret_cast<struct fiemap*>(buffer.data());
    std::uint64_t start = 0;
    for (;;) {
        std::fill(buffer.begin(), buffer.end(), 0);
        map->fm_start = start;
        map->fm_length = FIEMAP_MAX_OFFSET - start;
        // Synced first: blocks not yet allocated would not be reported.
        map->fm_flags = FIEMAP_FLAG_SYNC;
        map->fm_extent_count = kExtentsPerCall;
        if (::ioctl(fd, FS_IOC_FIEMAP, map) != 0)
            return false;
        if (map->fm_mapped_extents == 0)
            return true;
        for (unsigned i = 0; i < map->fm_mapped_extents; ++i) {
            const struct fiemap_extent& extent = map->fm_extents[i];
            if (extent.fe_flags & FIEMAP_EXTENT_SHARED)
                return false;
            if (extent.fe_flags & FIEMAP_EXTENT_LAST)
                return true;
            start = extent.fe_logical + extent.fe_length;
        }
    }
}

File::Id IdOf(const struct stat& info) {
    File::Id id;
    id.device = static_cast<std::uint64_t>(info.st_dev);
    id.inode = static_cast<std::uint64_t>(info.st_ino);
    return id;
}

// Clears O_NONBLOCK once the open is done: reads and writes should wait as usual.
void MakeBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

// The kernel's own file systems: their files are settings and reports, which take a write as a
// command and report no free space, not places for data.
bool IsKernelInterface(int fd) {
    static const long kTypes[] = {
        PROC_SUPER_MAGIC,   SYSFS_MAGIC,         DEBUGFS_MAGIC, TRACEFS_MAGIC,  SECURITYFS_MAGIC,
        CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, BPF_FS_MAGIC,  EFIVARFS_MAGIC, PSTOREFS_MAGIC};
    struct statfs info;
    if (::fstatfs(fd, &info) != 0)
        return false;
    for (long type : kTypes) {
        if (static_cast<long>(info.f_type) == type)
            return true;
    }
    return false;
}

// An open descriptor of a folder, closed on destruction.
struct Folder {
    explicit Folder(int at, const std::string& path)
        : fd(::openat(at, path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}
    ~Folder() {
        if (fd >= 0)
            ::close(fd);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    int fd;
};

std::string CanonicalPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
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

// Removes the file that `path` names when `which` accepts it. Through a link the file is the
// link's target. The links are followed here one by one, each from its own folder: realpath
// fails once the full path is longer than PATH_MAX. No more links than the kernel itself
// follows (40). Returns 0 when removed, -1 when `which` refused the file, else an errno.
int RemoveTarget(const std::string& path, const std::function<bool(const struct stat&)>& which) {
    std::unique_ptr<Folder> folder = std::make_unique<Folder>(AT_FDCWD, ".");
    std::string name = path;
    for (int hops = 0; hops < 40; ++hops) {
        if (folder->fd < 0)
            return errno;
        std::unique_ptr<Folder> parent =
            std::make_unique<Folder>(folder->fd, PathName::Parent(name));
        const std::string last = PathName::Last(name);
        struct stat info;
        if (parent->fd < 0 || ::fstatat(parent->fd, last.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return errno;
        if (!S_ISLNK(info.st_mode)) {
            if (!which(info))
                return -1;
            return ::unlinkat(parent->fd, last.c_str(), 0) == 0 ? 0 : errno;
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlinkat(parent->fd, last.c_str(), target, sizeof target);
        if (length <= 0 || length == static_cast<ssize_t>(sizeof target))
            return length < 0 ? errno : ENAMETOOLONG;
        name.assign(target, static_cast<std::size_t>(length));
        folder = std::move(parent);
    }
    return ELOOP;
}

} // namespace

File::~File() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool File::Failed(int error) {
    return Failed(error, nullptr);
}

bool File::Failed(int error, const char* reason) {
    m_error = error;
    m_problem = reason ? reason : std::generic_category().message(error);
    return false;
}

bool File::OpenForReading(const std::string& path) {
    // Refuse anything but a regular file before opening it: opening a device can have side
    // effects, and opening a pipe would wait for a writer.
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return Failed(errno);
    if (S_ISDIR(info.st_mode))
        return Failed(EISDIR);
    if (!S_ISREG(info.st_mode))
        return Failed(EINVAL, kNotRegular);
    // O_NONBLOCK keeps a pipe swapped in since the stat from blocking the open.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0)
        return Failed(errno);
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        Close();
        return Failed(EINVAL, kNotRegular);
    }
    MakeBlocking(m_fd);
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

File::Opened File::OpenForWriting(const std::string& path) {
    // O_NONBLOCK: opening a pipe that nobody reads fails at once (ENXIO) instead of waiting.
    const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    m_fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
    m_created = m_fd >= 0;
    if (m_fd < 0 && errno == EEXIST) {
        // A dangling symbolic link exists but names nothing yet: the open creates its target.
        struct stat info;
        const bool dangling = ::stat(path.c_str(), &info) != 0 && errno == ENOENT;
        m_fd = ::open(path.c_str(), flags | O_CREAT, 0666);
        m_created = m_fd >= 0 && dangling;
    }
    if (m_fd < 0) {
        const int error = errno;
        Failed(error);
        // ENXIO is a pipe without a reader only for a pipe: /dev/tty without a terminal and a
        // socket give it too, and then the system's reason is the one to show.
        struct stat info;
        const bool pipe = ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
        return error == ENXIO && pipe ? Opened::NoReader : Opened::Failed;
    }
    if (IsKernelInterface(m_fd)) {
        ::close(m_fd);
        m_fd = -1;
        Failed(EINVAL, kKernelInterface);
        return Opened::Failed;
    }
    MakeBlocking(m_fd);
    return m_created ? Opened::Created : Opened::Existing;
}

bool File::OpenStandardOutput() {
    m_fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    return m_fd >= 0 || Failed(errno);
}

bool File::IdentityOf(const std::string& path, Id& id) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return false;
    id = IdOf(info);
    return true;
}

void File::RemoveIfCreatedAndEmpty(const std::string& path) {
    if (!m_created || m_fd < 0)
        return;
    const Id self = Identity();
    RemoveTarget(path,
                 [&](const struct stat& info) { return IdOf(info) == self && info.st_size == 0; });
}

File::Locked File::Lock() {
    // A lock of the open file, not of the process: two merges in one process exclude each
    // other too, and closing another descriptor of the file does not release it.
    struct flock wanted = {};
    wanted.l_type = F_WRLCK;
    wanted.l_whence = SEEK_SET;
    for (;;) {
        struct flock lock = wanted;
        if (::fcntl(m_fd, F_OFD_SETLK, &lock) == 0)
            return Locked::Yes;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EACCES) {
            Failed(errno);
            return Locked::Failed;
        }
        // A read lock is refused only by a write lock: asking for one finds a writer, if any.
        struct flock holder = wanted;
        holder.l_type = F_RDLCK;
        if (::fcntl(m_fd, F_OFD_GETLK, &holder) != 0) {
            if (errno == EINTR)
                continue;
            Failed(errno);
            return Locked::Failed;
        }
        if (holder.l_type == F_WRLCK) {
            Failed(EWOULDBLOCK);
            return Locked::ByWriter;
        }
        // Readers hold it; or nobody any more (released since), and the lock is asked again.
        holder = wanted;
        if (::fcntl(m_fd, F_OFD_GETLK, &holder) != 0 && errno != EINTR) {
            Failed(errno);
            return Locked::Failed;
        }
        if (holder.l_type == F_RDLCK)
            return Locked::ByReader;
    }
}

File::Id File::Identity() const {
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return Id();
    return IdOf(info);
}

bool File::IsRegular() const {
    struct stat info;
    return ::fstat(m_fd, &info) == 0 && S_ISREG(info.st_mode);
}

std::int64_t File::Size() const {
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.st_size);
}

std::int64_t File::Position() const {
    // Opened to append (a shell's >>), every write goes to the end, wherever the offset is.
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0 && (flags & O_APPEND))
        return Size();
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    return position < 0 ? 0 : static_cast<std::int64_t>(position);
}

std::int64_t File::FreedByEmptying() const {
    struct stat info;
    struct statfs fileSystem;
    if (::fstat(m_fd, &info) != 0 || info.st_nlink > 1 || ::fstatfs(m_fd, &fileSystem) != 0)
        return 0;
    const std::int64_t blocks = static_cast<std::int64_t>(info.st_blocks) * 512;
    switch (static_cast<long>(fileSystem.f_type)) {
    // No file's blocks are shared with another's on these.
    case EXT4_SUPER_MAGIC: // ext2 and ext3 too
    case kFatMagic:
    case EXFAT_SUPER_MAGIC:
    case TMPFS_MAGIC:
        return blocks;
    // Copies with --reflink (cp's default here) and snapshots keep shared blocks in use.
    case BTRFS_SUPER_MAGIC:
    case XFS_SUPER_MAGIC:
        return NoExtentShared(m_fd) ? blocks : 0;
    // Unknown ways of keeping blocks: none count, lest the output be emptied for nothing.
    default:
        return 0;
    }
}

std::int64_t File::AvailableSpace() const {
    struct statvfs info;
    if (::fstatvfs(m_fd, &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize);
}

std::int64_t File::MaxFileSize() const {
    // Asked by file system type: fpathconf(_PC_FILESIZEBITS) answers 32 for FAT and for every
    // file system the C library does not know (tmpfs among them), so it cannot tell them apart.
    struct statfs info;
    if (::fstatfs(m_fd, &info) != 0)
        return -1;
    return static_cast<long>(info.f_type) == kFatMagic ? kFatMaxFileSize : -1;
}

std::int64_t File::ProcessFileSizeLimit() {
    struct rlimit limit;
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        limit.rlim_cur > static_cast<rlim_t>(INT64_MAX))
        return -1;
    return static_cast<std::int64_t>(limit.rlim_cur);
}

std::string File::MountPointOf(const std::string& path) const {
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return path;
    std::string folder = CanonicalPath(path);
    folder = folder.empty() ? CanonicalPath(PathName::Parent(path)) : PathName::Parent(folder);
    if (folder.empty())
        return PathName::Parent(path);
    // Up the tree for as long as the parent is on the same device.
    while (folder != "/") {
        const std::string parent = PathName::Parent(folder);
        struct stat above;
        if (::stat(parent.c_str(), &above) != 0 || above.st_dev != info.st_dev)
            break;
        folder = parent;
    }
    return folder;
}

bool File::Truncate() {
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return Failed(errno);
    // An empty file is left alone: on ext4, truncating marks the file for a flush on close,
    // which would slow every merge into a new file.
    if (!S_ISREG(info.st_mode) || info.st_size == 0)
        return true;
    return ::ftruncate(m_fd, 0) == 0 || Failed(errno);
}

bool File::Reserve(std::int64_t offset, std::int64_t size) {
    if (size <= 0)
        return true;
    while (::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, offset, size) != 0) {
        if (errno == ENOSPC || errno == EFBIG || errno == EDQUOT)
            return Failed(errno == EDQUOT ? ENOSPC : errno);
        if (errno != EINTR)
            return true;
    }
    return true;
}

bool File::Trim() {
    // Cutting a file to its own size gives back the blocks reserved beyond its end.
    const std::int64_t size = Size();
    return (size >= 0 && ::ftruncate(m_fd, size) == 0) || Failed(errno);
}

void File::StartWriteBack(std::int64_t offset, std::int64_t size) {
    ::sync_file_range(m_fd, offset, size, SYNC_FILE_RANGE_WRITE);
}

bool File::WaitForWriteBack(std::int64_t offset, std::int64_t size) {
    const unsigned flags =
        SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    while (::sync_file_range(m_fd, offset, size, flags) != 0) {
        if (errno != EINTR)
            return Failed(errno);
    }
    return true;
}

bool File::Flush() {
    // Not fdatasync: it may leave the times just set unwritten.
    while (::fsync(m_fd) != 0) {
        if (errno != EINTR)
            return Failed(errno);
    }
    return true;
}

bool File::SetModified(std::int64_t ns) {
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    // Rounded down for times before the epoch too: tv_nsec must lie in [0, 1e9).
    std::int64_t seconds = ns / 1000000000;
    std::int64_t rest = ns % 1000000000;
    if (rest < 0) {
        rest += 1000000000;
        --seconds;
    }
    times[1].tv_sec = static_cast<time_t>(seconds);
    times[1].tv_nsec = static_cast<long>(rest);
    return ::futimens(m_fd, times) == 0 || Failed(errno);
}

bool File::OpenToInspect(const std::string& path) {
    m_fd = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    return m_fd >= 0 || Failed(errno);
}

bool File::RemoveIfSame(const std::string& path, const Id& id, std::string& problem) {
    const int result =
        RemoveTarget(path, [&](const struct stat& info) { return IdOf(info) == id; });
    if (result == 0)
        return true;
    problem = result < 0         ? kNameTakenSince
              : result == ENOENT ? kNoLongerThere
                                 : std::generic_category().message(result);
    return false;
}

std::int64_t File::Read(char* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(m_fd, buffer + got, size - got);
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else if (n == 0)
            break;
        else if (errno != EINTR) {
            Failed(errno);
            return -1;
        }
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
        } else if (n == 0) {
            return Failed(EIO);
        } else if (errno != EINTR) {
            return Failed(errno);
        }
    }
    return true;
}

bool File::Close() {
    if (m_fd < 0)
        return true;
    const int result = ::close(m_fd);
    const int error = errno;
    m_fd = -1;
    // Linux releases the descriptor even when close is interrupted.
    return result == 0 || error == EINTR || Failed(error);
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

bool File::OpenAgainForReading(const File& other) {
    // The descriptor's link in /proc opens the very file it holds, even after a rename.
    const std::string link = "/proc/self/fd/" + std::to_string(other.m_fd);
    m_fd = ::open(link.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0)
        return Failed(errno);
    if (!(Identity() == other.Identity())) {
        Close();
        return Failed(ENOENT, kCannotBeFoundAgain);
    }
    return true;
}

void File::DropCachedPages(std::int64_t offset, std::int64_t size) {
    // posix_fadvise takes a length of 0 as "to the end of the file".
    if (size <= 0)
        return;
    ::posix_fadvise(m_fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                    POSIX_FADV_DONTNEED);
}

void File::ReadAhead(std::int64_t offset, std::int64_t size) {
    if (size <= 0)
        return;
    ::posix_fadvise(m_fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                    POSIX_FADV_WILLNEED);
}

std::int64_t File::SeekFor(std::int64_t offset, int whence) const {
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    const off_t found = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    const int error = errno;
    // The position is shared with whoever else holds this open file (a shell's standard
    // output, say): put it back.
    if (position >= 0)
        ::lseek(m_fd, position, SEEK_SET);
    if (found >= 0)
        return static_cast<std::int64_t>(found);
    // Past the last data, or at the end of the file.
    return error == ENXIO ? Size() : -1;
}

std::int64_t File::NextHole(std::int64_t offset) const {
    return SeekFor(offset, SEEK_HOLE);
}

std::int64_t File::NextData(std::int64_t offset) const {
    return SeekFor(offset, SEEK_DATA);
}

bool File::Seek(std::int64_t offset) {
    return ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

} // namespace veldrun
