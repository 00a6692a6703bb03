"""qve_pvk against the pvk tool that shares its code, and the memory of its arrays."""

import gc

import numpy as np
import pytest

import qve_pvk
from conftest import DATA, json_rows, pvk, pvk_json, value_rows


def test_values_equal_pvk_values(beam, case):
    sub, step, rid, loc, units = case
    args = ["values", beam, "--subcase", sub, "--step", step, "--result", rid, "--loc", loc]
    want = pvk_json(*args, "--all-values", *(["--units", units] if units else []))
    with qve_pvk.open(str(beam)) as f:
        r = f.subcases[sub - 1].steps[step - 1].result(rid, loc)
        v = r.values(units=tuple(units.split(",")) if units else None)
    assert (v.names, v.unit, v.combined) == (want["columns"], want["unit"], want["combined"])
    assert (v.keys.dtype, v.dsi.dtype, v.dct.dtype) == (np.int32,) * 3
    ids, rows = value_rows(v)
    want_ids, want_rows = json_rows(want)
    assert ids == want_ids
    np.testing.assert_array_equal(rows, want_rows)


def test_info_nodes_and_elements_agree_with_pvk_info(beam):
    with qve_pvk.open(str(beam)) as f:
        info, nodes, elements = f.info, f.nodes, f.elements
    assert info == pvk_json("info", beam)
    assert len(nodes.ids) == info["nodes"] and len(elements.ids) == info["elements"]
    np.testing.assert_array_equal(np.r_[nodes.xyz.min(0), nodes.xyz.max(0)], info["bbox"])
    assert elements.offsets[0] == 0 and elements.offsets[-1] == len(elements.connectivity)
    assert 0 <= elements.connectivity.min() and elements.connectivity.max() < len(nodes.ids)


def test_arrays_outlive_the_file(beam):
    f = qve_pvk.open(str(beam))
    step = f.subcases[1].steps[2]
    r = step.result(312114)
    v, p, nodes = r.values(units="m,N"), f.principal(step, 7208), f.nodes
    arrays = [v.keys, v.dsi, v.dct, v.columns, p.values, p.directions, nodes.xyz]
    copies = [a.copy() for a in arrays]
    with f:
        pass
    assert f.closed
    for use in (lambda: step.results, lambda: r.values(), lambda: f.subcases):
        with pytest.raises(ValueError, match="closed"):
            use()
    del f, step, r, v, p, nodes
    gc.collect()
    ballast = [np.full(a.shape, -7.0) for a in copies]  # takes memory freed too early
    for a, c in zip(arrays, copies):
        np.testing.assert_array_equal(a, c)
    assert ballast


def cut(path, size):
    data = path.read_bytes()
    out = DATA / f"cut{size}.tkvp"
    out.write_bytes(data[:size])
    return out


@pytest.mark.parametrize(
    "make",
    [
        lambda beam: DATA / "missing.tkvp",
        lambda beam: cut(beam, 0),
        lambda beam: cut(beam, 50),
        lambda beam: DATA / "beam",  # no result file extension
    ],
    ids=["missing", "empty", "cut", "extension"],
)
def test_bad_files_raise_the_reason(beam, make):
    path = make(beam)
    if path.name == "beam":
        path.write_bytes(beam.read_bytes())
    with pytest.raises(qve_pvk.ResultFileError) as error:
        qve_pvk.open(str(path))
    said = pvk("info", path, check=False).stderr.strip()
    assert said == f"pvk: {error.value}" and said.startswith(f"pvk: cannot open {path}: ")


@pytest.mark.parametrize(
    "key, loc, error",
    [
        (312999, None, KeyError),
        ("solid strs von mieses", None, KeyError),
        (101, "element", KeyError),
        (101, "nod", ValueError),
    ],
)
def test_unknown_results_raise(beam, key, loc, error):
    with qve_pvk.open(str(beam)) as f:
        with pytest.raises(error) as raised:
            f.subcases[0].steps[0].result(key, loc)
    assert str(key) in str(raised.value) or loc in str(raised.value)


def test_calc_equals_pvk_calc(beam):
    want = pvk_json("calc", beam, "--subcase", 2, "--step", 2, "--expr", "[A]*2+[B]",
                    "--operand", 102, "--operand", 104, "--units", "m,kN")
    with qve_pvk.open(str(beam)) as f:
        step = f.subcases[1].steps[1]
        got = qve_pvk.calc(step, "[A]*2+[B]", [step.result(102), step.result(104)], ("m", "kN"))
        assert got.names == want["columns"]
        with pytest.raises(ValueError, match="Unexpected end of expression"):
            qve_pvk.calc(step, "[A]*", [step.result(102)])
        with pytest.raises(ValueError, match="of its step"):
            qve_pvk.calc(step, "[A]", [f.subcases[0].steps[0].result(102)])
    ids, rows = value_rows(got)
    want_ids, want_rows = json_rows(want)
    assert ids == want_ids
    np.testing.assert_array_equal(rows, want_rows)


def test_principal_values_and_directions(beam):
    with qve_pvk.open(str(beam)) as f:
        step = f.subcases[1].steps[2]
        held = f.principal(step, 312107)
        shown = step.result(312107).values().columns
        nodal = f.principal(step, "strs prin a")
        tensor = step.result(7208).values(stored=True).columns
        combined = step.result(7208).values().columns[:, 0]
        with pytest.raises(ValueError, match="no principal values"):
            f.principal(step, 312114)
    np.testing.assert_array_equal(held.values, shown[:, 0])
    np.testing.assert_array_equal(held.directions, shown[:, 1:4])
    np.testing.assert_array_equal(nodal.values, combined)
    xx, yy, zz, xy, yz, zx = tensor.T
    t = np.stack([[xx, xy, zx], [xy, yy, yz], [zx, yz, zz]]).transpose(2, 0, 1)
    d = nodal.directions
    np.testing.assert_allclose(np.einsum("rij,rj->ri", t, d), nodal.values[:, None] * d, atol=1e-9)
    np.testing.assert_allclose(np.linalg.norm(d, axis=1), 1.0)


def test_export_writes_what_pvk_export_writes(beam, tmp_path):
    pvk("export", beam, "--out", tmp_path / "tool", "--subcase", 2, "--all-steps",
        "--results", "101,7207", "--units", "m,N")
    with qve_pvk.open(str(beam)) as f:
        paths = qve_pvk.export(f.subcases[1], str(tmp_path / "py"), [101, "Strs Von Mises"],
                               ("m", "N"))
    names = sorted(p.name for p in (tmp_path / "tool").iterdir())
    assert [p.rsplit("/", 1)[1] for p in paths] == names  # the .pvd sorts last
    for name in names:
        assert (tmp_path / "py" / name).read_bytes() == (tmp_path / "tool" / name).read_bytes()


def test_render_draws_what_pvk_render_draws(beam, tmp_path):
    args = dict(size="320x240", view="x", ranks=6, deformed=200.0)
    pvk("render", beam, "--result", 7207, "--out", tmp_path / "tool.png", "--subcase", 2,
        "--step", 3, *(f"--{k}={v}" for k, v in args.items()))
    with qve_pvk.open(str(beam)) as f:
        step = f.subcases[1].steps[2]
        qve_pvk.render(step, 7207, str(tmp_path / "py.png"), **args)
        with pytest.raises(ValueError, match="bad view"):
            qve_pvk.render(step, 7207, str(tmp_path / "bad.png"), view="up")
    assert (tmp_path / "py.png").read_bytes() == (tmp_path / "tool.png").read_bytes()
    assert not (tmp_path / "bad.png").exists()
