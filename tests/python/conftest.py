"""The sample beam and the pvk tool the module is compared with (CTest sets PVK_EXE)."""

import json
import os
import pathlib
import subprocess
import tempfile

import numpy as np
import pytest

import qve_pvk

PVK = os.environ.get("PVK_EXE", "pvk")
DATA = pathlib.Path(os.environ.get("PVK_PY_TEST_DIR") or tempfile.mkdtemp())
_beam = None


def pvk(*args, check=True):
    return subprocess.run([PVK, *map(str, args)], check=check, capture_output=True, text=True)


def beam_path():
    """The beam sample, written once per run."""
    global _beam
    if _beam is None:
        DATA.mkdir(parents=True, exist_ok=True)
        pvk("sample", DATA / "beam", "--force", "-q")
        _beam = DATA / "beam.tkvp"
    return _beam


@pytest.fixture
def beam():
    return beam_path()


def pvk_json(*args):
    return json.loads(pvk(*args, "--json").stdout)


def json_rows(doc):
    """The ids and values of pvk's JSON rows, null as NaN."""
    ids = [row["id"] for row in doc["rows"]]
    values = [[np.nan if x is None else x for x in row["values"]] for row in doc["rows"]]
    return ids, np.array(values, dtype=float).reshape(len(ids), len(doc["columns"]))


def value_rows(values):
    """Values as pvk prints them: every row of every entity, in key order."""
    ids, rows = [], []
    for key, first, count in zip(values.keys, values.dsi, values.dct):
        if count > 0 and first >= 0:
            ids += [int(key)] * int(count)
            rows += range(first, first + count)
    return ids, values.columns[rows]


def pytest_generate_tests(metafunc):
    # Every result of a static step in the file's units and of a transient step in others.
    if "case" not in metafunc.fixturenames:
        return
    cases = []
    with qve_pvk.open(str(beam_path())) as f:
        for sub, step, units in ((1, 1, None), (2, 3, "m,kN")):
            for r in f.subcases[sub - 1].steps[step - 1].results:
                cases.append(pytest.param((sub, step, r.id, r.loc, units), id=f"{sub}-{step}-{r.id}@{r.loc}"))
    metafunc.parametrize("case", cases)
