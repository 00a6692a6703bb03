#!/usr/bin/env python3
"""Handover of a loaded result to numpy against numpy.fromfile of the same bytes (run by hand).

    PYTHONPATH=build-rel/python python3 bench/python_handover.py build-rel/tools/pvk/pvk /tmp/pvk-bench

Writes a beam sample of about 1,000,000 nodes (once), then times, with medians of repeated
runs: Result.values() of a nodal scalar (load and handover) (the loaded column moves into the array) and of the
stored six-column tensor (one copy into the array), each against numpy.fromfile of the bytes
of the array it returns, from a warm page cache.
"""

import pathlib
import statistics
import subprocess
import sys
import timeit

import numpy as np

import qve_pvk as pvk

CELLS = 63  # 64 x 64 x 253 nodes: 1,036,288
REPEAT, NUMBER = 15, 3


def median_ms(f):
    return statistics.median(timeit.repeat(f, repeat=REPEAT, number=NUMBER)) / NUMBER * 1e3


def main(tool, folder):
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    path = folder / "bench-beam.tkvp"
    if not path.exists():
        subprocess.run([tool, "sample", folder / "bench-beam", "--cells", str(CELLS), "-q"], check=True)
    with pvk.open(str(path)) as f:
        step = f.subcases[0].steps[0]
        for label, rid, stored in (("Strs Normal Xx, 1 column", 7201, False),
                                   ("Strs Prin A stored, 6 columns", 7208, True)):
            r = step.result(rid)
            v = r.values(stored=stored)
            raw = folder / f"values-{rid}.bin"
            v.columns.T.tofile(raw)  # Fortran order: the bytes as they lie in memory
            handover = median_ms(lambda: r.values(stored=stored))
            fromfile = median_ms(lambda: np.fromfile(raw, dtype=np.float64))
            print(f"{label}: {v.columns.size:,} values, {v.columns.nbytes / 2**20:.1f} MiB: "
                  f"values() {handover:.2f} ms, numpy.fromfile {fromfile:.2f} ms, "
                  f"ratio {handover / fromfile:.2f}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: python_handover.py PVK_TOOL WORK_FOLDER")
    main(sys.argv[1], sys.argv[2])
