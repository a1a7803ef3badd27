#pragma once

#include <string>

namespace veldrun {
namespace test {

// A file system mounted for one test and unmounted (its loop device freed) on destruction,
// so that tests can fill a disk or make it fail for real. Needs root; Ready() is false, with
// the reason in Why(), where the machine cannot do it, and the test should then skip.
class Mount {
public:
    // A tmpfs of `sizeKiB` at the folder `at`.
    static Mount Tmpfs(const std::string& at, int sizeKiB);
    // The image file `image` of `sizeMiB`, made with `mkfs` (a command that takes the image's
    // path last, such as "mkfs.ext4 -q -F"), mounted through a loop device at `at`.
    static Mount Image(const std::string& image, int sizeMiB, const std::string& mkfs,
                       const std::string& at);

    Mount(Mount&& other) noexcept;
    ~Mount();
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;
    Mount& operator=(Mount&&) = delete;

    bool Ready() const { return m_ready; }
    const std::string& Why() const { return m_why; }

private:
    Mount() = default;
    bool Run(const std::string& command, const std::string& what);

    std::string m_at;
    bool m_ready = false;
    std::string m_why;
};

} // namespace test
} // namespace veldrun
