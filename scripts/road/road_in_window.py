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

import pyatspi

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
            if len(parts) >= 2 and not line.startswith("#"):
                truth[parts[0].rstrip(":")] = parts[1:]
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


def select_contact_frame(op, frames):
    """Steps to the suggested contact frame and marks it; gives the frame shown."""
    suggestion = op.find(frames, "Go to suggested frame", "push button", timeout=30.0)
    end = time.time() + 30.0
    while not suggestion.getState().contains(pyatspi.STATE_ENABLED):
        if time.time() > end:
            raise RoadFailure("no contact frame was suggested")
        time.sleep(0.3)
    op.click(op.find(frames, "Previous frame", "push button"))
    op.key("alt+g")
    time.sleep(1.0)
    shown = op.find(frames, "Frame ", "label", exact=False).name
    op.shot("frame-selection-suggested")
    op.key("alt+u")
    answer_any_messages(op, "Yes")
    return shown


def click_landing(op, measure, landing_pixel):
    """Clicks the picture pixel nearest the landing, the picture shown 1:1 from its corner."""
    picture = op.find(measure, "picture")
    x, y, w, h = op.extents(picture)
    frame = 1  # the picture's frame line
    px, py = round(landing_pixel[0]), round(landing_pixel[1])
    op.click_at(x + frame + px, y + frame + py)
    return px, py


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def check_files(build_dir, folders, truth, clicked):
    """The files the jump wrote, against their fixed layouts, the command-line tool and the truth."""
    failures = []
    videos = folders["videos"]
    video = os.path.join(videos, "Annjump1.avi")
    results = [f for f in os.listdir(videos) if f.startswith("JumpMeasurementResults")]
    logs = [f for f in os.listdir(videos) if f.startswith("JumpMeasurementLog")]
    if len(results) != 1 or len(logs) != 1:
        return [f"expected one results file and one session log in {videos}: {os.listdir(videos)}"]
    lines = read_bytes(os.path.join(videos, results[0])).decode().split("\r\n")
    jump = re.compile(r"^\d\d-\d\d-\d{4} (\d\d:\d\d:\d\d) Ann  jump 1 - +([\d.]+)m  \(IWSF\) (\d+)ft  \(AWSA\)"
                      r" \( ([-\d.]+)/ ?([-\d.]+)\) \( (\d+)/ (\d+)\) \( ([\d.]+)\)$")
    matches = [m for m in (jump.match(line) for line in lines) if m]
    if len(matches) != 1:
        return failures + [f"no single measured line for Ann in the results file: {lines}"]
    m = matches[0]
    time_text, metres, feet = m.group(1), m.group(2), m.group(3)
    u, v = int(m.group(6)), int(m.group(7))
    if (u, v) != (clicked[0] * 15, clicked[1] * 15):
        failures.append(f"the line holds the landing at ({u}, {v}) twips, the click was at pixel {clicked}")
    # The same landing through the command-line tool's measuring core.
    grid = os.path.join(folders["sim"], "grid.ipt")
    cli = subprocess.run([os.path.join(build_dir, "leapmark-cli"), "measure", "--grid", grid, str(u), str(v)],
                         capture_output=True, text=True, check=True).stdout
    official = dict(line.split(None, 1) for line in cli.splitlines() if " " in line)
    print("road: leapmark-cli measure says " + cli.replace("\n", "; "))
    true_distance = float(truth["distance_metres"][0])
    recorded = float(metres)
    print(f"road: recorded {metres} m {feet} ft; the simulator's truth {true_distance:.3f} m; "
          f"difference {recorded - true_distance:+.3f} m")
    if abs(recorded - true_distance) > 0.15:
        failures.append(f"recorded {recorded} m is more than 0.15 m from the truth {true_distance:.3f} m")
    for key, value in (("metres", metres), ("feet", feet)):
        if official.get(key, "").strip() != value:
            failures.append(f"{key}: the screen wrote {value}, the command-line core gives {official[key]}")

    exchange = folders["qxio"]
    result = read_bytes(os.path.join(exchange, "qxresult.dst")).decode()
    if not re.fullmatch(r"OK, +" + re.escape(metres) + r", +" + feet + r", 1\r\n", result):
        failures.append(f"qxresult.dst is {result!r}")
    raw = read_bytes(os.path.join(exchange, "qxraw.dst")).decode()
    if not re.fullmatch(re.escape(time_text) + r" ,Ann,OK, +" + re.escape(metres) + r", +" + feet + r", 1\r\n", raw):
        failures.append(f"qxraw.dst is {raw!r}")

    log = read_bytes(os.path.join(videos, logs[0])).decode()
    entry = re.search(r"Skier: AnnJump: ?1Contact Frame: +(\d+)File: (.*?)\r\n", log)
    if entry is None or entry.group(2) != video:
        return failures + [f"no capture entry for {video} in the session log: {log!r}"]
    frame = int(entry.group(1))
    side = read_bytes(video + ".info")
    if side != f"{video}, {frame}\r\n".encode():
        failures.append(f"the side file holds {side!r}, the log says frame {frame}")
    extracted = os.path.join(folders["sim"], "frame.bmp")
    subprocess.run([os.path.join(build_dir, "leapmark-cli"), "extract-frame", video, str(frame), extracted],
                   check=True, stdout=subprocess.DEVNULL)
    if read_bytes(os.path.join(folders["app"], "currentcapture.bmp")) != read_bytes(extracted):
        failures.append(f"currentcapture.bmp is not frame {frame} of {video} as the decoder gives it")
    print(f"road: contact frame {frame}; log entry, side file, hand-over picture and exchange files checked")
    return failures


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
        shown = select_contact_frame(op, frames)
        print(f"road: marked the suggested contact frame ({shown})")
        measure = op.wait_window("Measure", timeout=20.0)
        time.sleep(1.0)
        op.shot("measure")
        # The measurement screen's own skier box: typing the name starts the skier at jump 1.
        op.click(op.find(measure, "Skier Name", "combo box"))
        op.key("ctrl+a")
        op.type("Ann")
        landing = [float(v) for v in truth["landing_pixels"]]
        clicked = click_landing(op, measure, landing)
        op.shot("measure-marked")
        op.key("alt+j")
        time.sleep(1.0)
        op.shot("measure-recorded")
        failures = check_files(build_dir, folders, truth, clicked)
        if failures:
            for failure in failures:
                print(f"road: CHECK FAILED: {failure}", file=sys.stderr)
            return 1
        print("road: every file as it should be")
    except RoadFailure as failure:
        op.shot("failure")
        op.dump(os.path.join(work, "controls-at-failure.txt"))
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
