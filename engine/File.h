#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace veldrun {

// The engine's one door to the operating system's file calls: an open file descriptor,
// closed on destruction. Reports failures as results; the engine turns them into messages.
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

    // Opens a file for writing, creating it when missing but not truncating it yet, so that
    // its identity can be checked first. Returns false when it cannot be opened.
    bool OpenForWriting(const std::string& path);

    // Takes the identity of the file that `path` names, following symbolic links.
    // Returns false when there is no such file.
    static bool IdentityOf(const std::string& path, Id& id);

    // Removes the file that `path` names; returns false when it could not.
    static bool Remove(const std::string& path);

    Id Identity() const;
    // Size in bytes of the open file.
    std::int64_t Size() const;

    // Cuts a regular file to 0 bytes; other kinds (devices) are left as they are.
    bool Truncate();

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

    // Closes the file; returns false when the close reports an error (a delayed write error).
    bool Close();

    // Takes the stamp of the file that `path` names, following symbolic links. Returns false
    // when there is no such file.
    static bool StampOf(const std::string& path, Stamp& stamp);

    // The stamp of the open file; a size of -1 when it cannot be taken.
    Stamp CurrentStamp() const;

    // Tells the kernel that reads will jump about, so it reads no more than is asked for.
    void AdviseRandomAccess();

    // Moves the position of the next Read to `offset` bytes from the start; returns false
    // when the file cannot seek.
    bool Seek(std::int64_t offset);

private:
    int m_fd = -1;
};

} // namespace veldrun
