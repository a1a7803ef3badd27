#pragma once

#include <cstdint>
#include <string>

namespace veldrun {
namespace test {

// A fresh folder under the system's temporary folder, removed with everything in it on
// destruction. Files are written with known bytes so that outputs can be compared exactly.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

    // Writes `bytes` to the file `name` in this folder; returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // Makes a sparse file of `size` bytes ending in `tail`; returns its full path.
    std::string WriteSparse(const std::string& name, std::int64_t size,
                            const std::string& tail) const;
    // Makes a sparse file of `size` bytes that begins with `head` and ends in `tail`.
    std::string WriteSparse(const std::string& name, const std::string& head, std::int64_t size,
                            const std::string& tail) const;

    // Reads a whole file; a missing file reads as "<missing>".
    static std::string Read(const std::string& path);
    static bool Exists(const std::string& path);

    // `size` bytes that differ with `seed` and with their offset, so that a lost, repeated or
    // misplaced block shows in a comparison.
    static std::string Pattern(std::size_t size, unsigned seed);

private:
    std::string m_path;
};

} // namespace test
} // namespace veldrun
