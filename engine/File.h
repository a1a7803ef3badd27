#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace veldrun {

// The engine's one door to the operating system's file calls: an open file descriptor,
// closed on destruction. Reports failures as results, and keeps in Problem() what the system
// said about the last one; the engine turns them into messages.
class File {
public:
    // Identifies a file whatever the spelling of its path (device and inode).
    struct Id {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        bool operator==(const Id& other) const {
            return device == other.device && inode == other.inode;
        }
    };

    // How an open for writing ended.
    enum class Opened { Existing, Created, NoReader, Failed };

    // What tells one version of a file from another: its identity, size and the times of its
    // last change of content (modified, can be set back) and of its inode (changed, cannot).
    struct Stamp {
        Id id;
        std::int64_t size = -1;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool operator==(const Stamp& other) const {
            return id == other.id && size == other.size && modifiedNs == other.modifiedNs &&
                   changedNs == other.changedNs;
        }
    };

    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens a regular file for reading. Returns false when it cannot be opened or is not a
    // regular file; a pipe is refused at once instead of blocking the open.
    bool OpenForReading(const std::string& path);

    // Opens a file for writing without emptying it, creating it when missing. Never waits:
    // a pipe that no program reads gives NoReader. Created means that this open made the file
    // (directly, or as the target of a dangling symbolic link). A file of the kernel's own file
    // systems (/proc, /sys) is refused as Failed.
    Opened OpenForWriting(const std::string& path);

    // Writes to a copy of this process's standard output, as it was opened (appending when it
    // was opened to append). Returns false when there is none.
    bool OpenStandardOutput();

    // Takes the identity of the file that `path` names, following symbolic links.
    // Returns false when there is no such file.
    static bool IdentityOf(const std::string& path, Id& id);

    // Removes the file that this object created, if `path` still names it and it is still
    // empty; anything else at `path` (a link the user made, a file grown since) stays. Works
    // for paths of any depth, where realpath would fail.
    void RemoveIfCreatedAndEmpty(const std::string& path);

    // How a try for the write lock ended.
    enum class Locked { Yes, ByReader, ByWriter, Failed };

    // Takes a write lock on the whole file without waiting, owned by this open file rather than
    // by the process. When refused, tells a holder that only reads from one that writes; Failed,
    // with Error(), when the file system cannot lock.
    Locked Lock();

    Id Identity() const;
    bool IsRegular() const;
    // Size in bytes of the open file.
    std::int64_t Size() const;
    // The write position: where the next byte goes.
    std::int64_t Position() const;
    // Bytes of disk that emptying this file would free: its blocks where no other file can
    // share them, or where none is shared; 0 when other names (hard links), copies sharing
    // blocks or snapshots may keep them, or when the file system cannot tell.
    std::int64_t FreedByEmptying() const;
    // Bytes that this process may still put on the file's file system (df's "Avail");
    // -1 when unknown.
    std::int64_t AvailableSpace() const;
    // The largest file the file system can hold, -1 when it sets no limit that matters here.
    std::int64_t MaxFileSize() const;
    // The process's own file size limit (ulimit -f) in bytes, -1 when there is none.
    static std::int64_t ProcessFileSizeLimit();
    // The folder where the open file's file system is mounted, found from `path` upwards.
    std::string MountPointOf(const std::string& path) const;

    // Cuts a regular file to 0 bytes; other kinds (devices) are left as they are.
    bool Truncate();
    // Sets aside `size` bytes of disk from `offset` without changing the file's size. False
    // with Error() ENOSPC or EFBIG when there is no room; other failures (a file system that
    // cannot reserve) are no failure.
    bool Reserve(std::int64_t offset, std::int64_t size);
    // Gives back the disk reserved beyond the file's end.
    bool Trim();

    // Starts writing the given bytes back to the disk, without waiting.
    void StartWriteBack(std::int64_t offset, std::int64_t size);
    // Waits until the given bytes are on their way to the disk, starting what has not begun.
    // Returns false on a write error.
    bool WaitForWriteBack(std::int64_t offset, std::int64_t size);
    // Waits until the file's data and its times are on its device; false on a write error.
    bool Flush();
    // Sets the file's modification time to `ns` nanoseconds since the epoch, leaving its
    // access time as it is. False when the system refuses.
    bool SetModified(std::int64_t ns);
    // Opens `path` (a file of any kind, or a folder) only to ask about it: its identity, its
    // file system's space and limits. Never blocks, never changes it. False when it is missing.
    bool OpenToInspect(const std::string& path);
    // Opens for reading the file that `other` has open, whatever its name is now; false when
    // it cannot be (write-only permissions, no /proc and a renamed file).
    bool OpenSameForReading(const File& other, const std::string& path);
    // Removes `path` when it still names the file `id` (through symbolic links, the link's
    // target). Returns false with the reason in `problem` when it does not, or when removing
    // fails.
    static bool RemoveIfSame(const std::string& path, const Id& id, std::string& problem);

    // Reads until `size` bytes are in `buffer` or the end of the file is reached. Returns the
    // number of bytes read, or -1 on a read error.
    std::int64_t Read(char* buffer, std::size_t size);

    // Copies up to `size` bytes from this file's position to `output`'s inside the kernel,
    // stopping early only at the end of this file. Returns the number of bytes copied; sets
    // `stopped` when the kernel could not copy (not supported for these files, or an error),
    // so that the caller goes on with Read and Write from where it stopped.
    std::int64_t CopyTo(File& output, std::size_t size, bool& stopped);

    // Writes all `size` bytes; returns false on any failure (disk full, file too large...).
    bool Write(const char* buffer, std::size_t size);

    // Closes the file; returns false when the close reports an error.
    bool Close();

    // Takes the stamp of the file that `path` names, following symbolic links. Returns false
    // when there is no such file.
    static bool StampOf(const std::string& path, Stamp& stamp);

    // The stamp of the open file; a size of -1 when it cannot be taken.
    Stamp CurrentStamp() const;

    // Tells the kernel that reads will jump about, so it reads no more than is asked for.
    void AdviseRandomAccess();

    // Opens for reading the file that `other` has open, whatever name it has now and however
    // `other` opened it (an output is opened for writing only). False when it cannot be opened.
    bool OpenAgainForReading(const File& other);
    // Drops the cached pages of the given bytes, so that the next read of them comes from the
    // disk. Pages not yet written back stay; flush first.
    void DropCachedPages(std::int64_t offset, std::int64_t size);
    // Starts reading the given bytes into the page cache, without waiting.
    void ReadAhead(std::int64_t offset, std::int64_t size);

    // Where the first hole at or after `offset` starts (the end of the file when there is
    // none), or -1 when it cannot be told. Leaves the position as it was.
    std::int64_t NextHole(std::int64_t offset) const;
    // Where the first data at or after `offset` start (the end of the file when there are
    // none), or -1 when it cannot be told. Leaves the position as it was.
    std::int64_t NextData(std::int64_t offset) const;

    // Moves the position of the next Read to `offset` bytes from the start; returns false
    // when the file cannot seek.
    bool Seek(std::int64_t offset);

    // The system's error number of the last failure, and its text ("No space left on
    // device", or a reason of this class's own, such as for a file that is not regular).
    int Error() const { return m_error; }
    // The open descriptor, -1 when none; for what must reach the file without this object.
    int Descriptor() const { return m_fd; }
    const std::string& Problem() const { return m_problem; }

private:
    bool Failed(int error);
    bool Failed(int error, const char* reason);
    std::int64_t SeekFor(std::int64_t offset, int whence) const;

    int m_fd = -1;
    bool m_created = false;
    int m_error = 0;
    std::string m_problem;
};

} // namespace veldrun
