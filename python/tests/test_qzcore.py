# The qzcore module against qz and against published results: reading every
# sample, the arrays qz writes, analyses, pictures, and failures.
import math
import os
import subprocess
import sys

import numpy as np
import pytest

import qzcore

SAMPLES = os.environ.get("QZ_SAMPLES", os.path.join(os.path.dirname(__file__), "..", "..", "examples", "data"))
FIELD = os.environ.get("QZ_FIELD", os.path.join(os.path.dirname(__file__), "..", "..", "tests", "fielddata"))
QZ = os.environ.get("QZ_PROGRAM")


def sample(name):
    return os.path.join(SAMPLES, name)


def qz(*args):
    if not QZ:
        pytest.skip("no qz program given")
    return subprocess.run([QZ, *args], capture_output=True, text=True, check=False)


def angular_distance(a, b):
    """Degrees between two axes (trend, plunge)."""
    def vec(t, p):
        t, p = math.radians(t), math.radians(p)
        return (math.cos(p) * math.cos(t), math.cos(p) * math.sin(t), math.sin(p))
    u, v = vec(*a), vec(*b)
    return math.degrees(math.acos(min(1.0, abs(sum(x * y for x, y in zip(u, v))))))


@pytest.mark.parametrize("name,count", [("planes.txt", 11), ("lines.csv", 6), ("faults.txt", 6),
                                        ("bedding.net", 5), ("faults.fkn", 5), ("fold.csv", 84)])
def test_every_sample_reads(name, count):
    ds = qzcore.read(sample(name))
    assert len(ds) == count
    for column in ("strike", "dip", "dip_direction", "trend", "plunge", "rake", "x", "y", "z", "md"):
        array = getattr(ds, column)
        assert isinstance(array, np.ndarray) and array.shape == (count,) and array.dtype == np.float64
    for column in ("kind", "sense"):  # labels, as numpy text arrays
        array = getattr(ds, column)
        assert isinstance(array, np.ndarray) and array.shape == (count,) and array.dtype.kind == "U"
    assert len(ds.comment) == len(ds.station) == count
    if name.startswith("faults"):
        assert (ds.kind == "Fault").all() and (ds.sense != "").all()


def test_arrays_equal_what_qz_writes(tmp_path):
    # qz convert writes every value column of every record, right-hand-rule
    # numbers; the arrays hold the same numbers, NaN where a cell is empty.
    out = tmp_path / "planes.txt"
    assert qz("convert", sample("planes.txt"), str(out)).returncode == 0
    # Empty cells at the end of a row are left out.
    rows = [(line.split("\t") + [""] * 13)[:13] for line in out.read_text().splitlines()[1:]]
    ds = qzcore.read(sample("planes.txt"))
    assert len(rows) == len(ds)
    number = lambda text: float(text) if text else math.nan
    for i, row in enumerate(rows):
        assert row[0] == ds.kind[i]
        assert np.allclose([number(row[1]), number(row[2])], [ds.strike[i], ds.dip[i]], equal_nan=True)
        assert row[7] == ds.station[i]
        assert row[12].strip('"') == ds.comment[i]
    assert ds.dip_direction[0] == (ds.strike[0] + 90) % 360
    # The rejected row, with its line number and reason, as qz lists it.
    assert [(line, reason) for line, _, reason in ds.rejected] == [(13, "Invalid dip value")]
    assert "Invalid dip value" in qz("info", sample("planes.txt")).stdout


def test_reading_options():
    ds = qzcore.read(sample("planes.txt"), columns="Strike,Dip,Well,Attr1,Comment")
    assert len(ds) == 11 and ds.attributes == ["Bedding", "Joint", "Cleavage"]
    path = os.path.join(FIELD, "bigelk-bedding.txt")
    assert len(qzcore.read(path, columns=["Strike", "Dip"], delimiter="tab")) == 61


def test_long_file_every_value_in_its_row(tmp_path):
    # Long enough that reading and the columns each use a second thread:
    # every value lands in its own row's place, and the rows refused are
    # reported by their line numbers.
    rng = np.random.default_rng(7)
    n = 150_000
    strike = rng.integers(0, 361, n)
    dip = rng.integers(0, 91, n)
    bad = np.arange(499, n, 1000)
    dip[bad] = 95  # past vertical
    path = tmp_path / "long.txt"
    path.write_text("".join("%d\t%d\n" % row for row in zip(strike, dip)))
    ds = qzcore.read(str(path), columns=["Strike", "Dip"])
    keep = np.ones(n, bool)
    keep[bad] = False
    assert len(ds) == keep.sum()
    assert np.array_equal(ds.strike, strike[keep])
    assert np.array_equal(ds.dip, dip[keep])
    assert np.array_equal(ds.dip_direction, (strike[keep] + 90) % 360)
    assert np.isnan(ds.trend).all() and np.isnan(ds.x).all()
    assert [line for line, _, _ in ds.rejected] == list(bad + 1)
    assert {reason for _, _, reason in ds.rejected} == {"Invalid dip value: out of range (0 to 90)"}


def test_from_arrays_checks_rows_and_round_trips(tmp_path):
    ds = qzcore.Dataset.from_arrays(strike=[10, 20, math.nan, 400], dip=[30, 40.4, 50, 10])
    assert list(ds.strike) == [10, 20]
    assert list(ds.dip) == [30, 40]  # decimals rounded to whole degrees
    assert [reason for _, _, reason in ds.rejected] == ["Missing input value", "Invalid strike value: out of range (0 to 360)"]
    faults = qzcore.Dataset.from_arrays(strike=[0, 0], dip=[60, 60], rake=[90, 90], sense=["Norm", "Rev"],
                                        comment=["a, b", "c"])
    for fmt in ("text", "binary", "faultkin"):
        path = tmp_path / ("f." + {"text": "txt", "binary": "gdf", "faultkin": "fkn"}[fmt])
        written, left = faults.write(str(path))
        assert (written, left) == (2, 0)
        back = qzcore.read(str(path))
        assert list(back.sense) == ["Norm", "Rev"]
        assert list(back.dip) == [60, 60]
    assert list(qzcore.read(str(tmp_path / "f.txt")).comment) == ["a, b", "c"]
    with pytest.raises(ValueError):
        qzcore.Dataset.from_arrays(strike=[1, 2], dip=[3])


def test_fisher_equals_qz():
    ds = qzcore.read(sample("planes.txt"))
    result = qzcore.fisher(ds)
    printed = qz("analyse", "fisher", sample("planes.txt")).stdout
    assert "(%d , %d)" % (round(result.mean.trend) % 360, round(result.mean.plunge)) in printed
    assert result.n == 11 and 0 < result.R < 11 and result.k == pytest.approx((11 - 1) / (11 - result.R))


def test_least_squares_axes_equal_qz():
    # Both searches of qz analyse, the evolutionary one with a fixed seed so
    # that the two runs are the same run.  The axis that maximises the sum
    # of squared cosines is the orientation tensor's largest eigenvector:
    # the 2-degree grid finds it within a step.
    ds = qzcore.read(sample("fold.csv"))
    def printed(*args):
        out = qz("analyse", *args, sample("fold.csv")).stdout
        return tuple(int(v) for v in out.split("Azimuth, Plunge :")[1].split(","))
    grid = qzcore.lsq(ds)
    assert (round(grid.trend), round(grid.plunge)) == printed("lsq")
    evolved = qzcore.de(ds, seed=7, generations=300)
    assert (round(evolved.trend), round(evolved.plunge)) == printed("de", "--seed", "7", "--generations", "300")
    assert tuple(qzcore.lsq(ds, de=True, seed=7, generations=300)) == tuple(evolved)
    assert angular_distance(tuple(grid), tuple(qzcore.tensor(ds).axes[0])) <= 2.0
    assert angular_distance(tuple(evolved), tuple(qzcore.tensor(ds).axes[0])) <= 2.0
    with pytest.raises(TypeError):
        qzcore.de(ds, seed="seven")


def test_fabric_shape():
    """Woodcock's and Vollmer's indices from the eigenvalues: six lines N,
    three E and one vertical give S = 0.6, 0.3, 0.1; one direction alone
    leaves Woodcock's undefined (None)."""
    shape = qzcore.tensor(qzcore.Dataset.from_arrays(trend=[0] * 6 + [90] * 3 + [0], plunge=[0] * 9 + [90]))
    assert shape.woodcock_k == pytest.approx(math.log(2) / math.log(3))
    assert shape.woodcock_c == pytest.approx(math.log(6))
    assert (shape.vollmer_p, shape.vollmer_g, shape.vollmer_r) == pytest.approx((0.3, 0.4, 0.3))
    point = qzcore.tensor(qzcore.Dataset.from_arrays(trend=[10, 10], plunge=[20, 20]))
    assert point.woodcock_k is None and point.woodcock_c is None and point.vollmer_p == pytest.approx(1.0)


@pytest.mark.parametrize("name,sep,count", [("jujuy-faults-pt.tsv", "\t", 58), ("kamogawa-faults.csv", ",", 50)])
def test_pt_of_published_fault_tables_equal_the_reference(name, sep, count):
    # Read with no options: Kamogawa is a structr fault table (dip direction,
    # dip, azimuth, plunge, sense +1/-1), one fault on a horizontal slip line.
    path = os.path.join(FIELD, name)
    ds = qzcore.read(path)
    assert len(ds) == count and not ds.rejected and not ds.layout_guessed
    assert ds.skipped == {"blank": 0, "comment": 0, "title": 0, "header": 1}
    result = qzcore.pt(ds)
    reference = [line.split(sep) for line in open(path).read().splitlines()[1:] if line.strip()]
    assert len(result.p_trend) == len(reference) == count
    for i, row in enumerate(reference):
        p, t = (float(row[5]), float(row[6])), (float(row[7]), float(row[8]))
        if np.isnan(p[0]):
            assert np.isnan(result.p_trend[i]) and "Ambig" in result.skipped[i]
            assert [line for line, _, _ in ds.remarks] == [i + 2]
            continue
        assert angular_distance((result.p_trend[i], result.p_plunge[i]), p) <= 1.5
        assert angular_distance((result.t_trend[i], result.t_plunge[i]), t) <= 1.5
        assert result.misfit[i] <= 1.0


def test_spreadsheet_tables_and_title_rows(tmp_path):
    planes = qzcore.read(os.path.join(FIELD, "structr-planes.csv"))
    rows = [line.split(",") for line in open(os.path.join(FIELD, "structr-planes.csv")).read().splitlines()[1:]]
    assert len(planes) == 200 and "foliation" in planes.attributes
    assert list(planes.dip_direction) == [float(r[0]) for r in rows]
    path = tmp_path / "outcrop.csv"
    path.write_bytes(b"Outcrop 5 lineations\rTrend,Plunge\r120,30\r# 125,33\r130,35.49\r")
    lines = qzcore.read(str(path))
    assert list(lines.kind) == ["Line", "Line"] and list(lines.plunge) == [30, 35]
    assert lines.skipped == {"blank": 0, "comment": 1, "title": 1, "header": 1}
    one = qzcore.fisher(qzcore.Dataset.from_arrays(trend=[120], plunge=[30]))
    assert np.isnan(one.k) and np.isnan(one.variance) and one.cone is None


def test_two_record_analyses_and_density():
    planes = qzcore.Dataset.from_arrays(strike=[0, 90], dip=[30, 30])
    line = qzcore.intersect(planes)
    assert (line.trend, line.plunge) == (135, 22)  # as qz analyse intersect
    assert qzcore.angle(qzcore.Dataset.from_arrays(trend=[1, 179], plunge=[2, 1])) == 4
    lines = qzcore.Dataset.from_arrays(trend=[0] * 100, plunge=[90] * 100)
    d = qzcore.density(lines, method="1percent", smoothing="none", grid=11)
    assert d.grid.shape == (11, 11) and d.percent
    assert d.grid[5, 5] == pytest.approx(100.0)  # every line in the one-percent cone
    assert (d.peak.plunge, d.peak_value) == (90, pytest.approx(100.0))


def test_failures_raise_with_the_library_code():
    with pytest.raises(qzcore.Error) as e:
        qzcore.read(sample("does-not-exist.txt"))
    assert e.value.args[0] == -9
    with pytest.raises(qzcore.Error) as e:
        qzcore.intersect(qzcore.Dataset.from_arrays(strike=[0, 10, 20], dip=[10, 20, 30]))
    assert e.value.args[0] == -33
    with pytest.raises(qzcore.Error) as e:
        qzcore.tensor(qzcore.read(sample("faults.txt")))  # faults need faults= or lineations=
    assert e.value.args[0] == -32
    with pytest.raises(qzcore.Error):
        qzcore.density(qzcore.read(sample("planes.txt")), method="seismic", smoothing="none")
    with pytest.raises(ValueError):
        qzcore.read(sample("planes.txt"), columns="Strike,Bogus")
    with pytest.raises(ValueError):
        qzcore.rose(qzcore.read(sample("planes.txt")), class_size=25)


def test_pictures_in_every_format(tmp_path):
    ds = qzcore.read(sample("fold.csv"))
    pictures = [qzcore.stereonet(ds, contour="kamb", filled=True, planes="poles", title="Fold"),
                qzcore.rose(ds, running_average=20), qzcore.tangent(ds)]
    heads = {"png": b"\x89PNG", "svg": b"<?xml", "pdf": b"%PDF-"}
    for i, picture in enumerate(pictures):
        for fmt, head in heads.items():
            path = tmp_path / ("p%d.%s" % (i, fmt))
            picture.save(str(path))
            assert path.read_bytes().startswith(head)
    assert pictures[0]._repr_png_().startswith(b"\x89PNG")
    assert pictures[0]._repr_svg_().startswith("<?xml")
    assert pictures[0].note == ""
    faults = qzcore.read(sample("faults.txt"))
    overlaid = qzcore.stereonet(faults, fisher=True, bestfit=True, pt=True, planes="poles")
    overlaid.save(str(tmp_path / "overlaid.svg"))
    with pytest.raises(qzcore.Error):
        qzcore.stereonet(qzcore.read(sample("planes.txt")), pt=True).png()  # no faults
    flat = qzcore.stereonet(ds, contour="kamb", levels=(2, 0))
    flat.png()
    assert "interval" in flat.note
    with pytest.raises(ValueError):
        pictures[0].save(str(tmp_path / "p.jpg"))


def test_pictures_on_matplotlib_axes():
    """Each plot drawn as matplotlib artists lands where the projections put
    it, worked here from the formulas; overlays are not counted as data."""
    mpl = pytest.importorskip("matplotlib")
    mpl.use("Agg")
    import matplotlib.pyplot as plt
    from matplotlib.patches import Wedge
    lines = qzcore.read(sample("lines.csv"))
    trend_plunge = [(42, 12), (38, 15), (225, 8), (44, 10), (51, 18), (310, 65)]
    fig, (net, rose, tangent) = plt.subplots(1, 3)

    def markers(ax, marker):
        """Markers of one kind on the plot (not those of the key beside it)."""
        xy = [np.column_stack(l.get_data()) for l in ax.lines if l.get_marker() == marker]
        xy = np.vstack(xy) if xy else np.empty((0, 2))
        return xy[np.hypot(*xy.T) <= 1 + 1e-6]

    # Equal area, lower hemisphere: r = sqrt(2) sin((90 - p) / 2).
    assert qzcore.stereonet(lines, fisher=True, bestfit=True, contour="kamb", ax=net) is net
    want = [(math.sqrt(2) * math.sin(math.radians(90 - p) / 2) * math.sin(math.radians(t)),
             math.sqrt(2) * math.sin(math.radians(90 - p) / 2) * math.cos(math.radians(t))) for t, p in trend_plunge]
    got = markers(net, "^")
    assert len(got) == len(want)
    for w in want:
        assert np.min(np.hypot(*(got - w).T)) < 1e-5
    texts = [t.get_text() for t in net.texts]
    assert "Total Data : 6" in texts  # the Fisher mean is not a datum
    # ...nor counted: the same densities (levels and colour bar) without it.
    bare_fig, bare = plt.subplots()
    qzcore.stereonet(lines, contour="kamb", ax=bare)
    def levels(ax):
        return [t.get_text() for t in ax.texts if t.get_position()[0] > 1 and t.get_text()[0].isdigit()]
    assert levels(bare) == levels(net) == ["2", "4", "6", "8"]
    plt.close(bare_fig)

    # Rose of trends in 30-degree classes, area scaling: each petal's radius
    # is sqrt(count) over the largest's; numpy counts the classes.
    qzcore.rose(lines, of="trend", class_size=30, ax=rose)
    counts, _ = np.histogram([t for t, _ in trend_plunge], bins=12, range=(0, 360))
    wedges = sorted((w for w in rose.patches if isinstance(w, Wedge)), key=lambda w: (90 - w.theta2) % 360)
    assert [round((90 - w.theta2) % 360) for w in wedges] == [30 * k for k in np.nonzero(counts)[0]]
    for w, n in zip(wedges, counts[counts > 0]):
        assert w.r == pytest.approx(math.sqrt(n / counts.max()), abs=1e-6)

    # Tangent: r = tan(p) / tan(65); the 065 lies on the frame, steeper
    # ones are left off and said.
    steep = qzcore.Dataset.from_arrays(trend=[10, 200, 100], plunge=[20, 65, 70])
    with pytest.warns(UserWarning, match="1 points plunging more than 65"):
        qzcore.tangent(steep, ax=tangent)
    got = markers(tangent, tangent.lines[0].get_marker())
    for t, p in [(10, 20), (200, 65)]:
        r = math.tan(math.radians(p)) / math.tan(math.radians(65))
        assert np.min(np.hypot(got[:, 0] - r * math.sin(math.radians(t)), got[:, 1] - r * math.cos(math.radians(t)))) < 1e-5
    assert len(got) == 2
    plt.close(fig)


def test_module_imports_without_matplotlib():
    code = ("import sys; sys.modules['matplotlib'] = None; import qzcore; "
            "d = qzcore.Dataset.from_arrays(trend=[10], plunge=[20]); assert qzcore.stereonet(d).png()[:4] == b'\\x89PNG'")
    subprocess.run([sys.executable, "-c", code], check=True, env=dict(os.environ))


def test_sets_of_two_groups():
    """Two groups of axes: the larger first, each record labelled, the mean
    of two equal groups their bisector."""
    ds = qzcore.Dataset.from_arrays(trend=[10, 10, 12, 12, 200, 200, 202], plunge=[20, 20, 22, 22, 70, 70, 68])
    r = qzcore.cluster(ds, sets=2, seed=3)
    assert r.k == 2 and list(r.counts) == [4, 3]
    assert list(r.labels) == [0, 0, 0, 0, 1, 1, 1]
    assert (round(r.means[0].trend), round(r.means[0].plunge)) == (11, 21)
    assert r.labels.dtype.kind == "i"
    with pytest.raises(ValueError):
        qzcore.cluster(ds, sets=21)


def _hand_kinematics(dd, dip, face_dd, face_dip, phi, limit, curved):
    """The rules of the kinematic tests in trigonometry (apparent dips on the
    net), independent of the library's vector form."""
    r = np.radians
    eps = 1e-9  # degrees: ties stay on the side the rule gives them
    off = (dd - face_dd + 180) % 360 - 180  # dip direction off the face's
    app = lambda d, a: np.degrees(np.arctan(np.tan(r(d)) * np.cos(r(a))))
    if curved:
        within = np.degrees(np.arcsin(np.abs(np.sin(r(dip)) * np.sin(r(off))))) <= limit + eps
    else:
        within = np.abs(off) <= limit + eps
    daylight = (np.abs(off) < 90) & (dip < app(face_dip, off) - eps)
    planar = daylight & (dip > phi + eps) & within
    # Toppling: the pole (trend dd + 180 = off the face's by off - 180).
    poff = (off + 360) % 360 - 180
    if curved:
        twithin = np.degrees(np.arcsin(np.abs(np.sin(r(dip)) * np.sin(r(poff))))) <= limit + eps
    else:
        twithin = np.abs(poff) <= limit + eps
    topple = (face_dip > phi) & (np.abs(poff) < 90) & (90 - dip < app(face_dip - phi, poff) - eps) & twithin
    # Lines of intersection of every pair, lower hemisphere.
    pt, pp = r(dd + 180), r(90 - dip)
    n = np.stack([np.cos(pp) * np.cos(pt), np.cos(pp) * np.sin(pt), np.sin(pp)], 1)
    i, j = np.triu_indices(len(dd), 1)
    line = np.cross(n[i], n[j])
    norm = np.linalg.norm(line, axis=1)
    line, norm = line[norm > 1e-9], norm[norm > 1e-9]
    line = line / norm[:, None]
    line[line[:, 2] < 0] *= -1
    trend = np.degrees(np.arctan2(line[:, 1], line[:, 0]))
    plunge = np.degrees(np.arcsin(np.clip(line[:, 2], -1, 1)))
    loff = (trend - face_dd + 180) % 360 - 180
    wday = (np.abs(loff) < 90) & (plunge < app(face_dip, loff) - eps)
    main = wday & (plunge > phi + eps)
    secondary = wday & ~main & (plunge > app(phi, loff) + eps)
    into = (trend - face_dd) % 360 - 180
    direct = (np.abs(into) <= limit + eps) & (plunge > 90 - face_dip + eps)
    oblique = ~direct & (plunge > 90 - phi + eps)
    return planar, topple, (main.sum(), secondary.sum()), (direct.sum(), oblique.sum()), len(plunge)


@pytest.mark.parametrize("face,phi,limit,curved", [((270, 75), 35, 20, False), ((270, 75), 35, 20, True),
                                                   ((180, 60), 30, 15, False), ((90, 40), 38, 25, False)])
def test_kinematic_counts_equal_a_hand_computation(face, phi, limit, curved):
    ds = qzcore.read(sample("slope_planes.csv"))
    assert len(ds) == 200
    k = qzcore.kinematic(ds, slope=face, friction=phi, lateral_limit=limit, curved_limits=curved)
    planar, topple, wedge, direct, pairs = _hand_kinematics(ds.dip_direction, ds.dip, *face, phi, limit, curved)
    assert k.planes == 200 and k.pairs == pairs
    assert k.planar.dtype == bool and (k.planar == planar).all()
    assert (k.flexural_toppling == topple).all()
    assert k.wedge == wedge and k.direct_toppling == direct
    assert k.planar.sum() > 0 and wedge[0] > 0 or face[1] <= phi + 2


def test_kinematic_refuses_and_fails():
    ds = qzcore.read(sample("planes.txt"))
    with pytest.raises(ValueError, match="slope"):
        qzcore.kinematic(ds, slope=(90, 95))
    with pytest.raises(ValueError, match="lateral_limit"):
        qzcore.kinematic(ds, slope=(90, 60), lateral_limit=-1)
    with pytest.raises(qzcore.Error):
        qzcore.kinematic(qzcore.read(sample("lines.csv")), slope=(90, 60))


def test_kinematic_zones_and_cones_drawn(tmp_path):
    ds = qzcore.read(sample("slope_planes.csv"))
    pic = qzcore.stereonet(ds, planes="poles", kinematic="planar", slope=(270, 75), friction=35,
                           cones=[(0, 90, 35), (45, 30, 20)])
    assert pic.note == ""
    with pytest.raises(ValueError, match="slope"):
        qzcore.stereonet(ds, kinematic="wedge")
    with pytest.raises(ValueError, match="cone"):
        qzcore.stereonet(ds, cones=[(0, 95, 10)])
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    fig, ax = plt.subplots()
    qzcore.stereonet(ds, planes="poles", kinematic="flexural", slope=(270, 75), ax=ax)
    assert len(ax.patches) + len(ax.collections) > 0
    plt.close(fig)


def test_sets_marked_coloured_and_kept(tmp_path):
    ds = qzcore.read(sample("slope_planes.csv"))
    assert qzcore.mark_sets(ds, sets=3, seed=1) == 3
    path = str(tmp_path / "sets.gdf")
    ds.write(path)
    # The file keeps the sets: the stereonet finds them in what it reads.
    qzcore.stereonet(qzcore.read(path), planes="poles", colour_by="set").png()
    with pytest.raises(qzcore.Error, match="colour-by"):
        qzcore.stereonet(qzcore.read(sample("planes.txt")), colour_by="set").png()


def test_fabric_diagrams_of_several_datasets(tmp_path):
    fold, slope = qzcore.read(sample("fold.csv")), qzcore.read(sample("slope_planes.csv"))
    for kind in ("woodcock", "vollmer"):
        pic = qzcore.fabric_diagram([fold, slope], kind=kind, labels=["fold", "slope"])
        assert pic.png()[:4] == b"\x89PNG"
    with pytest.raises(ValueError, match="kind"):
        qzcore.fabric_diagram([fold], kind="flinn")
    with pytest.raises(ValueError, match="labels"):
        qzcore.fabric_diagram([fold, slope], labels=["one"])


def _michael_by_hand(path):
    """Michael's (1984) linear inversion written out in numpy from the
    paper's equations, reading structr's fault table itself."""
    d = np.genfromtxt(path, delimiter=",", names=True)
    r = np.radians
    keep = ~((d["plunge"] == 0) & (np.abs(d["sense"]) == 1))  # a horizontal line has no up or down
    d = d[keep]
    n = np.stack([np.sin(r(d["dip"])) * np.cos(r(d["dip_direction"])),
                  np.sin(r(d["dip"])) * np.sin(r(d["dip_direction"])), -np.cos(r(d["dip"]))], 1)
    line = np.stack([np.cos(r(d["plunge"])) * np.cos(r(d["azimuth"])),
                     np.cos(r(d["plunge"])) * np.sin(r(d["azimuth"])), np.sin(r(d["plunge"]))], 1)
    s = d["sense"][:, None] * line  # +1: the hanging wall down the line
    s -= (s * n).sum(1)[:, None] * n
    s /= np.linalg.norm(s, axis=1)[:, None]
    basis = [np.array(e, float) for e in ([[1, 0, 0], [0, 0, 0], [0, 0, -1]], [[0, 1, 0], [1, 0, 0], [0, 0, 0]],
                                          [[0, 0, 1], [0, 0, 0], [1, 0, 0]], [[0, 0, 0], [0, 1, 0], [0, 0, -1]],
                                          [[0, 0, 0], [0, 0, 1], [0, 1, 0]])]
    a = np.vstack([np.stack([e @ x - (x @ e @ x) * x for e in basis], 1) for x in n])
    t = np.linalg.lstsq(a, s.reshape(-1), rcond=None)[0]
    tensor = -np.array([[t[0], t[1], t[2]], [t[1], t[3], t[4]], [t[2], t[4], -t[0] - t[3]]])  # compression +
    w, v = np.linalg.eigh(tensor)
    w, v = w[::-1], v[:, ::-1]
    axes = [(math.degrees(math.atan2(x[1], x[0])) % 360, math.degrees(math.asin(abs(x[2])))) if x[2] >= 0 else
            (math.degrees(math.atan2(-x[1], -x[0])) % 360, math.degrees(math.asin(abs(x[2])))) for x in v.T]
    return axes, (w[1] - w[2]) / (w[0] - w[2])


def test_stress_of_kamogawa_equals_michael_by_hand():
    ds = qzcore.read(os.path.join(FIELD, "kamogawa-faults.csv"))
    axes, phi = _michael_by_hand(os.path.join(FIELD, "kamogawa-faults.csv"))
    s = qzcore.stress(ds, refine=False)
    assert s.n == 49  # the fault with a horizontal line and a +-1 sense has none
    for got, want in zip((s.sigma1, s.sigma2, s.sigma3), axes):
        assert angular_distance(got, want) < 1.0
    assert abs(s.phi - phi) < 0.01
    assert s.misfit.shape == (49,) and not np.isnan(s.misfit).any()
    b = qzcore.stress(ds, bootstrap=200, seed=3)
    assert b.bootstrap["sigma1"].shape == (200, 2) and b.phi_range[0] <= b.phi <= b.phi_range[1]
    d = qzcore.dihedra(ds)
    assert angular_distance(d.p, s.sigma1) < 30 and d.p_percent > 90


def test_stress_senses_as_words_signs_and_rakes_agree(tmp_path):
    rows = np.genfromtxt(os.path.join(FIELD, "kamogawa-faults.csv"), delimiter=",", names=True)
    rows = rows[rows["plunge"] > 0]
    signs, words = tmp_path / "signs.csv", tmp_path / "words.csv"
    signs.write_text("dip_direction,dip,azimuth,plunge,sense\n" + "".join(
        f"{r['dip_direction']:g},{r['dip']:g},{r['azimuth']:g},{r['plunge']:g},{int(r['sense'])}\n" for r in rows))
    words.write_text("Strike,Dip,Trend,Plunge,Slip\n" + "".join(
        f"{(r['dip_direction'] - 90) % 360:g},{r['dip']:g},{r['azimuth']:g},{r['plunge']:g},"
        f"{'Normal' if r['sense'] > 0 else 'Reverse'}\n" for r in rows))
    # Rakes: the slip line's angle from the strike in the plane, 0-180.
    strike = np.radians(rows["dip_direction"] - 90)
    r = np.radians
    line = np.stack([np.cos(r(rows["plunge"])) * np.cos(r(rows["azimuth"])),
                     np.cos(r(rows["plunge"])) * np.sin(r(rows["azimuth"]))], 1)
    rake = np.degrees(np.arccos(np.clip(line[:, 0] * np.cos(strike) + line[:, 1] * np.sin(strike), -1, 1)))
    rakes = tmp_path / "rakes.csv"
    rakes.write_text("Strike,Dip,Rake,Slip\n" + "".join(
        f"{(x['dip_direction'] - 90) % 360:g},{x['dip']:g},{k:.0f},{'Normal' if x['sense'] > 0 else 'Reverse'}\n"
        for x, k in zip(rows, rake)))
    a, b, c = (qzcore.stress(qzcore.read(str(f))) for f in (signs, words, rakes))
    assert a.n == b.n == c.n == len(rows)
    assert angular_distance(a.sigma1, b.sigma1) < 1e-6 and abs(a.phi - b.phi) < 1e-9
    # Rakes give whole-degree slip lines: the same stress within rounding.
    assert angular_distance(a.sigma1, c.sigma1) < 3 and abs(a.phi - c.phi) < 0.05


def test_stress_refuses_and_fails_clearly(tmp_path):
    ds = qzcore.read(os.path.join(FIELD, "kamogawa-faults.csv"))
    with pytest.raises(ValueError, match="method"):
        qzcore.stress(ds, method="gauss")
    with pytest.raises(ValueError, match="bootstrap"):
        qzcore.stress(ds, bootstrap=-1)
    few = tmp_path / "few.csv"
    few.write_text("Strike,Dip,Trend,Plunge,Slip\n0,60,90,60,Normal\n90,60,180,60,Normal\n45,50,135,50,Normal\n")
    with pytest.raises(qzcore.Error, match="four faults"):
        qzcore.stress(qzcore.read(str(few)))
    same = tmp_path / "same.csv"
    same.write_text("Strike,Dip,Trend,Plunge,Slip\n" + "0,60,90,60,Normal\n" * 6)
    with pytest.raises(qzcore.Error, match="constrain"):
        qzcore.stress(qzcore.read(str(same)))
    with pytest.raises(qzcore.Error):
        qzcore.stress(qzcore.read(sample("planes.txt")))
    # Horizontal slip lines with +-1 senses say neither up nor down: no
    # sense, a clear error, no NaN.
    flat = tmp_path / "flat.csv"
    flat.write_text("dip_direction,dip,azimuth,plunge,sense\n" + "".join(
        f"{d},{60},{(d + 90) % 360},0,{1 if d % 2 else -1}\n" for d in (10, 95, 170, 255, 300)))
    with pytest.raises(qzcore.Error, match="no data|sense"):
        qzcore.stress(qzcore.read(str(flat)))


def test_stress_pictures(tmp_path):
    ds = qzcore.read(os.path.join(FIELD, "kamogawa-faults.csv"))
    for pic in (qzcore.stereonet(ds, stress=True, bootstrap=50, colour_by="misfit"),
                qzcore.stereonet(ds, planes="poles", dihedra=True), qzcore.mohr(ds), qzcore.misfit_histogram(ds),
                qzcore.stereonet(ds, colour_by="slip-tendency", from_faults=True, magnitudes=(100, 0, 40))):
        assert pic.png()[:4] == b"\x89PNG"
    with pytest.raises(qzcore.Error):
        qzcore.stereonet(qzcore.read(sample("planes.txt")), dihedra=True).png()


def test_tendency_against_mohr_by_hand():
    # sigma1 30 vertical, sigma3 10 east-west: a plane's normal and shear
    # stress from its normal's direction cosines, written out here.
    ds = qzcore.read(sample("slope_planes.csv"))
    t = qzcore.tendency(ds, sigma1=(0, 90), sigma3=(90, 0), magnitudes=(30, 20, 10))
    dd, dip = np.radians(ds.dip_direction), np.radians(ds.dip)
    n = np.stack([np.cos(dd) * np.sin(dip), np.sin(dd) * np.sin(dip), np.cos(dip)], 1)  # N, E, down
    s = np.array([20.0, 10.0, 30.0])  # north (sigma2), east (sigma3), down (sigma1)
    sn = (s * n * n).sum(1)
    tau = np.sqrt((s ** 2 * n ** 2).sum(1) - sn ** 2)
    assert np.allclose(t.slip, tau / sn) and np.allclose(t.dilation, (30 - sn) / 20)
    assert t.slip.max() <= 20 / (2 * math.sqrt(300)) + 1e-12  # the optimally oriented plane's
    assert t.slip_normalised.max() == 1.0
    with pytest.raises(ValueError, match="magnitudes"):
        qzcore.tendency(ds, magnitudes=(1, 2, 3))
    with pytest.raises(ValueError, match="sigma3"):
        qzcore.tendency(ds, sigma1=(0, 90), sigma3=(0, 45))
    f = qzcore.tendency(qzcore.read(os.path.join(FIELD, "kamogawa-faults.csv")), from_faults=True, faults=True,
                        magnitudes=(100, 0, 40))
    assert len(f.slip) == 50 and f.magnitudes[2] < f.magnitudes[1] < f.magnitudes[0]
