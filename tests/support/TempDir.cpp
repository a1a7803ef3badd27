#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace veldrun {
namespace test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "veldrun-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_path = name.data();
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests make folders read-only; give access back so that everything can go.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = *this / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string TempDir::WriteSparse(const std::string& name, std::int64_t size,
                                 const std::string& tail) const {
    return WriteSparse(name, "", size, tail);
}

std::string TempDir::WriteSparse(const std::string& name, const std::string& head,
                                 std::int64_t size, const std::string& tail) const {
    const std::string path = Write(name, head);
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
    std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(size - static_cast<std::int64_t>(tail.size()));
    out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string TempDir::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::symlink_status(path, ignored).type() !=
           std::filesystem::file_type::not_found;
}

std::string TempDir::Pattern(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::size_t i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(state >> 24);
    }
    return bytes;
}

} // namespace test
} // namespace veldrun
