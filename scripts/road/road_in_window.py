"""The road through the real program in real windows under a window manager, driven as an operator
would, in two runs of the program:
  one grid, the live simulated camera:
    ann     start-up, the grid setup (the simulator's grid file loaded), Ann's jump recorded, frame
            selection at the suggested contact frame, the mark, the landing clicked, Record Jump;
            the results line, exchange files, log entry, side file and hand-over picture checked,
            and the distance against the truth
    arrows  the arrow keys across the result options move the focus and write nothing; Enter on
            Opt. reride writes its line
    zed     a capture stopped within half a second and marked at once: the frame logged lies in
            the file, and the measurement screen shows it, not Ann's picture
    close   the capture screen closed by its title bar while recording: the recording stops and
            frame selection is the one screen up
  three grids, three simulated camera placements:
    grids   Grid 2 chosen, the setup passed through, the button, description and overlay name grid
            1 on the way back; Grid 2 again, and the landing recorded against camera 2's truth
Every leg prints one line with its figures. ROAD_LEGS="ann arrows" runs some only (legs of the first
run need those before them); ROAD_GRID_CAPTION=0 leaves the grid button's caption unchecked.

Run by scripts/road-in-window.sh, which gives it a display, a window manager, a session bus and
the folders:
    road_in_window.py BUILD_DIR WORK_DIR
"""
import os
import sys
import time

from operator_at_screen import Operator, RoadFailure
from road_first_run import FirstRun
from road_three_grids import ThreeGrids


def run_legs(op, run, chosen, work, results):
    """Runs the chosen legs of one program run in order; a leg that cannot go on ends the run."""
    try:
        for name, leg in run.legs():
            if name not in chosen:
                continue
            failures = []
            started = time.time()
            try:
                figures = leg(failures)
            except RoadFailure as failure:
                op.shot(f"failure-{name}")
                op.dump(os.path.join(work, f"controls-at-failure-{name}.txt"))
                results.append((name, False, f"could not go on: {failure}"))
                print(f"road: {name}: FAILED, could not go on: {failure}", file=sys.stderr, flush=True)
                return
            seconds = time.time() - started
            results.append((name, not failures, figures))
            print(f"road: {name} ({seconds:.0f} s): {figures}", flush=True)
            for failure in failures:
                print(f"road: {name}: CHECK FAILED: {failure}", file=sys.stderr, flush=True)
    finally:
        run.program.stop()


def main():
    build_dir, work = sys.argv[1], sys.argv[2]
    started = time.time()
    chosen = os.environ.get("ROAD_LEGS", "ann arrows zed close grids").split()
    steps = open(os.path.join(work, "steps.log"), "w")
    op = Operator(os.path.join(work, "screenshots"),
                  log=lambda text: print(f"{time.time() - started:7.2f} {text}", file=steps, flush=True))
    results = []
    first_legs = {"ann", "arrows", "zed", "close"}
    if first_legs & set(chosen):
        run_legs(op, FirstRun(op, build_dir, work), chosen, work, results)
    if "grids" in chosen:
        run_legs(op, ThreeGrids(op, build_dir, work), chosen, work, results)
    failed = [name for name, ok, _ in results if not ok]
    ran = [name for name, _, _ in results]
    print(f"road: legs passed {len(ran) - len(failed)} of {len(chosen)}"
          f"{' (failed: ' + ', '.join(failed) + ')' if failed else ''} in {time.time() - started:.0f} s; "
          f"screenshots in {op.shots_dir}, steps in {steps.name}")
    return 1 if failed or set(ran) != set(chosen) else 0


if __name__ == "__main__":
    sys.exit(main())
