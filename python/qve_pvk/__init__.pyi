"""Finite-element result files (PZAR) read into numpy arrays."""

from types import TracebackType
from typing import Any, Iterable, Sequence

import numpy as np
import numpy.typing as npt

Units = str | Sequence[str] | None

class ResultFileError(OSError):
    """The file cannot be opened or read; the message carries the library's reason."""

class Values:
    """Entity keys[i] has the rows dsi[i] to dsi[i] + dct[i] - 1 of columns."""

    @property
    def keys(self) -> npt.NDArray[np.int32]: ...
    @property
    def dsi(self) -> npt.NDArray[np.int32]: ...
    @property
    def dct(self) -> npt.NDArray[np.int32]: ...
    @property
    def columns(self) -> npt.NDArray[np.float64]:
        """(rows, columns)"""
    @property
    def names(self) -> list[str]: ...
    @property
    def unit(self) -> str: ...
    @property
    def combined(self) -> bool: ...

class Principal:
    @property
    def keys(self) -> npt.NDArray[np.int32]: ...
    @property
    def dsi(self) -> npt.NDArray[np.int32]: ...
    @property
    def dct(self) -> npt.NDArray[np.int32]: ...
    @property
    def values(self) -> npt.NDArray[np.float64]:
        """(rows,)"""
    @property
    def directions(self) -> npt.NDArray[np.float64]:
        """(rows, 3): l, m, n"""
    @property
    def unit(self) -> str: ...

class Nodes:
    @property
    def ids(self) -> npt.NDArray[np.int32]: ...
    @property
    def xyz(self) -> npt.NDArray[np.float64]:
        """(nodes, 3)"""

class Elements:
    @property
    def ids(self) -> npt.NDArray[np.int32]: ...
    @property
    def types(self) -> npt.NDArray[np.uint8]:
        """VTK cell types"""
    @property
    def offsets(self) -> npt.NDArray[np.int64]:
        """cell i has connectivity[offsets[i]:offsets[i + 1]]"""
    @property
    def connectivity(self) -> npt.NDArray[np.int64]:
        """rows of File.nodes, in VTK's node order"""

class Result:
    @property
    def id(self) -> int: ...
    @property
    def loc(self) -> int: ...
    @property
    def location(self) -> str: ...
    @property
    def amt(self) -> int: ...
    @property
    def name(self) -> str: ...
    @property
    def unit(self) -> str: ...
    @property
    def step(self) -> Step: ...
    def values(self, units: Units = None, stored: bool = False) -> Values:
        """The values `pvk values` prints, or the stored columns; in the units named."""

class Step:
    @property
    def number(self) -> int: ...
    @property
    def subcase_number(self) -> int: ...
    @property
    def name(self) -> str: ...
    @property
    def value(self) -> float: ...
    @property
    def results(self) -> list[Result]: ...
    def result(self, key: int | str, loc: int | str | None = None) -> Result:
        """By id or name; KeyError when the step has none."""

class Subcase:
    @property
    def number(self) -> int: ...
    @property
    def name(self) -> str: ...
    @property
    def analysis_type(self) -> int: ...
    @property
    def steps(self) -> list[Step]: ...

class File:
    @property
    def path(self) -> str: ...
    @property
    def info(self) -> dict[str, Any]:
        """As `pvk info --json` prints it."""
    @property
    def subcases(self) -> list[Subcase]: ...
    @property
    def nodes(self) -> Nodes: ...
    @property
    def elements(self) -> Elements: ...
    @property
    def closed(self) -> bool: ...
    def close(self) -> None: ...
    def principal(self, step: Step, result: int | str, units: Units = None) -> Principal: ...
    def __enter__(self) -> File: ...
    def __exit__(
        self,
        exc_type: type[BaseException] | None,
        exc: BaseException | None,
        tb: TracebackType | None,
    ) -> None: ...

def open(path: str) -> File:
    """Opens a result file; ResultFileError with the reason when it cannot."""

def calc(step: Step, expr: str, operands: Sequence[Result], units: Units = None) -> Values:
    """A result computed by an expression, as `pvk calc` computes it."""

def export(
    what: Step | Subcase,
    out: str,
    results: Iterable[int | str] | None = None,
    units: Units = None,
    compress: bool = False,
) -> list[str]:
    """VTK files of a step or of every step of a sub-case; the paths written."""

def render(
    step: Step,
    result: int | str,
    out: str,
    size: str = "800x600",
    view: str = "iso",
    ranks: int = 10,
    deformed: float | None = None,
    loc: int | str | None = None,
) -> None:
    """A contour picture of a result of the step with its legend, written as PNG."""
