#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The input list without a window: the clips' full paths in join order and the one selected
// entry. It is the list's authoritative store; a view (the dialog's list box) mirrors it through
// the changes it is told of, in the order they are made. Duplicates are allowed, nothing is
// sorted unless asked, and a selection index of -1 means none.
class InputList {
public:
    // Told of every change, as a Win32 list box would be asked to make it.
    class View {
    public:
        virtual ~View() = default;
        virtual void Inserted(int index, const std::wstring& path) = 0;
        virtual void Removed(int index) = 0;
        // -1 clears the selection.
        virtual void Selected(int index) = 0;
    };

    // True when the first path sorts before the second.
    typedef std::function<bool(const std::wstring&, const std::wstring&)> PathLess;

    explicit InputList(View* view = nullptr) : m_view(view) {}

    int Count() const { return static_cast<int>(m_paths.size()); }
    const std::vector<std::wstring>& Paths() const { return m_paths; }
    const std::wstring& Path(int index) const { return m_paths[static_cast<std::size_t>(index)]; }
    int Selection() const { return m_selection; }
    // The selected path, or null.
    const std::wstring* SelectedPath() const;

    // Selects `index`, or nothing for an index outside the list.
    void Select(int index);
    // Takes the selection that the view's user made, without telling the view.
    void FollowSelection(int index);

    // Appends `path`; the selection stays on its entry.
    void Add(const std::wstring& path);
    // Removes the selected entry and selects the one that followed it, else the new last
    // entry, else nothing. False when nothing was selected.
    bool Remove();
    // Swap the selected entry with its neighbour; it stays selected. False at the ends of the
    // list and without a selection.
    bool MoveUp();
    bool MoveDown();
    // Puts the entries in `order` (indexes of the entries as listed, each once); the selected
    // entry stays selected. False when the order changes nothing.
    bool Reorder(const std::vector<std::size_t>& order);
    // The indexes of the entries in the order of `less`, equal paths in list order.
    std::vector<std::size_t> SortedOrder(const PathLess& less) const;
    // The view has moved entry `from` to `to` itself (a drag); the list follows, without
    // telling the view, and the moved entry is selected.
    void FollowMove(int from, int to);

    // The entries that a multiple-selection result of a file dialog names: `buffer` holds the
    // folder, a NUL, each chosen name followed by a NUL, and one more NUL, within `size`
    // characters. The separator is added even after a folder that ends in one, such as the root.
    static std::vector<std::wstring> SelectionEntries(const wchar_t* buffer, std::size_t size);
    // Of several names dropped or chosen at once: those to list, in the natural order of
    // `less` (dialogs and file managers hand names over in click order), leaving out those that
    // `listable` refuses (missing, folders).
    static std::vector<std::wstring>
    Arriving(std::vector<std::wstring> names, const PathLess& less,
             const std::function<bool(const std::wstring&)>& listable);

private:
    void Insert(int index, const std::wstring& path);
    void Erase(int index);
    void SetSelection(int index);
    void Swap(int upper);

    View* m_view;
    std::vector<std::wstring> m_paths;
    int m_selection = -1;
};
