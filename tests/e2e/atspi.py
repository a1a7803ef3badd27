"""The accessibility tree of a running program, read over AT-SPI as a screen reader reads it.

For the end-to-end tests: find the program on the accessibility bus, wait for one of its
windows, walk and search its tree, read what a node says about itself (role, name,
description, states, text, the labels tied to it) and act on it (press a button).

Needs Debian's python3-pyatspi, which the system Python has (a python3 earlier on PATH may
not): run with /usr/bin/python3. The program must be on the same session bus with its
accessibility bridge on; atspi.sh starts that session.

Every wait has a deadline and raises AtspiError when it passes, saying what it waited for, so
that a test fails with a reason instead of hanging.
"""

import time

import pyatspi

# A call into a program that is busy (or gone) waits this long before failing, not D-Bus's
# default of 25 s per call.
_CALL_TIMEOUT_MS = 3000
try:
    from gi.repository import Atspi

    Atspi.set_timeout(_CALL_TIMEOUT_MS, -1)
except (ImportError, AttributeError):
    pass


class AtspiError(Exception):
    """A node or program was not found in time, or a node could not do what was asked."""


def _retry_until(what, timeout, probe, interval=0.1):
    """Calls probe() until it returns something other than None and returns that. A bus
    error counts as "not yet": a window being built can vanish between two calls."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            found = probe()
            if found is not None:
                return found
        except Exception as error:  # noqa: BLE001 - GLib errors from the bus have no common base
            last_error = error
        if time.monotonic() >= deadline:
            reason = f" (last error: {last_error})" if last_error else ""
            raise AtspiError(f"timed out after {timeout} s waiting for {what}{reason}")
        time.sleep(interval)


def _safe(call, default=None):
    try:
        return call()
    except Exception:  # noqa: BLE001
        return default


# --- Reading one node ------------------------------------------------------------------------


def role(node):
    """The role as AT-SPI names it: "push button", "list", "text", "dialog", ..."""
    return node.getRoleName()


def name(node):
    return node.name or ""


def description(node):
    return node.description or ""


def states(node):
    """The node's states as lower-case names: {"focusable", "focused", "enabled", ...}."""
    return {pyatspi.stateToString(state) for state in node.getState().getStates()}


def has_state(node, state_name):
    return state_name in states(node)


def children(node):
    """The node's children that could still be read (a child can go while the list is taken)."""
    result = []
    for index in range(_safe(lambda: node.childCount, 0)):
        child = _safe(lambda: node.getChildAtIndex(index))
        if child is not None:
            result.append(child)
    return result


def relation_targets(node, relation_type):
    """The nodes a relation of the given type (pyatspi.RELATION_*) points to."""
    targets = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == relation_type:
            targets.extend(relation.getTarget(i) for i in range(relation.getNTargets()))
    return targets


def labelled_by(node):
    """The names of the labels tied to the node (its labelled-by relation)."""
    return [name(label) for label in relation_targets(node, pyatspi.RELATION_LABELLED_BY)]


def text(node):
    """The node's text through its Text interface ("" when it has none): an edit field's
    contents, a label's or a list item's words."""
    try:
        interface = node.queryText()
    except NotImplementedError:
        return ""
    return interface.getText(0, interface.characterCount)


def set_text(node, new_text):
    """Replaces an editable field's text, as typing would (the program is told of the change).
    Raises AtspiError when the field cannot be edited."""
    try:
        editable = node.queryEditableText()
    except NotImplementedError:
        raise AtspiError(f"{describe(node)} cannot be edited") from None
    if not editable.setTextContents(new_text):
        raise AtspiError(f"{describe(node)} refused the text {new_text!r}")


def action_names(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def do_action(node, action_name="press"):
    """Does the node's action of that name (compared ignoring case: Qt says "Press", GTK
    "click"). Raises AtspiError when the node has no such action or refuses it."""
    try:
        action = node.queryAction()
    except NotImplementedError:
        raise AtspiError(f"{describe(node)} has no actions") from None
    names = [action.getName(i) for i in range(action.nActions)]
    for index, candidate in enumerate(names):
        if candidate.lower() == action_name.lower():
            if not action.doAction(index):
                raise AtspiError(f"{describe(node)} refused the action {candidate!r}")
            return
    raise AtspiError(f"{describe(node)} has no action {action_name!r}, only {names}")


def press(node):
    do_action(node, "press")


def describe(node):
    """One line for a failure message: role, name and, when set, the description."""
    line = f"{role(node)} {name(node)!r}"
    if description(node):
        line += f" ({description(node)!r})"
    return line


# --- Trees ------------------------------------------------------------------------------------


def walk(root, max_depth=50):
    """The nodes under root, root first, depth first in the tree's order."""
    stack = [(root, 0)]
    while stack:
        node, depth = stack.pop()
        yield node
        if depth < max_depth:
            stack.extend((child, depth + 1) for child in reversed(children(node)))


def _matches(node, role_name, node_name):
    if role_name is not None and _safe(lambda: role(node)) != role_name:
        return False
    if node_name is not None and _safe(lambda: name(node)) != node_name:
        return False
    return True


def find_all(root, role_name=None, node_name=None):
    """Every node under root (root included) with that role and name; None matches any."""
    return [node for node in walk(root) if _matches(node, role_name, node_name)]


def find(root, role_name=None, node_name=None):
    """The one node under root with that role and name. Raises AtspiError when there is none or
    more than one, listing what there is, so that a renamed control shows in the failure."""
    found = find_all(root, role_name, node_name)
    if len(found) == 1:
        return found[0]
    if not found:
        present = sorted(
            {describe(node) for node in walk(root) if role_name is None or role(node) == role_name}
        )
        raise AtspiError(
            f"no {role_name or 'node'} named {node_name!r}; there are: " + "; ".join(present)
        )
    raise AtspiError(f"{len(found)} nodes are {role_name or 'any role'} named {node_name!r}")


def wait_find(root, role_name=None, node_name=None, timeout=20):
    """find(), retried until the node shows or the deadline passes."""
    return _retry_until(
        f"a {role_name or 'node'} named {node_name!r}",
        timeout,
        lambda: (find_all(root, role_name, node_name) or [None])[0],
    )


def dump(root, max_depth=50):
    """The tree as indented lines (role, name, description, labels), for a failure message or
    for finding out what a program shows."""
    lines = []
    stack = [(root, 0)]
    while stack:
        node, depth = stack.pop()
        line = "  " * depth + _safe(lambda: describe(node), "<gone>")
        labels = _safe(lambda: labelled_by(node), [])
        if labels:
            line += f" labelled by {labels}"
        lines.append(line)
        if depth < max_depth:
            stack.extend((child, depth + 1) for child in reversed(children(node)))
    return "\n".join(lines)


# --- Programs and windows ---------------------------------------------------------------------


def desktop():
    return pyatspi.Registry.getDesktop(0)


def applications():
    return children(desktop())


def find_application(app_name=None, pid=None, timeout=20):
    """The program on the bus with that name (Qt's application name) and/or process id, once
    it has registered."""
    if app_name is None and pid is None:
        raise ValueError("give the application's name, its process id, or both")

    def probe():
        for app in applications():
            if app_name is not None and _safe(lambda: app.name) != app_name:
                continue
            if pid is not None and _safe(lambda: app.get_process_id()) != pid:
                continue
            return app
        return None

    what = "the application" + (f" {app_name!r}" if app_name else "")
    what += f" (pid {pid})" if pid is not None else ""
    try:
        return _retry_until(what, timeout, probe)
    except AtspiError as error:
        present = [f"{_safe(lambda: a.name)!r}" for a in applications()]
        raise AtspiError(f"{error}; on the bus: {', '.join(present) or 'nothing'}") from None


def windows(app):
    """The program's top-level windows (frames, dialogs, alerts...)."""
    return children(app)


def wait_for_window(app, window_name, timeout=20, showing=True):
    """The program's top-level window with that name (its title), once it shows."""

    def probe():
        for window in windows(app):
            if name(window) == window_name and (not showing or has_state(window, "showing")):
                return window
        return None

    try:
        return _retry_until(f"the window {window_name!r}", timeout, probe)
    except AtspiError as error:
        present = [describe(window) for window in windows(app)]
        raise AtspiError(f"{error}; windows: {', '.join(present) or 'none'}") from None


def wait_until(what, condition, timeout=20):
    """Waits until condition() is true (a bus error counts as false)."""
    _retry_until(what, timeout, lambda: True if condition() else None)
