#include "tests/support/Mount.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <utility>

namespace veldrun {
namespace test {

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

bool Mount::Run(const std::string& command, const std::string& what) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) == 0)
        return true;
    m_why = what + " failed: " + command;
    return false;
}

Mount Mount::Tmpfs(const std::string& at, int sizeKiB) {
    Mount mount;
    if (::geteuid() != 0) {
        mount.m_why = "mounting needs root";
        return mount;
    }
    std::filesystem::create_directories(at);
    mount.m_ready =
        mount.Run("mount -t tmpfs -o size=" + std::to_string(sizeKiB) + "k tmpfs " + Quoted(at),
                  "mounting a tmpfs");
    if (mount.m_ready)
        mount.m_at = at;
    return mount;
}

Mount Mount::Image(const std::string& image, int sizeMiB, const std::string& mkfs,
                   const std::string& at) {
    Mount mount;
    if (::geteuid() != 0) {
        mount.m_why = "mounting needs root";
        return mount;
    }
    std::filesystem::create_directories(at);
    mount.m_ready = mount.Run("truncate -s " + std::to_string(sizeMiB) + "M " + Quoted(image),
                              "making the image") &&
                    mount.Run(mkfs + " " + Quoted(image), "making its file system") &&
                    mount.Run("mount -o loop " + Quoted(image) + " " + Quoted(at), "mounting it");
    if (mount.m_ready)
        mount.m_at = at;
    return mount;
}

Mount::Mount(Mount&& other) noexcept
    : m_at(std::exchange(other.m_at, std::string())), m_ready(other.m_ready),
      m_why(std::move(other.m_why)) {}

Mount::~Mount() {
    // Lazily: a file a failed test left open must not keep the mount for good.
    if (!m_at.empty())
        std::system(("umount -l " + Quoted(m_at) + " >/dev/null 2>&1").c_str());
}

} // namespace test
} // namespace veldrun
