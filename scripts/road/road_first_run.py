"""The road's first run of the program, one grid, on the live simulated camera: Ann's jump recorded
and measured against the simulator's truth; the arrow keys across the result options; Zed's capture
stopped within half a second and marked at once; Cy's recording closed by the title bar."""
import os
import re
import time

from operator_at_screen import RoadFailure, wait_until
from road_records import Records, read_bytes, read_truth
from road_screens import (CAPTURE, FRAME_SELECTION, MEASURE, Program, answer_messages,
                          answer_until_window, click_landing, frame_shown, go_to_suggested_frame,
                          mark_frame, name_skier_on_capture, only_screen, picture_difference,
                          set_up_grid, start_recording, start_up, type_skier_on_measure)

# A picture shown 1:1 differs from its bitmap only where labels and marks are painted over it (about
# 2 %); Ann's landing frame and a frame of Zed's short capture differ in more than a tenth.
SAME_PICTURE = 0.06


class FirstRun:
    def __init__(self, op, build_dir, work):
        self.op = op
        self.sim = os.path.join(work, "sim")
        os.makedirs(self.sim, exist_ok=True)
        self.program = Program(build_dir, work, "one-grid", [
            f"SetupFiles={self.sim}", "grids=1", "WSTIMS=1", "captureTime=6"])
        f = self.program.folders
        self.records = Records(build_dir, f["videos"], f["app"], f["qxio"], f["scratch"])
        self.records.cli("simulate", "--out", self.sim)
        self.truth = read_truth(os.path.join(self.sim, "truth.txt"))
        self.measure = None
        self.ann_picture = None

    def legs(self):
        return [("ann", self.leg_ann), ("arrows", self.leg_arrows), ("zed", self.leg_zed),
                ("close", self.leg_close)]

    def wait_measure_picture(self, bitmap, shot_name, timeout=10.0):
        """Waits until the measurement screen shows the bitmap; gives the share that differs."""
        shares = []

        def shown():
            shares.append(picture_difference(self.op, self.measure, bitmap, shot_name))
            return shares[-1] < SAME_PICTURE

        try:
            wait_until(f"the measurement screen to show {bitmap}", shown, timeout=timeout, interval=0.5)
        except RoadFailure:
            pass
        return shares[-1]

    def record_and_wait(self, skier):
        """Record Jump by its mnemonic; waits for the skier's line in the results file."""
        before = len(self.records.jump_lines(skier))
        self.op.key("alt+j")
        answer_messages(self.op, until=lambda: len(self.records.jump_lines(skier)) > before, timeout=15.0)
        self.op.shot("measure-recorded")
        return self.records.jump_lines(skier)[-1]

    # Ann: the road of one jump.

    def leg_ann(self, failures):
        op, records = self.op, self.records
        self.program.start()
        main = start_up(op)
        main = set_up_grid(op, main, os.path.join(self.sim, "grid.ipt"))
        op.click(op.find(main, "Proceed to Record Jumps", "push button"))
        capture = op.wait_window(CAPTURE)
        op.shot("capture")
        name_skier_on_capture(op, capture, "Ann")
        start_recording(op, capture)
        # The simulated skier leaves the ramp a moment after the start and lands within two seconds:
        # this wait is the jump itself.
        time.sleep(2.5)
        op.shot("recording")
        op.click(op.find(capture, "Contact", "push button"))
        op.key("Escape")
        frames = op.wait_window(FRAME_SELECTION, timeout=30.0)
        only_screen(op, FRAME_SELECTION)
        op.shot("frame-selection")
        suggested = go_to_suggested_frame(op, frames)
        shown, count = frame_shown(op, frames)
        op.shot("frame-selection-suggested")
        self.measure, texts = mark_frame(op)
        only_screen(op, MEASURE)
        video = os.path.join(records.videos, "Annjump1.avi")
        frame, frames_in_file = records.check_contact("Ann", video, failures)
        if frame != shown:
            failures.append(f"frame selection showed frame {shown}, the log names {frame}")
        share = self.wait_measure_picture(records.hand_over_picture(), "measure")
        if share >= SAME_PICTURE:
            failures.append(f"the measurement screen does not show currentcapture.bmp ({share:.1%} differs)")
        self.ann_picture = records.keep_hand_over_picture(os.path.join(records.scratch, "ann.bmp"))

        type_skier_on_measure(op, self.measure, "Ann")
        landing = [float(v) for v in self.truth["landing_pixels"]]
        clicked = click_landing(op, self.measure, landing)
        op.shot("measure-marked")
        line = self.record_and_wait("Ann")
        metres, feet = line.group(3), line.group(4)
        u, v = int(line.group(7)), int(line.group(8))
        if (u, v) != (clicked[0] * 15, clicked[1] * 15):
            failures.append(f"the line holds the landing at ({u}, {v}) twips, the click was at pixel {clicked}")
        official = records.measure(os.path.join(self.sim, "grid.ipt"), u, v)
        for key, value in (("metres", metres), ("feet", feet)):
            if official.get(key, "").strip() != value:
                failures.append(f"{key}: the screen wrote {value}, leapmark-cli measure gives {official.get(key)}")
        true_distance = float(self.truth["distance_metres"][0])
        if abs(float(metres) - true_distance) > 0.15:
            failures.append(f"recorded {metres} m is more than 0.15 m from the truth {true_distance:.3f} m")
        self.check_exchange_files(line, "Ann", failures)
        return (f"contact frame {frame} of {frames_in_file} (suggested {suggested}), recorded {metres} m "
                f"{feet} ft, truth {true_distance:.3f} m, difference {float(metres) - true_distance:+.3f} m, "
                f"picture shown {share:.1%} off currentcapture.bmp")

    def check_exchange_files(self, line, skier, failures):
        time_text, metres, feet = line.group(1), line.group(3), line.group(4)
        exchange = self.records.exchange
        result = read_bytes(os.path.join(exchange, "qxresult.dst")).decode()
        if not re.fullmatch(r"OK, +" + re.escape(metres) + r", +" + feet + r", 1\r\n", result):
            failures.append(f"qxresult.dst is {result!r}")
        raw = read_bytes(os.path.join(exchange, "qxraw.dst")).decode()
        if not re.fullmatch(re.escape(time_text) + f" ,{skier},OK, +" + re.escape(metres) + r", +" + feet +
                            r", 1\r\n", raw):
            failures.append(f"qxraw.dst is {raw!r}")

    # The arrow keys across the result options.

    def leg_arrows(self, failures):
        op, records = self.op, self.records
        measure = self.measure
        options = ["Jump OK", "Pass", "Fall", "Opt. reride"]
        buttons = {name: op.find(measure, name, "radio button") for name in options}
        op.click(buttons["Jump OK"])
        wait_until("Jump OK to have the focus", lambda: op.focused(buttons["Jump OK"]), timeout=5.0)
        size = records.results_size()
        walked = []
        for _ in range(3):
            op.key("Right")
            walked.append(wait_until("the focus to move", lambda: next(
                (n for n, b in buttons.items() if op.focused(b) and n not in walked[-1:]), None), timeout=5.0))
        op.shot("arrows-on-opt-reride")
        if walked != options[1:]:
            failures.append(f"Right three times from Jump OK walked the focus over {walked}")
        # A faulty arrow writes as the key is handled; half a second is more than the append takes.
        time.sleep(0.5)
        if records.results_size() != size:
            failures.append(f"the arrows wrote {records.results_after(size)!r} to the results file")
        for key in ("Left", "Left", "Right", "Right"):
            op.key(key)
        wait_until("the focus back on Opt. reride", lambda: op.focused(buttons["Opt. reride"]), timeout=5.0)
        time.sleep(0.5)
        if records.results_size() != size:
            failures.append(f"the arrows wrote {records.results_after(size)!r} to the results file")
        arrows_size = records.results_size()
        op.key("Return")
        answer_messages(op, until=lambda: records.results_size() > size, timeout=10.0)
        op.shot("arrows-enter-on-opt-reride")
        appended = records.results_after(size)
        if not re.fullmatch(r"\d\d-\d\d-\d{4} \d\d:\d\d:\d\d Optional Reride on previous jump\r\n", appended):
            failures.append(f"Enter on Opt. reride appended {appended!r}")
        return (f"focus over {' > '.join(['Jump OK'] + walked)}, results file {size} bytes before and "
                f"{arrows_size} after seven arrows; Enter appended {appended.strip()!r}")

    # Zed: a capture stopped within half a second and marked at once.

    def leg_zed(self, failures):
        op, records = self.op, self.records
        op.key("alt+a")  # the measurement screen's "Capture Next Jump"
        capture, texts = answer_until_window(op, CAPTURE, [("save this picture", "No")])
        only_screen(op, CAPTURE)
        op.shot("capture-zed")
        name_skier_on_capture(op, capture, "Zed")
        # ESC a quarter of a second after Start: the program takes the click before the key.
        start = op.find(capture, "Start Recording (skier hits ramp)", "push button", exact=False)
        started = op.click_then_key(start, "Escape", 0.25)
        stopped_after = time.time() - started
        frames = op.wait_window(FRAME_SELECTION, timeout=10.0)
        wait_until("frame selection to take the keys", lambda: op.active(frames), timeout=5.0, interval=0.05)
        # Marked at once: the mark waits for the video to open, not the operator.
        self.measure, texts = mark_frame(op)
        op.shot("measure-zed")
        if stopped_after >= 0.5:
            failures.append(f"ESC came {stopped_after:.2f} s after Start, not within half a second")
        outside = [t for t in texts if "outside" in t]
        if outside:
            failures.append(f"the mark said {outside}")
        only_screen(op, MEASURE)
        video = self.capture_path("Zed")
        frame, frames_in_file = records.check_contact("Zed", video, failures)
        share = self.wait_measure_picture(records.hand_over_picture(), "measure-zed-picture")
        ann_share = picture_difference(op, self.measure, self.ann_picture, "measure-zed-against-ann")
        if share >= SAME_PICTURE or ann_share < 3 * share:
            failures.append(f"the measurement screen does not show Zed's frame ({share:.1%} differs from it, "
                            f"{ann_share:.1%} from Ann's picture)")
        return (f"ESC 0.25 s after the click on Start (sent {stopped_after:.2f} s after it); contact frame {frame} of {frames_in_file}; messages "
                f"{texts}; picture shown {share:.1%} off Zed's frame, {ann_share:.1%} off Ann's")

    def capture_path(self, skier):
        found = [f for f in os.listdir(self.records.videos)
                 if re.fullmatch(re.escape(skier) + r"jump\d+\.avi", f)]
        if len(found) != 1:
            raise RoadFailure(f"expected one recording of {skier} in {self.records.videos}: {found}")
        return os.path.join(self.records.videos, found[0])

    # Cy: the capture screen closed by its title bar while recording.

    def leg_close(self, failures):
        op, records = self.op, self.records
        op.key("alt+a")
        capture, _ = answer_until_window(op, CAPTURE, [("save this picture", "No")])
        name_skier_on_capture(op, capture, "Cy")
        started = start_recording(op, capture)
        time.sleep(1.0)  # a second of the run recorded
        op.shot("recording-cy")
        op.close_by_window_manager(CAPTURE)
        closed = time.time()
        capture_seconds = 6.0
        try:
            # ESC hands over at once; without that the recording would end on its own after six
            # seconds, so frame selection must come well before.
            frames = op.wait_window(FRAME_SELECTION, timeout=capture_seconds - (closed - started) - 1.5)
        except RoadFailure:
            op.shot("close-no-frame-selection")
            showing = [w.name for w in op.windows()]
            failures.append(f"the title-bar close did not hand over to frame selection within "
                            f"{capture_seconds - (closed - started) - 1.5:.1f} s; showing {showing}")
            wait_until("the recording to end on its own", lambda: op.showing_window(FRAME_SELECTION),
                       timeout=10.0)
            op.shot("close-after-capture-time")
            screens = [w.name for w in op.screens()]
            return f"no hand-over on the close; after the capture time the screens showing are {screens}"
        handed_over = time.time() - closed
        op.shot("close-frame-selection")
        screens = [w.name for w in op.screens()]
        if len(screens) != 1 or FRAME_SELECTION not in screens[0]:
            failures.append(f"after the close the full screens showing are {screens}")
        if op.showing_window(CAPTURE) is not None:
            failures.append("the capture screen still shows after the close")
        video = self.capture_path("Cy")
        offered = op.text_of(op.find(frames, "Video file", "text"))
        if offered != video:
            failures.append(f"frame selection offers {offered!r}, the recording is {video}")
        first = records.frame_count(video)
        size = os.path.getsize(video)
        time.sleep(1.5)  # a recording still running would add 45 frames meanwhile
        second = records.frame_count(video)
        if (first, size) != (second, os.path.getsize(video)):
            failures.append(f"{video} still grows after the close: {first} frames, then {second}")
        most = round(30 * (closed - started + 0.5))
        if not 0 < first <= most:
            failures.append(f"{video} holds {first} frames; {closed - started:.1f} s of recording give at most {most}")
        return (f"closed {closed - started:.1f} s into the recording, frame selection {handed_over:.1f} s later, "
                f"{os.path.basename(video)} holds {first} frames (still {second} 1.5 s later), screens {screens}")
