#!/usr/bin/env python3
"""Measures how often the contact suggestion lands within a frame of the true contact.

Builds varied simulated jumps with `leapmark-cli simulate` (and H.264 re-encodings of some with
ffmpeg), runs `leapmark-cli suggest-contact` on each, one scene at a time, and prints the hit rate
within +-1 frame per group, the misses, and any suggestion before the take-off.

The tuning set (seeds 1 up) is the one to tune on; the evaluation set (seeds 1001 up) is only run
to measure. Not part of the test suite: run it by hand, niced, e.g.

    nice -n 10 scripts/contact-evaluation.py --set evaluation --cli build/leapmark-cli
"""

import argparse
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

SIZES = ["320x240", "640x480", "854x480", "1280x720"]
RATES = ["25", "30000/1001", "50", "60"]


def rate_value(text):
    if "/" in text:
        numerator, denominator = text.split("/")
        return float(numerator) / float(denominator)
    return float(text)


class Scene:
    def __init__(self, group, seed):
        self.group = group
        self.seed = seed
        self.size = "640x360"
        self.fps = "30"
        self.seconds = 4.0
        self.landing = None  # survey x, y
        self.landing_frame = None
        self.camera = None  # x, y, height
        self.aim = None
        self.fov = None
        self.reencode = None  # (gop, bframes, container)
        self.picture_rule = None  # a check on the landing's pixel: (x, y, width, height) -> bool

    def frames(self):
        return int(round(self.seconds * rate_value(self.fps)))

    def arguments(self, out, seconds=None, landing_frame=None):
        args = ["simulate", "--out", out, "--size", self.size, "--fps", self.fps,
                "--seconds", str(seconds if seconds is not None else self.seconds), "--seed", str(self.seed)]
        if landing_frame is not None:
            args += ["--landing-frame", str(landing_frame)]
        elif self.landing_frame is not None:
            args += ["--landing-frame", str(self.landing_frame)]
        if self.landing:
            args += ["--landing", "%.2f" % self.landing[0], "%.2f" % self.landing[1]]
        if self.camera:
            args += ["--camera"] + ["%.2f" % v for v in self.camera]
        if self.aim:
            args += ["--aim", "%.2f" % self.aim[0], "%.2f" % self.aim[1]]
        if self.fov:
            args += ["--fov", "%.1f" % self.fov]
        return args

    def name(self):
        text = "%s seed %d %s@%s" % (self.group, self.seed, self.size, self.fps)
        if self.camera:
            text += " camera %.0f,%.0f,%.1f" % tuple(self.camera)
        if self.fov:
            text += " fov %.0f" % self.fov
        if self.landing:
            text += " landing %.1f,%.1f" % tuple(self.landing)
        if self.reencode:
            text += " h264 g%d bf%d %s" % self.reencode
        return text


def read_truth(path):
    facts = {}
    with open(path) as f:
        for line in f:
            if line.startswith("#") or ":" not in line:
                continue
            name, value = line.split(":", 1)
            facts[name.strip()] = value.split()
    return facts


def take_off_frame(facts):
    """The first frame with the skier in the air: flights last a 23rd of the jump's metres, 0.8 to 2.3 s."""
    ramp = [float(v) for v in facts["ramp_survey_metres"]]
    landing = [float(v) for v in facts["landing_survey_metres"]]
    flight = min(2.3, max(0.8, math.hypot(landing[0] - ramp[0], landing[1] - ramp[1]) / 23.0))
    fps = rate_value(facts["frame_rate_fps"][0])
    return int(math.ceil(int(facts["landing_frame"][0]) - flight * fps - 1e-9))


def run(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, **kwargs)


def probe(cli, scene, folder):
    """The landing's pixel and picture size when the simulator accepts the scene, else None."""
    out = os.path.join(folder, "probe")
    result = run([cli] + scene.arguments(out, seconds=0.2, landing_frame=0))
    if result.returncode != 0:
        return None
    facts = read_truth(os.path.join(out, "truth.txt"))
    shutil.rmtree(out, ignore_errors=True)
    x, y = (float(v) for v in facts["landing_pixels"])
    width, height = (int(v) for v in facts["picture_size_pixels"])
    return x, y, width, height


def random_camera(scene, rng, height=(3.0, 20.0), off=(30.0, 90.0), fov=(20.0, 70.0)):
    scene.camera = (rng.uniform(30.0, 55.0), -rng.uniform(*off), rng.uniform(*height))
    scene.aim = (rng.uniform(36.0, 52.0), rng.uniform(-8.0, 4.0))
    scene.fov = rng.uniform(*fov)


def scenes_of_group(group, seed, rng):
    scene = Scene(group, seed)
    frames = scene.frames()
    if group == "seeds":
        scene.landing_frame = rng.randint(55, frames - 15)
    elif group == "sizes":
        scene.size = rng.choice(SIZES)
        scene.landing_frame = rng.randint(55, frames - 15)
    elif group == "rates":
        scene.fps = rng.choice(RATES)
        scene.landing_frame = rng.randint(int(1.9 * rate_value(scene.fps)), scene.frames() - 15)
    elif group == "cameras":
        random_camera(scene, rng)
        scene.landing = (rng.uniform(36.0, 56.0), rng.uniform(-8.0, 8.0))
        scene.landing_frame = rng.randint(60, frames - 15)
    elif group == "low-cameras":
        random_camera(scene, rng, height=(3.0, 4.0))
        scene.landing = (rng.uniform(36.0, 56.0), rng.uniform(-8.0, 8.0))
        scene.landing_frame = rng.randint(60, frames - 15)
    elif group == "edges":
        random_camera(scene, rng, fov=(35.0, 70.0))
        scene.landing = (rng.uniform(22.0, 66.0), rng.uniform(-10.0, 10.0))
        scene.landing_frame = rng.randint(60, frames - 15)
        scene.picture_rule = lambda x, y, w, h: min(x, w - 1 - x) < 0.1 * w or h - 1 - y < 0.1 * h
    elif group == "top":
        scene.camera = (rng.uniform(36.0, 52.0), -rng.uniform(40.0, 80.0), rng.uniform(8.0, 20.0))
        scene.aim = (rng.uniform(40.0, 48.0), rng.uniform(-40.0, -16.0))
        scene.fov = rng.uniform(45.0, 70.0)
        scene.landing = (rng.uniform(34.0, 54.0), rng.uniform(9.0, 11.5))
        scene.landing_frame = rng.randint(60, frames - 15)
        scene.picture_rule = lambda x, y, w, h: y < 0.08 * h
    elif group == "first-frames":
        scene.landing_frame = rng.randint(0, 6)
    elif group == "last-frames":
        scene.landing_frame = frames - rng.randint(2, 5)
    elif group == "h264":
        scene.size = rng.choice(["640x360", "854x480", "1280x720"])
        scene.fps = rng.choice(["25", "30", "60"])
        scene.landing_frame = rng.randint(int(2.1 * rate_value(scene.fps)), scene.frames() - 20)
        scene.reencode = (rng.choice([24, 30, 60, 120, 250]), rng.choice([0, 2, 3]), rng.choice(["mp4", "avi"]))
    elif group == "1080p":
        scene.size = "1920x1080"
        scene.fps = rng.choice(["30", "60"])
        scene.seconds = 3.0
        scene.landing_frame = rng.randint(int(2.1 * rate_value(scene.fps)), scene.frames() - 15)
    else:
        raise ValueError(group)
    return scene


GROUPS = ["seeds", "sizes", "rates", "cameras", "low-cameras", "edges", "top", "first-frames", "last-frames",
          "h264", "1080p"]
SMALL_GROUPS = {"1080p": 3}


def build_scene(cli, group, seed, folder):
    """A scene of the group the simulator accepts (and whose landing is where the group wants it)."""
    for attempt in range(200):
        rng = random.Random("%s-%d-%d" % (group, seed, attempt))
        scene = scenes_of_group(group, seed, rng)
        if scene.camera or scene.picture_rule:
            found = probe(cli, scene, folder)
            if found is None:
                continue
            if scene.picture_rule and not scene.picture_rule(*found):
                continue
        return scene
    return None


def evaluate(cli, scene, folder):
    out = os.path.join(folder, "scene")
    shutil.rmtree(out, ignore_errors=True)
    made = run([cli] + scene.arguments(out))
    if made.returncode != 0:
        return None, "simulate failed: " + made.stderr.strip()
    video = os.path.join(out, "jump.avi")
    if scene.reencode:
        gop, bframes, container = scene.reencode
        encoded = os.path.join(out, "jump-h264." + container)
        result = run(["ffmpeg", "-loglevel", "error", "-y", "-i", video, "-c:v", "libx264", "-g", str(gop),
                      "-bf", str(bframes), "-threads", "1", encoded])
        if result.returncode != 0:
            return None, "ffmpeg failed: " + result.stderr.strip()
        video = encoded
    facts = read_truth(os.path.join(out, "truth.txt"))
    started = time.monotonic()
    suggested = run([cli, "suggest-contact", video])
    seconds = time.monotonic() - started
    if suggested.returncode != 0:
        return None, "suggest-contact failed: " + suggested.stderr.strip()
    words = suggested.stdout.split()
    frame = None
    confidence = None
    for i, word in enumerate(words):
        if word == "suggested_frame" and i + 1 < len(words) and words[i + 1] != "none":
            frame = int(words[i + 1])
        if word == "confidence" and i + 1 < len(words):
            confidence = float(words[i + 1])
    return {"truth": int(facts["landing_frame"][0]), "take_off": take_off_frame(facts), "frame": frame,
            "confidence": confidence, "seconds": seconds}, None


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--set", choices=["tuning", "evaluation"], default="tuning")
    parser.add_argument("--cli", default=os.path.join(os.path.dirname(__file__), "..", "build", "leapmark-cli"))
    parser.add_argument("--scenes", type=int, default=12, help="scenes per group")
    parser.add_argument("--groups", default=",".join(GROUPS))
    args = parser.parse_args()
    first_seed = 1 if args.set == "tuning" else 1001
    totals = []
    with tempfile.TemporaryDirectory(prefix="contact-evaluation-") as folder:
        for group in args.groups.split(","):
            hits = 0
            count = 0
            early = 0
            misses = []
            for k in range(SMALL_GROUPS.get(group, args.scenes)):
                seed = first_seed + k
                scene = build_scene(args.cli, group, seed, folder)
                if scene is None:
                    misses.append("seed %d: no scene of this group could be made" % seed)
                    continue
                outcome, problem = evaluate(args.cli, scene, folder)
                if problem:
                    misses.append("%s: %s" % (scene.name(), problem))
                    count += 1
                    continue
                count += 1
                got = outcome["frame"]
                if got is not None and abs(got - outcome["truth"]) <= 1:
                    hits += 1
                else:
                    misses.append("%s: truth %d, suggested %s (confidence %s)" %
                                  (scene.name(), outcome["truth"], got, outcome["confidence"]))
                if got is not None and got < outcome["take_off"]:
                    early += 1
                    misses.append("%s: suggested %d is before the take-off %d" %
                                  (scene.name(), got, outcome["take_off"]))
            rate = 100.0 * hits / count if count else 0.0
            totals.append((group, hits, count, early))
            print("%-13s %3d/%-3d %5.1f %%  before take-off: %d" % (group, hits, count, rate, early), flush=True)
            for miss in misses:
                print("    " + miss, flush=True)
    hits = sum(t[1] for t in totals)
    count = sum(t[2] for t in totals)
    print("%s set: %d/%d within a frame (%.1f %%), %d before the take-off" %
          (args.set, hits, count, 100.0 * hits / max(1, count), sum(t[3] for t in totals)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
