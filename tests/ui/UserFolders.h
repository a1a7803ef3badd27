#pragma once

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempDir.h"

namespace veldrun {
namespace test {

// A user of the test's own while it lives: HOME in a temporary folder, the desktop's videos
// folder "Films" in it (named by the user-dirs file), the configuration in HOME/.config, and
// local time UTC, so that names and dates from recordings are known. Restores all on
// destruction.
class UserFolders {
public:
    UserFolders() {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "TZ"}) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? value : "");
        }
        ::setenv("HOME", m_home.Path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (m_home / ".config").c_str(), 1);
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        std::filesystem::create_directories(m_home / ".config");
        std::filesystem::create_directories(m_home / "Films");
        m_home.Write(".config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"$HOME/Films\"\n");
    }
    ~UserFolders() {
        for (const auto& [name, value] : m_saved) {
            if (value.empty())
                ::unsetenv(name.c_str());
            else
                ::setenv(name.c_str(), value.c_str(), 1);
        }
        ::tzset();
    }
    UserFolders(const UserFolders&) = delete;
    UserFolders& operator=(const UserFolders&) = delete;

    const TempDir& Home() const { return m_home; }

private:
    TempDir m_home;
    std::vector<std::pair<std::string, std::string>> m_saved;
};

} // namespace test
} // namespace veldrun
