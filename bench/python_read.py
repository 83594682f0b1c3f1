# qzcore from Python against numpy.loadtxt on the same file: rows of strike
# and dip read into arrays, and Fisher statistics of the directions read.
# Each run times both readers one after the other, so that both meet the
# same spell of a busy machine; the figures are medians over the runs.
#
#   PYTHONPATH=build/python python3 bench/python_read.py [rows] [runs]
#   (defaults 1000000 and 15; the file is written to a temporary directory)
import gc
import os
import random
import statistics
import sys
import tempfile
import time

import numpy as np

import qzcore


def timed(work):
    gc.collect()
    start = time.perf_counter()
    result = work()
    return time.perf_counter() - start, result


def main():
    rows = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    rng = random.Random(1)
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "planes.txt")
        with open(path, "w") as out:
            out.write("".join("%d\t%d\n" % (rng.randrange(360), rng.randrange(91)) for _ in range(rows)))
        loadtxt, read, arrays, ratio = [], [], [], []
        for _ in range(runs):
            t_np, _ = timed(lambda: np.loadtxt(path, usecols=(0, 1)))
            t_read, ds = timed(lambda: qzcore.read(path))
            t_arrays, _ = timed(lambda: (ds.strike, ds.dip))
            assert len(ds) == rows
            loadtxt.append(t_np)
            read.append(t_read)
            arrays.append(t_read + t_arrays)
            ratio.append((t_read + t_arrays) / t_np)
            del ds
        ds = qzcore.read(path)
        fisher = [timed(lambda: qzcore.fisher(ds))[0] for _ in range(runs)]
    median = statistics.median
    print("rows %d, %d runs, medians" % (rows, runs))
    print("numpy.loadtxt, two columns          %.3f s" % median(loadtxt))
    print("qzcore.read                          %.3f s" % median(read))
    print("qzcore.read, then strike and dip     %.3f s  (%.2f of loadtxt's time, run by run)" %
          (median(arrays), median(ratio)))
    print("qzcore.fisher                        %.1f ms" % (median(fisher) * 1e3))


if __name__ == "__main__":
    main()
