"""The road of one jump through the real program in a real window, driven as an operator would:
start-up, the grid setup (the simulator's grid file loaded), capture of a jump from the simulated
camera, frame selection at the suggested contact frame, the mark, the click on the landing and
Record Jump. Then the files the jump wrote are checked, and the distance against the truth.

Run by scripts/road-in-window.sh, which gives it a display, a session bus and the folders:
    road_in_window.py BUILD_DIR WORK_DIR
"""
import os
import re
import subprocess
import sys
import time

from operator_at_screen import Operator, RoadFailure


def message_box(op, answer, text_part=None, timeout=20.0):
    """Answers the next message box by its button, checking its text where given."""
    end = time.time() + timeout
    while time.time() < end:
        for window in op.windows():
            if window.getRoleName() not in ("dialog", "alert"):
                continue
            if text_part is not None and text_part not in (window.name or "") and \
                    op._search(window, text_part, None, False) is None:
                continue
            op.shot("message")
            op.click(op.find(window, answer, "push button"))
            return
        time.sleep(0.2)
    showing = [(w.getRoleName(), w.name) for w in op.windows()]
    raise RoadFailure(f"no message box {text_part!r} to answer {answer!r}; showing: {showing}")


def read_truth(path):
    truth = {}
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2:
                truth[parts[0]] = parts[1:]
    return truth


def start_up(op):
    message_box(op, "No", "Emergency Parameter Reset")
    message_box(op, "OK", "Please Verify all Setup Parameters")
    config = op.wait_window("Configuration")
    op.shot("configuration")
    # The menu's own mnemonic, as an operator leaves the screen from the keyboard.
    op.find(config, "Exit and Save Parameters")
    op.key("alt+x")
    main = op.wait_window("Leapmark 2005")
    op.shot("main")
    return main


def answer_any_messages(op, answer="OK", quiet_seconds=1.5):
    """Answers every message box that comes up until none has come for a while; gives their count."""
    answered = 0
    while True:
        try:
            message_box(op, answer, timeout=quiet_seconds)
            answered += 1
        except RoadFailure:
            return answered


def set_up_grid(op, main, grid_file):
    op.click(op.find(main, "Go to Setup", "push button"))
    setup = op.wait_window("Grid Setup")
    op.shot("grid-setup")
    op.find(setup, "Load File")
    op.key("alt+l")
    dialog = op.wait_window("Open", timeout=10.0)
    op.shot("grid-file-dialog")
    op.type(grid_file)
    op.key("Return")
    answer_any_messages(op)
    time.sleep(0.5)
    op.shot("grid-loaded")
    # Without a window manager nothing gives the window back its focus when the dialog closes: a
    # click on a label of the screen does, as it would for an operator.
    op.click(op.find(setup, "Grid Point Selection"))
    op.key("alt+x")
    answer_any_messages(op, "Yes")
    return op.wait_window("Leapmark 2005")


def capture_jump(op, main, skier):
    op.click(op.find(main, "Proceed to Record Jumps", "push button"))
    capture = op.wait_window("Capture Screen")
    time.sleep(1.0)
    op.shot("capture")
    name_box = op.find(capture, "Skier Name", "text")
    op.click(name_box)
    op.key("ctrl+a")
    op.type(skier)
    op.click(op.find(capture, "Start Recording (skier hits ramp)", "push button", exact=False))
    # The simulated skier leaves the ramp a moment after the start and lands within two seconds.
    time.sleep(2.5)
    op.shot("recording")
    op.click(op.find(capture, "Contact", "push button"))
    time.sleep(0.5)
    op.key("Escape")
    return op.wait_window("Frame Selection", timeout=30.0)


def main():
    build_dir, work = sys.argv[1], sys.argv[2]
    op = Operator(os.path.join(work, "screenshots"))
    folders = {name: os.path.join(work, name) for name in ("videos", "app", "qxio", "setup", "sim")}
    for folder in folders.values():
        os.makedirs(folder, exist_ok=True)
    cli = os.path.join(build_dir, "leapmark-cli")
    subprocess.run([cli, "simulate", "--out", folders["sim"]], check=True, stdout=subprocess.DEVNULL)
    truth = read_truth(os.path.join(folders["sim"], "truth.txt"))
    settings = os.path.join(work, "settings.ini")
    with open(settings, "w") as f:
        f.write("[Settings]\n")
        f.write(f"logpath={folders['videos']}\n")
        f.write(f"SetupFiles={folders['sim']}\n")
        f.write("grids=1\nWSTIMS=1\ncaptureTime=5\n")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    program = subprocess.Popen(
        [os.path.join(build_dir, "leapmark"), "--app-dir", folders["app"], "--settings", settings,
         "--exchange-dir", folders["qxio"]],
        env=env, stdout=open(os.path.join(work, "leapmark.log"), "w"), stderr=subprocess.STDOUT)
    try:
        main_screen = start_up(op)
        main_screen = set_up_grid(op, main_screen, os.path.join(folders["sim"], "grid.ipt"))
        frames = capture_jump(op, main_screen, "Ann")
        op.shot("frame-selection")
        print("road: reached frame selection")
    except RoadFailure as failure:
        op.shot("failure")
        print(f"road: FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        program.terminate()
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
    return 0


if __name__ == "__main__":
    sys.exit(main())
