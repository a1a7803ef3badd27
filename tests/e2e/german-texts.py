"""The German texts of the real program's main window and message boxes, read over AT-SPI,
for german.sh.

Usage: german-texts.py PID main OUTPUT  names OUTPUT, an existing file, and presses Merge: the
                                        replace question must be German; it answers No.
       german-texts.py PID quit         the quit question must be German; it answers Quit.
Ends with status 1 and what it found, when a text is not the German one.
"""

import sys

import atspi

BUTTONS = [
    "Hinzufügen",
    "Ordner...",
    "Entfernen",
    "Nach oben",
    "Nach unten",
    "Auswählen...",
    "Verbinden",
]
CHECK_BOXES = ["Eine Datei pro Aufnahme", "Nach dem Schreiben prüfen"]
COLUMNS = ["Name", "Aufgenommen", "Länge", "Größe", "Ordner"]


def box_saying(app, words):
    """The program's window, other than the main one, with a node that says `words`."""

    def probe():
        for window in atspi.windows(app):
            for node in atspi.walk(window):
                if words in atspi.name(node) or words in atspi.text(node):
                    return window
        return None

    try:
        return atspi._retry_until(f"a box saying {words!r}", 20, probe)
    except atspi.AtspiError:
        for window in atspi.windows(app):
            print(atspi.dump(window))
        raise


def check_main(app, output):
    window = atspi.wait_for_window(app, "Veldrun")
    problems = []
    for name in BUTTONS:
        if not atspi.find_all(window, "push button", name):
            problems.append(f"no button {name!r}")
    for name in CHECK_BOXES:
        if not atspi.find_all(window, "check box", name):
            problems.append(f"no check box {name!r}")
    headers = {atspi.name(node) for node in atspi.find_all(window, "table column header")}
    for name in COLUMNS:
        if name not in headers:
            problems.append(f"no column {name!r} among {sorted(headers)}")
    if problems:
        print(atspi.dump(window))
        raise SystemExit("\n".join(problems))

    field = atspi.find(window, "text", "Ausgabedatei")
    atspi.set_text(field, output)
    merge = atspi.find(window, "push button", "Verbinden")
    atspi.wait_until("Merge to be enabled", lambda: atspi.has_state(merge, "enabled"))
    atspi.press(merge)
    box = box_saying(app, "ist bereits vorhanden.\nMöchten Sie die Datei ersetzen?")
    # Qt's own buttons, from Qt's translations.
    atspi.find(box, "push button", "Ja")
    atspi.press(atspi.find(box, "push button", "Nein"))
    # Done once the question has gone and the main window alone shows.
    atspi.wait_until(
        "the question to close",
        lambda: [atspi.name(w) for w in atspi.windows(app) if atspi.has_state(w, "showing")]
        == ["Veldrun"],
    )


def check_quit(app):
    box = box_saying(app, "Veldrun beenden und die Liste mit 1 Clip verwerfen?")
    atspi.find(box, "push button", "Abbrechen")
    atspi.press(atspi.find(box, "push button", "Beenden"))


def main(pid, phase, *rest):
    app = atspi.find_application(pid=pid)
    if phase == "main":
        check_main(app, rest[0])
    else:
        check_quit(app)


if __name__ == "__main__":
    try:
        main(int(sys.argv[1]), *sys.argv[2:])
    except atspi.AtspiError as error:
        raise SystemExit(f"FAILED: {error}") from None
