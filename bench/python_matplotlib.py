# A stereonet of 10,000 poles drawn into a matplotlib figure and saved as a
# 400-pixel PNG: qzcore.stereonet(..., ax=) against mplstereonet's ax.pole on
# the same planes, one after the other in each run; medians over the runs.
# mplstereonet is the peer; without it only qzcore is timed.
#
#   PYTHONPATH=build/python:PATH_TO_MPLSTEREONET python3 bench/python_matplotlib.py [poles] [runs]
#   (defaults 10000 and 9)
import io
import random
import statistics
import sys
import time

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

import qzcore  # noqa: E402

try:
    import mplstereonet  # noqa: F401,E402
except ImportError:
    mplstereonet = None


def timed(draw, projection=None):
    start = time.perf_counter()
    fig = plt.figure(figsize=(4, 4), dpi=100)
    ax = fig.add_subplot(111, projection=projection)
    draw(ax)
    fig.savefig(io.BytesIO(), format="png")
    plt.close(fig)
    return time.perf_counter() - start


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 10000
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    rng = random.Random(7)
    strike = [rng.randrange(360) for _ in range(n)]
    dip = [rng.randrange(91) for _ in range(n)]
    ds = qzcore.Dataset.from_arrays(strike=strike, dip=dip)
    ours, peer = [], []
    for _ in range(runs):
        ours.append(timed(lambda ax: qzcore.stereonet(ds, planes="poles", ax=ax)))
        if mplstereonet:
            peer.append(timed(lambda ax: ax.pole(strike, dip, "k.", ms=2), "stereonet"))
    print("qzcore.stereonet(ax=) of %d poles to PNG: %.3f s (median of %d)" % (n, statistics.median(ours), runs))
    if peer:
        print("mplstereonet ax.pole of %d poles to PNG: %.3f s (median of %d)" % (n, statistics.median(peer), runs))


if __name__ == "__main__":
    main()
