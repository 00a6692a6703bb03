"""Finite-element result files (PZAR) read into numpy arrays.

    import qve_pvk as pvk
    with pvk.open("beam.tkvp") as f:
        step = f.subcases[0].steps[0]
        v = step.result("Solid Strs Von Mises").values(units=("m", "N"))
"""

from ._core import (
    Elements,
    File,
    Nodes,
    Principal,
    Result,
    ResultFileError,
    Step,
    Subcase,
    Values,
    calc,
    export,
    open,
    render,
)

__all__ = [
    "Elements",
    "File",
    "Nodes",
    "Principal",
    "Result",
    "ResultFileError",
    "Step",
    "Subcase",
    "Values",
    "calc",
    "export",
    "open",
    "render",
]
