#!/usr/bin/env python3
"""Plots the deflection and the stress along a beam into a PNG.

    python3 examples/plot_beam.py beam.tkvp beam.png     # `pvk sample beam` writes beam.tkvp

The deflection (T3 Translation) of the nodes on the beam's lower front edge, for every step of
the last sub-case, and the element von Mises stress at the centres along the same edge.
"""

import sys

import matplotlib

matplotlib.use("Agg")  # no display needed
import matplotlib.pyplot as plt
import numpy as np

import qve_pvk as pvk


def along_edge(values, ids, x, on_edge):
    """The first value of each entity on the edge, ordered by x."""
    rows = dict(zip(values.keys, values.dsi))
    picked = [(x[i], values.columns[rows[ids[i]], 0]) for i in np.flatnonzero(on_edge)]
    return np.array(sorted(picked)).T


def main(path, png):
    with pvk.open(path) as f:
        nodes, elements = f.nodes, f.elements
        length_unit = f.info["units"]["length"]
        xyz = nodes.xyz
        edge = (xyz[:, 1] == xyz[:, 1].min()) & (xyz[:, 2] == xyz[:, 2].min())
        # Element centres: the mean of their nodes.
        counts = np.diff(elements.offsets)
        starts = elements.offsets[:-1]
        centres = np.add.reduceat(xyz[elements.connectivity], starts) / counts[:, None]
        low = centres[:, 1:].min(axis=0)
        first_row = np.isclose(centres[:, 1], low[0]) & np.isclose(centres[:, 2], low[1])

        fig, (top, bottom) = plt.subplots(2, 1, sharex=True, figsize=(7, 6))
        sub = f.subcases[-1]
        title = f"{sub.name}: deflection of the lower edge"
        for step in sub.steps:
            deflection = step.result("T3 Translation").values()
            x, w = along_edge(deflection, nodes.ids, xyz[:, 0], edge)
            top.plot(x, w, marker=".", label=f"{step.name}")
        stress = sub.steps[-1].result("Solid Strs Von Mises").values(units=("mm", "N"))
        x, s = along_edge(stress, elements.ids, centres[:, 0], first_row)
        bottom.plot(x, s, marker="o")

    top.set_ylabel(f"T3 Translation [{deflection.unit}]")
    top.set_title(title)
    top.legend()
    bottom.set_ylabel(f"von Mises [{stress.unit}]")
    bottom.set_xlabel(f"x [{length_unit}]")
    fig.tight_layout()
    fig.savefig(png)
    print(png)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: plot_beam.py RESULT_FILE OUT.png")
    main(sys.argv[1], sys.argv[2])
