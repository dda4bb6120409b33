"""The steps an operator takes on the program's screens, shared by the road's legs: starting the
program, answering its message boxes, the grid setup, recording, frame selection and the
measurement screen."""
import os
import re
import subprocess
import time

from operator_at_screen import RoadFailure, wait_until
from road_records import differing_share

MAIN = "Leapmark 2005"
CAPTURE = "Capture Screen"
FRAME_SELECTION = "Frame Selection"
MEASURE = "Measure"
GRID_SETUP = "Grid Setup"


class Program:
    """One run of the real program on its own folders and settings."""

    def __init__(self, build_dir, work, name, settings_lines):
        self.work = os.path.join(work, name)
        self.folders = {f: os.path.join(self.work, f) for f in ("videos", "app", "qxio", "scratch")}
        for folder in self.folders.values():
            os.makedirs(folder, exist_ok=True)
        self.settings = os.path.join(self.work, "settings.ini")
        with open(self.settings, "w") as f:
            f.write("[Settings]\n")
            f.write(f"logpath={self.folders['videos']}\n")
            for line in settings_lines:
                f.write(line + "\n")
        self.build_dir = build_dir
        self.log_path = os.path.join(self.work, "leapmark.log")
        self.process = None

    def start(self):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        self.process = subprocess.Popen(
            [os.path.join(self.build_dir, "leapmark"), "--app-dir", self.folders["app"], "--settings",
             self.settings, "--exchange-dir", self.folders["qxio"]],
            env=env, stdout=open(self.log_path, "w"), stderr=subprocess.STDOUT)

    def stop(self):
        if self.process is None:
            return
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


# Message boxes.

def _is_message_box(op, window):
    # File dialogs are dialogs too, but they have a Cancel and message boxes of this program never do.
    if window.getRoleName() not in ("dialog", "alert"):
        return False
    return op._search(window, "Cancel", "push button", True) is None


def message_text(op, box):
    return " | ".join([box.name or ""] + op.texts_in(box))


def answer_messages(op, answers=(), until=None, quiet_seconds=1.5, timeout=30.0):
    """Answers message boxes as they come up: with the button of the first (text part, button) of
    answers whose part is in the message, else OK. Returns when until() is true and no box is up,
    or without until when none has come for quiet_seconds. Gives the texts answered."""
    texts = []
    end = time.time() + timeout
    quiet_since = time.time()
    while True:
        boxes = [w for w in op.windows() if _is_message_box(op, w)]
        if boxes:
            box = boxes[0]
            text = message_text(op, box)
            answer = next((button for part, button in answers if part in text), "OK")
            op.shot("message")
            op.log(f"message {text!r}: {answer}")
            op.click(op.find(box, answer, "push button", timeout=2.0))
            wait_until(f"the message {text!r} to close", lambda: box not in op.windows(), timeout=5.0)
            texts.append(text)
            quiet_since = time.time()
            continue
        if until is not None and until():
            return texts
        if until is None and time.time() - quiet_since >= quiet_seconds:
            return texts
        if time.time() > end:
            raise RoadFailure(f"waited {timeout:.0f} s; messages answered meanwhile: {texts}")
        time.sleep(0.1)


def answer_until_window(op, title_part, answers=(), timeout=30.0):
    """Answers messages until a window of that title shows; gives the window and the texts."""
    exact = title_part == MAIN  # every screen's title starts with the main screen's
    texts = answer_messages(op, answers, until=lambda: op.showing_window(title_part, exact), timeout=timeout)
    return op.showing_window(title_part, exact), texts


# Start-up and the grid setup.

def start_up(op):
    """From the program's start to the main screen, through the configuration screen."""
    config, _ = answer_until_window(op, "Configuration", [("Emergency Parameter Reset", "No")])
    op.shot("configuration")
    # The menu's own mnemonic, as an operator leaves the screen from the keyboard.
    op.find(config, "Exit and Save Parameters")
    op.key("alt+x")
    main, _ = answer_until_window(op, MAIN)
    wait_until("the configuration screen to close", lambda: op.showing_window("Configuration") is None)
    op.shot("main")
    return main


def set_up_grid(op, main, grid_file):
    op.click(op.find(main, "Go to Setup", "push button"))
    setup = op.wait_window(GRID_SETUP)
    op.shot("grid-setup")
    op.find(setup, "Load File")
    op.key("alt+l")
    op.wait_window("Open", timeout=10.0)
    op.shot("grid-file-dialog")
    op.type(grid_file)
    op.key("Return")
    wait_until("the file dialog to close", lambda: op.showing_window("Open") is None)
    file_box = op.find(setup, "Grid file", "text")
    texts = answer_messages(op, until=lambda: op.text_of(file_box) == grid_file)
    op.shot("grid-loaded")
    if texts:
        raise RoadFailure(f"loading {grid_file} said {texts}")
    # A click on a label of the screen gives it the keyboard back, as it would for an operator.
    op.click(op.find(setup, "Grid Point Selection"))
    op.key("alt+x")
    main, _ = answer_until_window(op, MAIN, [("not complete", "Yes")])
    return main


def only_screen(op, title_part):
    """Fails unless exactly one full screen shows, and it is the one named."""
    screens = [w.name for w in op.screens()]
    if len(screens) != 1 or title_part not in screens[0] or (title_part == MAIN and screens[0] != MAIN):
        raise RoadFailure(f"expected {title_part!r} as the one full screen, showing: {screens}")


# Recording.

def name_skier_on_capture(op, capture, skier):
    name_box = op.find(capture, "Skier Name", "text")
    op.click(name_box)
    op.key("ctrl+a")
    op.type(skier)


def start_recording(op, capture):
    """Start Recording; gives the time it was pressed, once the recording runs."""
    start = op.find(capture, "Start Recording (skier hits ramp)", "push button", exact=False)
    stop = op.find(capture, "Stop Recording", "push button")
    started = time.time()
    op.click(start)
    wait_until("the recording to start (Stop Recording enabled)", lambda: op.enabled(stop), timeout=5.0,
               interval=0.02)
    return started


# Frame selection.

def frame_label(op, frames):
    return op.find(frames, "Frame ", "label", exact=False).name


def frame_shown(op, frames):
    """The frame the label names ("Frame 90 of 119", counted from 0) and the frames in the file."""
    parts = frame_label(op, frames).split()
    return int(parts[1]), int(parts[3])


def go_to_suggested_frame(op, frames):
    suggestion = op.find(frames, "Go to suggested frame", "push button", timeout=30.0)
    wait_until("a suggested contact frame", lambda: op.enabled(suggestion), timeout=30.0, interval=0.3)
    # The player takes the keys once it has the focus.
    op.click(op.find(frames, "Previous frame", "push button"))
    op.key("alt+g")
    text = op.find(frames, "Suggested contact frame", "label", exact=False).name
    # "Suggested contact frame 75 (96% sure)"
    target = int(re.search(r"Suggested contact frame (\d+)", text).group(1))
    wait_until(f"frame {target} shown", lambda: frame_shown(op, frames)[0] == target)
    return target


def step_to_frame(op, frames, target):
    """Steps with the player's buttons to the frame, one frame at a time, as an operator would."""
    for _ in range(200):
        shown = frame_shown(op, frames)[0]
        if shown == target:
            return
        button = op.find(frames, "Next frame" if shown < target else "Previous frame", "push button")
        op.click(button)
        wait_until(f"the player to leave frame {shown}", lambda: frame_shown(op, frames)[0] != shown, timeout=5.0)
    raise RoadFailure(f"could not step to frame {target}")


def open_video_in_frame_selection(op, frames, video):
    """The browse button "...", the file dialog, the video's path typed."""
    op.click(op.find(frames, "Browse for File to View", "push button"))
    op.wait_window("Open", timeout=10.0)
    op.shot("video-file-dialog")
    op.type(video)
    op.key("Return")
    wait_until("the file dialog to close", lambda: op.showing_window("Open") is None)
    texts = answer_messages(op, until=lambda: video in op.text_of(op.find(frames, "Video file", "text")))
    return texts


def mark_frame(op, answers=(("save this video capture", "Yes"),)):
    """Use displayed frame to measure jump, by its mnemonic; answers the messages up to the
    measurement screen, which it gives with their texts."""
    op.key("alt+u")
    return answer_until_window(op, MEASURE, answers)


# The measurement screen.

def picture_place(op, measure):
    """The screen place of the measurement screen's picture: its top-left pixel and the size shown."""
    x, y, w, h = op.extents(op.find(measure, "Jump picture"))
    frame = 1  # the picture's frame line
    return x + frame, y + frame, w - 2 * frame, h - 2 * frame


def click_landing(op, measure, landing_pixel):
    """Clicks the picture pixel nearest the landing, the picture shown 1:1 from its corner."""
    x, y, _, _ = picture_place(op, measure)
    px, py = round(landing_pixel[0]), round(landing_pixel[1])
    op.click_at(x + px, y + py)
    return px, py


def picture_difference(op, measure, bitmap, shot_name):
    """Takes a screenshot and gives the share of the picture shown that differs from the bitmap."""
    shot = op.shot(shot_name)
    x, y, w, h = picture_place(op, measure)
    return differing_share(shot, x, y, w, h, bitmap)


def type_skier_on_measure(op, measure, skier):
    # The measurement screen's own skier box: typing the name starts the skier at jump 1.
    op.click(op.find(measure, "Skier Name", "combo box"))
    op.key("ctrl+a")
    op.type(skier)
