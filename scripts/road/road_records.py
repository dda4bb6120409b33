"""What lands on disk, read as the road checks it: the results file, the session log's capture
entries, the side files, the videos' frame counts and frames (through leapmark-cli), and the picture
a screen shows against a bitmap."""
import os
import re
import shutil
import struct
import subprocess

from operator_at_screen import RoadFailure


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def read_truth(path):
    truth = {}
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and not line.startswith("#"):
                truth[parts[0].rstrip(":")] = parts[1:]
    return truth


class Records:
    """The files of one program run: its video folder (results file, session log, videos and their
    side files), application folder and exchange folder."""

    def __init__(self, build_dir, videos, app, exchange, scratch):
        self.cli_path = os.path.join(build_dir, "leapmark-cli")
        self.videos = videos
        self.app = app
        self.exchange = exchange
        self.scratch = scratch

    def cli(self, *args):
        done = subprocess.run([self.cli_path, *map(str, args)], capture_output=True, text=True)
        if done.returncode != 0:
            raise RoadFailure(f"leapmark-cli {' '.join(map(str, args))} failed: {done.stderr.strip()}")
        return done.stdout

    def _one(self, prefix):
        found = [f for f in os.listdir(self.videos) if f.startswith(prefix)]
        if len(found) != 1:
            raise RoadFailure(f"expected one {prefix} file in {self.videos}: {sorted(os.listdir(self.videos))}")
        return os.path.join(self.videos, found[0])

    def results_path(self):
        return self._one("JumpMeasurementResults")

    def results_size(self):
        return os.path.getsize(self.results_path())

    def results_lines(self):
        return read_bytes(self.results_path()).decode().split("\r\n")

    def results_after(self, size):
        """The results file's text appended after it was size bytes long."""
        return read_bytes(self.results_path())[size:].decode()

    def jump_lines(self, skier):
        pattern = re.compile(r"^\d\d-\d\d-\d{4} (\d\d:\d\d:\d\d) " + re.escape(skier) +
                             r"  jump (\d+) - +([\d.]+)m  \(IWSF\) (\d+)ft  \(AWSA\)"
                             r" \( ([-\d.]+)/ ?([-\d.]+)\) \( (\d+)/ (\d+)\) \( ([\d.]+)\)$")
        return [m for m in (pattern.match(line) for line in self.results_lines()) if m]

    def contact_entries(self, skier):
        """The session log's capture entries for the skier: (contact frame, video path) each."""
        log = read_bytes(self._one("JumpMeasurementLog")).decode()
        return [(int(m.group(1)), m.group(2)) for m in
                re.finditer(r"Skier: " + re.escape(skier) + r"Jump: ?\d+Contact Frame: +(\d+)File: (.*?)\r\n", log)]

    def side_file(self, video):
        return read_bytes(video + ".info")

    def frame_count(self, video):
        info = self.cli("avi-info", video)
        m = re.search(r"^Length: (\d+) frames$", info, re.M)
        if m is None:
            raise RoadFailure(f"avi-info of {video} names no length: {info!r}")
        return int(m.group(1))

    def extract_frame(self, video, frame, out):
        self.cli("extract-frame", video, frame, out)
        return out

    def hand_over_picture(self):
        return os.path.join(self.app, "currentcapture.bmp")

    def keep_hand_over_picture(self, copy):
        shutil.copyfile(self.hand_over_picture(), copy)
        return copy

    def measure(self, grid, u, v):
        out = self.cli("measure", "--grid", grid, u, v)
        return dict(line.split(None, 1) for line in out.splitlines() if " " in line)

    def check_contact(self, skier, video, failures, marks=1):
        """The mark's records agree: a log entry for each of the video's marks, the side file naming
        the last one's frame, the frame inside the file, and the hand-over picture that frame as the
        decoder gives it. Gives the frame and the file's frame count."""
        entries = [e for e in self.contact_entries(skier) if e[1] == video]
        if len(entries) != marks:
            failures.append(f"expected {marks} capture entries for {video} in the session log, found {entries}")
            if not entries:
                return None, None
        frame = entries[-1][0]
        side = self.side_file(video)
        if side != f"{video}, {frame}\r\n".encode():
            failures.append(f"the side file holds {side!r}, the log says frame {frame}")
        frames = self.frame_count(video)
        if not 0 <= frame < frames:
            failures.append(f"contact frame {frame} lies outside {video}, which holds {frames} frames")
            return frame, frames
        extracted = self.extract_frame(video, frame, os.path.join(self.scratch, f"{skier}-frame-{frame}.bmp"))
        picture = self.hand_over_picture()
        if not os.path.exists(picture):
            failures.append("there is no currentcapture.bmp")
        elif read_bytes(picture) != read_bytes(extracted):
            failures.append(f"currentcapture.bmp is not frame {frame} of {video} as the decoder gives it")
        return frame, frames


def bitmap_size(path):
    header = read_bytes(path)[:26]
    width, height = struct.unpack("<ii", header[18:26])
    return width, abs(height)


def differing_share(screenshot, x, y, width, height, bitmap):
    """The share of pixels of the bitmap's top-left width x height that differ (beyond a little
    colour noise) from the screenshot's at x, y: near 0 where a screen shows the bitmap 1:1, far off
    for another picture. Over-painted marks and labels count as differing."""
    full_width, full_height = bitmap_size(bitmap)
    width, height = int(min(width, full_width)), int(min(height, full_height))
    done = subprocess.run(["compare", "-metric", "AE", "-fuzz", "4%",
                           f"{screenshot}[{width}x{height}+{int(x)}+{int(y)}]",
                           f"{bitmap}[{width}x{height}+0+0]", "null:"],
                          capture_output=True, text=True)
    if done.returncode not in (0, 1):
        raise RoadFailure(f"compare of {screenshot} and {bitmap} failed: {done.stderr.strip()}")
    return float(done.stderr.split()[0]) / (width * height)
