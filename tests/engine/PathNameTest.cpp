#include "engine/PathName.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace veldrun {
namespace {

TEST(PathName, LastAndParentAtTheSlashes) {
    struct Case {
        std::string path;
        std::string last;
        std::string parent;
    };
    const std::vector<Case> cases = {
        {"", "", "."},
        {"/", "", "/"},
        {"a", "a", "."},
        {"/a", "a", "/"},
        {"dir/", "", "dir"},
        {"a/b/c", "c", "a/b"},
        {"/a/b.mts", "b.mts", "/a"},
        {"a//b", "b", "a/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.last, PathName::Last(c.path)) << c.path;
        EXPECT_EQ(std::wstring(c.last.begin(), c.last.end()),
                  PathName::Last(std::wstring(c.path.begin(), c.path.end())))
            << c.path;
        EXPECT_EQ(c.parent, PathName::Parent(c.path)) << c.path;
    }
    // A wide name keeps its characters beyond ASCII.
    EXPECT_EQ(L"\u00e9t\u00e9.mts",
              PathName::Last(std::wstring(L"/vid\u00e9os/\u00e9t\u00e9.mts")));
}

} // namespace
} // namespace veldrun
