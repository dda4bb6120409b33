#!/usr/bin/env python3
"""Fails when a source file includes what its layer or its room may not.

Rooms, lowest first; a domain or video file includes its own room and rooms below it, never above:
    common, settings, video, grid, names, manual, measure, capture, review, simulator, shell
Layers, lowest first:
    src/<room>/          the domain: standard library only, no Qt, no FFmpeg, no ffmpeg/ or ui/ headers
    src/<room>/ffmpeg/   video through FFmpeg: no Qt, no ui/ headers
    src/<room>/ui/       screens and Qt adapters: every domain and video layer, the kit (shell/ui/)
                         and the room's own ui/; never another room's ui/, and a screen never
                         includes another screen's header
    src/app/             the composition root: everything
Only src/app/ includes the simulator (besides the simulator itself) and the root's own headers.
"""
import re
import sys
from pathlib import Path

ROOMS = ["common", "settings", "video", "grid", "names", "manual", "measure", "capture", "review",
         "simulator", "shell"]
RANK = {room: i for i, room in enumerate(ROOMS)}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
QT = re.compile(r'^Q[A-Za-z]|^Qt')
FFMPEG = re.compile(r'^(libav|libsw|libpostproc)')
SCREEN_CLASS = re.compile(r'\bclass\s+(\w+)\s*(?:final\s*)?:\s*public\s+Screen\b')


def layer_of(parts):
    """(room, layer) of a path under src, layer being domain, ffmpeg, ui or app."""
    room = parts[0]
    if room == "app":
        return room, "app"
    if len(parts) > 2 and parts[1] in ("ffmpeg", "ui"):
        return room, parts[1]
    return room, "domain"


def screen_headers(src):
    """Header path (relative to src) -> screen class, for every screen of the program."""
    found = {}
    for header in src.glob("*/ui/**/*.h"):
        match = SCREEN_CLASS.search(header.read_text(errors="replace"))
        if match:
            found[header.relative_to(src).as_posix()] = match.group(1)
    return found


def own_screen(path, header):
    """True when the header is the screen the file belongs to: X.h for X.cpp and X_Topic.cpp."""
    stem = Path(header).stem
    return path.parent == Path(header).parent and (path.stem == stem or path.stem.startswith(stem + "_"))


def is_screen_file(path, screens):
    """True when the file is (a part of) one of the screens."""
    return any(own_screen(path, header) for header in screens)


def problems(src):
    screens = screen_headers(src)
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(src)
        room, layer = layer_of(rel.parts)
        if room not in RANK and layer != "app":
            continue
        text = path.read_text(errors="replace")
        for match in INCLUDE.finditer(text):
            bracket, target = match.groups()
            line = text.count("\n", 0, match.start()) + 1
            where = f"{rel.as_posix()}:{line}: #include {bracket}{target}{'>' if bracket == '<' else bracket}"
            if bracket == "<":
                if layer in ("domain", "ffmpeg") and QT.match(target):
                    yield where, f"the {layer} layer may not use Qt"
                if layer == "domain" and FFMPEG.match(target):
                    yield where, "the domain may not use FFmpeg"
                continue
            parts = Path(target).parts
            if not parts or (parts[0] not in RANK and parts[0] != "app"):
                continue
            if layer == "app":
                continue
            to_room, to_layer = layer_of(parts)
            if to_room == "app":
                yield where, "only the composition root (src/app/) includes its own headers"
                continue
            if to_room == "simulator" and room != "simulator":
                yield where, "only the composition root, tests and benchmarks use the simulator"
                continue
            if layer != "ui" and RANK[to_room] > RANK[room]:
                yield where, f"the {room} room may not include the {to_room} room, which sits above it"
                continue
            if to_layer == "ui" and layer != "ui":
                yield where, f"the {layer} layer may not include screens (ui/)"
                continue
            if to_layer == "ffmpeg" and layer == "domain":
                yield where, "the domain may not include the video layer (ffmpeg/)"
                continue
            if layer == "ui" and to_layer == "ui":
                if to_room not in (room, "shell"):
                    yield where, f"screens of the {room} room may not include the {to_room} room's screens"
                elif target in screens and is_screen_file(rel, screens) and not own_screen(rel, target):
                    yield where, f"a screen may not include another screen ({screens[target]}); ask the navigator"


def main():
    src = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src")
    failures = list(problems(src))
    for where, why in failures:
        print(f"layer check: {where}\n    {why}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
