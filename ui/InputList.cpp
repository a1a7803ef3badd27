#include "ui/InputList.h"

#include <algorithm>
#include <numeric>

const std::wstring* InputList::SelectedPath() const {
    return m_selection >= 0 ? &m_paths[static_cast<std::size_t>(m_selection)] : nullptr;
}

void InputList::Select(int index) {
    SetSelection(index >= 0 && index < Count() ? index : -1);
}

void InputList::FollowSelection(int index) {
    m_selection = index >= 0 && index < Count() ? index : -1;
}

void InputList::Add(const std::wstring& path) {
    Insert(Count(), path);
}

bool InputList::Remove() {
    int index = m_selection;
    if (index < 0)
        return false;
    Erase(index);
    if (index >= Count())
        index = Count() - 1;
    SetSelection(index);
    return true;
}

bool InputList::MoveUp() {
    if (m_selection <= 0)
        return false;
    const int upper = m_selection - 1;
    Swap(upper);
    SetSelection(upper);
    return true;
}

bool InputList::MoveDown() {
    if (m_selection < 0 || m_selection >= Count() - 1)
        return false;
    const int lower = m_selection + 1;
    Swap(m_selection);
    SetSelection(lower);
    return true;
}

// The view deletes both entries and inserts them the other way round, as a list box must.
void InputList::Swap(int upper) {
    const std::wstring above = m_paths[upper];
    const std::wstring below = m_paths[upper + 1];
    Erase(upper + 1);
    Erase(upper);
    Insert(upper, below);
    Insert(upper + 1, above);
}

bool InputList::Reorder(const std::vector<std::size_t>& order) {
    std::vector<std::size_t> same(m_paths.size());
    std::iota(same.begin(), same.end(), 0);
    if (order == same || order.size() != m_paths.size())
        return false;
    const std::vector<std::wstring> before = m_paths;
    const int selected = m_selection;
    for (int i = Count() - 1; i >= 0; --i)
        Erase(i);
    int newSelection = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        Insert(static_cast<int>(i), before[order[i]]);
        if (static_cast<int>(order[i]) == selected)
            newSelection = static_cast<int>(i);
    }
    SetSelection(newSelection);
    return true;
}

std::vector<std::size_t> InputList::SortedOrder(const PathLess& less) const {
    std::vector<std::size_t> order(m_paths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return less(m_paths[a], m_paths[b]); });
    return order;
}

void InputList::FollowMove(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count())
        return;
    const std::wstring moved = m_paths[from];
    m_paths.erase(m_paths.begin() + from);
    m_paths.insert(m_paths.begin() + to, moved);
    m_selection = to;
}

std::vector<std::wstring> InputList::SelectionEntries(const wchar_t* buffer, std::size_t size) {
    std::vector<std::wstring> entries;
    std::wstring folder;
    std::wstring piece;
    bool first = true;
    for (std::size_t at = 0; at < size; ++at) {
        if (buffer[at] != L'\0') {
            piece += buffer[at];
            continue;
        }
        if (first)
            folder = piece + L"/";
        else
            entries.push_back(folder + piece);
        first = false;
        piece.clear();
        if (at + 1 >= size || buffer[at + 1] == L'\0')
            break;
    }
    return entries;
}

std::vector<std::wstring>
InputList::Arriving(std::vector<std::wstring> names, const PathLess& less,
                    const std::function<bool(const std::wstring&)>& listable) {
    std::stable_sort(names.begin(), names.end(), less);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](const std::wstring& name) { return !listable(name); }),
                names.end());
    return names;
}

void InputList::Insert(int index, const std::wstring& path) {
    m_paths.insert(m_paths.begin() + index, path);
    if (m_selection >= index)
        ++m_selection;
    if (m_view)
        m_view->Inserted(index, path);
}

// A list box clears its selection when the selected entry goes.
void InputList::Erase(int index) {
    m_paths.erase(m_paths.begin() + index);
    if (m_selection == index)
        m_selection = -1;
    else if (m_selection > index)
        --m_selection;
    if (m_view)
        m_view->Removed(index);
}

void InputList::SetSelection(int index) {
    m_selection = index;
    if (m_view)
        m_view->Selected(index);
}
