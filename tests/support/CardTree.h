#pragma once

#include <string>
#include <vector>

namespace veldrun {
namespace test {

// A camcorder's card copied into a folder, with what a search for clips must pass over: the
// card's other files (CLIPINF, PLAYLIST, INDEX.BDM), a second camcorder layout, clips in
// natural order and in mixed case, hidden files and folders, an empty folder, a pipe, a link
// loop, a link that leaves the card and one that stays inside it. Each clip holds bytes of its
// own (TempDir::Pattern), so that a lost or misplaced clip shows in a joined output.
class CardTree {
public:
    // Builds the card as `folder`/card, and the place its leaving link points to beside it.
    explicit CardTree(const std::string& folder);

    // The card's top folder.
    const std::string& Root() const { return m_root; }
    // The clips a search must find, in the order it must find them.
    const std::vector<std::string>& Clips() const { return m_clips; }
    // The clips' bytes joined in that order.
    std::string Joined() const;

private:
    std::string m_root;
    std::vector<std::string> m_clips;
};

} // namespace test
} // namespace veldrun
