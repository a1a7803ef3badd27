#pragma once

#include <string>
#include <vector>

// The names of the files of one drop, in the drop's order; an HDROP points at one.
class DropFileList {
public:
    explicit DropFileList(std::vector<std::wstring> names) : m_names(std::move(names)) {}

    const std::vector<std::wstring>& Names() const { return m_names; }

private:
    std::vector<std::wstring> m_names;
};
