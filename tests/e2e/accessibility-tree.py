"""The main window's accessibility tree as a screen reader gets it, for accessibility.sh.

Usage: accessibility-tree.py PID  (the program's process id, on this session's AT-SPI bus)
Ends with status 1 and the tree, when something is missing or wrong.
"""

import sys

import atspi

BUTTONS = ["Add", "Add Folder...", "Remove", "Move Up", "Move Down", "Select...", "Merge"]
CHECK_BOXES = ["One file per recording", "Verify after writing"]
# The marks in words that rows of the card's list must say.
MARKS = ["New recording", "Not a transport stream"]

problems = []


def check(condition, problem):
    if not condition:
        problems.append(problem)


def main(pid):
    app = atspi.find_application(pid=pid)
    window = atspi.wait_for_window(app, "Veldrun")

    lists = [node for node in atspi.walk(window) if atspi.name(node) == "Input Files"]
    check(len(lists) == 1, f"{len(lists)} nodes named 'Input Files', want the list alone")
    if lists:
        check(
            atspi.role(lists[0]) in ("tree table", "table", "list", "tree"),
            f"'Input Files' is a {atspi.role(lists[0])}, not the list",
        )

    for name in BUTTONS:
        atspi.find(window, "push button", name)
    for name in CHECK_BOXES:
        atspi.find(window, "check box", name)
    # Merge is disabled until an output is named; the state change reaches the tree.
    merge = atspi.find(window, "push button", "Merge")
    check(not atspi.has_state(merge, "enabled"), "Merge is enabled without an output")
    output = atspi.find(window, "text", "Output File")
    atspi.set_text(output, "/tmp/joined.mts")
    atspi.wait_until("Merge to be enabled", lambda: atspi.has_state(merge, "enabled"))

    # Read-only fields: named, and tied to the label the window shows above them.
    for name in ("Current Selection", "File Size"):
        field = atspi.find(window, "text", name)
        labels = atspi.labelled_by(field)
        check(labels == [name + ":"], f"'{name}' is labelled by {labels}")
        check(atspi.has_state(field, "read only"), f"'{name}' is not read-only")

    # The card's clips are read in the background: wait until the rows say their marks.
    if lists:
        for mark in MARKS:
            try:
                atspi.wait_until(
                    f"a row saying '{mark}'",
                    lambda: any(mark in atspi.name(row) for row in atspi.walk(lists[0])),
                )
            except atspi.AtspiError as error:
                problems.append(str(error))

    # A button pressed through its action: Add opens the file dialog, which Cancel closes.
    atspi.press(atspi.find(window, "push button", "Add"))
    files = atspi.wait_for_window(app, "Select Streams")
    atspi.press(atspi.find(files, "push button", "Cancel"))
    atspi.wait_until(
        "the file dialog to close",
        lambda: not any(atspi.name(w) == "Select Streams" and atspi.has_state(w, "showing")
                        for w in atspi.windows(app)),
    )

    if problems:
        # The tree first: the test shows the end of this output.
        print(atspi.dump(window), file=sys.stderr)
        print("\n".join(problems), file=sys.stderr)
        return 1
    rows = sum(1 for node in atspi.walk(lists[0]) if any(m in atspi.name(node) for m in MARKS))
    print(f"accessibility tree: named controls, labelled fields, {rows} cells saying a mark")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(int(sys.argv[1])))
    except atspi.AtspiError as error:
        print(f"FAILED: {error}", file=sys.stderr)
        sys.exit(1)
