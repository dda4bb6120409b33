"""An operator at the real program: finds controls by their accessible names (AT-SPI), moves the
mouse and presses keys with xdotool, and keeps a screenshot of every screen it passes."""
import os
import subprocess
import time

import pyatspi


class RoadFailure(Exception):
    pass


def _extents(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return ext.x, ext.y, ext.width, ext.height


def _showing(node):
    return has_state(node, pyatspi.STATE_SHOWING)


def has_state(node, state):
    try:
        return node.getState().contains(state)
    except Exception:
        return False


def wait_until(what, condition, timeout=10.0, interval=0.1):
    """Gives condition()'s first true value, or fails naming what was awaited."""
    end = time.time() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.time() >= end:
            raise RoadFailure(f"waited {timeout:.0f} s for {what}")
        time.sleep(interval)


class Operator:
    def __init__(self, shots_dir, app_name="Leapmark", log=print):
        self.shots_dir = shots_dir
        self.app_name = app_name
        self.log = log
        self.shot_count = 0
        os.makedirs(shots_dir, exist_ok=True)

    # Finding things.

    def _application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == self.app_name:
                return app
        return None

    def windows(self):
        app = self._application()
        if app is None:
            return []
        return [w for w in app if w is not None and _showing(w)]

    def screens(self):
        """The full screens showing (message boxes and file dialogs are not screens)."""
        return [w for w in self.windows() if w.getRoleName() == "frame"]

    def showing_window(self, title_part, exact=False):
        for window in self.windows():
            name = window.name or ""
            if name == title_part or (not exact and title_part in name):
                return window
        return None

    def wait_window(self, title_part, timeout=20.0, exact=False):
        end = time.time() + timeout
        while time.time() < end:
            window = self.showing_window(title_part, exact)
            if window is not None:
                return window
            time.sleep(0.1)
        names = [w.name for w in self.windows()]
        raise RoadFailure(f"no window titled like {title_part!r} appeared; showing: {names}")

    def find(self, window, name, role=None, timeout=10.0, exact=True):
        end = time.time() + timeout
        while True:
            found = self._search(window, name, role, exact)
            if found is not None:
                return found
            if time.time() >= end:
                raise RoadFailure(f"no control {name!r} ({role}) on {window.name!r}")
            time.sleep(0.2)

    def _search(self, node, name, role, exact):
        for child in node:
            if child is None:
                continue
            # Captions are read as they stand: runs of blanks count as one.
            label = " ".join((child.name or "").split())
            matches = label == name if exact else name in label
            if matches and (role is None or child.getRoleName() == role) and _showing(child):
                return child
            below = self._search(child, name, role, exact)
            if below is not None:
                return below
        return None

    def dump(self, path):
        """Writes every showing window's controls, role, name and place, for a failure's record."""
        with open(path, "w") as out:
            def walk(node, depth):
                try:
                    place = _extents(node)
                except Exception:
                    place = None
                out.write(f"{'  ' * depth}{node.getRoleName()} {node.name!r} {place}\n")
                for child in node:
                    if child is not None and depth < 12:
                        walk(child, depth + 1)
            for window in self.windows():
                walk(window, 0)

    def focused(self, node):
        return has_state(node, pyatspi.STATE_FOCUSED)

    def active(self, window):
        return has_state(window, pyatspi.STATE_ACTIVE)

    def enabled(self, node):
        return has_state(node, pyatspi.STATE_ENABLED)

    def walk(self, node):
        """Every control below node, in tree order."""
        for child in node:
            if child is None:
                continue
            yield child
            yield from self.walk(child)

    def texts_in(self, node, roles=("label",)):
        """The names of the controls of these roles below node, in tree order."""
        found = []
        for child in node:
            if child is None:
                continue
            if child.getRoleName() in roles and child.name:
                found.append(child.name)
            found.extend(self.texts_in(child, roles))
        return found

    def text_of(self, node):
        try:
            text = node.queryText()
            return text.getText(0, text.characterCount)
        except Exception:
            return node.name or ""

    # Acting.

    def click_at(self, x, y, button=1):
        subprocess.run(["xdotool", "mousemove", "--sync", str(int(x)), str(int(y))], check=True)
        time.sleep(0.05)
        subprocess.run(["xdotool", "click", str(button)], check=True)
        time.sleep(0.15)

    def click(self, node):
        x, y, w, h = _extents(node)
        if w <= 0 or h <= 0:
            raise RoadFailure(f"control {node.name!r} has no place on the screen")
        self.log(f"click {node.name!r}")
        self.click_at(x + w / 2, y + h / 2)

    def click_then_key(self, node, key, after_seconds):
        """Clicks the control and presses the key a set moment later, as one quick operator does;
        gives the moment of the click."""
        x, y, w, h = _extents(node)
        subprocess.run(["xdotool", "mousemove", "--sync", str(int(x + w / 2)), str(int(y + h / 2))], check=True)
        self.log(f"click {node.name!r}, {key} {after_seconds} s later")
        clicked = time.time()
        subprocess.run(["xdotool", "click", "1", "sleep", str(after_seconds), "key", key], check=True)
        return clicked

    def extents(self, node):
        return _extents(node)

    def key(self, *keys):
        self.log("key " + " ".join(keys))
        subprocess.run(["xdotool", "key", "--delay", "60", *keys], check=True)
        time.sleep(0.15)

    def type(self, text):
        self.log(f"type {text!r}")
        subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)
        time.sleep(0.1)

    def close_by_window_manager(self, title_part):
        """Closes a window as an operator does on a desktop: the window manager's close (Alt+F4)
        on the window brought to the front, which sends the program WM_DELETE_WINDOW."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_part],
                               capture_output=True, text=True).stdout.split()
        if len(found) != 1:
            raise RoadFailure(f"expected one window titled like {title_part!r}, found {len(found)}")
        subprocess.run(["xdotool", "windowactivate", "--sync", found[0]], check=True)
        self.log(f"window manager close of {title_part!r}")
        subprocess.run(["xdotool", "key", "alt+F4"], check=True)

    def shot(self, name):
        self.shot_count += 1
        path = os.path.join(self.shots_dir, f"{self.shot_count:02d}-{name}.png")
        subprocess.run(["import", "-window", "root", path], check=False)
        self.log(f"screenshot {path}")
        return path
