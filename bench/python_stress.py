"""Michael's (1984) inversion with 1,000 bootstrap samples in numpy, on the
faults bench_stress writes (structr's table), for the figure beside
qzCore's.  Usage: python_stress.py FAULTS.csv"""
import sys
import time

import numpy as np


def design(path):
    d = np.genfromtxt(path, delimiter=",", names=True)
    r = np.radians
    n = np.stack([np.sin(r(d["dip"])) * np.cos(r(d["dip_direction"])),
                  np.sin(r(d["dip"])) * np.sin(r(d["dip_direction"])), -np.cos(r(d["dip"]))], 1)
    line = np.stack([np.cos(r(d["plunge"])) * np.cos(r(d["azimuth"])),
                     np.cos(r(d["plunge"])) * np.sin(r(d["azimuth"])), np.sin(r(d["plunge"]))], 1)
    s = d["sense"][:, None] * line
    s -= (s * n).sum(1)[:, None] * n
    s /= np.linalg.norm(s, axis=1)[:, None]
    basis = np.array([[[1, 0, 0], [0, 0, 0], [0, 0, -1]], [[0, 1, 0], [1, 0, 0], [0, 0, 0]],
                      [[0, 0, 1], [0, 0, 0], [1, 0, 0]], [[0, 0, 0], [0, 1, 0], [0, 0, -1]],
                      [[0, 0, 0], [0, 0, 1], [0, 1, 0]]], float)
    en = np.einsum("kij,nj->nki", basis, n)               # E_k n, per fault
    nen = np.einsum("nki,ni->nk", en, n)                  # n.E_k n
    a = en - nen[:, :, None] * n[:, None, :]              # (faults, 5, 3)
    return np.transpose(a, (0, 2, 1)), s                  # (faults, 3, 5), (faults, 3)


def invert(a, s):
    t = np.linalg.lstsq(a.reshape(-1, 5), s.reshape(-1), rcond=None)[0]
    tensor = -np.array([[t[0], t[1], t[2]], [t[1], t[3], t[4]], [t[2], t[4], -t[0] - t[3]]])
    w, v = np.linalg.eigh(tensor)
    return v[:, ::-1], (w[1] - w[0]) / (w[2] - w[0])


def main():
    a, s = design(sys.argv[1])
    rng = np.random.default_rng(1)
    times = []
    for _ in range(3):
        t0 = time.perf_counter()
        axes, phi = invert(a, s)
        for _ in range(1000):
            pick = rng.integers(0, len(s), len(s))
            invert(a[pick], s[pick])
        times.append(time.perf_counter() - t0)
    x = axes[:, 0] * np.sign(axes[2, 0] or 1)
    print("numpy Michael, %d faults, 1000 bootstrap samples: sigma1 %.0f/%.0f, Phi %.2f, median %.2f s" % (
        len(s), np.degrees(np.arctan2(x[1], x[0])) % 360, np.degrees(np.arcsin(x[2])), phi, sorted(times)[1]))


if __name__ == "__main__":
    main()
